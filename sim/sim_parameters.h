#pragma once

#include <cstdint>
#include <vector>

#include "params/parameter_set.h"

namespace vemo {

// The parameters a simulated device of a model leaves the factory with: an 8 MHz 64-QAM
// channel at 498 MHz, PAL 16/9 at 8000 kb/s, named so that a panel shows something real.
ParameterSet FactoryParameters(std::uint8_t modelCode);

// Those parameters as the model's block, as the device holds it before anyone writes.
std::vector<std::uint8_t> FactoryBlock(std::uint8_t modelCode);

}  // namespace vemo
