#include "cli/system_machine.h"

#include "sim/sim_options.h"

namespace vemo {

SystemMachine::SystemMachine() = default;

SystemMachine::~SystemMachine() {
    // The port is closed before the simulated device's line goes away.
    port_.Close();
}

std::unique_ptr<PortCatalogue> SystemMachine::Catalogue(std::vector<std::string> preferredPorts) {
    return std::make_unique<SystemPortCatalogue>(std::move(preferredPorts));
}

std::optional<std::string> SystemMachine::SimulateDevice(std::uint8_t model, std::string& error) {
    simulated_ = std::make_unique<SimDevice>(SimulatedIdentity(model));
    line_ = std::make_unique<PtyDevice>(*simulated_, PtyDevice::Options{});
    if (!line_->Start()) {
        error = line_->Error();
        return std::nullopt;
    }
    return line_->Path();
}

}  // namespace vemo
