#include "app/c_info.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

#include "app/dialog_control.h"
#include "sim/virtual_clock.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;

class StatusPanelTest : public testing::Test {
protected:
    QString Line() const { return FindControl<QLabel>(info, 1055)->text(); }
    QProgressBar& Bar() const { return *FindControl<QProgressBar>(info, 1000); }
    bool BarShown() const { return Bar().isVisibleTo(&info); }

    VirtualClock clock;
    CInfo info{clock};
};

TEST_F(StatusPanelTest, LineIsClearedOneDurationAfterTheLatestMessage) {
    info.ShowMessage(u"Waiting connection...", 200ms, false);
    EXPECT_EQ(Line(), "Waiting connection...");
    EXPECT_EQ(info.Timers().Period(CInfo::kClearTimer), 200ms);
    EXPECT_TRUE(info.isVisible());

    info.ShowMessage(u"Hardware connected", 1000ms, false);
    EXPECT_EQ(Line(), "Hardware connected");
    EXPECT_EQ(info.Timers().Period(CInfo::kClearTimer), 1000ms) << "the new duration counts";
    EXPECT_EQ(clock.Now(), 0ms) << "not blocking";

    info.ShowProgress(10, 3);
    info.OnTimer(CInfo::kClearTimer);
    EXPECT_TRUE(Line().isEmpty());
    EXPECT_FALSE(info.Timers().IsArmed(CInfo::kClearTimer));
    EXPECT_TRUE(info.isVisible()) << "the panel stays";
    EXPECT_TRUE(BarShown()) << "the bar is not the timer's business";
    EXPECT_EQ(Bar().value(), 3);
}

TEST_F(StatusPanelTest, BlockingMessageWaitsItsDurationAndIsClearedAfterwards) {
    info.ShowMessage(u"Rebooting...", 1000ms, true);
    EXPECT_EQ(clock.Now(), 1000ms);
    EXPECT_EQ(Line(), "Rebooting...") << "still shown when the caller resumes";
    EXPECT_TRUE(info.Timers().IsArmed(CInfo::kClearTimer));
}

TEST_F(StatusPanelTest, TextIsDarkGrey) {
    const QLabel& line = *FindControl<QLabel>(info, 1055);
    EXPECT_EQ(line.palette().color(QPalette::WindowText), QColor(96, 96, 96));
}

TEST_F(StatusPanelTest, RangeZeroHidesTheBarUntilARangeIsSetAgain) {
    EXPECT_FALSE(BarShown());
    info.ShowProgress(1, 0);  // an empty bar, as a connection attempt shows it
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Bar().maximum(), 1);
    EXPECT_EQ(Bar().value(), 0);

    info.ShowProgress(4096, 1024);
    info.ShowProgress(4096, 2048);  // same range: only the position moves
    EXPECT_EQ(Bar().maximum(), 4096);
    EXPECT_EQ(Bar().value(), 2048);

    info.ShowProgress(0, 0);
    EXPECT_FALSE(BarShown());
    info.ShowProgress(4096, 4096);  // the range it had before the bar was hidden
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Bar().value(), 4096);
}

TEST_F(StatusPanelTest, PositionBeyondTheRangeStopsAtTheEnd) {
    info.ShowProgress(100, 250);
    EXPECT_EQ(Bar().value(), 100);
    info.ShowProgress(100, -5);
    EXPECT_EQ(Bar().value(), 0);
}

}  // namespace
}  // namespace vemo
