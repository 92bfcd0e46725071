// Any "firmware.cfg" text: at most five entries, fields without spaces, digests upper-cased.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "firmware/module_table.h"

namespace {

bool HasSpaceOrLowerCase(std::string_view text, bool lowerCaseToo) {
    for (char c : text) {
        if (c == ' ' || c == '\n' || (lowerCaseToo && c >= 'a' && c <= 'z')) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vemo::ModuleTable table = vemo::ParseModuleTable(text);
    if (table.size() > vemo::kMaxModules) {
        std::abort();
    }
    for (const vemo::ModuleEntry& entry : table) {
        if (entry.needsUpdate || HasSpaceOrLowerCase(entry.label, false) ||
            HasSpaceOrLowerCase(entry.fileName, false) || HasSpaceOrLowerCase(entry.digest, true)) {
            std::abort();
        }
    }
    return 0;
}
