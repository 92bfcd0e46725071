#include "app/panel_options.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(PanelOptions, PortsKeepTheirOrderAndSimulateTakesAModel) {
    PanelOptions options;
    std::string error;
    ASSERT_TRUE(ParsePanelOptions(
        {"--port", "/dev/ttyUSB1", "--simulate", "0x78", "--port", "/dev/ttyS0"}, options, error));
    EXPECT_EQ(options.ports, (std::vector<std::string>{"/dev/ttyUSB1", "/dev/ttyS0"}));
    EXPECT_EQ(options.simulateModel, 0x78);
}

TEST(PanelOptions, BadOptionsAreRefusedWithAReason) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--simulate", "0x99"}, {"--port"}, {"--bogus"}}) {
        PanelOptions options;
        std::string error;
        EXPECT_FALSE(ParsePanelOptions(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace vemo
