#include "link/cxmit.h"

#include "link/command_codes.h"

#include <algorithm>
#include <vector>

namespace vemo {

namespace {
// The port driver takes a frame in pieces of at most this many bytes.
constexpr std::size_t kWritePiece = 256;
}  // namespace

CXmit::CXmit(SerialPort& port, PortCatalogue& catalogue, Clock& clock)
    : port_(port), catalogue_(catalogue), clock_(clock) {}

bool CXmit::Transact(std::uint8_t command, std::span<const std::uint8_t> payload,
                     Milliseconds timeout) {
    parser_.Reset();
    if (!port_.IsOpen()) {
        linkLost_ = true;
        return false;
    }
    if (payload.size() > kMaxFramePayload) {
        return false;  // Cannot be framed; nothing was sent, so the link is not in question.
    }
    Drain();
    const std::vector<std::uint8_t> frame = BuildFrame(command, payload);
    for (std::size_t sent = 0; sent < frame.size(); sent += kWritePiece) {
        const std::size_t piece = std::min(kWritePiece, frame.size() - sent);
        if (!port_.Write(std::span(frame).subspan(sent, piece))) {
            break;  // The reply will not come; the read below times out.
        }
    }
    if (!ReadReply(timeout)) {
        linkLost_ = true;
        return false;
    }
    return replyClass_ != kReplyRefusal;
}

void CXmit::Drain() {
    // Only what has already arrived: waiting for a read to come back empty would cost every
    // transaction a read time-out, and the device never speaks unasked.
    port_.DiscardPending();
}

bool CXmit::ReadReply(Milliseconds timeout) {
    const Milliseconds start = clock_.Now();
    while (clock_.Now() - start < timeout) {
        const std::optional<std::uint8_t> byte = port_.ReadByte();
        if (!byte) {
            continue;
        }
        switch (parser_.Feed(*byte)) {
            case FrameParser::Status::Incomplete:
                break;
            case FrameParser::Status::Good:
                replyClass_ = parser_.Header() & 0xF0;
                return true;
            case FrameParser::Status::Bad:
                return false;
        }
    }
    return false;
}

bool CXmit::WriteMemory(std::uint32_t address, std::span<const std::uint8_t> data) {
    if (data.size() > 0xFFFF) {
        return false;
    }
    std::vector<std::uint8_t> payload;
    payload.reserve(data.size() + 4);
    payload.push_back(object_access::WriteMemory);
    payload.push_back(static_cast<std::uint8_t>(address >> 16));
    payload.push_back(static_cast<std::uint8_t>(address >> 8));
    payload.push_back(static_cast<std::uint8_t>(address));
    payload.insert(payload.end(), data.begin(), data.end());
    return Transact(command::ObjectAccess, payload, timeouts::Data);
}

bool CXmit::AcceptIdentification() {
    const std::span<const std::uint8_t> reply = ReplyPayload();
    // Without a version byte the answer cannot be a device of ours.
    if (reply.size() < 2 || !IsKnownModel(reply[0])) {
        return false;
    }
    identity_.ModelCode = reply[0];
    identity_.SoftwareVersion = reply[1];
    identity_.HardwareVersion = reply.size() > 3 ? reply[3] : 0;
    return true;
}

bool CXmit::ProbePort(std::uint8_t number) {
    port_.Close();
    const std::optional<std::string> name = catalogue_.PortName(number);
    if (!name || !port_.Open(*name)) {
        return false;
    }
    if (Transact(command::Identify, {}, timeouts::Short) && AcceptIdentification() &&
        identity_.SoftwareVersion != 0) {
        return true;
    }
    port_.Close();
    return false;
}

bool CXmit::FindDevice() {
    port_.Close();
    catalogue_.Refresh();
    std::uint8_t number = portNumber_;
    do {
        if (ProbePort(number)) {
            portNumber_ = number;
            linkLost_ = false;
            return true;
        }
        number = static_cast<std::uint8_t>(number + 1);
    } while (number != portNumber_);
    return false;
}

std::uint8_t CXmit::PollStatus(std::span<std::uint8_t> destination) {
    if (!Transact(command::Identify, {}, timeouts::Short) || !AcceptIdentification()) {
        return 0;
    }
    const std::span<const std::uint8_t> reply = ReplyPayload();
    const std::size_t count = std::min(reply.size(), destination.size());
    std::copy_n(reply.begin(), count, destination.begin());
    return identity_.SoftwareVersion;
}

bool CXmit::TakeLinkLost() {
    const bool lost = linkLost_;
    linkLost_ = false;
    return lost;
}

}  // namespace vemo
