#pragma once

#include <deque>

#include "link/frame_codec.h"
#include "platform/serial_port.h"
#include "sim/virtual_clock.h"
#include "support/bytes.h"

namespace vemo::test {

// A port whose far end answers each complete request frame with the next scripted bytes, for
// replies no well-behaved device would send.
class ScriptedPort final : public SerialPort {
public:
    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    bool Open(const std::string&) override { return open_ = true; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }

    std::optional<std::uint8_t> ReadByte() override {
        if (!open_ || line_.empty()) {
            clock_.Sleep(Milliseconds(2));
            return std::nullopt;
        }
        const std::uint8_t byte = line_.front();
        line_.pop_front();
        return byte;
    }

    void DiscardPending() override { line_.clear(); }

    bool Write(std::span<const std::uint8_t> bytes) override {
        writeSizes.push_back(bytes.size());
        for (std::uint8_t byte : bytes) {
            if (requests_.Feed(byte) == FrameParser::Status::Good && !replies.empty()) {
                line_.insert(line_.end(), replies.front().begin(), replies.front().end());
                replies.pop_front();
            }
        }
        return open_;
    }

    // Bytes already waiting on the line before the next request.
    void Inject(const Bytes& bytes) { line_.insert(line_.end(), bytes.begin(), bytes.end()); }

    std::deque<Bytes> replies;
    std::vector<std::size_t> writeSizes;

private:
    VirtualClock& clock_;
    bool open_ = false;
    std::deque<std::uint8_t> line_;
    FrameParser requests_{FrameParser::Accept::AnyHeader, kMaxFramePayload};
};

// Every number maps to a port name, as a machine with all 256 ports would.
class AnyPortCatalogue final : public PortCatalogue {
public:
    void Refresh() override {}
    std::optional<std::string> PortName(std::uint8_t number) const override {
        return "COM" + std::to_string(number);
    }
};

}  // namespace vemo::test
