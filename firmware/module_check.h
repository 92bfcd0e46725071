#pragma once

#include <cstddef>
#include <filesystem>
#include <span>

#include "firmware/firmware_context.h"
#include "firmware/module_table.h"

namespace vemo {

// A module's identification and version are read back into this many bytes at most.
inline constexpr std::size_t kModuleReadBackSize = 512;

// Whether the entry's identification and version bytes lie inside the read-back buffer. An
// entry that reaches outside it is a package error: its bytes could never be read.
bool ReadBackFits(const ModuleEntry& entry);

// How many bytes the read-back asks for: up to one past the last byte the entry looks at.
std::uint16_t ReadBackCount(const ModuleEntry& entry);

// Marks the entry for writing when the bytes the device sent show a different identification
// or an older version. Bytes the device did not send decide nothing.
void MarkFromReadBack(ModuleEntry& entry, std::span<const std::uint8_t> received);

// Reads the model 0x78 package: "extension.bin" must hold the digest of "firmware.cfg" and
// each module file, beside "firmware.cfg", the digest on its line, unless DigestCheckOverride
// is set. Each usable entry is read back from its device object, in table order, and marked for
// writing as MarkFromReadBack says; an entry whose file or offsets are wrong is left out of the
// table. Any package error beeps and shows "Configuration Error" once, at the end, for 3 s.
ModuleTable LoadModuleTable(const std::filesystem::path& configurationPath,
                            const std::filesystem::path& digestPath, FirmwareContext& context);

}  // namespace vemo
