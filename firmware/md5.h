#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace vemo {

// MD5 (RFC 1321), fed in pieces of any size.
class Md5 {
public:
    using Digest = std::array<std::uint8_t, 16>;

    void Update(std::span<const std::uint8_t> bytes);
    // Pads the message, returns its digest and starts a new one.
    Digest Finish();

private:
    void Transform(const std::uint8_t* block);

    std::array<std::uint32_t, 4> state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    std::array<std::uint8_t, 64> block_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;  // bytes taken so far
};

// Two upper-case hexadecimal digits per byte, in the digest's byte order.
std::string DigestText(const Md5::Digest& digest);

// The digest text of bytes already in memory.
std::string Md5Text(std::span<const std::uint8_t> bytes);

}  // namespace vemo
