#include "app/panel_options.h"

#include "link/device_identity.h"

namespace vemo {

bool ParsePanelOptions(const std::vector<std::string>& args, PanelOptions& options,
                       std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--port" && hasValue) {
            options.ports.push_back(args[++i]);
        } else if (arg == "--simulate" && hasValue) {
            std::uint8_t model = 0;
            if (!ParseModelCode(args[++i], model)) {
                error = "--simulate takes 0x82 or 0x78";
                return false;
            }
            options.simulateModel = model;
        } else {
            error = "unknown or incomplete option " + arg;
            return false;
        }
    }
    return true;
}

}  // namespace vemo
