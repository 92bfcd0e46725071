#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/beeper.h"
#include "platform/prompter.h"
#include "platform/status_sink.h"

namespace vemo {

// Whom the file buttons of the manufacturer's area talk to, and where their files lie.
struct StorageUser {
    Prompter& prompter;
    StatusSink& status;
    Beeper& beeper;
    const std::filesystem::path& baseDirectory;
};

enum class FileDirection { Save, Load };

// What a file button achieved, for the panel to act on.
enum class FileOutcome {
    Cancelled,  // the dialog was closed without a file: nothing happened
    Saved,
    Loaded,   // the panel takes the loaded content and passes it on to the device
    Refused,  // the file could not be written or read, or its content was not taken
};

// The folder the file dialogs open in. The user may pick any other; it need not exist.
std::filesystem::path ConfigFolder(const std::filesystem::path& baseDirectory);

// The modal file dialog; the chosen path completed with `extension`, or nothing when the
// user cancelled. The Save dialog asks before replacing the name as typed; when the extension
// was added to it and names an existing file, the user is asked again, and No cancels.
std::optional<std::filesystem::path> ChooseStorageFile(StorageUser& user,
                                                       const FileDialogRequest& request,
                                                       std::u16string_view extension);

// The result lines of the file buttons: 2 s, without waiting; an error comes after the
// 440 Hz warning beep.
void ReportFileDone(StorageUser& user, std::u16string_view text);
void ReportFileError(StorageUser& user, std::u16string_view text);

}  // namespace vemo
