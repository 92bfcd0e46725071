#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vemo {

// The character each of the 256 device bytes stands for in the parameter block's texts:
// Latin-1, except that control codes, DEL, the C1 range and the no-break space show as ".",
// the double quotation mark as an apostrophe and the soft hyphen as "-".
const std::array<char16_t, 256>& DeviceCharTable();

// Reads a text from `position` up to and including its 0x00 terminator and leaves `position`
// just after it. Without a terminator it stops at the end of `bytes`, with the characters
// read so far and `position` at the end; a position already beyond the end gives "".
std::u16string DecodeDeviceText(std::span<const std::uint8_t> bytes, std::size_t& position);

// Writes one byte per character (a character the table does not hold becomes ".") and a 0x00,
// and advances `position` past them. A text that does not fit in `block` from `position` is
// not written at all: false, `position` unchanged.
bool EncodeDeviceText(std::u16string_view text, std::span<std::uint8_t> block,
                      std::size_t& position);

}  // namespace vemo
