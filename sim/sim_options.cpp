#include "sim/sim_options.h"

#include <charconv>
#include <cstring>

namespace vemo {

namespace {
bool ParseByte(const std::string& text, std::uint8_t& value) {
    unsigned parsed = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed > 255) {
        return false;
    }
    value = static_cast<std::uint8_t>(parsed);
    return true;
}
}  // namespace

SimIdentity SimulatedIdentity(std::uint8_t model) {
    SimIdentity identity;
    identity.ModelCode = model;
    identity.SoftwareVersion = model == kModel82 ? 22 : 23;
    identity.HardwareVersion = model == kModel82 ? 0 : 3;
    return identity;
}

bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--paced") {
            options.paced = true;
        } else if (arg == "--model" && hasValue) {
            if (!ParseModelCode(argv[++i], options.identity.ModelCode)) {
                error = "--model takes 0x82 or 0x78";
                return false;
            }
        } else if (arg == "--sw" && hasValue) {
            if (!ParseByte(argv[++i], options.identity.SoftwareVersion)) {
                error = "--sw takes a number from 0 to 255";
                return false;
            }
        } else if (arg == "--hw" && hasValue) {
            if (!ParseByte(argv[++i], options.identity.HardwareVersion)) {
                error = "--hw takes a number from 0 to 255";
                return false;
            }
        } else {
            error = "unknown or incomplete option " + arg;
            return false;
        }
    }
    return true;
}

}  // namespace vemo
