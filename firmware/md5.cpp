#include "firmware/md5.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace vemo {

namespace {

// Per-round shift amounts and the sine-derived constants of RFC 1321, section 3.4.
constexpr std::array<int, 16> kShifts = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

constexpr std::array<std::uint32_t, 64> kSines = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391,
};

// One of the 64 steps, with everything but the data known at compile time. Instead of moving
// the four working words along after every step, each step names the slots that hold them.
// Plain pointers, so that unoptimised (sanitizer) builds do not call an accessor per word.
template <std::size_t Step>
inline void Md5Step(std::uint32_t* v, const std::uint32_t* words) {
    constexpr std::size_t a = (64 - Step) % 4;
    constexpr std::size_t b = (65 - Step) % 4;
    constexpr std::size_t c = (66 - Step) % 4;
    constexpr std::size_t d = (67 - Step) % 4;
    constexpr std::size_t round = Step / 16;
    constexpr std::size_t word = round == 0   ? Step
                                 : round == 1 ? (5 * Step + 1) % 16
                                 : round == 2 ? (3 * Step + 5) % 16
                                              : (7 * Step) % 16;
    constexpr std::uint32_t sine = kSines[Step];
    constexpr int shift = kShifts[round * 4 + Step % 4];
    // What does not wait for the newest word b goes first, so the steps overlap in the CPU.
    std::uint32_t sum = v[a] + sine + words[word];
    if constexpr (round == 0) {
        sum += v[d] ^ (v[b] & (v[c] ^ v[d]));  // (b & c) | (~b & d)
    } else if constexpr (round == 1) {
        sum += (v[c] & ~v[d]) + (v[b] & v[d]);  // (b & d) | (c & ~d): the halves never overlap
    } else if constexpr (round == 2) {
        sum += v[b] ^ v[c] ^ v[d];
    } else {
        sum += v[c] ^ (v[b] | ~v[d]);
    }
    v[a] = v[b] + ((sum << shift) | (sum >> (32 - shift)));
}

template <std::size_t... Steps>
inline void Md5Steps(std::uint32_t* v, const std::uint32_t* words, std::index_sequence<Steps...>) {
    (Md5Step<Steps>(v, words), ...);
}

}  // namespace

void Md5::Update(std::span<const std::uint8_t> bytes) {
    length_ += bytes.size();
    if (buffered_ != 0) {
        const std::size_t take = std::min(bytes.size(), block_.size() - buffered_);
        std::copy_n(bytes.begin(), take, block_.begin() + static_cast<std::ptrdiff_t>(buffered_));
        buffered_ += take;
        bytes = bytes.subspan(take);
        if (buffered_ < block_.size()) {
            return;
        }
        Transform(block_.data());
        buffered_ = 0;
    }
    // Whole blocks straight from the caller's bytes; only a tail is kept.
    while (bytes.size() >= block_.size()) {
        Transform(bytes.data());
        bytes = bytes.subspan(block_.size());
    }
    std::copy(bytes.begin(), bytes.end(), block_.begin());
    buffered_ = bytes.size();
}

Md5::Digest Md5::Finish() {
    const std::uint64_t bits = length_ * 8;
    // A 0x80 byte, zeros up to 56 bytes into a block, then the bit length, low byte first.
    std::array<std::uint8_t, 72> padding{};
    padding[0] = 0x80;
    const std::size_t padLength = buffered_ < 56 ? 56 - buffered_ : 120 - buffered_;
    for (int i = 0; i < 8; ++i) {
        padding[padLength + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(bits >> (8 * i));
    }
    Update(std::span(padding).first(padLength + 8));

    Digest digest;
    for (std::size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<std::uint8_t>(state_[i / 4] >> (8 * (i % 4)));
    }
    *this = Md5();
    return digest;
}

void Md5::Transform(const std::uint8_t* block) {
    std::array<std::uint32_t, 16> words;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(words.data(), block, sizeof words);
    } else {
        for (std::size_t i = 0; i < words.size(); ++i) {
            words[i] = static_cast<std::uint32_t>(block[4 * i]) |
                       static_cast<std::uint32_t>(block[4 * i + 1]) << 8 |
                       static_cast<std::uint32_t>(block[4 * i + 2]) << 16 |
                       static_cast<std::uint32_t>(block[4 * i + 3]) << 24;
        }
    }
    std::array<std::uint32_t, 4> v = state_;
    Md5Steps(v.data(), words.data(), std::make_index_sequence<64>());
    for (std::size_t i = 0; i < v.size(); ++i) {
        state_[i] += v[i];
    }
}

std::string DigestText(const Md5::Digest& digest) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * digest.size());
    for (std::uint8_t byte : digest) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 0x0F]);
    }
    return text;
}

std::string Md5Text(std::span<const std::uint8_t> bytes) {
    Md5 md5;
    md5.Update(bytes);
    return DigestText(md5.Finish());
}

}  // namespace vemo
