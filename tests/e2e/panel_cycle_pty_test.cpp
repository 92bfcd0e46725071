// The settings panel's cycle in real time: the window's own timer over the real serial code to
// the simulator on a pseudo-terminal. Timing bounds are loose; the exact cycle is tested on the
// virtual clock.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "app/session_flags.h"
#include "app/startup_values.h"
#include "link/command_codes.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "platform/qt_serial_port.h"
#include "sim/pty_device.h"
#include "support/answering_prompter.h"
#include "support/recording_user.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;

TEST(PanelOverPseudoTerminal, PollsAboutEveryTwoHundredMilliseconds) {
    SimDevice device(SimIdentity{kModel78, 23, 0, 3, true});
    PtyDevice line(device, {});
    ASSERT_TRUE(line.Start()) << line.Error();
    SteadyClock clock;
    QtSerialPort port;
    SystemPortCatalogue catalogue({line.Path()});
    CXmit xmit(port, catalogue, clock);
    SessionFlags flags;
    StartupValues startup;
    test::RecordingBeeper beeper;
    test::RecordingStatusSink status;
    test::AnsweringPrompter prompter;
    CSetting panel(PanelContext{startup, xmit, flags, beeper, status, prompter});
    panel.FirstSetUp();

    ASSERT_TRUE(xmit.FindDevice());
    panel.SetUpForDevice(xmit.Identity());
    QTest::qWait(1500);
    panel.StopTimer();
    xmit.ClosePort();
    line.Stop();

    std::vector<Milliseconds> polls;
    for (const LoggedRequest& request : device.Requests()) {
        if (request.command == command::Identify) {
            polls.push_back(request.time);
        }
    }
    polls.erase(polls.begin());  // the scan's identification
    ASSERT_GE(polls.size(), 4u);
    EXPECT_LE(polls.size(), 8u);
    for (std::size_t i = 1; i < polls.size(); ++i) {
        EXPECT_GE(polls[i] - polls[i - 1], 150ms);
        EXPECT_LE(polls[i] - polls[i - 1], 500ms);
    }
    EXPECT_FALSE(xmit.LinkLost());
    EXPECT_EQ(panel.Members().set.Frequency, 498000);
}

}  // namespace
}  // namespace vemo
