#include "params/block_0x82.h"

#include <array>

#include "params/output_level.h"

namespace vemo {

namespace {

using Field = BlockField<BlockImage>;

using B = BlockImage;
constexpr std::array<Field, 65> kLayout = {
    TextField(&B::Reference),
    U8Field(&B::DefaultCountry),
    U8Field(&B::Country),
    U8Field(&B::Kept4),
    U32Field(&B::Frequency),
    U8Field(&B::Bandwidth),
    U8Field(&B::TransmissionMode),
    U8Field(&B::Constellation),
    U8Field(&B::CodeRate),
    U8Field(&B::GuardInterval),
    U8Field(&B::Attenuation),
    U8Field(&B::Kept12),
    U16Field(&B::Kept13),
    U8Field(&B::Version),
    U16Field(&B::NetworkId),
    U16Field(&B::OriginalNetworkId),
    TextField(&B::NetworkName),
    U16Field(&B::TsId),
    U8Field(&B::KeptByte),
    U16Field(&B::ServiceId),
    U8Field(&B::LcnType),
    U16Field(&B::Lcn),
    U16Field(&B::Kept23),
    TextField(&B::ServiceName),
    U16Field(&B::PmtPid),
    U16Field(&B::VideoPid),
    U16Field(&B::AudioPid),
    U16Field(&B::VideoBitrate),
    U8Field(&B::AudioBitrate),
    U8Field(&B::Kept30),
    U8Field(&B::Kept31),
    U8Field(&B::Standard),
    U8Field(&B::Kept33),
    U8Field(&B::Kept34),
    U8Field(&B::Kept35),
    U8Field(&B::Kept36),
    TextField(&B::Kept37),
    U16Field(&B::Kept38),
    U8Field(&B::Kept39),
    U8Field(&B::Kept40),
    U8Field(&B::Kept41),
    TextField(&B::LogoName),
    U8Field(&B::Kept43),
    U8Field(&B::Kept44),
    U8Field(&B::Kept45),
    U8Field(&B::Kept46),
    U8Field(&B::Kept47),
    U8Field(&B::Kept48),
    U8Field(&B::Kept49),
    TextField(&B::Kept50),
    TextField(&B::Kept51),
    TextField(&B::Kept52),
    U8Field(&B::Kept53),
    U8Field(&B::Kept54),
    U8Field(&B::Kept55),
    TextField(&B::EitName),
    TextField(&B::EitText),
    U8Field(&B::AudioCodec),
    U8Field(&B::VideoCodec),
    U8Field(&B::Kept60),
    U8Field(&B::Kept61),
    U8Field(&B::PictureFormat),
    U8Field(&B::Light),
    U8Field(&B::Contrast),
    U8Field(&B::Saturation),
};

using S = ParameterSet;
struct SharedNumber {
    std::int32_t BlockImage::*image;
    std::int32_t ParameterSet::*set;
};
constexpr SharedNumber kSharedNumbers[] = {
    {&B::DefaultCountry, &S::DefaultCountry},
    {&B::Country, &S::Country},
    {&B::Frequency, &S::Frequency},
    {&B::Bandwidth, &S::Bandwidth},
    {&B::TransmissionMode, &S::TransmissionMode},
    {&B::Constellation, &S::Constellation},
    {&B::CodeRate, &S::CodeRate},
    {&B::GuardInterval, &S::GuardInterval},
    {&B::Version, &S::Version},
    {&B::NetworkId, &S::NetworkId},
    {&B::OriginalNetworkId, &S::OriginalNetworkId},
    {&B::TsId, &S::TsId},
    {&B::KeptByte, &S::KeptByte},
    {&B::ServiceId, &S::ServiceId},
    {&B::LcnType, &S::LcnType},
    {&B::Lcn, &S::Lcn},
    {&B::PmtPid, &S::PmtPid},
    {&B::VideoPid, &S::VideoPid},
    {&B::AudioPid, &S::AudioPid},
    {&B::VideoBitrate, &S::VideoBitrate},
    {&B::AudioBitrate, &S::AudioBitrate},
    {&B::Standard, &S::Standard},
    {&B::PictureFormat, &S::PictureFormat},
    {&B::Light, &S::Light},
    {&B::Contrast, &S::Contrast},
    {&B::Saturation, &S::Saturation},
};
struct SharedText {
    std::u16string BlockImage::*image;
    std::u16string ParameterSet::*set;
};
constexpr SharedText kSharedTexts[] = {
    {&B::Reference, &S::Reference},
    {&B::NetworkName, &S::NetworkName},
    {&B::ServiceName, &S::ServiceName},
};

}  // namespace

BlockOutcome ParseBlock82(std::span<const std::uint8_t> block, BlockImage& image) {
    BlockReader reader(block, 0);
    return ReadFields<BlockImage>(reader, kLayout, image) ? BlockOutcome::Complete
                                                          : BlockOutcome::Truncated;
}

bool BuildBlock82(const BlockImage& image, std::span<std::uint8_t> block, std::size_t& length) {
    BlockWriter writer(block, 0);
    WriteFields<BlockImage>(writer, kLayout, image);
    if (writer.Overflowed()) {
        return false;
    }
    length = writer.Position();
    return true;
}

void CopyImageToSet(const BlockImage& image, ParameterSet& set) {
    for (const SharedNumber& shared : kSharedNumbers) {
        set.*shared.set = image.*shared.image;
    }
    for (const SharedText& shared : kSharedTexts) {
        set.*shared.set = image.*shared.image;
    }
    set.LevelPosition = LevelComplement(image.Attenuation);
}

void CopySetToImage(const ParameterSet& set, BlockImage& image) {
    for (const SharedNumber& shared : kSharedNumbers) {
        image.*shared.image = set.*shared.set;
    }
    for (const SharedText& shared : kSharedTexts) {
        image.*shared.image = set.*shared.set;
    }
    image.Attenuation = LevelComplement(set.LevelPosition);
}

}  // namespace vemo
