#include "storage/complete_file_name.h"

#include <algorithm>
#include <string>

#include "storage/ascii_case.h"

namespace vemo {

namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    return std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
                      [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}

}  // namespace

std::filesystem::path CompleteFileName(const std::filesystem::path& path,
                                       std::u16string_view extension) {
    if (EndsWithIgnoringCase(path.u16string(), extension)) {
        return path;
    }
    std::filesystem::path completed = path;
    completed += std::u16string(extension);
    return completed;
}

}  // namespace vemo
