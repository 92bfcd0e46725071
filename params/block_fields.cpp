#include "params/block_fields.h"

#include <algorithm>

#include "params/device_text.h"

namespace vemo {

std::optional<std::uint32_t> BlockReader::Number(int width) {
    const auto count = static_cast<std::size_t>(width);
    if (ranOut_ || position_ > bytes_.size() || bytes_.size() - position_ < count) {
        ranOut_ = true;
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= static_cast<std::uint32_t>(bytes_[position_ + i]) << (8 * i);
    }
    position_ += count;
    return value;
}

std::optional<std::u16string> BlockReader::Text() {
    // A text whose terminator was not received is cut off, not taken.
    if (ranOut_ || position_ >= bytes_.size() ||
        std::find(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), bytes_.end(), 0) ==
            bytes_.end()) {
        ranOut_ = true;
        return std::nullopt;
    }
    return DecodeDeviceText(bytes_, position_);
}

bool BlockWriter::Fits(std::size_t count) {
    if (overflowed_ || position_ > block_.size() || block_.size() - position_ < count) {
        overflowed_ = true;
    }
    return !overflowed_;
}

void BlockWriter::Number(int width, std::uint32_t value) {
    const auto count = static_cast<std::size_t>(width);
    if (!Fits(count)) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        block_[position_++] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void BlockWriter::Text(std::u16string_view text) {
    if (overflowed_ || !EncodeDeviceText(text, block_, position_)) {
        overflowed_ = true;
    }
}

void BlockWriter::Bytes(std::span<const std::uint8_t> bytes) {
    if (!Fits(bytes.size())) {
        return;
    }
    std::copy(bytes.begin(), bytes.end(), block_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ += bytes.size();
}

}  // namespace vemo
