#pragma once

#include <QSerialPort>

#include "platform/serial_port.h"

namespace vemo {

// SerialPort on Qt Serial Port: real ports and pseudo-terminals alike, locked for exclusive
// use. Works without an event loop: reads wait with waitForReadyRead.
class QtSerialPort final : public SerialPort {
public:
    bool Open(const std::string& name) override;
    bool IsOpen() const override;
    void Close() override;
    std::optional<std::uint8_t> ReadByte() override;
    void DiscardPending() override;
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    QSerialPort port_;
};

// The machine's serial ports sorted by name, after the ports the user named and the built-in
// simulator's pseudo-terminal, which come first in the order given.
class SystemPortCatalogue final : public PortCatalogue {
public:
    explicit SystemPortCatalogue(std::vector<std::string> preferredPorts);
    void Refresh() override;
    std::optional<std::string> PortName(std::uint8_t number) const override;

private:
    std::vector<std::string> preferred_;
    std::vector<std::string> ports_;
};

}  // namespace vemo
