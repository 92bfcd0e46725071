// The real window under Xvfb, on its built-in simulated device: a picture of the connected
// window, checked for the size the layout gives and for drawn content.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "app/c_info.h"
#include "params/panel/c_setting.h"
#include "support/panel_rig.h"

namespace vemo {
namespace {

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(Screenshot, ConnectedWindowOfModel78InNormalMode) {
    for (const char* tool : {"xvfb-run", "xwininfo", "import"}) {
        if (!HaveTool(tool)) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    // An empty working folder: English, no manufacturer mode.
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "vemo-screenshot";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path picture = folder / "window.png";
    const std::string command = "cd '" + folder.string() +
                                "' && VEMO_PANEL='" VEMO_PANEL_PATH "' '" VEMO_SCREENSHOT_SCRIPT
                                "' 0x78 '" +
                                picture.string() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    // Xvfb runs no window manager, so the window has no frame: its picture is the panels
    // and the 20 pixels the layout adds.
    test::PanelRig rig;
    const CSetting setting(rig.Context());
    const CInfo info(rig.clock);
    EXPECT_EQ(image.width(), setting.FullSize().width());
    EXPECT_EQ(image.height(), setting.UpperAreaHeight() + info.height() + 20);

    // Drawn: text and control borders in many shades, and a good share of dark pixels.
    std::set<QRgb> shades;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            shades.insert(pixel);
            dark += qGray(pixel) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(shades.size(), 16u);
    EXPECT_GT(dark, image.width() * image.height() / 100);
}

}  // namespace
}  // namespace vemo
