#include "cli/device_connection.h"

#include <vector>

namespace vemo {

namespace {
// A restarting device is silent for a few seconds; the window tries again every second.
constexpr Milliseconds kRestartWait{60000};
constexpr Milliseconds kRestartRetry{1000};
}  // namespace

DeviceConnection::DeviceConnection(CliMachine& machine, const GlobalOptions& options,
                                   Console& console)
    : machine_(machine), options_(options), console_(console) {}

DeviceConnection::~DeviceConnection() {
    if (xmit_) {
        xmit_->ClosePort();
    }
}

ExitCode DeviceConnection::Prepare() {
    if (xmit_) {
        return ExitCode::Success;
    }
    std::vector<std::string> preferred;
    if (options_.simulateModel) {
        std::string error;
        const std::optional<std::string> port =
            machine_.SimulateDevice(*options_.simulateModel, error);
        if (!port) {
            return console_.Fail(ExitCode::Usage, "no simulated device: " + error);
        }
        preferred.push_back(*port);
    }
    preferred.insert(preferred.end(), options_.ports.begin(), options_.ports.end());
    catalogue_ = machine_.Catalogue(std::move(preferred));
    SerialPort* port = &machine_.Port();
    if (options_.trace) {
        tracing_ =
            std::make_unique<TracingPort>(machine_.Port(), machine_.Time(),
                                          [this](std::string_view line) { console_.Trace(line); });
        port = tracing_.get();
    }
    xmit_ = std::make_unique<CXmit>(*port, *catalogue_, machine_.Time());
    return ExitCode::Success;
}

ExitCode DeviceConnection::Connect() {
    if (const ExitCode prepared = Prepare(); prepared != ExitCode::Success) {
        return prepared;
    }
    // One scan a run: a command that needs the device twice keeps the port it found.
    if (connected_ && xmit_->IsPortOpen()) {
        return ExitCode::Success;
    }
    connected_ = xmit_->FindDevice();
    return connected_ ? ExitCode::Success : NoDeviceFound();
}

bool DeviceConnection::FindAfterRestart() {
    Clock& clock = machine_.Time();
    const Milliseconds start = clock.Now();
    while (!xmit_->FindDevice()) {
        if (clock.Now() - start >= kRestartWait) {
            return false;
        }
        clock.Sleep(kRestartRetry);
    }
    return true;
}

ExitCode DeviceConnection::NoDeviceFound() {
    return console_.Fail(ExitCode::NoDevice,
                         "no device answered on any serial port; check that it is powered and "
                         "cabled, or name its port with --port PATH");
}

std::string DeviceConnection::PortName() const {
    return catalogue_->PortName(xmit_->PortNumber()).value_or("?");
}

ExitCode DeviceConnection::Check(bool accepted, std::string_view doing) {
    if (xmit_->TakeLinkLost()) {
        return console_.Fail(ExitCode::DeviceFailed,
                             "the device stopped answering while " + std::string(doing) +
                                 "; check the cable and power, then run the command again");
    }
    if (!accepted) {
        return console_.Fail(ExitCode::DeviceFailed, "the device refused " + std::string(doing));
    }
    return ExitCode::Success;
}

}  // namespace vemo
