#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vemo {

// Both directions share one envelope: 0x02, header, 0-2 length bytes (big-endian), payload,
// XOR check. After the start byte every 0x02 is sent twice.
inline constexpr std::uint8_t kFrameStart = 0x02;
inline constexpr std::size_t kMaxFramePayload = 65535;

// High nibble of a reply header.
inline constexpr std::uint8_t kReplyPositive = 0xF0;
inline constexpr std::uint8_t kReplyRefusal = 0xE0;

// The frame for a payload of at most kMaxFramePayload bytes; `kind` is the command code of a
// request or the class of a reply (only its high nibble is used).
std::vector<std::uint8_t> BuildFrame(std::uint8_t kind, std::span<const std::uint8_t> payload);

// Reassembles one frame from a byte stream, one byte at a time, resynchronising on every lone
// 0x02. Pure: no clock and no port, so the transaction, the simulated device and the fuzzer
// all drive the same rules.
class FrameParser {
public:
    enum class Status { Incomplete, Good, Bad };
    enum class Accept { Replies, AnyHeader };

    // A frame that declares more than `capacity` payload bytes is reported Bad as soon as its
    // length is known; nothing is stored beyond the capacity.
    FrameParser(Accept accept, std::size_t capacity);

    // Forgets any partial frame; the next frame starts at a lone 0x02.
    void Reset();

    // Takes the next byte from the line. After Good or Bad the next byte starts afresh.
    Status Feed(std::uint8_t byte);

    // The header of the last accepted frame; its high nibble is the command or reply class.
    std::uint8_t Header() const { return header_; }
    // The payload of the frame being read or just completed, without doubling or check byte.
    std::span<const std::uint8_t> Payload() const;

private:
    enum class State { Idle, Header, LengthHigh, LengthLow, Payload, Check, Complete };

    bool AcceptsHeader(std::uint8_t byte) const;
    void AfterLength();
    Status TakeByte(std::uint8_t byte);

    Accept accept_;
    std::vector<std::uint8_t> payload_;
    State state_ = State::Idle;
    bool escape_ = false;
    std::uint8_t header_ = 0;
    std::uint8_t check_ = 0;
    std::size_t expected_ = 0;
    std::size_t index_ = 0;
};

}  // namespace vemo
