#include "sim/sim_firmware.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "sim/sim_device.h"
#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

class SimFirmwareTest : public testing::Test {
protected:
    // Sends one ObjectAccess request and returns the device's reply parts.
    std::vector<OutputPart> Access(SimDevice& device, const Bytes& payload) {
        return device.Receive(BuildFrame(command::ObjectAccess, payload), now_);
    }
    // Restarts the device, waits out its silence and asks its software version.
    std::uint8_t VersionAfterRestart(SimDevice& device, std::uint8_t restartCode) {
        device.Receive(BuildFrame(restartCode, {}), now_);
        now_ += device.restartDuration;
        const std::vector<OutputPart> reply = device.Receive(Hex("02 10 10"), now_);
        return reply.at(0).bytes.at(4);  // 02 F4 04 model version ...
    }

private:
    Milliseconds now_{0};
};

TEST_F(SimFirmwareTest, StoredImageAnswersTheCloseLateAndRunsAfterTheNextRestart) {
    SimDevice device(SimIdentity{0x82, 22, 0, 0, true});
    device.firmware.imageStoreTime = Milliseconds(40000);
    Access(device, Hex("00"));
    Access(device, Hex("01 00 00 00 17 AA"));
    const std::vector<OutputPart> closed = Access(device, Hex("02"));
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].pause, Milliseconds(40000));
    EXPECT_EQ(closed[0].bytes, Hex("02 F0 F0"));
    EXPECT_EQ(device.image, Hex("17 AA"));
    EXPECT_EQ(VersionAfterRestart(device, command::Restart82), 0x17);
    EXPECT_EQ(VersionAfterRestart(device, command::Restart82), 0x17) << "a plain restart";
}

TEST_F(SimFirmwareTest, AbandonedImageChangesNothing) {
    SimDevice device(SimIdentity{0x82, 22, 0, 0, true});
    Access(device, Hex("00"));
    Access(device, Hex("01 00 00 00 17"));
    EXPECT_EQ(VersionAfterRestart(device, command::Restart82), 22);
}

TEST_F(SimFirmwareTest, ModelSeventyEightShipsStockModulesAndRunsItsWrittenSystemModule) {
    SimDevice device(SimIdentity{0x78, 23, 0, 3, true});
    EXPECT_FALSE(SimDevice().objects.contains(kSimSystemModule.id)) << "model 0x82 has no modules";
    const Bytes& system = device.objects.at(kSimSystemModule.id);
    EXPECT_EQ(system.size(), 4 + kSimSystemModule.size);
    EXPECT_EQ(Bytes(system.begin(), system.begin() + 9), Hex("58 02 00 00 56 45 4D 4F 17"));
    const Bytes& encoder = device.objects.at(kSimEncoderModule.id);
    EXPECT_EQ(encoder.size(), kSimEncoderModule.size);
    EXPECT_EQ(Bytes(encoder.begin(), encoder.begin() + 5), Hex("56 45 4D 4F 17"));

    Access(device, Hex("00 01 03"));  // the encoder does not carry the device's version
    Access(device, Hex("04 56 45 4D 4F 30"));
    Access(device, Hex("02"));
    EXPECT_EQ(VersionAfterRestart(device, command::Restart78), 23);

    Access(device, Hex("00 00 03"));
    Access(device, Hex("04 05 00 00 00"));
    Access(device, Hex("04 56 45 4D 4F 18"));
    Access(device, Hex("02"));
    EXPECT_EQ(VersionAfterRestart(device, command::Restart78), 24);
}

}  // namespace
}  // namespace vemo
