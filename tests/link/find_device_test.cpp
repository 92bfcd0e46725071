#include <gtest/gtest.h>

#include "link/cxmit.h"
#include "sim/in_process_port.h"
#include "support/bytes.h"
#include "support/scripted_port.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

std::vector<std::string> PortNames(int from, int to) {
    std::vector<std::string> names;
    for (int n = from; n <= to; ++n) {
        names.push_back("COM" + std::to_string(n));
    }
    return names;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class FindDeviceTest : public testing::Test {
protected:
    VirtualClock clock;
    SimDevice device{SimIdentity{0x78, 23, 0, 3, true}};
    SimBus bus;
    InProcessPort port{bus, clock};
    test::AnyPortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
};

TEST_F(FindDeviceTest, StartsAtTheRememberedPortAndWraps) {
    bus.AddPort("COM7", &device);
    ASSERT_TRUE(xmit.FindDevice());
    EXPECT_EQ(bus.openAttempts, PortNames(0, 7));
    EXPECT_EQ(xmit.PortNumber(), 7);
    EXPECT_TRUE(xmit.IsPortOpen());

    bus.RemovePort("COM7");
    bus.AddPort("COM4", &device);
    bus.openAttempts.clear();
    ASSERT_TRUE(xmit.FindDevice());
    EXPECT_EQ(bus.openAttempts, PortNames(7, 255) + PortNames(0, 4));
    EXPECT_EQ(xmit.PortNumber(), 4);
}

TEST_F(FindDeviceTest, SkipsBusyAndSilentPorts) {
    SimDevice other;
    bus.AddPort("COM1");  // opens, nothing attached
    bus.AddPort("COM2", &other, /*busy=*/true);
    bus.AddPort("COM3", &device);
    ASSERT_TRUE(xmit.FindDevice());
    EXPECT_EQ(xmit.PortNumber(), 3);
    EXPECT_TRUE(other.Requests().empty());
    EXPECT_FALSE(xmit.LinkLost()) << "a later success clears the silent port's loss";
    // Only the silent port cost its 500 ms.
    EXPECT_GE(clock.Now(), Milliseconds(500));
    EXPECT_LT(clock.Now(), Milliseconds(600));
}

TEST_F(FindDeviceTest, NoDeviceAnywhereTriesEveryNumberOnce) {
    bus.AddPort("COM9");
    EXPECT_FALSE(xmit.FindDevice());
    EXPECT_EQ(bus.openAttempts, PortNames(0, 255));
    EXPECT_FALSE(xmit.IsPortOpen());
    EXPECT_EQ(xmit.PortNumber(), 0);
}

struct IdentificationCase {
    const char* name;
    Bytes reply;
    bool found;
    DeviceIdentity identity;  // after the scan; starts as {0x78, 23, 3}
};

void PrintTo(const IdentificationCase& c, std::ostream* out) {
    *out << c.name;
}

class IdentificationTest : public testing::TestWithParam<IdentificationCase> {};

TEST_P(IdentificationTest, AcceptsOnlyKnownModelsWithAVersion) {
    VirtualClock clock;
    test::ScriptedPort port(clock);
    test::AnyPortCatalogue catalogue;
    CXmit xmit(port, catalogue, clock);
    port.replies = {Hex("02 F4 04 78 17 00 03 9C"), GetParam().reply};
    ASSERT_TRUE(xmit.FindDevice());
    port.Close();
    // The scripted port opens under every number, so the second scan ends on the first
    // number after the remembered one when the reply is accepted.
    EXPECT_EQ(xmit.FindDevice(), GetParam().found);
    EXPECT_EQ(xmit.Identity().ModelCode, GetParam().identity.ModelCode);
    EXPECT_EQ(xmit.Identity().SoftwareVersion, GetParam().identity.SoftwareVersion);
    EXPECT_EQ(xmit.Identity().HardwareVersion, GetParam().identity.HardwareVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, IdentificationTest,
    testing::Values(
        IdentificationCase{"Model82ShortReply", Hex("02 F3 82 16 00 67"), true, {0x82, 22, 0}},
        IdentificationCase{
            "Model78WithHardware", Hex("02 F4 04 78 17 00 03 9C"), true, {0x78, 23, 3}},
        IdentificationCase{"TwoBytesIsEnough", Hex("02 F2 82 15 65"), true, {0x82, 21, 0}},
        // Version 0: refused, but the identity has taken the reply's values.
        IdentificationCase{"SoftwareVersionZero", Hex("02 F3 82 00 00 71"), false, {0x82, 0, 0}},
        IdentificationCase{"UnknownModel", Hex("02 F3 55 16 00 B0"), false, {0x78, 23, 3}},
        IdentificationCase{"NoVersionByte", Hex("02 F1 82 73"), false, {0x78, 23, 3}},
        IdentificationCase{"EmptyReply", Hex("02 F0 F0"), false, {0x78, 23, 3}},
        IdentificationCase{"Refusal", Hex("02 E3 82 16 00 77"), false, {0x78, 23, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindDeviceTest, PollStatusCopiesNoMoreThanTheBuffer) {
    bus.AddPort("COM0", &device);
    ASSERT_TRUE(xmit.FindDevice());
    std::uint8_t buffer[3] = {};
    device.identity.DeviceStatus = 2;
    device.identity.SoftwareVersion = 24;
    EXPECT_EQ(xmit.PollStatus(buffer), 24);
    EXPECT_EQ(Bytes(buffer, buffer + 3), Hex("78 18 02"));

    device.faults.Script({{FaultKind::NoReply}});
    EXPECT_EQ(xmit.PollStatus(buffer), 0);
    EXPECT_EQ(xmit.Identity().SoftwareVersion, 24);
    EXPECT_TRUE(xmit.LinkLost());
}

}  // namespace
}  // namespace vemo
