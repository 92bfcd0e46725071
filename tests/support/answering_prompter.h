#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace vemo::test {

// Answers every file dialog with `answer` (nothing: the user cancelled) and every question with
// `yes`, and remembers what was asked.
class AnsweringPrompter final : public Prompter {
public:
    void ShowMessageBox(std::u16string_view text) override { boxes.emplace_back(text); }
    bool AskYesNo(std::u16string_view question) override {
        questions.emplace_back(question);
        return yes;
    }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }

    std::optional<std::filesystem::path> answer;
    bool yes = true;
    std::vector<std::u16string> questions;
    std::vector<FileDialogRequest> requests;
    std::vector<std::u16string> boxes;
};

}  // namespace vemo::test
