#include "params/parameter_block.h"

#include "link/device_identity.h"
#include "params/block_0x78.h"
#include "params/block_0x82.h"
#include "params/block_corrections.h"

namespace vemo {

BlockOutcome ParseParameterBlock(std::uint8_t modelCode, std::span<const std::uint8_t> block,
                                 ParameterSet& set, BlockImage& image) {
    if (modelCode != kModel82) {
        return ParseBlock78(block, set);
    }
    const BlockOutcome outcome = ParseBlock82(block, image);
    CopyImageToSet(image, set);
    return outcome;
}

bool BuildParameterBlock(std::uint8_t modelCode, ParameterSet& set, BlockImage& image,
                         std::span<std::uint8_t> block, std::size_t& length) {
    CorrectParameters(set);
    if (modelCode != kModel82) {
        return BuildBlock78(set, block, length);
    }
    CopySetToImage(set, image);
    return BuildBlock82(image, block, length);
}

}  // namespace vemo
