#include "firmware/firmware_upgrade.h"

#include <string>

#include "app/translations.h"
#include "firmware/firmware_image.h"
#include "firmware/module_check.h"
#include "firmware/module_transfer.h"
#include "firmware/package_folders.h"
#include "firmware/package_text.h"
#include "firmware/upgrade_rules.h"
#include "link/command_codes.h"

namespace vemo {

namespace {

constexpr std::size_t kImageChunk = 2048;
constexpr Milliseconds kUpgradeMessage{10000};
constexpr Milliseconds kRebootingShown{1000};

// A version byte as users read it: 23 is "2.3".
std::u16string VersionText(int version) {
    const std::string text = std::to_string(version / 10) + "." + std::to_string(version % 10);
    return WidenLatin1(text);
}

// Model 0x82. True once the device accepted the begin request: from then on it must restart.
bool UpgradeImage(FirmwareContext& context, WindowInput& window) {
    const FirmwareImage image = FindFirmwareImage(context.firmwareDirectory, kImageProductWord,
                                                  context.prompter, context.status);
    if (!ImageUpgradeDue(image.version, context.xmit.Identity().SoftwareVersion, context.flags)) {
        return false;
    }
    CXmit& xmit = context.xmit;
    window.SetInputEnabled(false);
    const std::uint8_t begin[] = {object_access::StartImage};
    bool outcome = xmit.Transact(command::ObjectAccess, begin, timeouts::ImageStart);
    const bool attempted = outcome;
    if (attempted) {
        context.status.ShowMessage(
            Translate(kMsgUpgradeToRelease, context.language) + u" " + VersionText(image.version),
            kUpgradeMessage, false);
        const std::span<const std::uint8_t> data = image.data;
        const int size = static_cast<int>(data.size());
        for (std::size_t offset = 0; outcome && offset != data.size();) {
            const std::size_t count = std::min(kImageChunk, data.size() - offset);
            outcome =
                xmit.WriteMemory(static_cast<std::uint32_t>(offset), data.subspan(offset, count));
            offset += count;
            context.status.ShowProgress(size, static_cast<int>(offset));
            window.DiscardPendingInput();
        }
        if (outcome) {
            context.status.ShowProgress(100, 100);
            context.status.ShowMessage(Translate(kMsgWritingWait, context.language),
                                       kUpgradeMessage, false);
            xmit.CloseObject(timeouts::ImageClose);
        }
    }
    window.SetInputEnabled(true);
    return attempted;
}

// "<label> : <text>", the form of every module status line.
std::u16string ModuleLine(const ModuleEntry& entry, const std::u16string& text) {
    return WidenLatin1(entry.label) + u" : " + text;
}

// Every other model. True when at least one module was due, whatever became of it.
bool UpgradeModules(FirmwareContext& context) {
    const std::filesystem::path folder = HardwareFirmwareDirectory(
        context.firmwareDirectory, context.xmit.Identity().HardwareVersion);
    ModuleTable table = LoadModuleTable(PackageFile(folder, "firmware.cfg"),
                                        PackageFile(folder, "extension.bin"), context);
    const auto show = [&](const ModuleEntry& entry, int messageId, const std::u16string& suffix) {
        context.status.ShowMessage(
            ModuleLine(entry, Translate(messageId, context.language) + suffix), kUpgradeMessage,
            false);
    };
    bool attempted = false;
    for (ModuleEntry& entry : table) {
        entry.needsUpdate = ModuleUpgradeDue(entry, context.flags);
        if (!entry.needsUpdate) {
            continue;
        }
        attempted = true;
        show(entry, kMsgUpgradeToRelease, u" " + VersionText(entry.version));
        const std::filesystem::path file = PackageFile(folder, entry.fileName);
        if (!WriteModule(file, entry.moduleId, entry.lengthPrefixed, context.xmit,
                         context.status)) {
            show(entry, kMsgWriteError, u"");
            continue;
        }
        show(entry, kMsgVerifying, u"");
        if (!VerifyModule(entry.moduleId, file, entry.lengthPrefixed, context.xmit,
                          context.status)) {
            show(entry, kMsgVerificationError, u"");
        }
    }
    return attempted;
}

}  // namespace

bool RunFirmwareUpgrade(FirmwareContext& context, WindowInput& window) {
    const bool attempted = context.xmit.Identity().IsModel82() ? UpgradeImage(context, window)
                                                               : UpgradeModules(context);
    context.flags.FirmwareReloadRequest = false;
    context.status.ShowProgress(1, 0);
    if (attempted) {
        context.xmit.Restart();
        context.xmit.ClosePort();
        context.status.ShowMessage(Translate(kMsgRebooting, context.language), kRebootingShown,
                                   true);
    }
    return attempted;
}

}  // namespace vemo
