// scan and restart: the device as the link finds it.
#include <cstdio>

#include "cli/commands.h"

namespace vemo {

namespace {

void ShowDevice(CommandContext& context, const std::string& port) {
    const DeviceIdentity& identity = context.device.Xmit().Identity();
    context.console.Result(port + ": model " + ModelText(identity.ModelCode) + ", software " +
                               VersionText(identity.SoftwareVersion) + ", hardware " +
                               std::to_string(identity.HardwareVersion) + "\n",
                           JsonObject()
                               .String("type", "device")
                               .String("port", port)
                               .String("model", ModelText(identity.ModelCode))
                               .String("software", VersionText(identity.SoftwareVersion))
                               .Number("hardware", identity.HardwareVersion));
}

}  // namespace

std::string ModelText(std::uint8_t model) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", model);
    return text;
}

std::string VersionText(std::uint8_t version) {
    return std::to_string(version / 10) + "." + std::to_string(version % 10);
}

ExitCode RunScan(CommandContext& context) {
    DeviceConnection& device = context.device;
    if (!context.line.all) {
        if (const ExitCode connected = device.Connect(); connected != ExitCode::Success) {
            return connected;
        }
        ShowDevice(context, device.PortName());
        return ExitCode::Success;
    }
    if (const ExitCode prepared = device.Prepare(); prepared != ExitCode::Success) {
        return prepared;
    }
    PortCatalogue& catalogue = device.Catalogue();
    catalogue.Refresh();
    int found = 0;
    for (int number = 0; number < 256; ++number) {
        const auto portNumber = static_cast<std::uint8_t>(number);
        if (device.Xmit().ProbePort(portNumber)) {
            ++found;
            ShowDevice(context, catalogue.PortName(portNumber).value_or("?"));
        }
    }
    device.Xmit().ClosePort();
    return found == 0 ? device.NoDeviceFound() : ExitCode::Success;
}

ExitCode RunRestart(CommandContext& context) {
    DeviceConnection& device = context.device;
    if (const ExitCode connected = device.Connect(); connected != ExitCode::Success) {
        return connected;
    }
    const bool accepted = device.Xmit().Restart();
    device.Xmit().ClosePort();
    if (const ExitCode checked = device.Check(accepted, "the restart");
        checked != ExitCode::Success) {
        return checked;
    }
    // The next command should find the device up again.
    if (!device.FindAfterRestart()) {
        return context.console.Fail(ExitCode::DeviceFailed,
                                    "the device did not answer again after its restart");
    }
    context.console.Result("restarted\n", JsonObject().String("type", "restarted"));
    return ExitCode::Success;
}

}  // namespace vemo
