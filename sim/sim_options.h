#pragma once

#include <string>

#include "link/device_identity.h"
#include "sim/sim_device.h"

namespace vemo {

// The simulated device as chosen on a command line.
struct SimOptions {
    SimIdentity identity;
    bool paced = false;
    bool help = false;
};

inline constexpr const char* kSimOptionsUsage =
    "usage: vemo-devsim [--model 0x82|0x78] [--sw N] [--hw N] [--paced]\n"
    "  --model   device model code (default 0x82)\n"
    "  --sw      software version byte, 22 means 2.2 (default 22)\n"
    "  --hw      hardware version (default 0; 3 or later enables the IQ table on 0x78)\n"
    "  --paced   send at the real line rate, 115200 baud\n"
    "SIGUSR1 changes the frequency on the device, as its own controls would.\n";

// The device a program's --simulate MODEL starts: model 0x82 at software 2.2 without a
// hardware version, model 0x78 at 2.3 on hardware 3 (which has the IQ table).
SimIdentity SimulatedIdentity(std::uint8_t model);

bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string& error);

}  // namespace vemo
