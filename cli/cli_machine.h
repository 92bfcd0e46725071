#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace vemo {

// What a `vemo` run works on: the machine's serial ports and clock, or a test's simulated ones.
class CliMachine {
public:
    virtual ~CliMachine() = default;
    virtual SerialPort& Port() = 0;
    virtual Clock& Time() = 0;
    // The scan's port list: `preferredPorts` first, in order, then the machine's own.
    virtual std::unique_ptr<PortCatalogue> Catalogue(std::vector<std::string> preferredPorts) = 0;
    // Starts a simulated device of `model` for the rest of the run and returns the port it
    // answers on; nothing, with `error` set, when it cannot be started.
    virtual std::optional<std::string> SimulateDevice(std::uint8_t model, std::string& error) = 0;
};

}  // namespace vemo
