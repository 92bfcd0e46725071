#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_line.h"
#include "params/panel_fields.h"
#include "params/parameter_set.h"

namespace vemo {

// The parameters of one block as `vemo` shows and edits them: the settings panel's members
// (the ParameterSet and, on model 0x82, the block's own fields: codecs, EIT texts, logo name)
// and the model whose block they come from.
struct ParameterValues : PanelMembers {
    std::uint8_t model = 0;
};

enum class ParameterKind { Number, List, Text };

// Who may change a parameter.
enum class Editing {
    Panel,         // the settings panel edits it, with its checks
    DefaultsOnly,  // logo-name: taken only when the defaults are stored, as the window does
    Carried,       // the device's own byte, written back as it was read
};

// One parameter by its kebab-case name.
struct ParameterInfo {
    std::string_view name;
    ParameterKind kind = ParameterKind::Number;
    std::int32_t ParameterSet::*number = nullptr;
    std::u16string ParameterSet::*text = nullptr;
    std::int32_t BlockImage::*imageNumber = nullptr;
    std::u16string BlockImage::*imageText = nullptr;
    std::string_view unit;
    // 0 on both models, otherwise the one model that has the parameter.
    std::uint8_t onlyModel = 0;
    Editing editing = Editing::Panel;
    // The settings panel's control whose checks `set` applies; 0 for none.
    int controlId = 0;

    bool ExistsOn(std::uint8_t model) const;
    std::int32_t NumberIn(const ParameterValues& values) const;
    std::int32_t& NumberIn(ParameterValues& values) const;
    const std::u16string& TextIn(const ParameterValues& values) const;
    std::u16string& TextIn(ParameterValues& values) const;
    // The entries of a list parameter on `model`; empty for other kinds.
    std::vector<std::u16string_view> ListEntries(std::uint8_t model) const;
};

// Every parameter, in the order `get` shows them.
std::span<const ParameterInfo> Parameters();
const ParameterInfo* FindParameter(std::string_view name);

// "8 MHz (2)", "498000 kHz", "\"VEMO 1\"": the value as `get` shows it.
std::string DisplayValue(const ParameterInfo& info, const ParameterValues& values);
// {"value": 2, "text": "8 MHz"}, {"value": 498000, "unit": "kHz"}, {"value": "VEMO 1"}.
JsonObject JsonValue(const ParameterInfo& info, const ParameterValues& values);
bool SameValue(const ParameterInfo& info, const ParameterValues& a, const ParameterValues& b);

// The index a list value names: the entry's text (letter case and spaces aside), its index,
// or the number the entry starts with ("8" for "8 MHz"). Nothing when it names no entry.
std::optional<std::int32_t> ListIndex(std::span<const std::u16string_view> entries,
                                      std::u16string_view value);

// "6 MHz, 7 MHz, 8 MHz (or their index, 0 to 2)": what a list parameter takes.
std::string ListChoices(std::span<const std::u16string_view> entries);

}  // namespace vemo
