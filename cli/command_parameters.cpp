// get, set and diff: the parameter block of the device or of a configuration file.
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "cli/commands.h"
#include "cli/parameter_assignment.h"
#include "cli/parameter_catalogue.h"
#include "cli/parameter_file.h"
#include "cli/parameter_source.h"
#include "link/device_identity.h"

namespace vemo {

namespace {

// The parameters named, or all of the model's when none is; Usage for a name that is none.
ExitCode ChooseParameters(CommandContext& context, std::uint8_t model,
                          const std::vector<std::string>& names,
                          std::vector<const ParameterInfo*>& chosen) {
    if (names.empty()) {
        for (const ParameterInfo& info : Parameters()) {
            if (info.ExistsOn(model)) {
                chosen.push_back(&info);
            }
        }
        return ExitCode::Success;
    }
    for (const std::string& name : names) {
        const ParameterInfo* info = FindParameter(name);
        if (info == nullptr || !info->ExistsOn(model)) {
            return context.console.Fail(ExitCode::Usage, "no parameter " + name + " on model " +
                                                             ModelText(model) +
                                                             "; `vemo get` lists them");
        }
        chosen.push_back(info);
    }
    return ExitCode::Success;
}

void ShowParameters(CommandContext& context, const std::string& source,
                    const ParameterValues& values, const std::vector<const ParameterInfo*>& shown) {
    std::string text;
    JsonObject parameters;
    for (const ParameterInfo* info : shown) {
        text += std::string(info->name) + " = " + DisplayValue(*info, values) + "\n";
        parameters.Object(info->name, JsonValue(*info, values));
    }
    context.console.Result(text, JsonObject()
                                     .String("type", "parameters")
                                     .String("source", source)
                                     .String("model", ModelText(values.model))
                                     .Object("parameters", parameters));
}

}  // namespace

ExitCode RunGet(CommandContext& context) {
    ParameterSource source(context);
    if (const ExitCode opened = source.Open(); opened != ExitCode::Success) {
        return opened;
    }
    ParameterValues values;
    std::vector<const ParameterInfo*> shown;
    if (const ExitCode chosen =
            ChooseParameters(context, source.Model(), context.line.operands, shown);
        chosen != ExitCode::Success) {
        return chosen;
    }
    if (const ExitCode read = source.Read(values); read != ExitCode::Success) {
        return read;
    }
    ShowParameters(context, source.Name(), values, shown);
    return ExitCode::Success;
}

ExitCode RunSet(CommandContext& context) {
    ParameterSource source(context);
    if (const ExitCode opened = source.Open(); opened != ExitCode::Success) {
        return opened;
    }
    std::vector<Assignment> assignments;
    const bool logoNameTaken = source.IsFile() || context.line.defaults;
    if (const std::optional<AssignmentProblem> problem =
            ParseAssignments(context.line.operands, source.Model(), logoNameTaken, assignments)) {
        return context.console.Fail(problem->code, problem->message);
    }
    ParameterValues values;
    if (const ExitCode read = source.Read(values); read != ExitCode::Success) {
        return read;
    }
    const ParameterValues before = values;
    for (const Assignment& assignment : assignments) {
        if (const std::optional<AssignmentProblem> problem = ApplyAssignment(assignment, values)) {
            return context.console.Fail(problem->code, problem->message + " Nothing was written.");
        }
    }
    const ParameterValues asked = values;
    if (const ExitCode written = source.Write(values, context.line.defaults);
        written != ExitCode::Success) {
        return written;
    }
    // What was named, and whatever else changed on the way (the build's corrections).
    std::vector<const ParameterInfo*> shown;
    for (const ParameterInfo& info : Parameters()) {
        const bool named = std::any_of(assignments.begin(), assignments.end(),
                                       [&](const Assignment& a) { return a.info == &info; });
        if (info.ExistsOn(values.model) && (named || !SameValue(info, before, values))) {
            shown.push_back(&info);
        }
        if (named && !SameValue(info, asked, values)) {
            context.console.Note("note: " + std::string(info.name) + " is " +
                                 DisplayValue(info, values) + ", not " + DisplayValue(info, asked) +
                                 ": the value was corrected on the way");
        }
    }
    ShowParameters(context, source.Name(), values, shown);
    if (context.line.defaults) {
        context.console.Note("stored as the device's defaults");
    }
    return ExitCode::Success;
}

ExitCode RunDiff(CommandContext& context) {
    const std::vector<std::string>& operands = context.line.operands;
    const GlobalOptions& global = context.line.global;
    // FILE against FILE2, against --file, or against the device.
    std::optional<std::filesystem::path> otherFile;
    if (operands.size() == 2) {
        otherFile = operands[1];
    } else if (global.file) {
        otherFile = global.file;
    }
    ParameterValues right;
    std::string rightName = "device";
    std::optional<std::uint8_t> model = global.fileModel;
    if (!otherFile) {
        ParameterSource device(context);
        if (const ExitCode opened = device.Open(); opened != ExitCode::Success) {
            return opened;
        }
        if (const ExitCode read = device.Read(right); read != ExitCode::Success) {
            return read;
        }
        model = device.Model();
    } else if (!model) {
        model = ModelOfFileName(operands[0]);
    }
    std::filesystem::path leftPath;
    if (const ExitCode settled = SettleFile(context, operands[0], model, leftPath);
        settled != ExitCode::Success) {
        return settled;
    }
    if (otherFile) {
        std::filesystem::path rightPath;
        if (const ExitCode settled = SettleFile(context, *otherFile, model, rightPath);
            settled != ExitCode::Success) {
            return settled;
        }
        right.model = *model;
        if (const std::optional<std::string> problem = ReadParameterFile(rightPath, right)) {
            return context.console.Fail(ExitCode::FileError, *problem);
        }
        rightName = rightPath.string();
    }
    ParameterValues left;
    left.model = *model;
    if (const std::optional<std::string> problem = ReadParameterFile(leftPath, left)) {
        return context.console.Fail(ExitCode::FileError, *problem);
    }
    std::string text = "--- " + leftPath.string() + "\n+++ " + rightName + "\n";
    JsonArray differences;
    int count = 0;
    for (const ParameterInfo& info : Parameters()) {
        if (!info.ExistsOn(left.model) || SameValue(info, left, right)) {
            continue;
        }
        ++count;
        text += std::string(info.name) + ": " + DisplayValue(info, left) + " -> " +
                DisplayValue(info, right) + "\n";
        differences.Object(JsonObject()
                               .String("name", info.name)
                               .Object("from", JsonValue(info, left))
                               .Object("to", JsonValue(info, right)));
    }
    if (count == 0) {
        text += "no differences\n";
    }
    context.console.Result(text, JsonObject()
                                     .String("type", "diff")
                                     .String("from", leftPath.string())
                                     .String("to", rightName)
                                     .String("model", ModelText(left.model))
                                     .Array("differences", differences));
    return ExitCode::Success;
}

}  // namespace vemo
