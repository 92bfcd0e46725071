#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "params/block_fields.h"
#include "params/parameter_set.h"

namespace vemo {

// The model 0x82 block: 65 fields from position 0, no signature and no length, so any bytes
// parse. Fields the bytes do not fully hold keep their values in `image`.
BlockOutcome ParseBlock82(std::span<const std::uint8_t> block, BlockImage& image);

// Writes the 65 fields of `image` from position 0 and sets `length`. False, with `length`
// unchanged, when they do not fit in `block`.
bool BuildBlock82(const BlockImage& image, std::span<std::uint8_t> block, std::size_t& length);

// The fields the panel shows through the ParameterSet, in each direction; the level field
// holds the attenuation, 29 - LevelPosition.
void CopyImageToSet(const BlockImage& image, ParameterSet& set);
void CopySetToImage(const ParameterSet& set, BlockImage& image);

}  // namespace vemo
