#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// One line of "firmware.cfg": a model 0x78 firmware module, the device object that holds it and
// how to tell from a read-back of that object whether it needs the file.
struct ModuleEntry {
    std::uint16_t moduleId = 0;
    std::int32_t idOffset = 0;       // identification bytes within the read-back
    std::uint8_t idLength = 0;       // 0: no identification check
    std::uint32_t idValue = 0;       // the identification, first byte most significant
    std::int32_t versionOffset = 0;  // version byte within the read-back
    std::uint8_t version = 0;        // version of the module file
    bool lengthPrefixed = false;     // stored with its 32-bit length in front
    std::string label;               // shown in status lines
    std::string fileName;            // inside the hardware version's folder
    std::string digest;              // FileDigest of the module file, upper-cased
    bool needsUpdate = false;
};

inline constexpr std::size_t kMaxModules = 5;

// The modules of one package, at most kMaxModules, in file order.
using ModuleTable = std::vector<ModuleEntry>;

// The entries of a "firmware.cfg" text. Reading stops at the first empty line, at the end of
// the text or after kMaxModules entries. Each line is cut into ten fields at runs of spaces
// (not tabs); missing fields are empty and text after the tenth is ignored.
ModuleTable ParseModuleTable(std::string_view text);

// The first line of "extension.bin" upper-cased: the digest "firmware.cfg" must have. Anything
// else on the line stays, so it cannot match.
std::string ParseDigestLine(std::string_view text);

}  // namespace vemo
