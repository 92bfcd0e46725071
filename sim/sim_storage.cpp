// The simulated device's storage: model 0x82's shell and device files, model 0x78's IQ table.
#include "sim/sim_storage.h"

#include <algorithm>
#include <sstream>

#include "link/command_codes.h"
#include "link/device_identity.h"
#include "sim/sim_device.h"
#include "storage/iq_codec.h"
#include "storage/remote_file_transfer.h"

namespace vemo {

namespace {

constexpr std::uint8_t kFirstHardwareWithIqTable = 3;

// The text of a payload that ends in its zero byte; nothing when it does not.
std::optional<std::string> TerminatedText(std::span<const std::uint8_t> bytes) {
    const auto end = std::ranges::find(bytes, std::uint8_t{0});
    if (end == bytes.end()) {
        return std::nullopt;
    }
    return std::string(bytes.begin(), end);
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

}  // namespace

IqTable FactoryIqTable() {
    constexpr IqPoint kPoints[] = {
        {177, -12, 8}, {227, -9, 5}, {474, -4, 3},  {522, -2, 1},  {570, 0, 0},    {618, 3, -2},
        {666, 5, -4},  {714, 8, -5}, {762, 11, -7}, {810, 15, -9}, {858, 19, -12},
    };
    IqTable table;
    std::ranges::copy(kPoints, table.rows.begin());
    table.count = static_cast<int>(std::size(kPoints));
    return table;
}

void SimDevice::PresetIqTable() {
    if (identity.ModelCode == kModel78 && identity.HardwareVersion >= kFirstHardwareWithIqTable) {
        objects[object_id::IqTable] = EncodeIqBlock(FactoryIqTable());
    }
}

SimDevice::Reply SimDevice::AnswerCommandLine(std::span<const std::uint8_t> payload) {
    const std::optional<std::string> line = TerminatedText(payload);
    if (identity.ModelCode != kModel82 || !line) {
        return {false, {}};
    }
    fileSystem.commandLines.push_back(*line);
    const std::vector<std::string> words = Words(*line);
    if (words.size() == 3 && words[0] == "cp") {
        const bool fromCurrent = words[1] == SimFileSystem::kCurrentConfiguration;
        if (!fromCurrent && !fileSystem.files.contains(words[1])) {
            return {false, {}};
        }
        std::vector<std::uint8_t> content =
            fromCurrent ? parameterBlock : fileSystem.files[words[1]];
        if (words[2] == SimFileSystem::kCurrentConfiguration) {
            parameterBlock = std::move(content);
        } else {
            fileSystem.files[words[2]] = std::move(content);
        }
        return {};
    }
    if (words.size() == 3 && words[0] == "mount") {
        fileSystem.mounts.push_back(words[2]);
        return {};
    }
    if (words.size() == 2 && words[0] == "umount") {
        const auto mount = std::ranges::find(fileSystem.mounts, words[1]);
        if (mount == fileSystem.mounts.end()) {
            return {false, {}};
        }
        fileSystem.mounts.erase(mount);
        return {};
    }
    return {words.size() == 1 && words[0] == "sync", {}};
}

SimDevice::Reply SimDevice::AnswerRemoteFile(std::span<const std::uint8_t> payload) {
    if (identity.ModelCode != kModel82 || payload.empty()) {
        return {false, {}};
    }
    const std::span<const std::uint8_t> data = payload.subspan(1);
    switch (payload[0]) {
        case remote_file::OpenForWriting: {
            const std::optional<std::string> path = TerminatedText(data);
            if (!path || path->empty()) {
                return {false, {}};
            }
            fileSystem.files[*path].clear();
            fileSystem.openFile = *path;
            return {};
        }
        case remote_file::Append:
            if (!fileSystem.openFile || data.size() > kRemoteFilePiece) {
                return {false, {}};
            }
            fileSystem.files[*fileSystem.openFile].insert(
                fileSystem.files[*fileSystem.openFile].end(), data.begin(), data.end());
            return {};
        case remote_file::Close:
            if (!fileSystem.openFile || !data.empty()) {
                return {false, {}};
            }
            fileSystem.openFile.reset();
            return {};
        default:
            return {false, {}};
    }
}

}  // namespace vemo
