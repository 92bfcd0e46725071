#pragma once

#include <cstdint>

#include "params/parameter_set.h"

namespace vemo {

// Ranges the device accepts; out-of-range values are replaced before every build.
inline constexpr std::int32_t kMinFrequency = 47000;  // kHz
inline constexpr std::int32_t kMaxFrequency = 862000;
inline constexpr std::int32_t kFallbackFrequency = 474000;
inline constexpr std::int32_t kMinVideoBitrate = 3000;  // kb/s
inline constexpr std::int32_t kMaxVideoBitrate = 12000;
inline constexpr std::int32_t kMinPid = 32;
inline constexpr std::int32_t kMaxPid = 8190;

struct Pids {
    std::int32_t PmtPid = 0;
    std::int32_t VideoPid = 0;
    std::int32_t AudioPid = 0;

    bool operator==(const Pids&) const = default;
};
inline constexpr Pids kFallbackPids = {32, 48, 49};

std::int32_t CorrectedFrequency(std::int32_t kHz);
std::int32_t CorrectedVideoBitrate(std::int32_t kbps);
// Three distinct PIDs inside the range stay; otherwise all three fall back together.
Pids CorrectedPids(const Pids& pids);

// All three corrections on the set, in place.
void CorrectParameters(ParameterSet& set);

}  // namespace vemo
