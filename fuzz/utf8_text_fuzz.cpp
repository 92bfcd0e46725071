// Any bytes typed on the command line or read from a file as UTF-8: taken only when
// well-formed, and then they come back exactly; whatever UTF-16 the core holds goes out as
// well-formed UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::u16string> decoded = vemo::FromUtf8(text)) {
        if (vemo::ToUtf8(*decoded) != text) {
            std::abort();
        }
    }
    // The same bytes as UTF-16 units, lone surrogates and all.
    const std::u16string units(reinterpret_cast<const char16_t*>(data), size / 2);
    if (!vemo::FromUtf8(vemo::ToUtf8(units))) {
        std::abort();
    }
    return 0;
}
