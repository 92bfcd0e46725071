#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vemo {

// What a file dialog asks: direction, title, one filter, the folder it opens in.
struct FileDialogRequest {
    bool save = false;
    std::u16string title;
    std::u16string filterDescription;  // e.g. u"IQ-Table."
    std::u16string filterPattern;      // e.g. u"*.iqc"
    std::filesystem::path folder;
};

// The modal questions the core puts to the user; tests answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal box with only an OK button, captioned with the application's name; returns when
    // the user has closed it.
    virtual void ShowMessageBox(std::u16string_view text) = 0;
    // A modal question with Yes and No buttons, captioned like the box above; true for Yes.
    virtual bool AskYesNo(std::u16string_view question) = 0;
    // The path the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace vemo
