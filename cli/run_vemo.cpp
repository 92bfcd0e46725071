#include "cli/run_vemo.h"

#include <map>

#include "cli/commands.h"

namespace vemo {

namespace {

using Runner = ExitCode (*)(CommandContext&);

const std::map<std::string, Runner>& Runners() {
    static const std::map<std::string, Runner> runners = {
        {"scan", RunScan}, {"get", RunGet},           {"set", RunSet},
        {"diff", RunDiff}, {"firmware", RunFirmware}, {"restart", RunRestart},
        {"save", RunSave}, {"load", RunLoad},         {"iq", RunIq},
    };
    return runners;
}

ExitCode Run(CliMachine& machine, Console& console, const CommandLine& line,
             const std::filesystem::path& workingDirectory) {
    const bool helpCommand = line.command == "help";
    if (line.help || helpCommand || line.command.empty()) {
        const std::string topic =
            helpCommand ? (line.operands.empty() ? "" : line.operands[0]) : line.command;
        const std::optional<std::string> usage = UsageText(topic);
        if (!usage) {
            return console.Fail(ExitCode::Usage, "unknown command " + topic);
        }
        if (line.command.empty() && !line.help) {
            console.Fail(ExitCode::Usage, "no command given");
            console.Note(*usage);
            return ExitCode::Usage;
        }
        console.Result(*usage, JsonObject().String("type", "help").String("text", *usage));
        return ExitCode::Success;
    }
    std::string error;
    if (!CheckCommand(line, error)) {
        const std::string known = UsageText(line.command) ? line.command + " " : "";
        return console.Fail(ExitCode::Usage, error + "; see vemo " + known + "--help");
    }
    const auto runner = Runners().find(line.command);
    StartupValues startup =
        LoadStartupValues(line.global.baseDirectory ? workingDirectory / *line.global.baseDirectory
                                                    : workingDirectory);
    if (line.global.language) {
        startup.UiLanguage = *line.global.language;
    }
    DeviceConnection device(machine, line.global, console);
    CommandContext context{line, console, startup, device, workingDirectory};
    return runner->second(context);
}

}  // namespace

int RunVemo(const std::vector<std::string>& args, CliMachine& machine, CliStreams streams,
            const std::filesystem::path& workingDirectory) {
    CommandLine line;
    std::string error;
    const bool parsed = ParseCommandLine(args, line, error);
    Console console(streams, line.global.json, machine.Time());
    const ExitCode code = parsed ? Run(machine, console, line, workingDirectory)
                                 : console.Fail(ExitCode::Usage, error + "; see vemo --help");
    if (console.Json()) {
        console.Result("",
                       JsonObject().String("type", "done").Number("exit", static_cast<int>(code)));
    }
    return static_cast<int>(code);
}

}  // namespace vemo
