#include "storage/storage_user.h"

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
    return CompleteFileName(*chosen, extension);
}

void ReportFileDone(StorageUser& user, std::u16string_view text) {
    user.status.ShowMessage(text, kResultMessage, false);
}

void ReportFileError(StorageUser& user, std::u16string_view text) {
    user.beeper.Beep(kFileErrorBeepHz, kFileErrorBeep);
    user.status.ShowMessage(text, kResultMessage, false);
}

}  // namespace vemo
