// Any bytes as a model 0x82 block: the parser reads only what it is given, and whatever it
// takes builds into a block that parses back to the same fields and builds the same bytes.
#include <array>
#include <cstdint>
#include <cstdlib>

#include "params/block_0x82.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vemo::BlockImage image;
    vemo::ParseBlock82({data, size}, image);
    std::array<std::uint8_t, vemo::kBlockCapacity> block{};
    std::size_t length = 0;
    if (!vemo::BuildBlock82(image, block, length)) {
        return 0;  // the texts received do not leave room for the fields not received
    }
    vemo::BlockImage again;
    if (vemo::ParseBlock82({block.data(), length}, again) != vemo::BlockOutcome::Complete ||
        again != image) {
        std::abort();
    }
    std::array<std::uint8_t, vemo::kBlockCapacity> rebuilt{};
    std::size_t rebuiltLength = 0;
    if (!vemo::BuildBlock82(again, rebuilt, rebuiltLength) || rebuilt != block) {
        std::abort();
    }
    return 0;
}
