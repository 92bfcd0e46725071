#pragma once

#include <cstdint>
#include <string>

namespace vemo {

// The parameters the settings panel edits, decoded from the block of either model. Numbers
// are held wider than their fields; a block carries their low bytes.
struct ParameterSet {
    std::int32_t Standard = 0;       // 0 PAL, 1 NTSC
    std::int32_t PictureFormat = 0;  // index into the model's picture format list
    std::int32_t Light = 0;
    std::int32_t Contrast = 0;
    std::int32_t Saturation = 0;
    std::int32_t Frequency = 0;  // kHz
    std::int32_t TsId = 0;
    std::int32_t TransmissionMode = 0;  // 0 2K, 1 8K
    std::int32_t Constellation = 0;     // 0 QPSK, 1 16-QAM, 2 64-QAM
    std::int32_t Bandwidth = 0;         // 0 6 MHz, 1 7 MHz, 2 8 MHz
    std::int32_t CodeRate = 0;          // 0 1/2, 1 2/3, 2 3/4, 3 5/6, 4 7/8
    std::int32_t GuardInterval = 0;     // 0 1/32, 1 1/16, 2 1/8, 3 1/4
    std::int32_t LevelPosition = 0;     // 29 full level ... 0 attenuated by 29 dB
    std::int32_t OriginalNetworkId = 0;
    std::int32_t NetworkId = 0;
    std::int32_t ServiceId = 0;
    std::int32_t Lcn = 0;
    std::int32_t PmtPid = 0;
    std::int32_t VideoPid = 0;
    std::int32_t VideoBitrate = 0;  // kb/s
    std::int32_t AudioPid = 0;
    std::int32_t AudioBitrate = 0;  // 0 128, 1 192, 2 256, 3 320, 4 384 kb/s
    std::int32_t FormatByte = 0;    // model 0x78 only, carried unchanged
    std::int32_t Version = 0;
    std::int32_t KeptByte = 0;  // carried unchanged
    std::int32_t Country = 0;
    std::int32_t DefaultCountry = 0;  // index into the model's country list
    std::int32_t LcnType = 0;         // 0 EACEM, 1 ITC, 2 NORDIG
    std::u16string NetworkName;
    std::u16string ServiceName;
    std::u16string Reference;

    bool operator==(const ParameterSet&) const = default;
};

// The model 0x82 block field by field, so that the fields the panel does not show go back to
// the device exactly as they came. KeptN is field N of the layout.
struct BlockImage {
    std::u16string Reference;
    std::int32_t DefaultCountry = 0;
    std::int32_t Country = 0;
    std::int32_t Kept4 = 0;
    std::int32_t Frequency = 0;
    std::int32_t Bandwidth = 0;
    std::int32_t TransmissionMode = 0;
    std::int32_t Constellation = 0;
    std::int32_t CodeRate = 0;
    std::int32_t GuardInterval = 0;
    std::int32_t Attenuation = 0;  // dB, 29 - LevelPosition
    std::int32_t Kept12 = 0;
    std::int32_t Kept13 = 0;
    std::int32_t Version = 0;
    std::int32_t NetworkId = 0;
    std::int32_t OriginalNetworkId = 0;
    std::u16string NetworkName;
    std::int32_t TsId = 0;
    std::int32_t KeptByte = 0;
    std::int32_t ServiceId = 0;
    std::int32_t LcnType = 0;
    std::int32_t Lcn = 0;
    std::int32_t Kept23 = 0;
    std::u16string ServiceName;
    std::int32_t PmtPid = 0;
    std::int32_t VideoPid = 0;
    std::int32_t AudioPid = 0;
    std::int32_t VideoBitrate = 0;
    std::int32_t AudioBitrate = 0;
    std::int32_t Kept30 = 0;
    std::int32_t Kept31 = 0;
    std::int32_t Standard = 0;
    std::int32_t Kept33 = 0;
    std::int32_t Kept34 = 0;
    std::int32_t Kept35 = 0;
    std::int32_t Kept36 = 0;
    std::u16string Kept37;
    std::int32_t Kept38 = 0;
    std::int32_t Kept39 = 0;
    std::int32_t Kept40 = 0;
    std::int32_t Kept41 = 0;
    std::u16string LogoName;
    std::int32_t Kept43 = 0;
    std::int32_t Kept44 = 0;
    std::int32_t Kept45 = 0;
    std::int32_t Kept46 = 0;
    std::int32_t Kept47 = 0;
    std::int32_t Kept48 = 0;
    std::int32_t Kept49 = 0;
    std::u16string Kept50;
    std::u16string Kept51;
    std::u16string Kept52;
    std::int32_t Kept53 = 0;
    std::int32_t Kept54 = 0;
    std::int32_t Kept55 = 0;
    std::u16string EitName;
    std::u16string EitText;
    std::int32_t AudioCodec = 0;  // 0 AAC-LC, 1 MPEG1-L2
    std::int32_t VideoCodec = 0;  // 0 H264, 1 MPEG2-SD, 2 MPEG2
    std::int32_t Kept60 = 0;
    std::int32_t Kept61 = 0;
    std::int32_t PictureFormat = 0;  // model 0x82 list order: 0 16/9, 1 4/3
    std::int32_t Light = 0;
    std::int32_t Contrast = 0;
    std::int32_t Saturation = 0;

    bool operator==(const BlockImage&) const = default;
};

}  // namespace vemo
