#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "params/parameter_set.h"

namespace vemo {

// What the settings panel shows and edits: the model 0x82 block field by field (its codec and
// EIT members have controls of their own) and the ParameterSet.
struct PanelMembers {
    BlockImage image;
    ParameterSet set;
};

// The panel's controls as its field logic sees them, by control id. The window implements this
// on its widgets; tests on plain values.
class PanelControls {
public:
    virtual ~PanelControls() = default;
    // Lists: the selected entry, -1 when none is. Selecting an entry the list does not have
    // leaves it without a selection.
    virtual int Selection(int id) const = 0;
    virtual void Select(int id, int index) = 0;
    // Sliders: a position beyond the slider's range stops at its end.
    virtual int Position(int id) const = 0;
    virtual void SetPosition(int id, int position) = 0;
    // Number and text fields, as typed.
    virtual std::u16string Text(int id) const = 0;
    virtual void SetText(int id, std::u16string_view text) = 0;
};

enum class ControlKind { List, Slider, Number, Text };

// One control and the member it shows. Numbers and sliders carry their range, texts their
// greatest length in `high`.
struct ControlBinding {
    using NumberMember = std::int32_t& (*)(PanelMembers&);
    using TextMember = std::u16string& (*)(PanelMembers&);

    int id = 0;
    ControlKind kind = ControlKind::List;
    NumberMember number = nullptr;
    TextMember text = nullptr;
    std::int32_t low = 0;
    std::int32_t high = 0;
};

// Every bound control: those read first, in reading order, then the Reference field, which is
// read only once the others have passed their checks.
std::span<const ControlBinding> PanelBindings();
const ControlBinding* FindBinding(int id);

// A value the panel does not take: where to put the focus and what to tell the user.
struct InputProblem {
    int controlId = 0;
    std::u16string message;
    bool operator==(const InputProblem&) const = default;
};

// The panel's message for a number field that holds no integer.
inline constexpr std::u16string_view kNotAnIntegerMessage = u"Enter an integer.";

// The check the panel makes of one control's member: a number or slider position outside its
// range, a text longer than its field. The problem, with the panel's message, when it fails.
// Lists are not checked.
std::optional<InputProblem> CheckMember(const ControlBinding& binding, PanelMembers& members);

// Reads the controls into the members and checks them. The first problem ends the reading:
// a field that holds no integer leaves the members after it as they were; a failed check
// leaves its member as read and, before the Reference field's turn, the Reference as it was.
// A list without a selection leaves its member as it was, so a value the list does not offer
// goes back to the device unchanged.
std::optional<InputProblem> ReadControls(const PanelControls& controls, PanelMembers& members);

// Shows every member in its control.
void ShowMembers(const PanelMembers& members, PanelControls& controls);

// A number field's integer: blanks, an optional sign and decimal digits, blanks. Nothing else
// is taken, nor a value beyond 32 bits.
std::optional<std::int32_t> ParseFieldInteger(std::u16string_view text);
std::u16string DecimalText(std::int32_t value);

// The output level label: "0dB" at full level, otherwise the attenuation, as "-12dB".
std::u16string LevelText(std::int32_t levelPosition);

}  // namespace vemo
