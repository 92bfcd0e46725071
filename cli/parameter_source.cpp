#include "cli/parameter_source.h"

#include <array>

#include "cli/parameter_file.h"
#include "cli/utf8.h"
#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "storage/default_store.h"
#include "storage/logo_files.h"

namespace vemo {

namespace {

// The beep the window sounds once the defaults are stored.
constexpr int kDefaultsStoredHz = 880;
constexpr Milliseconds kDefaultsStoredBeep{200};

}  // namespace

ExitCode SettleFile(CommandContext& context, const std::filesystem::path& named,
                    std::optional<std::uint8_t>& model, std::filesystem::path& path) {
    const std::optional<std::uint8_t> namedModel = ModelOfFileName(named);
    if (!model) {
        model = namedModel;
    }
    if (!model) {
        return context.console.Fail(ExitCode::Usage, "say which model " + named.string() +
                                                         " is for with --model 0x82 or 0x78");
    }
    if (namedModel && namedModel != model) {
        return context.console.Fail(ExitCode::Usage,
                                    named.string() + " is a model " + ModelText(*namedModel) +
                                        " file; this takes a model " + ModelText(*model) + " one");
    }
    path = context.Resolve(ConfigurationPath(named, *model));
    return ExitCode::Success;
}

ExitCode ParameterSource::Open() {
    if (const std::optional<std::filesystem::path>& file = context_.line.global.file) {
        std::optional<std::uint8_t> model = context_.line.global.fileModel;
        const ExitCode settled = SettleFile(context_, *file, model, file_);
        model_ = model.value_or(0);
        return settled;
    }
    if (const ExitCode connected = context_.device.Connect(); connected != ExitCode::Success) {
        return connected;
    }
    CXmit& xmit = context_.device.Xmit();
    model_ = xmit.Identity().ModelCode;
    exchange_.emplace(xmit, context_.console, context_.console, context_.startup.UiLanguage);
    return ExitCode::Success;
}

ExitCode ParameterSource::Read(ParameterValues& values) {
    values.model = model_;
    if (IsFile()) {
        if (const std::optional<std::string> problem = ReadParameterFile(file_, values)) {
            return context_.console.Fail(ExitCode::FileError, *problem);
        }
        return ExitCode::Success;
    }
    const BlockOutcome outcome = exchange_->ReadParameterBlock(values.set, values.image);
    if (const ExitCode checked =
            context_.device.Check(outcome != BlockOutcome::NotReceived, "the parameter read");
        checked != ExitCode::Success) {
        return checked;
    }
    if (outcome != BlockOutcome::Complete) {
        return context_.console.Fail(ExitCode::DeviceFailed,
                                     outcome == BlockOutcome::BadSignature
                                         ? "the device's parameter block has no signature"
                                         : "the device sent only part of its parameter "
                                           "block");
    }
    return ExitCode::Success;
}

ExitCode ParameterSource::Write(ParameterValues& values, bool defaults) {
    if (IsFile()) {
        if (const std::optional<std::string> problem = WriteParameterFile(file_, values)) {
            return context_.console.Fail(ExitCode::FileError, *problem);
        }
        return Read(values);
    }
    if (const ExitCode written = WriteSlot(values, ParameterSlot::Current);
        written != ExitCode::Success) {
        return written;
    }
    if (!defaults) {
        return ExitCode::Success;
    }
    if (const ExitCode stored = StoreDefaultParameters(values); stored != ExitCode::Success) {
        return stored;
    }
    context_.console.Beep(kDefaultsStoredHz, kDefaultsStoredBeep);
    return ExitCode::Success;
}

ExitCode ParameterSource::WriteSlot(ParameterValues& values, ParameterSlot slot) {
    const std::vector<std::uint8_t> block = BuildBlockOf(values);
    if (block.empty()) {
        return context_.console.Fail(ExitCode::ValueRefused,
                                     "the parameters do not fit in one block; shorten the texts");
    }
    const bool accepted = exchange_->WriteParameterBlock(slot, block);
    if (const ExitCode checked = context_.device.Check(
            accepted,
            slot == ParameterSlot::Current ? "the parameter write" : "the default parameter write");
        checked != ExitCode::Success) {
        return checked;
    }
    return Read(values);
}

ExitCode ParameterSource::StoreDefaultParameters(ParameterValues& values) {
    if (model_ != kModel82) {
        // The values just read back are those the window's panel would build from.
        return WriteSlot(values, ParameterSlot::Default);
    }
    // Model 0x82 keeps its defaults as a file of its own, with the logo, and restarts.
    const DefaultStoreReport report = StoreDefaults(
        context_.device.Xmit(), context_.startup.BaseDirectory, values.image.LogoName);
    if (const ExitCode checked = context_.device.Check(report.accepted, "storing the defaults");
        checked != ExitCode::Success) {
        return checked;
    }
    // The store ends with a restart; the next command finds the device up again.
    if (!context_.device.FindAfterRestart()) {
        return context_.console.Fail(ExitCode::DeviceFailed,
                                     "the device did not answer again after storing its "
                                     "defaults and restarting");
    }
    if (!report.logoUploaded) {
        context_.console.Note(
            "note: no logo was sent: \"" + ToUtf8(values.image.LogoName) + "\" is not a file in " +
            LogoFolder(context_.startup.BaseDirectory).string() + " or the device did not take it");
    }
    return ExitCode::Success;
}

}  // namespace vemo
