#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Where the channel logos lie: BaseDirectory's "logos" folder, files "*.dg1".
std::filesystem::path LogoFolder(const std::filesystem::path& baseDirectory);

// The names (with extension, no folder) of the logo files, sorted as a sorted combo shows
// them: without regard to letter case. Read once; a missing folder gives none.
std::vector<std::u16string> LogoFileNames(const std::filesystem::path& baseDirectory);

// The PC file of a logo name as chosen in the Logos combo. Nothing when the name is empty or
// reaches outside the logo folder (a folder part, "." or ".."): such a name, which may come
// from a device or a configuration file, names no logo to send.
std::optional<std::filesystem::path> LocalLogoPath(const std::filesystem::path& baseDirectory,
                                                   std::u16string_view logoName);

}  // namespace vemo
