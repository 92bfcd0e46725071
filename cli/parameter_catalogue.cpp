#include "cli/parameter_catalogue.h"

#include <algorithm>
#include <array>

#include "cli/utf8.h"
#include "link/device_identity.h"
#include "params/output_level.h"
#include "params/panel_control_ids.h"

namespace vemo {

namespace {

using List = std::span<const std::u16string_view>;

// The lists' texts as the panel shows them, in the order of the indices the block carries.
constexpr std::array<std::u16string_view, 2> kStandards = {u"PAL", u"NTSC"};
constexpr std::array<std::u16string_view, 2> kPictureFormats82 = {u"16/9", u"4/3"};
constexpr std::array<std::u16string_view, 2> kPictureFormats78 = {u"4/3", u"16/9"};
constexpr std::array<std::u16string_view, 3> kVideoCodecs = {u"H264", u"MPEG2-SD", u"MPEG2"};
constexpr std::array<std::u16string_view, 2> kAudioCodecs = {u"AAC-LC", u"MPEG1-L2"};
constexpr std::array<std::u16string_view, 5> kAudioBitrates = {
    u"128 kb/s", u"192 kb/s", u"256 kb/s", u"320 kb/s", u"384 kb/s"};
constexpr std::array<std::u16string_view, 2> kModes = {u"2K", u"8K"};
constexpr std::array<std::u16string_view, 3> kConstellations = {u"QPSK", u"16-QAM", u"64-QAM"};
constexpr std::array<std::u16string_view, 3> kBandwidths = {u"6 MHz", u"7 MHz", u"8 MHz"};
constexpr std::array<std::u16string_view, 5> kCodeRates = {u"1/2", u"2/3", u"3/4", u"5/6", u"7/8"};
constexpr std::array<std::u16string_view, 4> kGuardIntervals = {u"1/32", u"1/16", u"1/8", u"1/4"};
// The countries' order differs between the models' firmware.
constexpr std::array<std::u16string_view, 6> kCountries82 = {u"FRENCH",  u"ENGLISH", u"ITALIAN",
                                                             u"DEUTSCH", u"ESPANOL", u"POLSKI"};
constexpr std::array<std::u16string_view, 6> kCountries78 = {u"FRENCH",  u"ENGLISH", u"ITALIAN",
                                                             u"DEUTSCH", u"POLSKI",  u"ESPANOL"};
// NORDIG is offered on model 0x82 only.
constexpr std::array<std::u16string_view, 3> kLcnTypes = {u"EACEM", u"ITC", u"NORDIG"};

constexpr std::uint8_t kBoth = 0;

using namespace panel_id;

constexpr ParameterInfo Number(std::string_view name, std::int32_t ParameterSet::*member,
                               int controlId, std::string_view unit = {}) {
    ParameterInfo info;
    info.name = name;
    info.kind = ParameterKind::Number;
    info.number = member;
    info.controlId = controlId;
    info.unit = unit;
    return info;
}

// A byte of the device's own that no control shows.
constexpr ParameterInfo Carried(std::string_view name, std::int32_t ParameterSet::*member,
                                std::uint8_t onlyModel = kBoth) {
    ParameterInfo info = Number(name, member, 0);
    info.editing = Editing::Carried;
    info.onlyModel = onlyModel;
    return info;
}

constexpr ParameterInfo ListOf(std::string_view name, std::int32_t ParameterSet::*member,
                               int controlId) {
    ParameterInfo info = Number(name, member, controlId);
    info.kind = ParameterKind::List;
    return info;
}

constexpr ParameterInfo Text(std::string_view name, std::u16string ParameterSet::*member,
                             int controlId) {
    ParameterInfo info;
    info.name = name;
    info.kind = ParameterKind::Text;
    info.text = member;
    info.controlId = controlId;
    return info;
}

// Model 0x82's own fields, kept in its block image.
constexpr ParameterInfo ImageList(std::string_view name, std::int32_t BlockImage::*member,
                                  int controlId) {
    ParameterInfo info;
    info.name = name;
    info.kind = ParameterKind::List;
    info.imageNumber = member;
    info.controlId = controlId;
    info.onlyModel = kModel82;
    return info;
}

constexpr ParameterInfo ImageText(std::string_view name, std::u16string BlockImage::*member,
                                  int controlId) {
    ParameterInfo info;
    info.name = name;
    info.kind = ParameterKind::Text;
    info.imageText = member;
    info.controlId = controlId;
    info.onlyModel = kModel82;
    return info;
}

constexpr std::array kParameters = {
    ListOf("standard", &ParameterSet::Standard, StandardList),
    ListOf("picture-format", &ParameterSet::PictureFormat, PictureFormatList),
    Number("light", &ParameterSet::Light, LightSlider),
    Number("contrast", &ParameterSet::Contrast, ContrastSlider),
    Number("saturation", &ParameterSet::Saturation, SaturationSlider),
    Number("frequency", &ParameterSet::Frequency, FrequencyField, "kHz"),
    Number("ts-id", &ParameterSet::TsId, TsIdField),
    ListOf("transmission-mode", &ParameterSet::TransmissionMode, ModeList),
    ListOf("constellation", &ParameterSet::Constellation, ConstellationList),
    ListOf("bandwidth", &ParameterSet::Bandwidth, BandwidthList),
    ListOf("code-rate", &ParameterSet::CodeRate, CodeRateList),
    ListOf("guard-interval", &ParameterSet::GuardInterval, GuardIntervalList),
    Number("level-position", &ParameterSet::LevelPosition, LevelSlider),
    Number("original-network-id", &ParameterSet::OriginalNetworkId, OriginalNetworkIdField),
    Number("network-id", &ParameterSet::NetworkId, NetworkIdField),
    Number("service-id", &ParameterSet::ServiceId, ServiceIdField),
    Number("lcn", &ParameterSet::Lcn, LcnField),
    Number("pmt-pid", &ParameterSet::PmtPid, PmtPidField),
    Number("video-pid", &ParameterSet::VideoPid, VideoPidField),
    Number("video-bitrate", &ParameterSet::VideoBitrate, VideoBitrateField, "kb/s"),
    Number("audio-pid", &ParameterSet::AudioPid, AudioPidField),
    ListOf("audio-bitrate", &ParameterSet::AudioBitrate, AudioBitrateList),
    Carried("format-byte", &ParameterSet::FormatByte, kModel78),
    Number("version", &ParameterSet::Version, VersionField),
    Carried("kept-byte", &ParameterSet::KeptByte),
    // Follows default-country, as picking a default country in the panel does.
    Carried("country", &ParameterSet::Country),
    ListOf("default-country", &ParameterSet::DefaultCountry, DefaultCountryList),
    ListOf("lcn-type", &ParameterSet::LcnType, LcnTypeList),
    Text("network-name", &ParameterSet::NetworkName, NetworkNameField),
    Text("service-name", &ParameterSet::ServiceName, ServiceNameField),
    Text("reference", &ParameterSet::Reference, ReferenceField),
    ImageText("eit-name", &BlockImage::EitName, EitNameField),
    ImageText("eit-text", &BlockImage::EitText, EitTextField),
    ImageList("audio-codec", &BlockImage::AudioCodec, AudioCodecList),
    ImageList("video-codec", &BlockImage::VideoCodec, VideoCodecList),
    [] {
        // Taken from the Logos list only when the defaults are stored; no check of its own.
        ParameterInfo info = ImageText("logo-name", &BlockImage::LogoName, 0);
        info.editing = Editing::DefaultsOnly;
        return info;
    }(),
};

std::u16string Normalised(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u' ') {
            continue;
        }
        out += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return out;
}

// A plain decimal number of a few digits, nothing around it.
std::optional<std::int32_t> SmallNumber(std::u16string_view text) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::string Quoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

bool ParameterInfo::ExistsOn(std::uint8_t model) const {
    if (onlyModel == kBoth) {
        return true;
    }
    // Every model code other than 0x82 behaves as model 0x78.
    return (onlyModel == kModel82) == (model == kModel82);
}

std::int32_t ParameterInfo::NumberIn(const ParameterValues& values) const {
    return number != nullptr ? values.set.*number : values.image.*imageNumber;
}

std::int32_t& ParameterInfo::NumberIn(ParameterValues& values) const {
    return number != nullptr ? values.set.*number : values.image.*imageNumber;
}

const std::u16string& ParameterInfo::TextIn(const ParameterValues& values) const {
    return text != nullptr ? values.set.*text : values.image.*imageText;
}

std::u16string& ParameterInfo::TextIn(ParameterValues& values) const {
    return text != nullptr ? values.set.*text : values.image.*imageText;
}

std::vector<std::u16string_view> ParameterInfo::ListEntries(std::uint8_t model) const {
    const bool model82 = model == kModel82;
    const auto entries = [&]() -> List {
        if (number == &ParameterSet::Standard) {
            return kStandards;
        }
        if (number == &ParameterSet::PictureFormat) {
            return model82 ? List(kPictureFormats82) : List(kPictureFormats78);
        }
        if (number == &ParameterSet::TransmissionMode) {
            return kModes;
        }
        if (number == &ParameterSet::Constellation) {
            return kConstellations;
        }
        if (number == &ParameterSet::Bandwidth) {
            return kBandwidths;
        }
        if (number == &ParameterSet::CodeRate) {
            return kCodeRates;
        }
        if (number == &ParameterSet::GuardInterval) {
            return kGuardIntervals;
        }
        if (number == &ParameterSet::AudioBitrate) {
            return kAudioBitrates;
        }
        if (number == &ParameterSet::DefaultCountry) {
            return model82 ? List(kCountries82) : List(kCountries78);
        }
        if (number == &ParameterSet::LcnType) {
            return List(kLcnTypes).first(model82 ? 3 : 2);
        }
        if (imageNumber == &BlockImage::AudioCodec) {
            return kAudioCodecs;
        }
        if (imageNumber == &BlockImage::VideoCodec) {
            return kVideoCodecs;
        }
        return {};
    }();
    return {entries.begin(), entries.end()};
}

std::span<const ParameterInfo> Parameters() {
    return kParameters;
}

const ParameterInfo* FindParameter(std::string_view name) {
    const auto it = std::find_if(kParameters.begin(), kParameters.end(),
                                 [name](const ParameterInfo& info) { return info.name == name; });
    return it == kParameters.end() ? nullptr : &*it;
}

std::string DisplayValue(const ParameterInfo& info, const ParameterValues& values) {
    if (info.kind == ParameterKind::Text) {
        return Quoted(info.TextIn(values));
    }
    const std::int32_t value = info.NumberIn(values);
    const std::string number = std::to_string(value);
    if (info.kind == ParameterKind::List) {
        const std::vector<std::u16string_view> entries = info.ListEntries(values.model);
        if (value < 0 || static_cast<std::size_t>(value) >= entries.size()) {
            return number + " (not in the list)";
        }
        return ToUtf8(entries[static_cast<std::size_t>(value)]) + " (" + number + ")";
    }
    if (info.number == &ParameterSet::LevelPosition) {
        const std::int32_t attenuation = LevelComplement(value);
        return number + " (" + (attenuation == 0 ? "" : "-") + std::to_string(attenuation) + " dB)";
    }
    return info.unit.empty() ? number : number + " " + std::string(info.unit);
}

JsonObject JsonValue(const ParameterInfo& info, const ParameterValues& values) {
    JsonObject json;
    if (info.kind == ParameterKind::Text) {
        return json.String("value", info.TextIn(values));
    }
    const std::int32_t value = info.NumberIn(values);
    json.Number("value", value);
    if (info.kind == ParameterKind::List) {
        const std::vector<std::u16string_view> entries = info.ListEntries(values.model);
        if (value >= 0 && static_cast<std::size_t>(value) < entries.size()) {
            json.String("text", entries[static_cast<std::size_t>(value)]);
        }
    }
    if (!info.unit.empty()) {
        json.String("unit", info.unit);
    }
    return json;
}

bool SameValue(const ParameterInfo& info, const ParameterValues& a, const ParameterValues& b) {
    return info.kind == ParameterKind::Text ? info.TextIn(a) == info.TextIn(b)
                                            : info.NumberIn(a) == info.NumberIn(b);
}

std::optional<std::int32_t> ListIndex(std::span<const std::u16string_view> entries,
                                      std::u16string_view value) {
    const std::u16string wanted = Normalised(value);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (Normalised(entries[i]) == wanted) {
            return static_cast<std::int32_t>(i);
        }
    }
    const std::optional<std::int32_t> number = SmallNumber(value);
    if (!number) {
        return std::nullopt;
    }
    if (static_cast<std::size_t>(*number) < entries.size()) {
        return number;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string_view entry = entries[i];
        const std::u16string_view lead = entry.substr(0, entry.find(u' '));
        if (lead != entry && SmallNumber(lead) == number) {
            return static_cast<std::int32_t>(i);
        }
    }
    return std::nullopt;
}

std::string ListChoices(std::span<const std::u16string_view> entries) {
    std::string text;
    for (std::u16string_view entry : entries) {
        text += (text.empty() ? "" : ", ") + ToUtf8(entry);
    }
    return text + " (or their index, 0 to " + std::to_string(entries.size() - 1) + ")";
}

}  // namespace vemo
