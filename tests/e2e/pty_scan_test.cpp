#include <gtest/gtest.h>

#include <array>

#include "link/cxmit.h"
#include "platform/qt_serial_port.h"
#include "sim/pty_device.h"

namespace vemo {
namespace {

// The real serial code against the simulator on a pseudo-terminal: the scan finds and
// identifies each model.
TEST(PseudoTerminal, ScanFindsAndIdentifiesEachModel) {
    for (const SimIdentity identity :
         {SimIdentity{0x82, 22, 0, 0, false}, SimIdentity{0x78, 23, 0, 3, true}}) {
        SimDevice device(identity);
        PtyDevice line(device, {});
        ASSERT_TRUE(line.Start()) << line.Error();
        SteadyClock clock;
        QtSerialPort port;
        SystemPortCatalogue catalogue({"/dev/nonexistent-vemo-port", line.Path()});
        CXmit xmit(port, catalogue, clock);
        ASSERT_TRUE(xmit.FindDevice());
        EXPECT_EQ(xmit.PortNumber(), 1);
        EXPECT_EQ(xmit.Identity().ModelCode, identity.ModelCode);
        EXPECT_EQ(xmit.Identity().SoftwareVersion, identity.SoftwareVersion);
        EXPECT_EQ(xmit.Identity().HardwareVersion, identity.HardwareVersion);
        // The link stays usable: a poll on the same port.
        EXPECT_EQ(xmit.PollStatus(), identity.SoftwareVersion);
        xmit.ClosePort();
        line.Stop();
        EXPECT_EQ(device.Requests().size(), 2u);
    }
}

// A change made at the device while it is being served (vemo-devsim's SIGUSR1) is announced to
// the next poll and read with the parameters.
TEST(PseudoTerminal, AChangeAtTheDeviceIsAnnouncedToThePoll) {
    SimDevice device(SimIdentity{0x78, 23, 0, 3, true});
    PtyDevice line(device, {});
    ASSERT_TRUE(line.Start()) << line.Error();
    SteadyClock clock;
    QtSerialPort port;
    SystemPortCatalogue catalogue({line.Path()});
    CXmit xmit(port, catalogue, clock);
    ASSERT_TRUE(xmit.FindDevice());
    std::array<std::uint8_t, 8> status{};
    ASSERT_NE(xmit.PollStatus(status), 0);
    EXPECT_EQ(status[kDeviceStatusByte], 0);
    line.Change([](SimDevice& served) {
        served.ChangeParametersOnDevice([](ParameterSet& set) { set.Frequency = 650000; });
    });
    ASSERT_NE(xmit.PollStatus(status), 0);
    EXPECT_EQ(status[kDeviceStatusByte], kStatusParametersChanged);
    xmit.ClosePort();
    line.Stop();
    EXPECT_EQ(device.StoredParameters().set.Frequency, 650000);
}

}  // namespace
}  // namespace vemo
