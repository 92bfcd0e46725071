#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "params/block_fields.h"
#include "params/parameter_set.h"

namespace vemo {

// "PFZJ": opens the model 0x78 parameter block and the IQ calibration block.
inline constexpr std::array<std::uint8_t, 4> kBlockSignature = {0x50, 0x46, 0x5A, 0x4A};

bool HasBlockSignature(std::span<const std::uint8_t> block);

// Output amplitude byte by attenuation in dB: 255 x 10^(-dB/20), rounded down.
inline constexpr std::array<std::uint8_t, 30> kLevelTable = {
    255, 227, 202, 180, 160, 143, 127, 113, 101, 90, 80, 71, 64, 57, 50,
    45,  40,  36,  32,  28,  25,  22,  20,  18,  16, 14, 12, 11, 10, 9};

// The amplitude byte for a slider position; positions outside 0..29 count as the nearest end.
std::uint8_t AmplitudeForLevel(std::int32_t levelPosition);
// The slider position of an amplitude byte: the smallest attenuation whose entry is at most
// the byte, so a byte between two entries reads as the larger attenuation, below 10 as 29 dB.
std::int32_t LevelForAmplitude(std::uint8_t amplitude);

// Signature, format byte, total length, then the fields from position 7; the last four are
// read only inside the length and are absent from older blocks. A block without the
// signature changes nothing. Fields the bytes do not fully hold keep their values.
BlockOutcome ParseBlock78(std::span<const std::uint8_t> block, ParameterSet& set);

// Writes every field, the four optional ones included, and sets `length`. False, with
// `length` unchanged, when the block does not fit in `block`.
bool BuildBlock78(const ParameterSet& set, std::span<std::uint8_t> block, std::size_t& length);

}  // namespace vemo
