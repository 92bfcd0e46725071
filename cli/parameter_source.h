#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/parameter_catalogue.h"
#include "params/parameter_exchange.h"

namespace vemo {

// The file named on the command line with the model it is for: `model` when given, or its
// extension. The name is completed with the model's extension, as the window's file dialogs
// do; a name with the other model's extension is refused rather than completed into a name
// that is none. Usage, said on the console, when the model cannot be settled.
ExitCode SettleFile(CommandContext& context, const std::filesystem::path& named,
                    std::optional<std::uint8_t>& model, std::filesystem::path& path);

// Where get, set, diff and load take the parameters from and put them: the device, or the
// configuration file of --file.
class ParameterSource {
public:
    explicit ParameterSource(CommandContext& context) : context_(context) {}

    // Connects to the device, or settles the file's model.
    ExitCode Open();

    bool IsFile() const { return !file_.empty(); }
    std::uint8_t Model() const { return model_; }
    // "device", or the file's path.
    std::string Name() const { return IsFile() ? file_.string() : "device"; }
    // Once open on a device.
    ParameterExchange& Exchange() { return *exchange_; }

    // The whole block into `values`; anything less is refused.
    ExitCode Read(ParameterValues& values);

    // Writes the values (corrected on the way, as every build does) and reads back what the
    // device or the file now holds into `values`. With `defaults`, also stores them as the
    // device's defaults, as "Set as Def. Param" does.
    ExitCode Write(ParameterValues& values, bool defaults);

private:
    // Builds from `values`, sends the block to `slot` and reads the current block back.
    ExitCode WriteSlot(ParameterValues& values, ParameterSlot slot);
    ExitCode StoreDefaultParameters(ParameterValues& values);

    CommandContext& context_;
    std::optional<ParameterExchange> exchange_;  // once connected
    std::filesystem::path file_;
    std::uint8_t model_ = 0;
};

}  // namespace vemo
