#pragma once

#include <cstddef>
#include <functional>

#include "platform/prompter.h"
#include "storage/iq_table.h"
#include "storage/storage_user.h"

namespace vemo {

// An ".iqc" file holds at most 1 + 6 x 100 bytes; larger files are not read.
inline constexpr std::size_t kIqFileBufferSize = 1028;

FileDialogRequest IqCalibrationDialogRequest(FileDirection direction,
                                             const std::filesystem::path& baseDirectory);

// "-> TO FILE" saves `table` as it is held (the device is not asked again); "<- FROM FILE"
// replaces `table` with a file's and then calls `tableLoaded` (the panel shows the rows and
// writes them to the device) before "Loaded to module" is shown. A file that is empty, says
// more than 100 rows or is shorter than its count says is refused and `table` kept.
FileOutcome LoadSaveIqCalibration(FileDirection direction, StorageUser& user, IqTable& table,
                                  const std::function<void()>& tableLoaded);

}  // namespace vemo
