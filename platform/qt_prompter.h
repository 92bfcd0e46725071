#pragma once

#include "platform/prompter.h"

namespace vemo {

// Message boxes and file dialogs of the window, shown over the active window.
class QtPrompter final : public Prompter {
public:
    void ShowMessageBox(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view question) override;
    // One filter, "description (pattern)"; no extension is added to a typed name, saving over
    // an existing file asks first, and opening takes a typed name whether or not it exists.
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override;
};

}  // namespace vemo
