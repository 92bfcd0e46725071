#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "params/block_fields.h"
#include "params/parameter_set.h"

namespace vemo {

// The block of a model, chosen by its code: 0x82 has its own layout, every other code uses
// the model 0x78 layout. Pure: no device, no window.

// Decodes `block` into `set`; on model 0x82 through `image`, which keeps every field, on
// model 0x78 `image` is not touched. Only the bytes of `block` are read.
BlockOutcome ParseParameterBlock(std::uint8_t modelCode, std::span<const std::uint8_t> block,
                                 ParameterSet& set, BlockImage& image);

// Corrects `set` in place (frequency, PIDs, video bit rate), then encodes it; on model 0x82
// the set goes into `image` first, whose other fields are written as they are. False when
// the block does not fit in `block`.
bool BuildParameterBlock(std::uint8_t modelCode, ParameterSet& set, BlockImage& image,
                         std::span<std::uint8_t> block, std::size_t& length);

}  // namespace vemo
