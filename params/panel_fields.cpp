#include "params/panel_fields.h"

#include <algorithm>
#include <array>
#include <limits>

#include "params/block_corrections.h"
#include "params/integer_text.h"
#include "params/output_level.h"
#include "params/panel_control_ids.h"

namespace vemo {

namespace {

using namespace panel_id;

template <std::int32_t ParameterSet::*Member>
std::int32_t& InSet(PanelMembers& members) {
    return members.set.*Member;
}
template <std::u16string ParameterSet::*Member>
std::u16string& TextInSet(PanelMembers& members) {
    return members.set.*Member;
}
template <std::int32_t BlockImage::*Member>
std::int32_t& InImage(PanelMembers& members) {
    return members.image.*Member;
}
template <std::u16string BlockImage::*Member>
std::u16string& TextInImage(PanelMembers& members) {
    return members.image.*Member;
}

constexpr ControlBinding List(int id, ControlBinding::NumberMember member) {
    return {id, ControlKind::List, member, nullptr, 0, 0};
}
constexpr ControlBinding Slider(int id, ControlBinding::NumberMember member, std::int32_t low,
                                std::int32_t high) {
    return {id, ControlKind::Slider, member, nullptr, low, high};
}
constexpr ControlBinding Number(int id, ControlBinding::NumberMember member, std::int32_t low,
                                std::int32_t high) {
    return {id, ControlKind::Number, member, nullptr, low, high};
}
constexpr ControlBinding Text(int id, ControlBinding::TextMember member, std::int32_t most) {
    return {id, ControlKind::Text, nullptr, member, 0, most};
}

constexpr std::int32_t kMaxId = 65535;
constexpr std::int32_t kMaxVersion = 31;
constexpr std::int32_t kMaxPicture = 255;
constexpr std::int32_t kMaxNameLength = 32;
constexpr std::int32_t kMaxReferenceLength = 53;
constexpr std::int32_t kMaxEitNameLength = 40;
constexpr std::int32_t kMaxEitTextLength = 100;

constexpr std::array kBindings = {
    List(AudioCodecList, InImage<&BlockImage::AudioCodec>),
    List(VideoCodecList, InImage<&BlockImage::VideoCodec>),
    Text(EitNameField, TextInImage<&BlockImage::EitName>, kMaxEitNameLength),
    Text(EitTextField, TextInImage<&BlockImage::EitText>, kMaxEitTextLength),
    Slider(LightSlider, InSet<&ParameterSet::Light>, 0, kMaxPicture),
    Slider(ContrastSlider, InSet<&ParameterSet::Contrast>, 0, kMaxPicture),
    Slider(SaturationSlider, InSet<&ParameterSet::Saturation>, 0, kMaxPicture),
    List(DefaultCountryList, InSet<&ParameterSet::DefaultCountry>),
    List(StandardList, InSet<&ParameterSet::Standard>),
    List(PictureFormatList, InSet<&ParameterSet::PictureFormat>),
    List(ModeList, InSet<&ParameterSet::TransmissionMode>),
    List(LcnTypeList, InSet<&ParameterSet::LcnType>),
    List(ConstellationList, InSet<&ParameterSet::Constellation>),
    List(BandwidthList, InSet<&ParameterSet::Bandwidth>),
    List(CodeRateList, InSet<&ParameterSet::CodeRate>),
    List(GuardIntervalList, InSet<&ParameterSet::GuardInterval>),
    List(AudioBitrateList, InSet<&ParameterSet::AudioBitrate>),
    Slider(LevelSlider, InSet<&ParameterSet::LevelPosition>, 0, kFullLevelPosition),
    Number(FrequencyField, InSet<&ParameterSet::Frequency>, kMinFrequency, kMaxFrequency),
    Number(TsIdField, InSet<&ParameterSet::TsId>, 0, kMaxId),
    Number(VersionField, InSet<&ParameterSet::Version>, 0, kMaxVersion),
    Number(OriginalNetworkIdField, InSet<&ParameterSet::OriginalNetworkId>, 0, kMaxId),
    Number(NetworkIdField, InSet<&ParameterSet::NetworkId>, 0, kMaxId),
    Text(NetworkNameField, TextInSet<&ParameterSet::NetworkName>, kMaxNameLength),
    Number(ServiceIdField, InSet<&ParameterSet::ServiceId>, 0, kMaxId),
    Text(ServiceNameField, TextInSet<&ParameterSet::ServiceName>, kMaxNameLength),
    Number(LcnField, InSet<&ParameterSet::Lcn>, 0, kMaxId),
    Number(PmtPidField, InSet<&ParameterSet::PmtPid>, kMinPid, kMaxPid),
    // The panel takes video PIDs from 0; the build's PID rule mends those below 32.
    Number(VideoPidField, InSet<&ParameterSet::VideoPid>, 0, kMaxPid),
    Number(VideoBitrateField, InSet<&ParameterSet::VideoBitrate>, kMinVideoBitrate,
           kMaxVideoBitrate),
    Number(AudioPidField, InSet<&ParameterSet::AudioPid>, kMinPid, kMaxPid),
    // Read last, after the checks below.
    Text(ReferenceField, TextInSet<&ParameterSet::Reference>, kMaxReferenceLength),
};

// Checked after the reading, in this order; the Reference and EIT texts after the Reference
// has been read.
constexpr std::array kChecks = {
    FrequencyField,    TsIdField,      VersionField,     LevelSlider,     OriginalNetworkIdField,
    NetworkIdField,    ServiceIdField, LcnField,         PmtPidField,     VideoPidField,
    VideoBitrateField, AudioPidField,  NetworkNameField, ServiceNameField};
constexpr std::array kLateChecks = {ReferenceField, EitNameField, EitTextField};

std::u16string RangeMessage(const ControlBinding& binding) {
    return u"Enter an integer between " + DecimalText(binding.low) + u" and " +
           DecimalText(binding.high) + u".";
}

std::u16string LengthMessage(const ControlBinding& binding) {
    return u"Enter no more than " + DecimalText(binding.high) + u" characters.";
}

std::optional<InputProblem> FirstFailedCheck(std::span<const int> ids, PanelMembers& members) {
    for (int id : ids) {
        if (std::optional<InputProblem> problem = CheckMember(*FindBinding(id), members)) {
            return problem;
        }
    }
    return std::nullopt;
}

// True when the control's value was taken; false for a field that holds no integer.
bool ReadControl(const ControlBinding& binding, const PanelControls& controls,
                 PanelMembers& members) {
    switch (binding.kind) {
        case ControlKind::List:
            if (const int selection = controls.Selection(binding.id); selection >= 0) {
                binding.number(members) = selection;
            }
            return true;
        case ControlKind::Slider:
            binding.number(members) = controls.Position(binding.id);
            return true;
        case ControlKind::Number:
            if (const std::optional<std::int32_t> value =
                    ParseFieldInteger(controls.Text(binding.id))) {
                binding.number(members) = *value;
                return true;
            }
            return false;
        case ControlKind::Text:
            binding.text(members) = controls.Text(binding.id);
            return true;
    }
    return true;
}

}  // namespace

std::optional<InputProblem> CheckMember(const ControlBinding& binding, PanelMembers& members) {
    if (binding.kind == ControlKind::List) {
        return std::nullopt;
    }
    if (binding.kind == ControlKind::Text) {
        if (binding.text(members).size() > static_cast<std::size_t>(binding.high)) {
            return InputProblem{binding.id, LengthMessage(binding)};
        }
        return std::nullopt;
    }
    const std::int32_t value = binding.number(members);
    if (value < binding.low || value > binding.high) {
        return InputProblem{binding.id, RangeMessage(binding)};
    }
    return std::nullopt;
}

std::span<const ControlBinding> PanelBindings() {
    return kBindings;
}

const ControlBinding* FindBinding(int id) {
    const auto it = std::find_if(kBindings.begin(), kBindings.end(),
                                 [id](const ControlBinding& binding) { return binding.id == id; });
    return it == kBindings.end() ? nullptr : &*it;
}

std::optional<InputProblem> ReadControls(const PanelControls& controls, PanelMembers& members) {
    const std::span<const ControlBinding> firstRead = PanelBindings().first(kBindings.size() - 1);
    for (const ControlBinding& binding : firstRead) {
        if (!ReadControl(binding, controls, members)) {
            return InputProblem{binding.id, std::u16string(kNotAnIntegerMessage)};
        }
    }
    if (std::optional<InputProblem> problem = FirstFailedCheck(kChecks, members)) {
        return problem;
    }
    ReadControl(kBindings.back(), controls, members);
    return FirstFailedCheck(kLateChecks, members);
}

void ShowMembers(const PanelMembers& shown, PanelControls& controls) {
    // The bindings reach members through references meant for writing too: read a copy.
    PanelMembers members = shown;
    for (const ControlBinding& binding : kBindings) {
        switch (binding.kind) {
            case ControlKind::List:
                controls.Select(binding.id, binding.number(members));
                break;
            case ControlKind::Slider:
                controls.SetPosition(binding.id, binding.number(members));
                break;
            case ControlKind::Number:
                controls.SetText(binding.id, DecimalText(binding.number(members)));
                break;
            case ControlKind::Text:
                controls.SetText(binding.id, binding.text(members));
                break;
        }
    }
}

std::optional<std::int32_t> ParseFieldInteger(std::u16string_view text) {
    const LeadingInteger scanned = ScanLeadingInteger(text);
    std::size_t at = scanned.end;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    const std::int64_t value = scanned.negative ? -scanned.magnitude : scanned.magnitude;
    if (!scanned.hasDigits || at != text.size() ||
        value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::u16string DecimalText(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

std::u16string LevelText(std::int32_t levelPosition) {
    if (levelPosition == kFullLevelPosition) {
        return u"0dB";
    }
    return u"-" + DecimalText(LevelComplement(levelPosition)) + u"dB";
}

}  // namespace vemo
