#include <gtest/gtest.h>

#include <functional>

#include "link/command_codes.h"
#include "link/cxmit.h"
#include "sim/in_process_port.h"
#include "support/bytes.h"
#include "support/scripted_port.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

struct WrapperCase {
    const char* name;
    std::uint8_t model;
    std::function<bool(CXmit&)> call;
    Bytes wire;
    Milliseconds timeout;
};

void PrintTo(const WrapperCase& c, std::ostream* out) {
    *out << c.name;
}

// Each wrapper sends its exact frame and waits its own time-out when no reply comes.
class CommandSetTest : public testing::TestWithParam<WrapperCase> {
protected:
    void SetUp() override {
        device.identity.ModelCode = GetParam().model;
        bus.AddPort("COM0", &device);
        ASSERT_TRUE(xmit.FindDevice());
        port.written.clear();
    }
    VirtualClock clock;
    SimDevice device;
    SimBus bus;
    InProcessPort port{bus, clock};
    test::AnyPortCatalogue catalogue;
    CXmit xmit{port, catalogue, clock};
};

TEST_P(CommandSetTest, SendsItsFrameAndWaitsItsTimeOut) {
    device.faults.Script({{FaultKind::NoReply}});
    const Milliseconds start = clock.Now();
    EXPECT_FALSE(GetParam().call(xmit));
    EXPECT_EQ(port.written, GetParam().wire);
    EXPECT_GE(clock.Now() - start, GetParam().timeout);
    EXPECT_LT(clock.Now() - start, GetParam().timeout + Milliseconds(10));
}

std::u16string Text(std::size_t length, char16_t c) {
    return std::u16string(length, c);
}

INSTANTIATE_TEST_SUITE_P(
    Wrappers, CommandSetTest,
    testing::Values(
        WrapperCase{"OpenParametersForReading", 0x78,
                    [](CXmit& x) { return x.OpenObjectForReading(0x024E); },
                    Hex("02 C3 01 4E 02 02 8E"), Milliseconds(500)},
        WrapperCase{"OpenDefaultsForWriting", 0x78,
                    [](CXmit& x) { return x.OpenObjectForWriting(0x0253); },
                    Hex("02 C3 00 53 02 02 92"), Milliseconds(500)},
        WrapperCase{"Read256", 0x78,
                    [](CXmit& x) {
                        std::uint8_t buffer[256];
                        return x.ReadData(256, buffer);
                    },
                    Hex("02 C3 03 00 01 C1"), Milliseconds(5000)},
        WrapperCase{"WriteData", 0x78, [](CXmit& x) { return x.WriteData(Hex("AA BB CC")); },
                    Hex("02 C4 04 04 AA BB CC 19"), Milliseconds(5000)},
        WrapperCase{"Close", 0x78, [](CXmit& x) { return x.CloseObject(timeouts::Data); },
                    Hex("02 C1 02 02 C3"), Milliseconds(5000)},
        WrapperCase{"CloseAfterImage", 0x82,
                    [](CXmit& x) { return x.CloseObject(timeouts::ImageClose); },
                    Hex("02 C1 02 02 C3"), Milliseconds(50000)},
        WrapperCase{"WriteDone", 0x78, [](CXmit& x) { return x.WriteDone(); }, Hex("02 B0 B0"),
                    Milliseconds(500)},
        WrapperCase{"Restart78", 0x78, [](CXmit& x) { return x.Restart(); }, Hex("02 D0 D0"),
                    Milliseconds(500)},
        WrapperCase{"Restart82", 0x82, [](CXmit& x) { return x.Restart(); }, Hex("02 20 20"),
                    Milliseconds(500)},
        WrapperCase{"CommandLine", 0x82, [](CXmit& x) { return x.SendCommandLine(u"sync"); },
                    Hex("02 84 05 73 79 6E 63 00 86"), Milliseconds(5000)},
        WrapperCase{"RemoteFileKeepsLow8Bits", 0x82,
                    [](CXmit& x) { return x.OpenRemoteFile(u"/\u0161"); },
                    Hex("02 A4 04 00 2F 61 00 EE"), Milliseconds(200)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandSetLimits, TextsBeyondTheDeviceBufferAreRefusedUnsent) {
    VirtualClock clock;
    test::ScriptedPort port(clock);
    test::AnyPortCatalogue catalogue;
    CXmit xmit(port, catalogue, clock);
    port.Open("COM0");
    for (int i = 0; i < 2; ++i) {
        port.replies.push_back(Hex("02 F0 F0"));
    }
    // 255 characters and the zero byte fill the 256-byte buffer exactly.
    EXPECT_TRUE(xmit.SendCommandLine(Text(255, u'x')));
    EXPECT_TRUE(xmit.OpenRemoteFile(Text(254, u'p')));
    const std::size_t writes = port.writeSizes.size();
    EXPECT_FALSE(xmit.SendCommandLine(Text(256, u'x')));
    EXPECT_FALSE(xmit.OpenRemoteFile(Text(255, u'p')));
    EXPECT_EQ(port.writeSizes.size(), writes) << "nothing sent";
    EXPECT_FALSE(xmit.LinkLost());
}

TEST(CommandSetLimits, ReadDataNeverCopiesBeyondTheDestination) {
    VirtualClock clock;
    test::ScriptedPort port(clock);
    test::AnyPortCatalogue catalogue;
    CXmit xmit(port, catalogue, clock);
    port.Open("COM0");
    port.replies.push_back(BuildFrame(0xF0, Hex("01 02 03 04 05 06")));
    std::uint8_t buffer[6] = {0, 0, 0, 0, 0xEE, 0xEE};
    EXPECT_TRUE(xmit.ReadData(4, std::span(buffer, 4)));
    EXPECT_EQ(Bytes(buffer, buffer + 6), Hex("01 02 03 04 EE EE"));
}

}  // namespace
}  // namespace vemo
