#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_machine.h"
#include "cli/run_vemo.h"
#include "firmware/firmware_rig.h"
#include "link/command_codes.h"
#include "params/parameter_block.h"
#include "sim/in_process_port.h"
#include "sim/sim_options.h"

namespace vemo::test {

// A simulated machine for `vemo`: simulated devices on in-process ports, on a virtual clock.
class TestMachine final : public CliMachine {
public:
    SerialPort& Port() override { return port; }
    Clock& Time() override { return clock; }
    std::unique_ptr<PortCatalogue> Catalogue(std::vector<std::string> preferredPorts) override {
        std::map<std::uint8_t, std::string> names;
        preferredPorts.insert(preferredPorts.end(), machinePorts.begin(), machinePorts.end());
        for (std::size_t i = 0; i < preferredPorts.size() && i < 256; ++i) {
            names[static_cast<std::uint8_t>(i)] = preferredPorts[i];
        }
        return std::make_unique<FixedPortCatalogue>(std::move(names));
    }
    std::optional<std::string> SimulateDevice(std::uint8_t model, std::string&) override {
        return Attach("sim" + std::to_string(devices.size()), SimulatedIdentity(model));
    }

    // A device of the machine's own on a new port.
    SimDevice& AddDevice(const std::string& portName, SimIdentity identity) {
        Attach(portName, identity);
        machinePorts.push_back(portName);
        return *devices.back();
    }

    VirtualClock clock;
    SimBus bus;
    InProcessPort port{bus, clock};
    std::vector<std::string> machinePorts;
    std::vector<std::unique_ptr<SimDevice>> devices;

private:
    std::string Attach(const std::string& portName, SimIdentity identity) {
        devices.push_back(std::make_unique<SimDevice>(identity));
        bus.AddPort(portName, devices.back().get());
        return portName;
    }
};

struct VemoResult {
    int exit = -1;
    std::string out;
    std::string err;
};

// The block the window builds from these values for the model.
inline Bytes BuiltBlock(std::uint8_t model, ParameterSet set, BlockImage image = {}) {
    std::array<std::uint8_t, kBlockCapacity> block{};
    std::size_t length = 0;
    EXPECT_TRUE(BuildParameterBlock(model, set, image, block, length));
    return Bytes(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
}

// Runs `vemo` with `args` on the test's machine, in the test's folder.
class CliTest : public testing::Test {
protected:
    VemoResult Vemo(std::vector<std::string> args, bool terminal = false) {
        std::ostringstream out;
        std::ostringstream err;
        VemoResult result;
        result.exit =
            RunVemo(args, machine, CliStreams{out, err, terminal, terminal}, folder.Path());
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // The model's block a device holds, as a parameter set.
    static ParameterSet Held(const SimDevice& device) {
        ParameterSet set;
        BlockImage image;
        EXPECT_EQ(ParseParameterBlock(device.identity.ModelCode, DeviceBlock(device), set, image),
                  BlockOutcome::Complete);
        return set;
    }
    static const std::vector<std::uint8_t>& DeviceBlock(const SimDevice& device) {
        return device.identity.ModelCode == kModel82
                   ? device.parameterBlock
                   : device.objects.at(object_id::CurrentParameters);
    }

    TestMachine machine;
    TempFolder folder;
};

}  // namespace vemo::test
