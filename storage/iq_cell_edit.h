#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "storage/iq_table.h"

namespace vemo {

// Columns of the IQ list; column 0 is an invisible one the list needs first.
enum IqColumn { kIqColumnHidden = 0, kIqColumnFrequency = 1, kIqColumnDAmp = 2, kIqColumnDPhi = 3 };

// A typed number read as "%d" reads it: leading white space, an optional sign, then digits up
// to the first other character ("12abc" is 12); no digits at all is 0. Beyond the range of a
// 32-bit number the nearest end is taken.
std::int32_t ParseCellValue(std::u16string_view text);

// Ends an in-place edit of a correction cell: the text, when the edit was not cancelled,
// becomes dAmp (column 2) or dPhi (column 3) of the row. False when nothing changed: a
// cancelled edit, another column, or a row the table does not hold.
bool ApplyCellEdit(IqTable& table, int row, int column, std::optional<std::u16string_view> text);

}  // namespace vemo
