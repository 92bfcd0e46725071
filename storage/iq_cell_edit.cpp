#include "storage/iq_cell_edit.h"

#include <algorithm>

#include "params/integer_text.h"

namespace vemo {

std::int32_t ParseCellValue(std::u16string_view text) {
    // Out of range, "%d" is undefined; the nearest end is what a user expects.
    const LeadingInteger scanned = ScanLeadingInteger(text);
    const std::int64_t value = scanned.negative
                                   ? -std::min(scanned.magnitude, kInt32MagnitudeLimit)
                                   : std::min(scanned.magnitude, kInt32MagnitudeLimit - 1);
    return static_cast<std::int32_t>(value);
}

bool ApplyCellEdit(IqTable& table, int row, int column, std::optional<std::u16string_view> text) {
    if (!text || row < 0 || row >= static_cast<int>(table.Used().size())) {
        return false;
    }
    IqPoint& point = table.rows[static_cast<std::size_t>(row)];
    switch (column) {
        case kIqColumnDAmp:
            point.dAmp = ParseCellValue(*text);
            return true;
        case kIqColumnDPhi:
            point.dPhi = ParseCellValue(*text);
            return true;
        default:
            return false;
    }
}

}  // namespace vemo
