#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace vemo {

// The model 0x78 package folder of a hardware version: "H<version>" in decimal inside the
// firmware folder, H0 for a device that reports none.
std::filesystem::path HardwareFirmwareDirectory(const std::filesystem::path& firmwareDirectory,
                                                std::uint8_t hardwareVersion);

// A file named by the package inside its folder. The name is appended as text, so a name that
// looks absolute or is empty still points into the folder and never elsewhere by accident.
std::filesystem::path PackageFile(const std::filesystem::path& folder, std::string_view name);

}  // namespace vemo
