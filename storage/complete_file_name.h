#pragma once

#include <filesystem>
#include <string_view>

namespace vemo {

// The path with `extension` (".tmc") appended, unless its name already ends with it in any
// mix of letter case. Only the end of the whole path is looked at, so a dot in a folder name
// plays no part.
std::filesystem::path CompleteFileName(const std::filesystem::path& path,
                                       std::u16string_view extension);

}  // namespace vemo
