#pragma once

#include <cstdint>
#include <span>

#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "support/bytes.h"

namespace vemo::test {

// The published example values: an 8 MHz 64-QAM channel at 474 MHz, every text empty.
inline ParameterSet WorkedExampleSet(std::uint8_t modelCode) {
    ParameterSet set;
    set.TsId = 1;
    set.ServiceId = 1;
    set.Frequency = 474000;
    set.Bandwidth = 2;
    set.TransmissionMode = 1;
    set.Constellation = 2;
    set.CodeRate = 1;
    set.LevelPosition = 29;
    set.PmtPid = 32;
    set.VideoPid = 48;
    set.AudioPid = 49;
    set.VideoBitrate = 3000;
    set.AudioBitrate = 1;
    set.Lcn = 1;
    set.OriginalNetworkId = 1;
    set.NetworkId = 1;
    set.PictureFormat = modelCode == kModel82 ? 0 : 1;
    set.Light = 128;
    set.Contrast = 128;
    set.Saturation = 128;
    return set;
}

inline constexpr const char* kWorkedBlock82 =
    "00 00 00 00 90 3B 07 00 02 01 02 01 00 00 00 00 00 00 01 00 01 00 00 01 00 00 01 00 00 01 "
    "00 00 00 00 20 00 30 00 31 00 B8 0B 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 01 01 00 00 00 80 80 80";

inline constexpr const char* kWorkedBlock78 =
    "50 46 5A 4A 00 31 00 00 01 00 01 00 00 00 00 DA 01 02 01 02 01 00 FF 20 00 30 00 31 00 B8 "
    "0B 01 01 00 01 00 00 00 00 02 80 80 80 01 00 D0 0E 00 00";

// Builds through the same path the panel takes: corrections, then the model's layout.
inline Bytes Build(std::uint8_t modelCode, ParameterSet& set, BlockImage& image) {
    Bytes block(kBlockCapacity);
    std::size_t length = 0;
    if (!BuildParameterBlock(modelCode, set, image, block, length)) {
        return {};
    }
    block.resize(length);
    return block;
}

}  // namespace vemo::test
