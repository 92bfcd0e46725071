#pragma once

#include <memory>

#include "cli/cli_machine.h"
#include "platform/qt_serial_port.h"
#include "sim/pty_device.h"

namespace vemo {

// The machine `vemo` runs on: its serial ports through Qt Serial Port, its monotonic clock,
// and a simulated device on a pseudo-terminal for --simulate.
class SystemMachine final : public CliMachine {
public:
    SystemMachine();
    ~SystemMachine() override;

    SerialPort& Port() override { return port_; }
    Clock& Time() override { return clock_; }
    std::unique_ptr<PortCatalogue> Catalogue(std::vector<std::string> preferredPorts) override;
    std::optional<std::string> SimulateDevice(std::uint8_t model, std::string& error) override;

private:
    SteadyClock clock_;
    QtSerialPort port_;
    std::unique_ptr<SimDevice> simulated_;
    std::unique_ptr<PtyDevice> line_;
};

}  // namespace vemo
