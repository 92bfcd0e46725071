#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "storage/iq_table.h"

namespace vemo {

// A row is three 16-bit little-endian fields: the frequency as it is, dAmp and dPhi offset by
// 10000 so that corrections down to -10000 fit an unsigned field.
inline constexpr std::size_t kIqRowSize = 6;
inline constexpr std::int32_t kIqCorrectionOffset = 10000;
// The device block opens with "PFZJ" and the row count.
inline constexpr std::size_t kIqBlockHeadSize = 5;

// The rows, as many as `count` says, from the start of `bytes`. False, with `table`
// unchanged, when the bytes hold fewer rows or the count is beyond the table.
bool DecodeIqRows(std::span<const std::uint8_t> bytes, int count, IqTable& table);

// The device block: signature, count, rows.
std::vector<std::uint8_t> EncodeIqBlock(const IqTable& table);
// The row count of a device block head; nothing without the signature or beyond the table.
std::optional<int> IqBlockCount(std::span<const std::uint8_t> head);

// An ".iqc" file: count, rows, no signature.
std::vector<std::uint8_t> EncodeIqFile(const IqTable& table);
// A file's table; nothing when the file is empty, says more rows than the table holds, or is
// shorter than its count says. Bytes after the rows are ignored.
std::optional<IqTable> DecodeIqFile(std::span<const std::uint8_t> bytes);

}  // namespace vemo
