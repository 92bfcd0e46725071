#include "firmware/module_check.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "app/translations.h"
#include "firmware/binary_file.h"
#include "firmware/file_digest.h"
#include "firmware/package_folders.h"
#include "link/command_codes.h"

namespace vemo {

namespace {

// Only the start of the package's text files matters: the table ends after five lines.
constexpr std::size_t kMaxPackageText = 1 << 20;

constexpr int kPackageErrorBeepHz = 880;
constexpr Milliseconds kPackageErrorBeep{500};
constexpr Milliseconds kPackageErrorShown{3000};

// The table of a package whose "firmware.cfg" matches "extension.bin", or nothing.
std::optional<ModuleTable> ReadCheckedTable(const std::filesystem::path& configurationPath,
                                            const std::filesystem::path& digestPath,
                                            const SessionFlags& flags) {
    const std::optional<std::string> digestText = ReadFileStart(digestPath, kMaxPackageText);
    if (!digestText) {
        return std::nullopt;
    }
    if (ParseDigestLine(*digestText) != FileDigest(configurationPath) &&
        !flags.DigestCheckOverride) {
        return std::nullopt;
    }
    const std::optional<std::string> table = ReadFileStart(configurationPath, kMaxPackageText);
    if (!table) {
        return std::nullopt;
    }
    return ParseModuleTable(*table);
}

// One read-back: open the module's object, read its first bytes, close. The outcomes of open
// and close do not matter; only bytes that came back are returned.
std::vector<std::uint8_t> ReadBack(CXmit& xmit, const ModuleEntry& entry) {
    std::array<std::uint8_t, kModuleReadBackSize> buffer{};
    xmit.OpenObjectForReading(entry.moduleId);
    std::size_t received = 0;
    if (xmit.ReadData(ReadBackCount(entry), buffer)) {
        received = std::min(xmit.ReplyPayload().size(), buffer.size());
    }
    xmit.CloseObject(timeouts::Data);
    return {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(received)};
}

}  // namespace

bool ReadBackFits(const ModuleEntry& entry) {
    constexpr auto kSize = static_cast<std::int64_t>(kModuleReadBackSize);
    const std::int64_t idEnd = std::int64_t{entry.idOffset} + entry.idLength;
    return entry.idOffset >= 0 && idEnd <= kSize && entry.versionOffset >= 0 &&
           entry.versionOffset < kSize;
}

std::uint16_t ReadBackCount(const ModuleEntry& entry) {
    const std::int64_t last =
        std::max(std::int64_t{entry.idOffset} + entry.idLength, std::int64_t{entry.versionOffset});
    return static_cast<std::uint16_t>(last + 1);
}

void MarkFromReadBack(ModuleEntry& entry, std::span<const std::uint8_t> received) {
    if (!ReadBackFits(entry)) {
        return;
    }
    const auto idOffset = static_cast<std::size_t>(entry.idOffset);
    if (entry.idLength != 0 && idOffset + entry.idLength <= received.size()) {
        std::uint32_t id = 0;
        for (std::uint8_t byte : received.subspan(idOffset, entry.idLength)) {
            id = id << 8 | byte;
        }
        if (id != entry.idValue) {
            entry.needsUpdate = true;
        }
    }
    const auto versionOffset = static_cast<std::size_t>(entry.versionOffset);
    if (versionOffset < received.size() && entry.version > received[versionOffset]) {
        entry.needsUpdate = true;
    }
}

ModuleTable LoadModuleTable(const std::filesystem::path& configurationPath,
                            const std::filesystem::path& digestPath, FirmwareContext& context) {
    const std::optional<ModuleTable> table =
        ReadCheckedTable(configurationPath, digestPath, context.flags);
    bool packageError = !table;
    ModuleTable usable;
    const std::filesystem::path folder = configurationPath.parent_path();
    for (const ModuleEntry& entry : table.value_or(ModuleTable{})) {
        const std::string digest = FileDigest(PackageFile(folder, entry.fileName));
        const bool digestAccepted =
            (!digest.empty() && digest == entry.digest) || context.flags.DigestCheckOverride;
        // A rejected entry leaves the table, so not even a reload request can write it.
        if (!digestAccepted || !ReadBackFits(entry)) {
            packageError = true;
            continue;
        }
        usable.push_back(entry);
        MarkFromReadBack(usable.back(), ReadBack(context.xmit, entry));
    }
    if (packageError) {
        context.beeper.Beep(kPackageErrorBeepHz, kPackageErrorBeep);
        context.status.ShowMessage(Translate(kMsgConfigurationError, context.language),
                                   kPackageErrorShown, true);
    }
    return usable;
}

}  // namespace vemo
