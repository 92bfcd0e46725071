#include "storage/configuration_file.h"

#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "storage/file_replacement.h"
#include "storage/read_whole_file.h"

namespace vemo {

namespace {

constexpr std::u16string_view kSaved = u"Saved";
constexpr std::u16string_view kWriteError = u"Config. write Error";
constexpr std::u16string_view kLoaded = u"Loaded";
constexpr std::u16string_view kReadError = u"Config. read error";

// Whether loaded bytes may go to the parse: the whole layout of the model, so no field is
// left to chance. A model 0x78 block without its signature is let through for the parse to
// reject in its own words.
bool IsWholeConfiguration(std::uint8_t modelCode, std::span<const std::uint8_t> bytes) {
    ParameterSet set;
    BlockImage image;
    return ParseParameterBlock(modelCode, bytes, set, image) != BlockOutcome::Truncated;
}

FileOutcome SaveConfiguration(const std::filesystem::path& path, StorageUser& user,
                              const ConfigurationPanel& panel) {
    FileReplacement file(path);
    if (!file.IsOpen()) {
        ReportFileError(user, kWriteError);
        return FileOutcome::Refused;
    }
    const std::vector<std::uint8_t> block = panel.buildBlock();
    if (block.empty() || !file.Write(block) || !file.Commit()) {
        ReportFileError(user, kWriteError);
        return FileOutcome::Refused;
    }
    ReportFileDone(user, kSaved);
    return FileOutcome::Saved;
}

FileOutcome LoadConfiguration(const std::filesystem::path& path, std::uint8_t modelCode,
                              StorageUser& user, const ConfigurationPanel& panel) {
    const FileContents file = ReadWholeFile(path, kConfigurationBufferSize);
    if (file.status != FileReadStatus::Read || !IsWholeConfiguration(modelCode, file.bytes)) {
        ReportFileError(user, kReadError);
        return FileOutcome::Refused;
    }
    if (panel.parseBlock(file.bytes) != BlockOutcome::Complete) {
        return FileOutcome::Refused;  // the parse has told the user why
    }
    ReportFileDone(user, kLoaded);
    return FileOutcome::Loaded;
}

}  // namespace

std::u16string_view ConfigurationExtension(std::uint8_t modelCode) {
    return modelCode == kModel82 ? u".koralin" : u".tmc";
}

FileDialogRequest ConfigurationDialogRequest(FileDirection direction, std::uint8_t modelCode,
                                             const std::filesystem::path& baseDirectory) {
    const bool save = direction == FileDirection::Save;
    FileDialogRequest request;
    request.save = save;
    request.title = save ? u"Save Configuration" : u"Load Configuration";
    request.filterDescription = u"Config.";
    request.filterPattern = u"*" + std::u16string(ConfigurationExtension(modelCode));
    request.folder = ConfigFolder(baseDirectory);
    return request;
}

FileOutcome LoadSaveConfiguration(FileDirection direction, std::uint8_t modelCode,
                                  StorageUser& user, const ConfigurationPanel& panel) {
    const std::optional<std::filesystem::path> path = ChooseStorageFile(
        user, ConfigurationDialogRequest(direction, modelCode, user.baseDirectory),
        ConfigurationExtension(modelCode));
    if (!path) {
        return FileOutcome::Cancelled;
    }
    return direction == FileDirection::Save ? SaveConfiguration(*path, user, panel)
                                            : LoadConfiguration(*path, modelCode, user, panel);
}

}  // namespace vemo
