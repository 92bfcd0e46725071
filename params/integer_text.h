#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vemo {

// The integer at the start of a typed text, read the way C's "%d" reads it: blanks, an
// optional sign, decimal digits.
struct LeadingInteger {
    bool negative = false;
    // Saturates just above 2^31, so callers can tell a 32-bit value from an overflow.
    std::int64_t magnitude = 0;
    bool hasDigits = false;
    // Where the digits ended.
    std::size_t end = 0;
};

inline constexpr std::int64_t kInt32MagnitudeLimit = std::int64_t{1} << 31;

bool IsBlank(char16_t c);
LeadingInteger ScanLeadingInteger(std::u16string_view text);

}  // namespace vemo
