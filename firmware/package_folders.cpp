#include "firmware/package_folders.h"

#include <string>

namespace vemo {

std::filesystem::path HardwareFirmwareDirectory(const std::filesystem::path& firmwareDirectory,
                                                std::uint8_t hardwareVersion) {
    return firmwareDirectory / ("H" + std::to_string(hardwareVersion));
}

std::filesystem::path PackageFile(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path file = folder;
    file += std::filesystem::path::preferred_separator;
    file += std::string(name);
    return file;
}

}  // namespace vemo
