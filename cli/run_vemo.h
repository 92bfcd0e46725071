#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_machine.h"
#include "cli/console.h"

namespace vemo {

// One `vemo` run: `args` without the program's name; returns the exit status. Relative paths
// and the default base directory are taken from `workingDirectory`.
int RunVemo(const std::vector<std::string>& args, CliMachine& machine, CliStreams streams,
            const std::filesystem::path& workingDirectory);

}  // namespace vemo
