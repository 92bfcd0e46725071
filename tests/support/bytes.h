#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace vemo::test {

using Bytes = std::vector<std::uint8_t>;

// "02 C3 03" -> {0x02, 0xC3, 0x03}: frames in tests read as they are written down.
inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return bytes;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Repeat(std::uint8_t byte, std::size_t count) {
    return Bytes(count, byte);
}

}  // namespace vemo::test
