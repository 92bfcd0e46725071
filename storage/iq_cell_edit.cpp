#include "storage/iq_cell_edit.h"

#include <algorithm>
#include <limits>

namespace vemo {

namespace {

bool IsWhiteSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

}  // namespace

std::int32_t ParseCellValue(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsWhiteSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        magnitude = std::min(magnitude * 10 + (text[at] - u'0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
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
