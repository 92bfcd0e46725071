#include "app/kora_panel_dlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

#include "app/c_info.h"
#include "app/dialog_control.h"
#include "app/session_flags.h"
#include "app/startup_values.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "sim/in_process_port.h"
#include "support/answering_prompter.h"
#include "support/recording_user.h"

namespace vemo {
namespace {

using namespace std::chrono_literals;

const QString kTitle = QStringLiteral("VEMO Software 2.2 - NORVAL TECH");

// The main window on the in-process simulated machine: a silent port 0, nothing at 1 and
// the device on port 2.
class SupervisorTest : public testing::Test {
protected:
    SupervisorTest() {
        bus.AddPort("ttyS0");
        bus.AddPort("ttyUSB0", &device);
    }

    void Open() {
        dialog = std::make_unique<CKoraPanelDlg>(startup, xmit, flags, setting, info, [this] {
            ++upgradeRuns;
            flags.FirmwareReloadRequest = false;
            return upgradeRestartsDevice;
        });
    }

    // Lets the armed timer of the main window run out and handles it; returns its id.
    int Tick() {
        const WindowTimers& timers = dialog->Timers();
        EXPECT_NE(timers.IsArmed(CKoraPanelDlg::kConnectTimer),
                  timers.IsArmed(CKoraPanelDlg::kWatchTimer))
            << "exactly one of the two timers is armed";
        const int id = timers.IsArmed(CKoraPanelDlg::kConnectTimer) ? CKoraPanelDlg::kConnectTimer
                                                                    : CKoraPanelDlg::kWatchTimer;
        clock.Sleep(*timers.Period(id));
        dialog->OnTimer(id);
        return id;
    }

    std::optional<Milliseconds> Armed(int id) const { return dialog->Timers().Period(id); }
    QString StatusLine() const { return FindControl<QLabel>(info, 1055)->text(); }
    bool PanelShown() const { return setting.isVisibleTo(dialog.get()); }
    int WindowHeight() const { return dialog->frameGeometry().height(); }

    void ExpectSearching() const {
        EXPECT_EQ(dialog->windowTitle(), kTitle);
        EXPECT_FALSE(PanelShown());
        EXPECT_FALSE(setting.Timers().IsArmed(CSetting::kCycleTimer));
        EXPECT_TRUE(info.isVisibleTo(dialog.get()));
        EXPECT_EQ(info.pos(), QPoint(0, 0));
        EXPECT_EQ(WindowHeight(), info.height() + 20);
    }

    void ExpectConnected() const {
        EXPECT_EQ(dialog->windowTitle(), kTitle + " (S2.3H3)");
        EXPECT_TRUE(PanelShown());
        EXPECT_EQ(setting.Timers().Period(CSetting::kCycleTimer), 100ms);
        EXPECT_EQ(StatusLine(), "Hardware connected");
        EXPECT_EQ(info.Timers().Period(CInfo::kClearTimer), 1000ms);
        EXPECT_TRUE(xmit.IsPortOpen());
    }

    VirtualClock clock;
    SimDevice device{SimIdentity{0x78, 23, 0, 3, true}};
    SimBus bus;
    InProcessPort port{bus, clock};
    FixedPortCatalogue catalogue{{{0, "ttyS0"}, {1, "ttyS1"}, {2, "ttyUSB0"}}};
    CXmit xmit{port, catalogue, clock};
    SessionFlags flags;
    StartupValues startup;
    CInfo info{clock};
    test::RecordingBeeper beeper;
    test::AnsweringPrompter prompter;
    CSetting setting{PanelContext{startup, xmit, flags, beeper, info, prompter}};
    int upgradeRuns = 0;
    bool upgradeRestartsDevice = false;
    std::unique_ptr<CKoraPanelDlg> dialog;
};

TEST_F(SupervisorTest, ConnectsDropsAFailedLinkAndFindsTheDeviceAgainOnTheSamePort) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), kTitle);
    EXPECT_EQ(Armed(CKoraPanelDlg::kConnectTimer), 100ms) << "first attempt soon after set-up";

    EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
    ExpectConnected();
    EXPECT_EQ(xmit.PortNumber(), 2);
    EXPECT_EQ(upgradeRuns, 1) << "every attempt that finds a device runs the upgrade";
    EXPECT_EQ(Armed(CKoraPanelDlg::kWatchTimer), 1000ms);

    EXPECT_EQ(Tick(), CKoraPanelDlg::kWatchTimer);
    EXPECT_EQ(Armed(CKoraPanelDlg::kWatchTimer), 100ms) << "a quiet watch";

    // A refusal is an answer: the link stays.
    device.faults.Script({Fault{FaultKind::Refusal}});
    EXPECT_EQ(xmit.PollStatus(), 0);
    EXPECT_EQ(Tick(), CKoraPanelDlg::kWatchTimer);
    EXPECT_EQ(Armed(CKoraPanelDlg::kWatchTimer), 100ms);
    EXPECT_TRUE(PanelShown());

    // A request left unanswered loses the link; the next watch tick tears the connection down.
    device.faults.Script({Fault{FaultKind::NoReply}});
    EXPECT_EQ(xmit.PollStatus(), 0);
    EXPECT_EQ(Tick(), CKoraPanelDlg::kWatchTimer);
    ExpectSearching();
    EXPECT_FALSE(xmit.IsPortOpen());
    EXPECT_FALSE(xmit.LinkLost()) << "the watch takes the loss";
    EXPECT_EQ(Armed(CKoraPanelDlg::kConnectTimer), 100ms);

    bus.openAttempts.clear();
    EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
    ExpectConnected();
    EXPECT_EQ(bus.openAttempts, std::vector<std::string>{"ttyUSB0"}) << "the scan starts there";
}

