// Any bytes as a model 0x78 block: the parser reads only what it is given, a block without
// the signature changes nothing, and whatever it takes, once corrected as every build does,
// builds into a block that parses back to the same values and builds the same bytes.
#include <array>
#include <cstdint>
#include <cstdlib>

#include "params/block_0x78.h"
#include "params/block_corrections.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vemo::ParameterSet set;
    if (vemo::ParseBlock78({data, size}, set) == vemo::BlockOutcome::BadSignature) {
        if (set != vemo::ParameterSet{}) {
            std::abort();
        }
        return 0;
    }
    vemo::CorrectParameters(set);
    std::array<std::uint8_t, vemo::kBlockCapacity> block{};
    std::size_t length = 0;
    if (!vemo::BuildBlock78(set, block, length)) {
        return 0;  // the texts received leave no room for the fields
    }
    vemo::ParameterSet again;
    if (vemo::ParseBlock78({block.data(), length}, again) != vemo::BlockOutcome::Complete ||
        again != set) {
        std::abort();
    }
    std::array<std::uint8_t, vemo::kBlockCapacity> rebuilt{};
    std::size_t rebuiltLength = 0;
    if (!vemo::BuildBlock78(again, rebuilt, rebuiltLength) || rebuilt != block) {
        std::abort();
    }
    return 0;
}
