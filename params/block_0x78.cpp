#include "params/block_0x78.h"

#include <algorithm>

#include "params/output_level.h"

namespace vemo {

namespace {

using Field = BlockField<ParameterSet>;
using S = ParameterSet;

constexpr std::size_t kHeaderLength = 7;  // signature, format byte, total length
constexpr std::int32_t kKilohertzPerMegahertz = 1000;
constexpr std::int32_t kKilohertzPerFineStep = 125;
constexpr std::uint32_t kVersionMask = 0x1F;

constexpr Field kVersion = NumberField<S>{
    1, &S::Version, [](std::int32_t v) { return static_cast<std::uint32_t>(v) & kVersionMask; },
    [](std::uint32_t b) { return static_cast<std::int32_t>(b & kVersionMask); }};

constexpr Field kMegahertz = NumberField<S>{
    2, &S::Frequency,
    [](std::int32_t kHz) { return static_cast<std::uint32_t>(kHz / kKilohertzPerMegahertz); },
    [](std::uint32_t mhz) { return static_cast<std::int32_t>(mhz) * kKilohertzPerMegahertz; }};

constexpr Field kFineFrequency = NumberField<S>{
    2, &S::Frequency,
    [](std::int32_t kHz) { return static_cast<std::uint32_t>(kHz / kKilohertzPerFineStep); },
    [](std::uint32_t steps) { return static_cast<std::int32_t>(steps) * kKilohertzPerFineStep; }};

constexpr Field kAmplitude = NumberField<S>{
    1, &S::LevelPosition,
    [](std::int32_t position) -> std::uint32_t { return AmplitudeForLevel(position); },
    [](std::uint32_t amplitude) {
        return LevelForAmplitude(static_cast<std::uint8_t>(amplitude));
    }};

// The device counts picture formats from 1; an unset 0 shows as the first entry.
constexpr Field kPictureFormat = NumberField<S>{
    1, &S::PictureFormat, [](std::int32_t index) { return static_cast<std::uint32_t>(index) + 1; },
    [](std::uint32_t b) { return b == 0 ? 0 : static_cast<std::int32_t>(b) - 1; }};

constexpr Field kFixedFields[] = {
    TextField(&S::Reference),
    U16Field(&S::TsId),
    U16Field(&S::ServiceId),
    kVersion,
    U8Field(&S::KeptByte),
    U8Field(&S::Country),
    kMegahertz,
    U8Field(&S::Bandwidth),
    U8Field(&S::TransmissionMode),
    U8Field(&S::Constellation),
    U8Field(&S::CodeRate),
    U8Field(&S::GuardInterval),
    kAmplitude,
    U16Field(&S::PmtPid),
    U16Field(&S::VideoPid),
    U16Field(&S::AudioPid),
    U16Field(&S::VideoBitrate),
    U8Field(&S::AudioBitrate),
    U16Field(&S::Lcn),
    U16Field(&S::OriginalNetworkId),
    TextField(&S::ServiceName),
    TextField(&S::NetworkName),
    U8Field(&S::Standard),
    kPictureFormat,
    U8Field(&S::Light),
    U8Field(&S::Contrast),
    U8Field(&S::Saturation),
};

// The fields older blocks end without, each with the value it takes when absent.
struct OptionalField {
    Field field;
    void (*whenAbsent)(ParameterSet&);
};
constexpr OptionalField kOptionalFields[] = {
    {U16Field(&S::NetworkId), [](ParameterSet& set) { set.NetworkId = set.OriginalNetworkId; }},
    {kFineFrequency, [](ParameterSet&) {}},  // the whole-MHz value stands
    {U8Field(&S::DefaultCountry), [](ParameterSet& set) { set.DefaultCountry = 0; }},
    {U8Field(&S::LcnType), [](ParameterSet& set) { set.LcnType = 0; }},
};

}  // namespace

bool HasBlockSignature(std::span<const std::uint8_t> block) {
    return block.size() >= kBlockSignature.size() &&
           std::equal(kBlockSignature.begin(), kBlockSignature.end(), block.begin());
}

std::uint8_t AmplitudeForLevel(std::int32_t levelPosition) {
    const std::int32_t position = std::clamp(levelPosition, 0, kFullLevelPosition);
    return kLevelTable[static_cast<std::size_t>(LevelComplement(position))];
}

std::int32_t LevelForAmplitude(std::uint8_t amplitude) {
    // Entries for 0 to 28 dB are searched; when none is low enough, the end stands for 29 dB.
    const auto searched = kLevelTable.end() - 1;
    const auto found = std::find_if(kLevelTable.begin(), searched,
                                    [amplitude](std::uint8_t entry) { return entry <= amplitude; });
    return LevelComplement(static_cast<std::int32_t>(found - kLevelTable.begin()));
}

BlockOutcome ParseBlock78(std::span<const std::uint8_t> block, ParameterSet& set) {
    if (!HasBlockSignature(block)) {
        return BlockOutcome::BadSignature;
    }
    BlockReader reader(block, kBlockSignature.size());
    const std::optional<std::uint32_t> format = reader.Number(1);
    const std::optional<std::uint32_t> length = reader.Number(2);
    if (format) {
        set.FormatByte = static_cast<std::int32_t>(*format);
    }
    if (!length || !ReadFields<S>(reader, kFixedFields, set)) {
        return BlockOutcome::Truncated;
    }
    for (const OptionalField& optional : kOptionalFields) {
        if (reader.Position() >= *length) {
            optional.whenAbsent(set);
            continue;  // each later field is past the length too
        }
        if (!ReadField(reader, optional.field, set)) {
            return BlockOutcome::Truncated;
        }
    }
    return BlockOutcome::Complete;
}

bool BuildBlock78(const ParameterSet& set, std::span<std::uint8_t> block, std::size_t& length) {
    BlockWriter fields(block, kHeaderLength);
    WriteFields<S>(fields, kFixedFields, set);
    for (const OptionalField& optional : kOptionalFields) {
        WriteField(fields, optional.field, set);
    }
    if (fields.Overflowed() || fields.Position() > 0xFFFF) {
        return false;
    }
    BlockWriter header(block, 0);
    header.Bytes(kBlockSignature);
    header.Number(1, static_cast<std::uint32_t>(set.FormatByte));
    header.Number(2, static_cast<std::uint32_t>(fields.Position()));
    length = fields.Position();
    return true;
}

}  // namespace vemo
