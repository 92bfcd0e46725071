// save, load and iq: the manufacturer's file buttons, from a terminal.
#include "cli/configuration_commands.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "cli/parameter_file.h"
#include "storage/complete_file_name.h"
#include "storage/configuration_file.h"
#include "storage/iq_calibration_file.h"
#include "storage/iq_table_exchange.h"

namespace vemo {

namespace {

constexpr std::u16string_view kIqExtension = u".iqc";

StorageUser UserOf(CommandContext& context) {
    return StorageUser{context.console, context.console, context.console,
                       context.startup.BaseDirectory};
}

// The file dialog of one storage operation is answered with `file`.
class AnsweredDialog {
public:
    AnsweredDialog(Console& console, const std::filesystem::path& file) : console_(console) {
        console_.AnswerFileDialogsWith(file);
    }
    ~AnsweredDialog() { console_.AnswerFileDialogsWith(std::nullopt); }
    AnsweredDialog(const AnsweredDialog&) = delete;
    AnsweredDialog& operator=(const AnsweredDialog&) = delete;

private:
    Console& console_;
};

// "backup-20240131-142501", unique in the folder for the model's extension.
std::filesystem::path BackupName(const std::filesystem::path& folder, std::uint8_t model) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "backup-%Y%m%d-%H%M%S", &local);
    std::filesystem::path name = folder / stamp;
    for (int n = 2; std::filesystem::exists(ConfigurationPath(name, model)); ++n) {
        name = folder / (std::string(stamp) + "-" + std::to_string(n));
    }
    return name;
}

ExitCode ShowIqTable(CommandContext& context, const IqTable& table) {
    std::string text = "freq. MHz   dAmp   dPhi\n";
    JsonArray rows;
    for (const IqPoint& point : table.Used()) {
        char line[48];
        std::snprintf(line, sizeof line, "%9d %6d %6d\n", point.frequency, point.dAmp, point.dPhi);
        text += line;
        rows.Object(JsonObject()
                        .Number("frequency", point.frequency)
                        .Number("dAmp", point.dAmp)
                        .Number("dPhi", point.dPhi));
    }
    context.console.Result(text, JsonObject().String("type", "iq").Array("rows", rows));
    return ExitCode::Success;
}

ExitCode ReadIq(CommandContext& context, IqTableExchange& exchange, IqTable& table) {
    const IqReadOutcome outcome = exchange.ReadIqTable(table);
    if (const ExitCode checked =
            context.device.Check(outcome != IqReadOutcome::NotOpened, "the IQ table read");
        checked != ExitCode::Success) {
        return checked;
    }
    if (outcome != IqReadOutcome::Read) {
        return context.console.Fail(ExitCode::DeviceFailed,
                                    "the device sent no whole IQ calibration table");
    }
    return ExitCode::Success;
}

}  // namespace

ExitCode SaveConfigurationFile(CommandContext& context, const ParameterValues& values,
                               const std::filesystem::path& file, std::filesystem::path& saved) {
    saved = ConfigurationPath(file, values.model);
    StorageUser user = UserOf(context);
    ConfigurationPanel panel;
    panel.buildBlock = [&values] {
        ParameterValues built = values;
        return BuildBlockOf(built);
    };
    const AnsweredDialog dialog(context.console, file);
    if (LoadSaveConfiguration(FileDirection::Save, values.model, user, panel) !=
        FileOutcome::Saved) {
        return context.console.Fail(ExitCode::FileError, "cannot write " + saved.string());
    }
    return ExitCode::Success;
}

ExitCode BackUpParameters(CommandContext& context, ParameterSource& source,
                          ParameterValues& values) {
    if (const ExitCode read = source.Read(values); read != ExitCode::Success) {
        return read;
    }
    const std::filesystem::path folder = ConfigFolder(context.startup.BaseDirectory) / "backup";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return context.console.Fail(
            ExitCode::FileError,
            "cannot make the backup folder " + folder.string() + ": " + error.message());
    }
    std::filesystem::path saved;
    if (const ExitCode written =
            SaveConfigurationFile(context, values, BackupName(folder, values.model), saved);
        written != ExitCode::Success) {
        return written;
    }
    context.console.Note("the device's parameters were saved in " + saved.string());
    return ExitCode::Success;
}

ExitCode RunSave(CommandContext& context) {
    ParameterSource source(context);
    ParameterValues values;
    if (const ExitCode opened = source.Open(); opened != ExitCode::Success) {
        return opened;
    }
    if (const ExitCode read = source.Read(values); read != ExitCode::Success) {
        return read;
    }
    std::filesystem::path saved;
    if (const ExitCode written = SaveConfigurationFile(
            context, values, context.Resolve(context.line.operands[0]), saved);
        written != ExitCode::Success) {
        return written;
    }
    context.console.Result("saved " + saved.string() + "\n",
                           JsonObject().String("type", "saved").String("file", saved.string()));
    return ExitCode::Success;
}

