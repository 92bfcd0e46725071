// firmware check and firmware update: the window's upgrade run, from a terminal.
#include <vector>

#include "app/translations.h"
#include "cli/commands.h"
#include "cli/configuration_commands.h"
#include "firmware/firmware_image.h"
#include "firmware/firmware_upgrade.h"
#include "firmware/module_check.h"
#include "firmware/package_folders.h"
#include "firmware/upgrade_rules.h"

namespace vemo {

namespace {

// The status lines of the run pass on to the console; package errors are noted on the way, and
// the progress bar can be held back where nothing is being transferred.
class WatchedStatus final : public StatusSink, public Prompter {
public:
    WatchedStatus(Console& console, int language, bool showProgress)
        : console_(console),
          configurationError_(Translate(kMsgConfigurationError, language)),
          showProgress_(showProgress) {}

    void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) override {
        packageError_ = packageError_ || text == configurationError_;
        console_.ShowMessage(text, duration, blocking);
    }
    void ShowProgress(int range, int position) override {
        if (showProgress_) {
            console_.ShowProgress(range, position);
        }
    }
    // Only the "MD5 Error" box is ever shown here.
    void ShowMessageBox(std::u16string_view text) override {
        packageError_ = true;
        console_.ShowMessageBox(text);
    }
    bool AskYesNo(std::u16string_view) override { return false; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        return std::nullopt;
    }

