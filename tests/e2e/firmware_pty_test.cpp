#include <gtest/gtest.h>

#include "firmware/firmware_rig.h"
#include "firmware/firmware_upgrade.h"
#include "platform/qt_serial_port.h"
#include "sim/pty_device.h"

namespace vemo {
namespace {

// The real serial code against the simulator on a pseudo-terminal: each model is upgraded,
// found again after its restart at the new version, and then has nothing due.
class FirmwareOverPty : public testing::Test {
protected:
    // Runs the upgrade on a device found on the line, then again after the restart. Returns
    // the version the device reports after the first run.
    std::uint8_t UpgradeAndReconnect(SimDevice& device) {
        device.restartDuration = Milliseconds(300);
        device.firmware.imageStoreTime = Milliseconds(200);
        PtyDevice line(device, {});
        EXPECT_TRUE(line.Start()) << line.Error();
        SteadyClock clock;
        QtSerialPort port;
        SystemPortCatalogue catalogue({line.Path()});
        CXmit xmit(port, catalogue, clock);
        test::UserLog user(nullptr);
        SessionFlags flags;
        FirmwareContext context{xmit, user, user, user, flags, folder.Path(), 0};

        EXPECT_TRUE(xmit.FindDevice());
        EXPECT_TRUE(RunFirmwareUpgrade(context, user));
        EXPECT_FALSE(xmit.IsPortOpen());
        EXPECT_FALSE(xmit.LinkLost());
        clock.Sleep(device.restartDuration);
        EXPECT_TRUE(xmit.FindDevice());
        const std::uint8_t version = xmit.Identity().SoftwareVersion;
        EXPECT_FALSE(RunFirmwareUpgrade(context, user)) << "nothing due after the upgrade";
        EXPECT_TRUE(xmit.IsPortOpen());
        EXPECT_TRUE(user.Of(test::UserEvent::Box).empty());
        xmit.ClosePort();
        line.Stop();
        return version;
    }

    test::TempFolder folder;
};

TEST_F(FirmwareOverPty, ModelEightyTwoImage) {
    test::Bytes image = test::Pattern(100 * 1024 + 17);
    image[0] = 23;
    test::WriteFile(folder.Path() / ("KORALIN_23_pty_" + test::DigestOf(image) + ".bin"), image);
    SimDevice device(SimIdentity{0x82, 22, 0, 0, true});
    EXPECT_EQ(UpgradeAndReconnect(device), 23);
    EXPECT_EQ(device.image, image);
}

TEST_F(FirmwareOverPty, ModelSeventyEightModules) {
    test::WritePackage(folder.Path() / "H3", {test::SystemModule(24), test::EncoderModule(24)});
    SimDevice device(SimIdentity{0x78, 23, 0, 3, true});
    EXPECT_EQ(UpgradeAndReconnect(device), 24);
    EXPECT_EQ(device.objects.at(kSimEncoderModule.id), test::EncoderModule(24).content);
}

}  // namespace
}  // namespace vemo
