// Any file name: the version is what two characters can say, the digest 32 upper-case
// characters or none.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "firmware/image_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const int version = vemo::ImageNameVersion(name, "KORALIN");
    if (version < -9 || version > 99 || (version != 0 && !name.starts_with("KORALIN_"))) {
        std::abort();
    }
    const std::string digest = vemo::ImageNameDigest(name);
    if (!digest.empty() && digest.size() != 32) {
        std::abort();
    }
    for (char c : digest) {
        if (c >= 'a' && c <= 'z') {
            std::abort();
        }
    }
    vemo::IsImageFileName(name);
    return 0;
}
