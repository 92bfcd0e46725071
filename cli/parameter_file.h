#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/parameter_catalogue.h"

namespace vemo {

// Configuration files as the window keeps them: the model's parameter block, nothing more.

// The model a file's extension names: ".koralin" 0x82, ".tmc" 0x78, in any letter case.
std::optional<std::uint8_t> ModelOfFileName(const std::filesystem::path& path);

// The name with the model's extension added unless it ends with it, as the window's file
// dialogs complete a typed name.
std::filesystem::path ConfigurationPath(const std::filesystem::path& path, std::uint8_t model);

// The block the window builds from these values, with the corrections of every build made in
// `values`; empty when it does not fit in a block.
std::vector<std::uint8_t> BuildBlockOf(ParameterValues& values);

// Decodes a file of `values.model` into `values`. The message of the failure otherwise: the
// file cannot be read, is larger than a block can be, or holds less than a whole block.
std::optional<std::string> ReadParameterFile(const std::filesystem::path& path,
                                             ParameterValues& values);

// Builds the block, with the corrections of every build made in `values`, and replaces the
// file with it; an old file stays whole when the write fails. The message of the failure.
std::optional<std::string> WriteParameterFile(const std::filesystem::path& path,
                                              ParameterValues& values);

}  // namespace vemo
