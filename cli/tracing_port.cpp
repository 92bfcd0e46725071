#include "cli/tracing_port.h"

#include <cstdio>

#include "link/command_codes.h"

namespace vemo {

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        text += digits;
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string Word(std::span<const std::uint8_t> payload) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", payload[1] | payload[2] << 8);
    return text;
}

std::string Count(std::size_t bytes) {
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// Low 8 bits of each byte up to the terminator, as the device reads a command line or a path.
std::string Text(std::span<const std::uint8_t> bytes) {
    std::string text = "\"";
    for (std::uint8_t byte : bytes) {
        if (byte == 0) {
            break;
        }
        text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    }
    return text + "\"";
}

std::string DescribeObjectAccess(std::span<const std::uint8_t> payload) {
    if (payload.empty()) {
        return "ObjectAccess (empty)";
    }
    const std::uint8_t sub = payload[0];
    const std::size_t size = payload.size();
    if (sub == object_access::StartImage && size == 1) {
        return "ObjectAccess start image";
    }
    if (sub == object_access::OpenForWriting && size == 3) {
        return "ObjectAccess open " + Word(payload) + " for writing";
    }
    if (sub == object_access::OpenForReading && size == 3) {
        return "ObjectAccess open " + Word(payload) + " for reading";
    }
    if (sub == object_access::WriteMemory && size >= 4) {
        char address[12];
        std::snprintf(address, sizeof address, "0x%06X",
                      payload[1] << 16 | payload[2] << 8 | payload[3]);
        return "ObjectAccess write image at " + std::string(address) + ", " + Count(size - 4);
    }
    if (sub == object_access::Close && size == 1) {
        return "ObjectAccess close";
    }
    if (sub == object_access::Read && size == 3) {
        return "ObjectAccess read " + Count(static_cast<std::size_t>(payload[1] | payload[2] << 8));
    }
    if (sub == object_access::Write) {
        return "ObjectAccess write " + Count(size - 1);
    }
    return "ObjectAccess (unknown form)";
}

std::string DescribeRemoteFile(std::span<const std::uint8_t> payload) {
    if (payload.empty()) {
        return "RemoteFile (empty)";
    }
    switch (payload[0]) {
        case remote_file::OpenForWriting:
            return "RemoteFile open " + Text(payload.subspan(1));
        case remote_file::Append:
            return "RemoteFile append " + Count(payload.size() - 1);
        case remote_file::Close:
            return "RemoteFile close";
        default:
            return "RemoteFile (unknown form)";
    }
}

}  // namespace

std::string DescribeRequest(std::uint8_t header, std::span<const std::uint8_t> payload) {
    switch (header & 0xF0) {
        case command::Identify:
            return "Identify";
        case command::Restart82:
            return "Restart (model 0x82)";
        case command::WriteParameters:
            return "WriteParameters, " + Count(payload.size());
        case command::ReadParameters:
            return "ReadParameters";
        case command::CommandLine:
            return "CommandLine " + Text(payload);
        case command::RemoteFile:
            return DescribeRemoteFile(payload);
        case command::WriteDone:
            return "WriteDone";
        case command::ObjectAccess:
            return DescribeObjectAccess(payload);
        case command::Restart78:
            return "Restart (model 0x78)";
        default:
            return "unknown command";
    }
}

TracingPort::TracingPort(SerialPort& port, Clock& clock, LineSink sink)
    : port_(port), clock_(clock), sink_(std::move(sink)), start_(clock.Now()) {}

void TracingPort::Emit(std::string_view direction, std::vector<std::uint8_t>& raw,
                       const std::string& meaning) {
    const long long elapsed = (clock_.Now() - start_).count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%7lld.%03lld ", elapsed / 1000, elapsed % 1000);
    std::string line = stamp;
    line += direction;
    if (!raw.empty()) {
        line += " " + Hex(raw) + " ";
    }
    line += " " + meaning;
    sink_(line);
    raw.clear();
}

bool TracingPort::Open(const std::string& name) {
    const bool opened = port_.Open(name);
    std::vector<std::uint8_t> none;
    Emit("--", none, "open " + name + (opened ? "" : ": failed"));
    requests_.Reset();
    replies_.Reset();
    return opened;
}

void TracingPort::Close() {
    if (port_.IsOpen()) {
        std::vector<std::uint8_t> none;
        Emit("--", none, "close");
    }
    port_.Close();
}

std::optional<std::uint8_t> TracingPort::ReadByte() {
    const std::optional<std::uint8_t> byte = port_.ReadByte();
    if (!byte) {
        return byte;
    }
    received_.push_back(*byte);
    switch (replies_.Feed(*byte)) {
        case FrameParser::Status::Incomplete:
            break;
        case FrameParser::Status::Good: {
            const bool refusal = (replies_.Header() & 0xF0) == kReplyRefusal;
            Emit("<<", received_,
                 refusal
                     ? "refusal"
                     : "reply, " + std::to_string(replies_.Payload().size()) + " payload bytes");
            break;
        }
        case FrameParser::Status::Bad:
            Emit("<<", received_, "bad frame");
            break;
    }
    return byte;
}

bool TracingPort::Write(std::span<const std::uint8_t> bytes) {
    if (!received_.empty()) {
        // What came since the last whole reply: late bytes or the start of one cut short.
        Emit("<<", received_, "not a whole frame");
        replies_.Reset();
    }
    for (std::uint8_t byte : bytes) {
        sent_.push_back(byte);
        if (requests_.Feed(byte) == FrameParser::Status::Good) {
            Emit(">>", sent_, DescribeRequest(requests_.Header(), requests_.Payload()));
            replies_.Reset();
        }
    }
    return port_.Write(bytes);
}

}  // namespace vemo