    bool PackageError() const { return packageError_; }

private:
    Console& console_;
    std::u16string configurationError_;
    bool showProgress_;
    bool packageError_ = false;
};

// Nothing to lock: a terminal takes no input during the transfer.
class NoWindow final : public WindowInput {
public:
    void SetInputEnabled(bool) override {}
    void DiscardPendingInput() override {}
};

FirmwareContext MakeContext(CommandContext& context, WatchedStatus& status, SessionFlags& flags) {
    return FirmwareContext{context.device.Xmit(),
                           status,
                           context.console,
                           status,
                           flags,
                           context.startup.FirmwareDirectory,
                           context.startup.UiLanguage};
}

ExitCode PackageFailure(CommandContext& context) {
    return context.console.Fail(ExitCode::FirmwareFailed,
                                "the firmware package in " +
                                    context.startup.FirmwareDirectory.string() +
                                    " has errors (see above); fix or replace it");
}

std::string ImageName(const FirmwareImage& image) {
    return image.path.filename().string();
}

void CheckImage(CommandContext& context, FirmwareContext& firmware) {
    const DeviceIdentity identity = firmware.xmit.Identity();
    const FirmwareImage image = FindFirmwareImage(firmware.firmwareDirectory, kImageProductWord,
                                                  firmware.prompter, firmware.status);
    const bool due = ImageUpgradeDue(image.version, identity.SoftwareVersion, firmware.flags);
    JsonObject json;
    json.String("type", "firmware")
        .String("model", ModelText(identity.ModelCode))
        .String("software", VersionText(identity.SoftwareVersion))
        .Bool("due", due);
    std::string text = "model " + ModelText(identity.ModelCode) + ", software " +
                       VersionText(identity.SoftwareVersion) + ": ";
    if (image.version == 0) {
        text += "no usable " + std::string(kImageProductWord) + "_*.bin image in " +
                firmware.firmwareDirectory.string() + "\n";
    } else {
        const std::string release = VersionText(static_cast<std::uint8_t>(image.version));
        json.String("image", ImageName(image)).String("release", release);
        text += "image " + ImageName(image) + ", release " + release +
                (due ? ": update due\n" : ": up to date\n");
    }
    context.console.Result(text, json);
}

void CheckModules(CommandContext& context, FirmwareContext& firmware) {
    const DeviceIdentity identity = firmware.xmit.Identity();
    const std::filesystem::path folder =
        HardwareFirmwareDirectory(firmware.firmwareDirectory, identity.HardwareVersion);
    const ModuleTable table = LoadModuleTable(PackageFile(folder, "firmware.cfg"),
                                              PackageFile(folder, "extension.bin"), firmware);
    bool anyDue = false;
    JsonArray modules;
    std::string text = "model " + ModelText(identity.ModelCode) + ", software " +
                       VersionText(identity.SoftwareVersion) + ", hardware " +
                       std::to_string(identity.HardwareVersion) + ": package " + folder.string() +
                       "\n";
    for (const ModuleEntry& entry : table) {
        const bool due = ModuleUpgradeDue(entry, firmware.flags);
        anyDue = anyDue || due;
        const std::string release = VersionText(entry.version);
        modules.Object(JsonObject()
                           .String("label", entry.label)
                           .String("file", entry.fileName)
                           .String("release", release)
                           .Bool("due", due));
        text += "  " + entry.label + " (" + entry.fileName + ", release " + release +
                (due ? "): update due\n" : "): up to date\n");
    }
    if (table.empty()) {
        text += "  no usable module\n";
    }
    context.console.Result(text, JsonObject()
                                     .String("type", "firmware")
                                     .String("model", ModelText(identity.ModelCode))
                                     .String("software", VersionText(identity.SoftwareVersion))
                                     .Number("hardware", identity.HardwareVersion)
                                     .Bool("due", anyDue)
                                     .Array("modules", modules));
}

// What the device runs now against what the package holds.
ExitCode CheckAfterUpdate(CommandContext& context, const SessionFlags& flagsBefore) {
    CXmit& xmit = context.device.Xmit();
    const DeviceIdentity& identity = xmit.Identity();
    SessionFlags flags = flagsBefore;
    flags.FirmwareReloadRequest = false;
    WatchedStatus quiet(context.console, context.startup.UiLanguage, false);
    FirmwareContext firmware = MakeContext(context, quiet, flags);
    if (identity.IsModel82()) {
        const FirmwareImage image = FindFirmwareImage(firmware.firmwareDirectory, kImageProductWord,
                                                      firmware.prompter, firmware.status);
        if (image.version != identity.SoftwareVersion) {
            return context.console.Fail(
                ExitCode::FirmwareFailed,
                "the device runs software " + VersionText(identity.SoftwareVersion) +
                    " after the update, not " +
                    VersionText(static_cast<std::uint8_t>(image.version)) +
                    "; run firmware update --force to write the image again");
        }
    } else {
        const std::filesystem::path folder =
            HardwareFirmwareDirectory(firmware.firmwareDirectory, identity.HardwareVersion);
        const ModuleTable table = LoadModuleTable(PackageFile(folder, "firmware.cfg"),
                                                  PackageFile(folder, "extension.bin"), firmware);
        std::string stale;
        for (const ModuleEntry& entry : table) {
            if (entry.needsUpdate) {
                stale += (stale.empty() ? "" : ", ") + entry.label;
            }
        }
        if (!stale.empty()) {
            return context.console.Fail(ExitCode::FirmwareFailed,
                                        "after the update the device still needs " + stale +
                                            "; run firmware update --force to write it again");
        }
    }
    context.console.Result("updated: model " + ModelText(identity.ModelCode) + ", software " +
                               VersionText(identity.SoftwareVersion) + "\n",
                           JsonObject()
                               .String("type", "updated")
                               .String("model", ModelText(identity.ModelCode))
                               .String("software", VersionText(identity.SoftwareVersion)));
    return ExitCode::Success;
}

// Model 0x82 when the run sent nothing: no image, an image not newer, or a device that refused
// the transfer.
ExitCode ImageNotSent(CommandContext& context, const SessionFlags& flagsBefore) {
    const DeviceIdentity& identity = context.device.Xmit().Identity();
    WatchedStatus quiet(context.console, context.startup.UiLanguage, false);
    const FirmwareImage image =
        FindFirmwareImage(context.startup.FirmwareDirectory, kImageProductWord, quiet, quiet);
    if (image.version == 0) {
        return context.console.Fail(ExitCode::FirmwareFailed,
                                    "no usable " + std::string(kImageProductWord) +
                                        "_*.bin image in " +
                                        context.startup.FirmwareDirectory.string());
    }
    if (ImageUpgradeDue(image.version, identity.SoftwareVersion, flagsBefore)) {
        return context.console.Fail(ExitCode::FirmwareFailed,
                                    "the device refused to take the image " + ImageName(image));
    }
    return ExitCode::Success;
}

ExitCode Update(CommandContext& context, SessionFlags& flags) {
    const SessionFlags flagsBefore = flags;
    WatchedStatus status(context.console, context.startup.UiLanguage, true);
    FirmwareContext firmware = MakeContext(context, status, flags);
    NoWindow window;
    const bool attempted = RunFirmwareUpgrade(firmware, window);
    CXmit& xmit = context.device.Xmit();
    if (status.PackageError()) {
        return PackageFailure(context);
    }
    if (!attempted) {
        if (const ExitCode checked = context.device.Check(true, "the firmware check");
            checked != ExitCode::Success) {
            return checked;
        }
        if (xmit.Identity().IsModel82()) {
            if (const ExitCode sent = ImageNotSent(context, flagsBefore);
                sent != ExitCode::Success) {
                return sent;
            }
        }
        context.console.Result(
            "up to date: model " + ModelText(xmit.Identity().ModelCode) + ", software " +
                VersionText(xmit.Identity().SoftwareVersion) + "\n",
            JsonObject()
                .String("type", "up-to-date")
                .String("model", ModelText(xmit.Identity().ModelCode))
                .String("software", VersionText(xmit.Identity().SoftwareVersion)));
        return ExitCode::Success;
    }
    if (!context.device.FindAfterRestart()) {
        return context.console.Fail(ExitCode::FirmwareFailed,
                                    "the device did not answer again after its restart");
    }
    return CheckAfterUpdate(context, flagsBefore);
}

}  // namespace

ExitCode RunFirmware(CommandContext& context) {
    if (const ExitCode connected = context.device.Connect(); connected != ExitCode::Success) {
        return connected;
    }
    SessionFlags flags;
    if (context.line.force) {
        RequestFirmwareReload(flags);
    }
    if (context.line.operands[0] == "update") {
        if (!context.line.noBackup) {
            ParameterSource source(context);
            ParameterValues values;
            if (const ExitCode opened = source.Open(); opened != ExitCode::Success) {
                return opened;
            }
            if (const ExitCode backedUp = BackUpParameters(context, source, values);
                backedUp != ExitCode::Success) {
                return backedUp;
            }
        }
        return Update(context, flags);
    }
    WatchedStatus status(context.console, context.startup.UiLanguage, false);
    FirmwareContext firmware = MakeContext(context, status, flags);
    if (context.device.Xmit().Identity().IsModel82()) {
        CheckImage(context, firmware);
    } else {
        CheckModules(context, firmware);
    }
    if (const ExitCode checked = context.device.Check(true, "the firmware check");
        checked != ExitCode::Success) {
        return checked;
    }
    return status.PackageError() ? PackageFailure(context) : ExitCode::Success;
}

}  // namespace vemo
