#pragma once

#include <filesystem>

#include "cli/commands.h"
#include "cli/parameter_source.h"

namespace vemo {

// Saves `values` as the window's SAVE does, to `file` completed with the model's extension;
// `saved` is the path written. FileError, said on the console, when it could not be written.
ExitCode SaveConfigurationFile(CommandContext& context, const ParameterValues& values,
                               const std::filesystem::path& file, std::filesystem::path& saved);

// Before the device's parameters are overwritten: reads them into `values` and saves them
// under the base directory's config/backup/ with the time in the name, and says where.
ExitCode BackUpParameters(CommandContext& context, ParameterSource& source,
                          ParameterValues& values);

}  // namespace vemo
