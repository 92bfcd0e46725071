#include "storage/iq_calibration_file.h"

#include <optional>

#include "storage/file_replacement.h"
#include "storage/iq_codec.h"
#include "storage/read_whole_file.h"

namespace vemo {

namespace {

constexpr std::u16string_view kExtension = u".iqc";
constexpr std::u16string_view kSaved = u"Saved from module";
constexpr std::u16string_view kWriteError = u"IQ Calibration write Error";
constexpr std::u16string_view kLoaded = u"Loaded to module";
constexpr std::u16string_view kReadError = u"IQ Calibration read error";

FileOutcome SaveIqCalibration(const std::filesystem::path& path, StorageUser& user,
                              const IqTable& table) {
    FileReplacement file(path);
    if (!file.Write(EncodeIqFile(table)) || !file.Commit()) {
        ReportFileError(user, kWriteError);
        return FileOutcome::Refused;
    }
    ReportFileDone(user, kSaved);
    return FileOutcome::Saved;
}

FileOutcome LoadIqCalibration(const std::filesystem::path& path, StorageUser& user, IqTable& table,
                              const std::function<void()>& tableLoaded) {
    const FileContents file = ReadWholeFile(path, kIqFileBufferSize);
    std::optional<IqTable> loaded;
    if (file.status == FileReadStatus::Read) {
        loaded = DecodeIqFile(file.bytes);
    }
    if (!loaded) {
        ReportFileError(user, kReadError);
        return FileOutcome::Refused;
    }
    table = *loaded;
    tableLoaded();
    ReportFileDone(user, kLoaded);
    return FileOutcome::Loaded;
}

}  // namespace

FileDialogRequest IqCalibrationDialogRequest(FileDirection direction,
                                             const std::filesystem::path& baseDirectory) {
    const bool save = direction == FileDirection::Save;
    FileDialogRequest request;
    request.save = save;
    request.title = save ? u"Save IQ Calibration" : u"Load IQ Calibration";
    request.filterDescription = u"IQ-Table.";
    request.filterPattern = u"*.iqc";
    request.folder = ConfigFolder(baseDirectory);
    return request;
}

FileOutcome LoadSaveIqCalibration(FileDirection direction, StorageUser& user, IqTable& table,
                                  const std::function<void()>& tableLoaded) {
    const std::optional<std::filesystem::path> path = ChooseStorageFile(
        user, IqCalibrationDialogRequest(direction, user.baseDirectory), kExtension);
    if (!path) {
        return FileOutcome::Cancelled;
    }
    return direction == FileDirection::Save ? SaveIqCalibration(*path, user, table)
                                            : LoadIqCalibration(*path, user, table, tableLoaded);
}

}  // namespace vemo
