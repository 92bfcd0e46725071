#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/frame_codec.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace vemo {

// Any SerialPort, with every frame that crosses it written out as it passes: the time since
// the port was wrapped, the direction, the bytes on the line in hex and what they mean. The
// link above sees the port unchanged.
class TracingPort final : public SerialPort {
public:
    using LineSink = std::function<void(std::string_view)>;

    TracingPort(SerialPort& port, Clock& clock, LineSink sink);

    bool Open(const std::string& name) override;
    bool IsOpen() const override { return port_.IsOpen(); }
    void Close() override;
    std::optional<std::uint8_t> ReadByte() override;
    // Stale bytes are thrown away before each request; they belong to no frame worth showing.
    void DiscardPending() override { port_.DiscardPending(); }
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    void Emit(std::string_view direction, std::vector<std::uint8_t>& raw,
              const std::string& meaning);

    SerialPort& port_;
    Clock& clock_;
    LineSink sink_;
    Milliseconds start_;
    FrameParser requests_{FrameParser::Accept::AnyHeader, kMaxFramePayload};
    FrameParser replies_{FrameParser::Accept::Replies, kMaxFramePayload};
    std::vector<std::uint8_t> sent_;
    std::vector<std::uint8_t> received_;
};

// What a request frame asks, in words: "ObjectAccess open 0x024E for reading".
std::string DescribeRequest(std::uint8_t header, std::span<const std::uint8_t> payload);

}  // namespace vemo
