#include "storage/iq_codec.h"

#include "params/block_0x78.h"

namespace vemo {

namespace {

std::uint16_t Field(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void PutField(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
}

// Unsigned arithmetic: any correction wraps modulo 65536 without overflow.
std::uint32_t CorrectionField(std::int32_t value) {
    return static_cast<std::uint32_t>(value) + kIqCorrectionOffset;
}

void PutRows(std::vector<std::uint8_t>& out, const IqTable& table) {
    for (const IqPoint& point : table.Used()) {
        PutField(out, static_cast<std::uint32_t>(point.frequency));
        PutField(out, CorrectionField(point.dAmp));
        PutField(out, CorrectionField(point.dPhi));
    }
}

}  // namespace

bool DecodeIqRows(std::span<const std::uint8_t> bytes, int count, IqTable& table) {
    if (count < 0 || count > IqTable::kCapacity ||
        bytes.size() < static_cast<std::size_t>(count) * kIqRowSize) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * kIqRowSize;
        table.rows[i] = {Field(bytes, at), Field(bytes, at + 2) - kIqCorrectionOffset,
                         Field(bytes, at + 4) - kIqCorrectionOffset};
    }
    table.count = count;
    return true;
}

std::vector<std::uint8_t> EncodeIqBlock(const IqTable& table) {
    std::vector<std::uint8_t> block(kBlockSignature.begin(), kBlockSignature.end());
    block.push_back(static_cast<std::uint8_t>(table.Used().size()));
    PutRows(block, table);
    return block;
}

std::optional<int> IqBlockCount(std::span<const std::uint8_t> head) {
    if (head.size() < kIqBlockHeadSize || !HasBlockSignature(head) ||
        head[4] > IqTable::kCapacity) {
        return std::nullopt;
    }
    return head[4];
}

std::vector<std::uint8_t> EncodeIqFile(const IqTable& table) {
    std::vector<std::uint8_t> file{static_cast<std::uint8_t>(table.Used().size())};
    PutRows(file, table);
    return file;
}

std::optional<IqTable> DecodeIqFile(std::span<const std::uint8_t> bytes) {
    IqTable table;
    if (bytes.empty() || !DecodeIqRows(bytes.subspan(1), bytes[0], table)) {
        return std::nullopt;
    }
    return table;
}

}  // namespace vemo