TEST_F(SupervisorTest, ReloadRequestDropsAHealthyLinkAndTheNextAttemptRunsTheUpgrade) {
    Open();
    Tick();
    ExpectConnected();

    flags.FirmwareReloadRequest = true;
    EXPECT_EQ(Tick(), CKoraPanelDlg::kWatchTimer);
    ExpectSearching();
    EXPECT_FALSE(xmit.IsPortOpen());
    EXPECT_TRUE(flags.FirmwareReloadRequest) << "only the upgrade run clears it";
    EXPECT_EQ(Armed(CKoraPanelDlg::kConnectTimer), 100ms);

    EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
    EXPECT_EQ(upgradeRuns, 2);
    ExpectConnected();
    EXPECT_EQ(Tick(), CKoraPanelDlg::kWatchTimer);
    EXPECT_EQ(Armed(CKoraPanelDlg::kWatchTimer), 100ms) << "request served, link kept";
}

TEST_F(SupervisorTest, UpgradeThatRestartedTheDeviceEndsTheAttempt) {
    upgradeRestartsDevice = true;
    Open();
    EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
    EXPECT_EQ(upgradeRuns, 1);
    ExpectSearching();
    EXPECT_EQ(Armed(CKoraPanelDlg::kConnectTimer), 1000ms);

    upgradeRestartsDevice = false;
    EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
    ExpectConnected();
}

TEST_F(SupervisorTest, WithoutADeviceAttemptsEverySecondShowingOnlyTheWaitingMessage) {
    bus.RemovePort("ttyUSB0");
    startup.UiLanguage = kPolish;
    Open();
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Milliseconds start = clock.Now();
        EXPECT_EQ(Tick(), CKoraPanelDlg::kConnectTimer);
        ExpectSearching();
        EXPECT_EQ(StatusLine(), QString::fromUtf16(u"Oczekujące połączenie..."));
        EXPECT_EQ(info.Timers().Period(CInfo::kClearTimer), 200ms);
        const QProgressBar& bar = *FindControl<QProgressBar>(info, 1000);
        EXPECT_TRUE(bar.isVisibleTo(&info));
        EXPECT_EQ(bar.maximum(), 1);
        EXPECT_EQ(bar.value(), 0);
        EXPECT_EQ(Armed(CKoraPanelDlg::kConnectTimer), 1000ms);
        EXPECT_GT(clock.Now(), start) << "the scan itself takes time";
    }
    EXPECT_EQ(upgradeRuns, 0);
}

// Normal mode shows the upper area down to frame 1072; manufacturer mode the whole panel.
class LayoutTest : public SupervisorTest, public testing::WithParamInterface<bool> {};

TEST_P(LayoutTest, PanelAboveTheStatusPanelAndTwentyPixelsOfFrame) {
    const bool manufacturer = GetParam();
    startup.ManufacturerMode = manufacturer;
    Open();
    Tick();
    ExpectConnected();

    const int upper = setting.UpperAreaHeight();
    const QSize full = setting.FullSize();
    ASSERT_LT(upper, full.height());
    EXPECT_EQ(setting.geometry(), QRect(0, 0, full.width(), manufacturer ? full.height() : upper));
    EXPECT_EQ(info.pos(), QPoint(0, setting.height()));
    EXPECT_EQ(WindowHeight(), setting.height() + info.height() + 20);

    // The last control of the upper area is in view; the lower area only for the maker.
    EXPECT_LE(FindControl(setting, 1080)->geometry().bottom(), setting.height());
    for (int lowerControl : {1060, 1078, 1068, 1070, 1071, 1073, 1074, 1075, 1076, 1077}) {
        EXPECT_EQ(FindControl(setting, lowerControl)->geometry().bottom() < setting.height(),
                  manufacturer)
            << lowerControl;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, LayoutTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Manufacturer" : "Normal"; });

}  // namespace
}  // namespace vemo
