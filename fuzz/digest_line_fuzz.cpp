// Any "extension.bin" text: the digest line is cut at the first line feed and upper-cased.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "firmware/module_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string line = vemo::ParseDigestLine(text);
    if (line.size() > text.size() || line.find('\n') != std::string::npos) {
        std::abort();
    }
    for (char c : line) {
        if (c >= 'a' && c <= 'z') {
            std::abort();
        }
    }
    return 0;
}
