#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace vemo::test {

// Answers every file dialog with `answer` (nothing: the user cancelled) and remembers what
// was asked.
class AnsweringPrompter final : public Prompter {
public:
    void ShowMessageBox(std::u16string_view text) override { boxes.emplace_back(text); }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }

    std::optional<std::filesystem::path> answer;
    std::vector<FileDialogRequest> requests;
    std::vector<std::u16string> boxes;
};

}  // namespace vemo::test
