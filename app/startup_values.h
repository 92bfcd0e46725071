#pragma once

#include <filesystem>

namespace vemo {

// Interface languages, in the order of the translation table's columns.
enum UiLanguageCode { kEnglish = 0, kFrench, kItalian, kGerman, kPolish, kSpanish };

// The four values fixed at start and only read afterwards.
struct StartupValues {
    // The working directory at start, not the program's folder: configuration files, logos
    // and firmware are looked for under it.
    std::filesystem::path BaseDirectory;
    std::filesystem::path FirmwareDirectory;
    bool ManufacturerMode = false;
    int UiLanguage = kEnglish;
};

// Reads the two preference sources under `baseDirectory`: the marker "manufacturer.txt" in
// the firmware folder and the language code that opens "pref.txt". Neither file is required.
StartupValues LoadStartupValues(const std::filesystem::path& baseDirectory);

// The language of a first line of "pref.txt": its first two characters, case-sensitive.
int LanguageFromPreference(const std::string& firstLine);

}  // namespace vemo
