#include "cli/parameter_assignment.h"

#include "cli/utf8.h"
#include "link/device_identity.h"
#include "params/panel_fields.h"

namespace vemo {

namespace {

std::string ModelName(std::uint8_t model) {
    return model == kModel82 ? "0x82" : "0x78";
}

}  // namespace

std::optional<AssignmentProblem> ParseAssignments(const std::vector<std::string>& operands,
                                                  std::uint8_t model, bool logoNameTaken,
                                                  std::vector<Assignment>& assignments) {
    for (const std::string& operand : operands) {
        const std::size_t equals = operand.find('=');
        if (equals == std::string::npos) {
            return AssignmentProblem{ExitCode::Usage, operand + ": write NAME=VALUE"};
        }
        const std::string name = operand.substr(0, equals);
        const ParameterInfo* info = FindParameter(name);
        if (info == nullptr) {
            return AssignmentProblem{ExitCode::Usage,
                                     "no parameter is called " + name + "; `vemo get` lists them"};
        }
        if (!info->ExistsOn(model)) {
            return AssignmentProblem{ExitCode::Usage,
                                     name + " does not exist on model " + ModelName(model)};
        }
        if (info->editing == Editing::Carried) {
            return AssignmentProblem{ExitCode::Usage,
                                     name + " is the device's own and is written back as read"};
        }
        if (info->editing == Editing::DefaultsOnly && !logoNameTaken) {
            return AssignmentProblem{ExitCode::Usage,
                                     name +
                                         " is taken only with set --defaults, which also "
                                         "sends the logo to the device"};
        }
        assignments.push_back({info, operand, operand.substr(equals + 1)});
    }
    return std::nullopt;
}

std::optional<AssignmentProblem> ApplyAssignment(const Assignment& assignment,
                                                 ParameterValues& values) {
    const ParameterInfo& info = *assignment.info;
    const std::optional<std::u16string> typed = FromUtf8(assignment.value);
    const auto refused = [&](const std::string& why) {
        return AssignmentProblem{ExitCode::ValueRefused, assignment.text + ": " + why};
    };
    if (!typed) {
        return refused("not valid UTF-8 text");
    }
    if (info.kind == ParameterKind::List) {
        const std::vector<std::u16string_view> entries = info.ListEntries(values.model);
        const std::optional<std::int32_t> index = ListIndex(entries, *typed);
        if (!index) {
            return refused("choose one of " + ListChoices(entries) + ".");
        }
        info.NumberIn(values) = *index;
        if (info.number == &ParameterSet::DefaultCountry) {
            values.set.Country = *index;  // as picking a default country in the panel does
        }
        return std::nullopt;
    }
    // Numbers and texts take the check of the panel's control, on a copy of the values so a
    // refused one changes nothing.
    ParameterValues checked = values;
    const ControlBinding* binding = FindBinding(info.controlId);
    if (info.kind == ParameterKind::Number) {
        const std::optional<std::int32_t> number = ParseFieldInteger(*typed);
        if (!number) {
            return refused(ToUtf8(kNotAnIntegerMessage));
        }
        info.NumberIn(checked) = *number;
    } else {
        info.TextIn(checked) = *typed;
    }
    if (binding != nullptr) {
        if (const std::optional<InputProblem> problem = CheckMember(*binding, checked)) {
            return refused(ToUtf8(problem->message));
        }
    }
    values = std::move(checked);
    return std::nullopt;
}

}  // namespace vemo
