#include "storage/logo_files.h"

#include <algorithm>
#include <system_error>

#include "storage/ascii_case.h"

namespace vemo {

namespace {

namespace fs = std::filesystem;

// Letter case aside first, so "b.dg1" sorts between "A.dg1" and "C.dg1"; exact order breaks ties.
bool ComboOrder(const std::u16string& a, const std::u16string& b) {
    const std::u16string foldedA = FoldedAscii(a);
    const std::u16string foldedB = FoldedAscii(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

}  // namespace

fs::path LogoFolder(const fs::path& baseDirectory) {
    return baseDirectory / "logos";
}

std::vector<std::u16string> LogoFileNames(const fs::path& baseDirectory) {
    std::vector<std::u16string> names;
    std::error_code error;
    for (fs::directory_iterator it(LogoFolder(baseDirectory), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        // The extension matches as the PC's file system matches it, letter case aside.
        if (it->is_regular_file(typeError) &&
            FoldedAscii(it->path().extension().u16string()) == u".dg1") {
            names.push_back(it->path().filename().u16string());
        }
    }
    std::ranges::sort(names, ComboOrder);
    return names;
}

std::optional<fs::path> LocalLogoPath(const fs::path& baseDirectory, std::u16string_view logoName) {
    if (logoName.empty() || logoName == u"." || logoName == u".." ||
        logoName.find_first_of(u"/\\:") != std::u16string_view::npos) {
        return std::nullopt;
    }
    return LogoFolder(baseDirectory) / fs::path(std::u16string(logoName));
}

}  // namespace vemo
