// Any "pref.txt": the language is the one whose code is exactly the first two characters of
// the first line, and English for everything else; the file is only read.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/startup_values.h"
#include "fuzz/fuzz_user.h"

namespace {

// The codes in the order of the translation table's columns, written out again here so the
// fuzzer does not check the loader against itself.
int ExpectedLanguage(std::string_view file) {
    static constexpr std::array<std::string_view, 6> kCodes = {"EN", "FR", "IT", "DE", "PO", "ES"};
    const std::string_view firstLine = file.substr(0, file.find('\n'));
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (firstLine.substr(0, 2) == kCodes[i]) {
            return static_cast<int>(i);
        }
    }
    return vemo::kEnglish;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vemo::fuzz::FuzzFolder base;
    base.Write("pref.txt", data, size);
    const vemo::StartupValues values = vemo::LoadStartupValues(base.path);
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    if (values.UiLanguage != ExpectedLanguage(file) || values.ManufacturerMode ||
        values.BaseDirectory != base.path) {
        std::abort();
    }
    return 0;
}
