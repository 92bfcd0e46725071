#include "params/device_text.h"

namespace vemo {

namespace {

constexpr char16_t kUnprintable = u'.';

constexpr std::array<char16_t, 256> MakeDeviceCharTable() {
    std::array<char16_t, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) {
        table[b] = static_cast<char16_t>(b);
    }
    for (std::size_t b = 0x00; b <= 0x1F; ++b) {
        table[b] = kUnprintable;
    }
    for (std::size_t b = 0x7F; b <= 0xA0; ++b) {
        table[b] = kUnprintable;
    }
    // The device's fonts have no double quotation mark and no soft hyphen.
    table[0x22] = u'\'';
    table[0xAD] = u'-';
    return table;
}

constexpr std::array<char16_t, 256> kDeviceCharTable = MakeDeviceCharTable();

// Every character the table holds stands at its own code, so this is "occurs in the table".
std::uint8_t DeviceByteFor(char16_t c) {
    if (c < kDeviceCharTable.size() && kDeviceCharTable[c] == c) {
        return static_cast<std::uint8_t>(c);
    }
    return static_cast<std::uint8_t>(kUnprintable);
}

}  // namespace

const std::array<char16_t, 256>& DeviceCharTable() {
    return kDeviceCharTable;
}

std::u16string DecodeDeviceText(std::span<const std::uint8_t> bytes, std::size_t& position) {
    std::u16string text;
    while (position < bytes.size()) {
        const std::uint8_t byte = bytes[position++];
        if (byte == 0) {
            return text;
        }
        text.push_back(kDeviceCharTable[byte]);
    }
    return text;
}

bool EncodeDeviceText(std::u16string_view text, std::span<std::uint8_t> block,
                      std::size_t& position) {
    if (position > block.size() || block.size() - position < text.size() + 1) {
        return false;
    }
    for (char16_t c : text) {
        block[position++] = DeviceByteFor(c);
    }
    block[position++] = 0;
    return true;
}

}  // namespace vemo
