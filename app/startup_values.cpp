#include "app/startup_values.h"

#include <array>
#include <fstream>
#include <string>

namespace vemo {

int LanguageFromPreference(const std::string& firstLine) {
    static constexpr std::array<const char*, 6> kCodes = {"EN", "FR", "IT", "DE", "PO", "ES"};
    const std::string code = firstLine.substr(0, 2);
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (code == kCodes[i]) {
            return static_cast<int>(i);
        }
    }
    return kEnglish;
}

StartupValues LoadStartupValues(const std::filesystem::path& baseDirectory) {
    StartupValues values;
    values.BaseDirectory = baseDirectory;
    values.FirmwareDirectory = baseDirectory / "firmware";
    // Only whether the marker opens counts; an empty file is enough.
    values.ManufacturerMode =
        std::ifstream(values.FirmwareDirectory / "manufacturer.txt").is_open();
    std::ifstream preferences(baseDirectory / "pref.txt");
    std::string firstLine;
    if (preferences && std::getline(preferences, firstLine)) {
        values.UiLanguage = LanguageFromPreference(firstLine);
    }
    return values;
}

}  // namespace vemo
