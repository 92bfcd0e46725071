// The recurring requests of the device's command set, built on CXmit::Transact.
#include <algorithm>
#include <optional>
#include <vector>

#include "link/command_codes.h"
#include "link/cxmit.h"

namespace vemo {

namespace {

std::vector<std::uint8_t> SubCommandWithWord(std::uint8_t sub, std::uint16_t word) {
    return {sub, static_cast<std::uint8_t>(word & 0xFF), static_cast<std::uint8_t>(word >> 8)};
}

// The sub-command, the text's low 8 bits and a zero byte.
std::vector<std::uint8_t> TextPayload(std::optional<std::uint8_t> sub, std::u16string_view text) {
    std::vector<std::uint8_t> payload;
    payload.reserve(text.size() + 2);
    if (sub) {
        payload.push_back(*sub);
    }
    for (char16_t c : text) {
        payload.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    payload.push_back(0);
    return payload;
}

}  // namespace

bool CXmit::OpenObjectForReading(std::uint16_t id) {
    return Transact(command::ObjectAccess, SubCommandWithWord(object_access::OpenForReading, id),
                    timeouts::Short);
}

bool CXmit::OpenObjectForWriting(std::uint16_t id) {
    return Transact(command::ObjectAccess, SubCommandWithWord(object_access::OpenForWriting, id),
                    timeouts::Short);
}

bool CXmit::ReadData(std::uint16_t count, std::span<std::uint8_t> destination) {
    if (!Transact(command::ObjectAccess, SubCommandWithWord(object_access::Read, count),
                  timeouts::Data)) {
        return false;
    }
    const std::span<const std::uint8_t> reply = ReplyPayload();
    std::copy_n(reply.begin(), std::min(reply.size(), destination.size()), destination.begin());
    return true;
}

bool CXmit::WriteData(std::span<const std::uint8_t> data) {
    if (data.size() >= kMaxFramePayload) {
        return false;  // would not fit one frame with its sub-command
    }
    std::vector<std::uint8_t> payload;
    payload.reserve(data.size() + 1);
    payload.push_back(object_access::Write);
    payload.insert(payload.end(), data.begin(), data.end());
    return Transact(command::ObjectAccess, payload, timeouts::Data);
}

bool CXmit::CloseObject(Milliseconds wait) {
    const std::uint8_t close[] = {object_access::Close};
    return Transact(command::ObjectAccess, close, wait);
}

bool CXmit::WriteObject(std::uint16_t id, std::span<const std::uint8_t> data) {
    return OpenObjectForWriting(id) && WriteData(data) && CloseObject(timeouts::Data);
}

bool CXmit::WriteDone() {
    return Transact(command::WriteDone, {}, timeouts::Short);
}

bool CXmit::SendCommandLine(std::u16string_view text) {
    if (text.size() > kMaxCommandLine) {
        return false;
    }
    return Transact(command::CommandLine, TextPayload(std::nullopt, text), timeouts::Data);
}

bool CXmit::OpenRemoteFile(std::u16string_view path) {
    if (path.size() > kMaxRemotePath) {
        return false;
    }
    return Transact(command::RemoteFile, TextPayload(remote_file::OpenForWriting, path),
                    timeouts::RemoteFileOpen);
}

bool CXmit::Restart() {
    const std::uint8_t code = identity_.IsModel82() ? command::Restart82 : command::Restart78;
    return Transact(code, {}, timeouts::Short);
}

}  // namespace vemo
