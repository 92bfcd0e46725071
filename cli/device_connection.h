#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/cli_machine.h"
#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/exit_code.h"
#include "cli/tracing_port.h"
#include "link/cxmit.h"

namespace vemo {

// The link of one `vemo` run, set up as the window sets up its own: the ports named with
// --port (and a simulated device's) first, then the machine's; the frames traced with --trace.
class DeviceConnection {
public:
    DeviceConnection(CliMachine& machine, const GlobalOptions& options, Console& console);
    // The port is closed at the end of the run.
    ~DeviceConnection();
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    // Starts the simulated device (--simulate) and sets the link up, once; sends nothing.
    // Usage, said on the console, when the simulated device cannot be started.
    ExitCode Prepare();
    // Prepares, then scans for the device as the window does, unless a device is already
    // connected. NoDevice, said on the console, when none identified itself.
    ExitCode Connect();

    // After a restart: scans until the device answers again, for as long as a device takes to
    // store an image and start. False when it did not come back.
    bool FindAfterRestart();

    // Tells the user that no port had a device; returns NoDevice.
    ExitCode NoDeviceFound();

    CXmit& Xmit() { return *xmit_; }
    PortCatalogue& Catalogue() { return *catalogue_; }
    // The name of the port the scan kept.
    std::string PortName() const;

    // DeviceFailed, said on the console, when the device stopped answering or refused
    // (`accepted` false) while `doing`; Success otherwise.
    ExitCode Check(bool accepted, std::string_view doing);

private:
    CliMachine& machine_;
    const GlobalOptions& options_;
    Console& console_;
    std::optional<std::string> simulatedPort_;
    std::unique_ptr<PortCatalogue> catalogue_;
    std::unique_ptr<TracingPort> tracing_;
    std::unique_ptr<CXmit> xmit_;
    bool connected_ = false;
};

}  // namespace vemo
