#pragma once

#include <filesystem>

#include "app/startup_values.h"
#include "cli/cli_machine.h"
#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/device_connection.h"
#include "cli/exit_code.h"

namespace vemo {

// What every command works with.
struct CommandContext {
    const CommandLine& line;
    Console& console;
    // BaseDirectory and FirmwareDirectory from --base-dir, UiLanguage from --lang or pref.txt.
    const StartupValues& startup;
    DeviceConnection& device;
    // Relative file names on the command line are taken from here.
    std::filesystem::path workingDirectory;

    std::filesystem::path Resolve(const std::filesystem::path& path) const {
        return workingDirectory / path;
    }
};

ExitCode RunScan(CommandContext& context);
ExitCode RunRestart(CommandContext& context);
ExitCode RunGet(CommandContext& context);
ExitCode RunSet(CommandContext& context);
ExitCode RunDiff(CommandContext& context);
ExitCode RunFirmware(CommandContext& context);
ExitCode RunSave(CommandContext& context);
ExitCode RunLoad(CommandContext& context);
ExitCode RunIq(CommandContext& context);

// "0x82", and a version byte as users read it: 23 is "2.3".
std::string ModelText(std::uint8_t model);
std::string VersionText(std::uint8_t version);

}  // namespace vemo
