#include "cli/parameter_file.h"

#include <array>

#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "storage/complete_file_name.h"
#include "storage/configuration_file.h"
#include "storage/file_replacement.h"
#include "storage/read_whole_file.h"

namespace vemo {

namespace {

bool EndsWithExtensionOf(const std::filesystem::path& path, std::uint8_t model) {
    return CompleteFileName(path, ConfigurationExtension(model)) == path;
}

}  // namespace

std::optional<std::uint8_t> ModelOfFileName(const std::filesystem::path& path) {
    for (const std::uint8_t model : {kModel82, kModel78}) {
        if (EndsWithExtensionOf(path, model)) {
            return model;
        }
    }
    return std::nullopt;
}

std::filesystem::path ConfigurationPath(const std::filesystem::path& path, std::uint8_t model) {
    return CompleteFileName(path, ConfigurationExtension(model));
}

std::optional<std::string> ReadParameterFile(const std::filesystem::path& path,
                                             ParameterValues& values) {
    const FileContents file = ReadWholeFile(path, kConfigurationBufferSize);
    const std::string name = path.string();
    switch (file.status) {
        case FileReadStatus::NotOpened:
            return "cannot read " + name;
        case FileReadStatus::TooLong:
            return name + " is larger than any configuration file";
        case FileReadStatus::Read:
            break;
    }
    switch (ParseParameterBlock(values.model, file.bytes, values.set, values.image)) {
        case BlockOutcome::Complete:
            return std::nullopt;
        case BlockOutcome::BadSignature:
            return name + " is no model 0x78 configuration file: it lacks the PFZJ signature";
        case BlockOutcome::Truncated:
        case BlockOutcome::NotReceived:
            break;
    }
    return name + " holds less than a whole model " +
           std::string(values.model == kModel82 ? "0x82" : "0x78") + " parameter block";
}

std::vector<std::uint8_t> BuildBlockOf(ParameterValues& values) {
    std::array<std::uint8_t, kBlockCapacity> block{};
    std::size_t length = 0;
    if (!BuildParameterBlock(values.model, values.set, values.image, block, length)) {
        return {};
    }
    return {block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length)};
}

std::optional<std::string> WriteParameterFile(const std::filesystem::path& path,
                                              ParameterValues& values) {
    const std::vector<std::uint8_t> block = BuildBlockOf(values);
    if (block.empty()) {
        return "the parameters do not fit in one block; shorten the texts";
    }
    FileReplacement file(path);
    if (!file.IsOpen() || !file.Write(block) || !file.Commit()) {
        return "cannot write " + path.string() + "; it is left as it was";
    }
    return std::nullopt;
}

}  // namespace vemo
