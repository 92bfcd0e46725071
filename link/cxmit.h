#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "link/device_identity.h"
#include "link/frame_codec.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace vemo {

// The link to the device: one request frame out, one reply frame back, on the port found by
// the scan. Every call blocks until the reply is complete or its time-out has passed.
class CXmit {
public:
    static constexpr std::size_t kReplyCapacity = 4096;
    // A command line and a device path are sent from a 256-byte buffer with a zero byte.
    static constexpr std::size_t kMaxCommandLine = 255;
    static constexpr std::size_t kMaxRemotePath = 254;

    CXmit(SerialPort& port, PortCatalogue& catalogue, Clock& clock);

    // Sends one request and waits for its reply. True for a positive reply with a good check
    // byte. A refusal returns false and leaves LinkLost alone; no port, silence until the
    // time-out, a bad check byte or an oversized reply return false and raise LinkLost. The
    // reply payload stays readable until the next transaction, also after a refusal.
    bool Transact(std::uint8_t command, std::span<const std::uint8_t> payload,
                  Milliseconds timeout);

    // Writes data into the firmware image area at a 24-bit address (bits 31-24 are not sent).
    bool WriteMemory(std::uint32_t address, std::span<const std::uint8_t> data);

    // The recurring requests. Each returns what Transact returned.
    //
    // ObjectAccess on the numbered object opened last: open, read, write, close. A read
    // copies the reply payload into `destination`, never beyond its size.
    bool OpenObjectForReading(std::uint16_t id);
    bool OpenObjectForWriting(std::uint16_t id);
    bool ReadData(std::uint16_t count, std::span<std::uint8_t> destination);
    bool WriteData(std::span<const std::uint8_t> data);
    bool CloseObject(Milliseconds wait);
    // Writes a whole object: open, the data in one request, close. Stops at the first request
    // the device does not accept: the close is what makes the device take the new content, so
    // an object whose data did not all go through is never closed over the old one.
    bool WriteObject(std::uint16_t id, std::span<const std::uint8_t> data);
    // Model 0x78: the parameters or the IQ table just written take effect.
    bool WriteDone();
    // Model 0x82: a shell command line on the device. Texts keep the low 8 bits of each
    // character; a line over kMaxCommandLine characters is refused and nothing is sent.
    bool SendCommandLine(std::u16string_view text);
    // Model 0x82: opens a device file for writing; paths over kMaxRemotePath are refused.
    bool OpenRemoteFile(std::u16string_view path);
    // Restarts the device with the code of its model.
    bool Restart();

    // Walks the port numbers from the remembered one, wrapping at 256, and keeps the first
    // port whose device identifies itself with a known model and a non-zero software version.
    // False when none did; no port is then open.
    bool FindDevice();

    // One step of the scan: opens the port of `number` and asks its device to identify itself.
    // True, with the port left open, when it did; otherwise the port is closed. Remembers
    // nothing, so listing every device on the machine does not move the next scan's start.
    // The catalogue is not refreshed here.
    bool ProbePort(std::uint8_t number);

    // Asks the open port's device to identify itself again. Returns its software version, 0
    // on failure (identity unchanged). The reply payload is copied into `destination`, cut to
    // its size.
    std::uint8_t PollStatus(std::span<std::uint8_t> destination = {});

    void ClosePort() { port_.Close(); }
    bool IsPortOpen() const { return port_.IsOpen(); }
    std::uint8_t PortNumber() const { return portNumber_; }

    const DeviceIdentity& Identity() const { return identity_; }
    std::uint8_t ReplyClass() const { return replyClass_; }
    std::span<const std::uint8_t> ReplyPayload() const { return parser_.Payload(); }
    int ReplyLength() const { return static_cast<int>(parser_.Payload().size()); }

    bool LinkLost() const { return linkLost_; }
    // Reads and clears LinkLost in one step, as the link watch does.
    bool TakeLinkLost();

private:
    bool ReadReply(Milliseconds timeout);
    void Drain();
    // Takes DeviceIdentity from the last reply when it is an identification of a known model.
    bool AcceptIdentification();

    SerialPort& port_;
    PortCatalogue& catalogue_;
    Clock& clock_;
    FrameParser parser_{FrameParser::Accept::Replies, kReplyCapacity};
    DeviceIdentity identity_;
    std::uint8_t portNumber_ = 0;
    std::uint8_t replyClass_ = 0;
    bool linkLost_ = false;
};

}  // namespace vemo
