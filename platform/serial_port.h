#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vemo {

// One serial line to the device, opened for exclusive use at 115200 baud, 8 data bits, no
// parity, one stop bit.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the named port (a device path here, "\\.\COM<n>" on Windows). Closes any port that
    // was open first. Returns false when the port does not exist, is held by another program
    // or cannot be configured; the port is then not open.
    virtual bool Open(const std::string& name) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    // Reads one byte. Returns it when one arrives within about 2 ms; returns nothing after that
    // wait, or at once when the port is not open or the read fails. The link's parser relies on
    // the short wait to look at its clock often.
    virtual std::optional<std::uint8_t> ReadByte() = 0;

    // Throws away the bytes that have arrived and not been read, without waiting for more.
    // Nothing when the port is not open.
    virtual void DiscardPending() = 0;

    // Writes all bytes in one call. Returns false when the port is not open or the write failed;
    // how many bytes left the port is then unknown.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

// Maps the scan's port numbers 0-255 onto ports of this machine.
class PortCatalogue {
public:
    virtual ~PortCatalogue() = default;
    // Looks at the machine's ports again; called once at the start of every scan, so a USB
    // adapter plugged in meanwhile is found.
    virtual void Refresh() = 0;
    // The name to open for a port number, or nothing when that number has no port.
    virtual std::optional<std::string> PortName(std::uint8_t number) const = 0;
};

}  // namespace vemo
