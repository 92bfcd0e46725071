#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// The rules shared by the firmware package's names and text files.

// A decimal number at the start of a text: an optional sign, then digits up to the first other
// character. No digit gives 0; a number beyond the 32-bit range stops at its limit.
std::int32_t LeadingDecimal(std::string_view text);

// ASCII letters upper-cased, every other byte kept.
std::string UpperCaseAscii(std::string_view text);

// Takes the next line off `text`: up to a line feed, which is dropped together with a carriage
// return just before it. Nothing once the text is used up.
std::optional<std::string_view> TakeLine(std::string_view& text);

// 8-bit package text shown to the user, one character per byte.
std::u16string WidenLatin1(std::string_view text);

}  // namespace vemo
