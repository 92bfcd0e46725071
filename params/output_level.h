#pragma once

#include <cstdint>

namespace vemo {

// The output level slider runs from 0 (29 dB down) to 29 (full level).
inline constexpr std::int32_t kFullLevelPosition = 29;

// 29 - value: a slider position as an attenuation in dB, or an attenuation as a position.
// Computed on unsigned numbers, so a value from outside the slider's range wraps instead of
// overflowing; only the low byte reaches a block.
inline std::int32_t LevelComplement(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(kFullLevelPosition) -
                                     static_cast<std::uint32_t>(value));
}

}  // namespace vemo
