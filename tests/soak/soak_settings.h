#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace vemo::test {

// A soak's size or seed: `fallback` in CI, or the named environment variable's value, to
// replay a failing seed or to soak for longer.
inline std::uint32_t SoakSetting(const char* name, std::uint32_t fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? static_cast<std::uint32_t>(std::stoul(value))
                                              : fallback;
}

}  // namespace vemo::test
