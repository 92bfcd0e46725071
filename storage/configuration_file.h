#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "params/block_fields.h"
#include "platform/prompter.h"
#include "storage/storage_user.h"

namespace vemo {

// A configuration file is the connected model's parameter block exactly as the device gets
// it, nothing more. Files beyond this size are not read.
inline constexpr std::size_t kConfigurationBufferSize = 4100;

// ".koralin" for model 0x82, ".tmc" for every other model.
std::u16string_view ConfigurationExtension(std::uint8_t modelCode);

FileDialogRequest ConfigurationDialogRequest(FileDirection direction, std::uint8_t modelCode,
                                             const std::filesystem::path& baseDirectory);

// What the panel lends to its SAVE and LOAD buttons.
struct ConfigurationPanel {
    // The block as built from the controls now (with the corrections of every build); empty
    // when it could not be built.
    std::function<std::vector<std::uint8_t>()> buildBlock;
    // Takes a loaded block into the panel as a block from the device is taken, and tells how
    // that went (a model 0x78 block without its signature has its own beep and message).
    std::function<BlockOutcome(std::span<const std::uint8_t>)> parseBlock;
};

// SAVE (the built block into a file) or LOAD (a file into the panel), with the file dialog,
// the extension completed and the result shown. Loaded means the panel took a whole block;
// the caller then has it written as current and default parameters.
FileOutcome LoadSaveConfiguration(FileDirection direction, std::uint8_t modelCode,
                                  StorageUser& user, const ConfigurationPanel& panel);

}  // namespace vemo
