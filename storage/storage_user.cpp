#include "storage/storage_user.h"

#include <string>
#include <system_error>

#include "storage/complete_file_name.h"

namespace vemo {

namespace {

constexpr Milliseconds kResultMessage{2000};
constexpr int kFileErrorBeepHz = 440;
constexpr Milliseconds kFileErrorBeep{250};

}  // namespace

std::filesystem::path ConfigFolder(const std::filesystem::path& baseDirectory) {
    return baseDirectory / "config";
}

std::optional<std::filesystem::path> ChooseStorageFile(StorageUser& user,
                                                       const FileDialogRequest& request,
                                                       std::u16string_view extension) {
    const std::optional<std::filesystem::path> chosen = user.prompter.ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    std::filesystem::path completed = CompleteFileName(*chosen, extension);
    std::error_code error;
    if (request.save && completed != *chosen && std::filesystem::exists(completed, error) &&
        !user.prompter.AskYesNo(completed.filename().u16string() +
                                u" already exists.\nDo you want to replace it?")) {
        return std::nullopt;
    }
    return completed;
}

void ReportFileDone(StorageUser& user, std::u16string_view text) {
    user.status.ShowMessage(text, kResultMessage, false);
}

void ReportFileError(StorageUser& user, std::u16string_view text) {
    user.beeper.Beep(kFileErrorBeepHz, kFileErrorBeep);
    user.status.ShowMessage(text, kResultMessage, false);
}

}  // namespace vemo
