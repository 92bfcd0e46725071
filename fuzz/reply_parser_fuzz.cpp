// Any bytes from the port: the reply parser must never read or write outside its buffer, and a
// Good frame must carry a payload no longer than the capacity.
#include <cstdint>
#include <cstdlib>

#include "link/frame_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kCapacity = 4096;
    vemo::FrameParser parser(vemo::FrameParser::Accept::Replies, kCapacity);
    for (std::size_t i = 0; i < size; ++i) {
        if (parser.Feed(data[i]) == vemo::FrameParser::Status::Good) {
            const std::uint8_t kind = parser.Header() & 0xF0;
            if (parser.Payload().size() > kCapacity || (kind != 0xF0 && kind != 0xE0)) {
                std::abort();
            }
        }
    }
    return 0;
}
