#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

// vemo-panel's command line: where to look for the device before the machine's own ports.
struct PanelOptions {
    std::vector<std::string> ports;             // --port PATH, tried first, in order
    std::optional<std::uint8_t> simulateModel;  // --simulate 0x82|0x78
    bool help = false;
};

inline constexpr const char* kPanelUsage =
    "usage: vemo-panel [--port PATH]... [--simulate 0x82|0x78]\n"
    "  --port PATH       a serial device to try before the machine's own ports (repeatable)\n"
    "  --simulate MODEL  start a simulated device of that model on a pseudo-terminal and\n"
    "                    try it first\n";

bool ParsePanelOptions(const std::vector<std::string>& args, PanelOptions& options,
                       std::string& error);

}  // namespace vemo
