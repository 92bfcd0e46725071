// The real window under Xvfb, on its built-in simulated device: a picture of the connected
// window, checked for the size the layout gives and for drawn content.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Takes the picture of the connected window with `folder` as the working folder; a null
// image when the tools are missing (the test is then skipped).
QImage TakeScreenshot(const std::filesystem::path& folder, const char* model) {
    const std::filesystem::path picture = folder / "window.png";
    const std::string command = "cd '" + folder.string() +
                                "' && VEMO_PANEL='" VEMO_PANEL_PATH "' '" VEMO_SCREENSHOT_SCRIPT
                                "' " +
                                model + " '" + picture.string() + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return QImage(QString::fromStdString(picture.string()));
}

std::filesystem::path EmptyFolder(const char* name) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

class Screenshot : public testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"xvfb-run", "xwininfo", "import"}) {
            if (!HaveTool(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
    }

    // Xvfb runs no window manager, so the window has no frame: its picture is the panels
    // and the 20 pixels the layout adds.
    test::PanelRig rig;
    const CSetting setting{rig.Context()};
    const CInfo info{rig.clock};
    static constexpr int kLayoutAllowance = 20;
};

TEST_F(Screenshot, ConnectedWindowOfModel78InNormalMode) {
    // An empty working folder: English, no manufacturer mode.
    const QImage image = TakeScreenshot(EmptyFolder("vemo-screenshot"), "0x78");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), setting.FullSize().width());
    EXPECT_EQ(image.height(), setting.UpperAreaHeight() + info.height() + kLayoutAllowance);

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

TEST_F(Screenshot, ManufacturerModeShowsTheWholePanelWithTheIqTableRead) {
    const std::filesystem::path folder = EmptyFolder("vemo-screenshot-manufacturer");
    std::filesystem::create_directories(folder / "firmware");
    std::ofstream(folder / "firmware" / "manufacturer.txt").close();
    const QImage image = TakeScreenshot(folder, "0x78");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.height(), setting.FullSize().height() + info.height() + kLayoutAllowance);

    // The frequency cells of the rows in view, in their own grey.
    int frequencyCells = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            frequencyCells += image.pixel(x, y) == qRgb(160, 160, 160) ? 1 : 0;
        }
    }
    constexpr int kRowsInView = 5;
    EXPECT_GT(frequencyCells, kRowsInView * 60 * 10);
}

}  // namespace
}  // namespace vemo
