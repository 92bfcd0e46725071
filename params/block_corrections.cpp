#include "params/block_corrections.h"

namespace vemo {

namespace {

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

std::int32_t CorrectedFrequency(std::int32_t kHz) {
    return InRange(kHz, kMinFrequency, kMaxFrequency) ? kHz : kFallbackFrequency;
}

std::int32_t CorrectedVideoBitrate(std::int32_t kbps) {
    return InRange(kbps, kMinVideoBitrate, kMaxVideoBitrate) ? kbps : kMinVideoBitrate;
}

Pids CorrectedPids(const Pids& pids) {
    const bool distinct = pids.VideoPid != pids.AudioPid && pids.PmtPid != pids.VideoPid &&
                          pids.PmtPid != pids.AudioPid;
    const bool inRange = InRange(pids.PmtPid, kMinPid, kMaxPid) &&
                         InRange(pids.VideoPid, kMinPid, kMaxPid) &&
                         InRange(pids.AudioPid, kMinPid, kMaxPid);
    return distinct && inRange ? pids : kFallbackPids;
}

void CorrectParameters(ParameterSet& set) {
    set.Frequency = CorrectedFrequency(set.Frequency);
    const Pids pids = CorrectedPids({set.PmtPid, set.VideoPid, set.AudioPid});
    set.PmtPid = pids.PmtPid;
    set.VideoPid = pids.VideoPid;
    set.AudioPid = pids.AudioPid;
    set.VideoBitrate = CorrectedVideoBitrate(set.VideoBitrate);
}

}  // namespace vemo
