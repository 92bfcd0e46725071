#include "link/frame_codec.h"

namespace vemo {

namespace {

class FrameWriter {
public:
    explicit FrameWriter(std::size_t payloadSize) {
        // Worst case: every byte after the start doubled.
        bytes_.reserve(2 * (payloadSize + 4) + 1);
        bytes_.push_back(kFrameStart);
    }
    void Add(std::uint8_t byte) {
        check_ ^= byte;
        AddRaw(byte);
    }
    std::vector<std::uint8_t> Finish() {
        AddRaw(check_);
        return std::move(bytes_);
    }

private:
    void AddRaw(std::uint8_t byte) {
        bytes_.push_back(byte);
        if (byte == kFrameStart) {
            bytes_.push_back(byte);
        }
    }
    std::vector<std::uint8_t> bytes_;
    std::uint8_t check_ = 0;
};

}  // namespace

std::vector<std::uint8_t> BuildFrame(std::uint8_t kind, std::span<const std::uint8_t> payload) {
    const std::size_t n = payload.size();
    FrameWriter frame(n);
    const auto high = static_cast<std::uint8_t>(kind & 0xF0);
    if (n <= 3) {
        frame.Add(static_cast<std::uint8_t>(high | n));
    } else if (n <= 255) {
        frame.Add(high | 0x04);
        frame.Add(static_cast<std::uint8_t>(n));
    } else {
        frame.Add(high | 0x08);
        frame.Add(static_cast<std::uint8_t>(n >> 8));
        frame.Add(static_cast<std::uint8_t>(n & 0xFF));
    }
    for (std::uint8_t byte : payload) {
        frame.Add(byte);
    }
    return frame.Finish();
}

FrameParser::FrameParser(Accept accept, std::size_t capacity) : accept_(accept) {
    payload_.resize(capacity);
}

void FrameParser::Reset() {
    state_ = State::Idle;
    escape_ = false;
    expected_ = 0;
    index_ = 0;
}

std::span<const std::uint8_t> FrameParser::Payload() const {
    return {payload_.data(), index_};
}

bool FrameParser::AcceptsHeader(std::uint8_t byte) const {
    const std::uint8_t high = byte & 0xF0;
    return accept_ == Accept::AnyHeader || high == kReplyPositive || high == kReplyRefusal;
}

FrameParser::Status FrameParser::Feed(std::uint8_t byte) {
    if (state_ == State::Complete) {
        Reset();
    }
    if (escape_) {
        escape_ = false;
        if (byte != kFrameStart) {
            // A lone 0x02 starts a frame, abandoning any frame in progress.
            state_ = State::Header;
        }
    } else if (byte == kFrameStart) {
        escape_ = true;
        return Status::Incomplete;
    }
    return TakeByte(byte);
}

void FrameParser::AfterLength() {
    if (expected_ > payload_.size()) {
        state_ = State::Complete;
        return;
    }
    state_ = expected_ == 0 ? State::Check : State::Payload;
}

FrameParser::Status FrameParser::TakeByte(std::uint8_t byte) {
    check_ ^= byte;
    switch (state_) {
        case State::Idle:
        case State::Complete:
            return Status::Incomplete;
        case State::Header:
            if (!AcceptsHeader(byte)) {
                state_ = State::Idle;
                return Status::Incomplete;
            }
            header_ = byte;
            check_ = byte;
            index_ = 0;
            expected_ = byte & 0x03;
            if (byte & 0x08) {
                state_ = State::LengthHigh;
            } else if (byte & 0x04) {
                state_ = State::LengthLow;
            } else {
                AfterLength();
            }
            break;
        case State::LengthHigh:
            expected_ += 256u * byte;
            state_ = State::LengthLow;
            break;
        case State::LengthLow:
            expected_ += byte;
            AfterLength();
            break;
        case State::Payload:
            payload_[index_++] = byte;
            if (index_ == expected_) {
                state_ = State::Check;
            }
            break;
        case State::Check:
            state_ = State::Complete;
            return check_ == 0 ? Status::Good : Status::Bad;
    }
    // A declared length beyond the capacity ends the frame as soon as it is known.
    return state_ == State::Complete ? Status::Bad : Status::Incomplete;
}

}  // namespace vemo