ExitCode RunLoad(CommandContext& context) {
    ParameterSource source(context);
    if (const ExitCode opened = source.Open(); opened != ExitCode::Success) {
        return opened;
    }
    ParameterValues values;
    values.model = source.Model();
    if (!context.line.noBackup) {
        if (const ExitCode backedUp = BackUpParameters(context, source, values);
            backedUp != ExitCode::Success) {
            return backedUp;
        }
    }
    const std::filesystem::path file = context.Resolve(context.line.operands[0]);
    const std::filesystem::path loaded = ConfigurationPath(file, values.model);
    StorageUser user = UserOf(context);
    ConfigurationPanel panel;
    panel.parseBlock = [&](std::span<const std::uint8_t> block) {
        return source.Exchange().ParseBlock(block, values.set, values.image);
    };
    FileOutcome outcome = FileOutcome::Cancelled;
    {
        const AnsweredDialog dialog(context.console, file);
        outcome = LoadSaveConfiguration(FileDirection::Load, values.model, user, panel);
    }
    if (const ExitCode checked = context.device.Check(true, "the configuration load");
        checked != ExitCode::Success) {
        return checked;
    }
    if (outcome != FileOutcome::Loaded) {
        return context.console.Fail(
            ExitCode::FileError,
            "cannot load " + loaded.string() + ": it cannot be read or holds no whole model " +
                ModelText(values.model) + " parameter block; nothing was written");
    }
    const bool defaults = !context.line.noDefaults;
    if (const ExitCode written = source.Write(values, defaults); written != ExitCode::Success) {
        return written;
    }
    context.console.Result(
        "loaded " + loaded.string() + (defaults ? ", also as the defaults\n" : "\n"),
        JsonObject()
            .String("type", "loaded")
            .String("file", loaded.string())
            .Bool("defaults", defaults));
    return ExitCode::Success;
}

ExitCode RunIq(CommandContext& context) {
    if (const ExitCode connected = context.device.Connect(); connected != ExitCode::Success) {
        return connected;
    }
    CXmit& xmit = context.device.Xmit();
    // Asked for by name, so the manufacturer's marker file is not needed here.
    IqTableExchange exchange(xmit, /*manufacturerMode=*/true);
    if (!exchange.Available()) {
        const DeviceIdentity& identity = xmit.Identity();
        return context.console.Fail(ExitCode::Usage,
                                    "this device has no IQ calibration table: it is model " +
                                        ModelText(identity.ModelCode) + ", hardware " +
                                        std::to_string(identity.HardwareVersion) +
                                        "; the table exists on model 0x78 from hardware 3");
    }
    const std::string& action = context.line.operands[0];
    IqTable table;
    if (action == "show") {
        const ExitCode read = ReadIq(context, exchange, table);
        return read != ExitCode::Success ? read : ShowIqTable(context, table);
    }
    const std::filesystem::path file = context.Resolve(context.line.operands[1]);
    const std::filesystem::path completed = CompleteFileName(file, kIqExtension);
    StorageUser user = UserOf(context);
    const AnsweredDialog dialog(context.console, file);
    if (action == "save") {
        if (const ExitCode read = ReadIq(context, exchange, table); read != ExitCode::Success) {
            return read;
        }
        if (LoadSaveIqCalibration(FileDirection::Save, user, table, [] {}) != FileOutcome::Saved) {
            return context.console.Fail(ExitCode::FileError, "cannot write " + completed.string());
        }
    } else {
        bool written = false;
        const FileOutcome outcome = LoadSaveIqCalibration(
            FileDirection::Load, user, table, [&] { written = exchange.WriteIqTable(table); });
        if (outcome != FileOutcome::Loaded) {
            return context.console.Fail(ExitCode::FileError,
                                        "cannot load " + completed.string() +
                                            ": it cannot be read or is no whole IQ table");
        }
        if (const ExitCode checked = context.device.Check(written, "the IQ table write");
            checked != ExitCode::Success) {
            return checked;
        }
    }
    const int rows = static_cast<int>(table.Used().size());
    context.console.Result(std::string(action == "save" ? "saved " : "loaded ") +
                               std::to_string(rows) + " rows " +
                               (action == "save" ? "to " : "from ") + completed.string() + "\n",
                           JsonObject()
                               .String("type", action == "save" ? "saved" : "loaded")
                               .String("file", completed.string())
                               .Number("rows", rows));
    return ExitCode::Success;
}

}  // namespace vemo
