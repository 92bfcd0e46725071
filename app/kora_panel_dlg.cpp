#include "app/kora_panel_dlg.h"

#include <QIcon>
#include <QTimerEvent>

#include "app/c_info.h"
#include "app/session_flags.h"
#include "app/startup_values.h"
#include "app/translations.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "ui_template_102_main_window.h"

namespace vemo {

namespace {

constexpr Milliseconds kFirstAttempt{100};
constexpr Milliseconds kRetryAttempt{1000};
constexpr Milliseconds kAttemptAfterLoss{100};
constexpr Milliseconds kFirstWatch{1000};
constexpr Milliseconds kWatch{100};
constexpr Milliseconds kSearchingMessage{200};
constexpr Milliseconds kConnectedMessage{1000};
// The window's outer height exceeds its panels by this much, caption and frame included.
constexpr int kFrameAllowance = 20;

}  // namespace

CKoraPanelDlg::CKoraPanelDlg(const StartupValues& startup, CXmit& xmit, SessionFlags& flags,
                             CSetting& setting, CInfo& info, FirmwareUpgradeHook runFirmwareUpgrade,
                             QWidget* parent)
    // A caption with a system menu and a close box: no minimise or maximise box.
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Template102>()),
      startup_(startup),
      xmit_(xmit),
      flags_(flags),
      setting_(setting),
      info_(info),
      runFirmwareUpgrade_(std::move(runFirmwareUpgrade)) {
    ui_->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/icon_127.xpm")));
    setWindowTitle(Title(false));
    setting_.setParent(this);
    setting_.hide();
    setting_.FirstSetUp();
    info_.setParent(this);
    info_.hide();
    timers_.Arm(kConnectTimer, kFirstAttempt);
}

CKoraPanelDlg::~CKoraPanelDlg() {
    // The panels outlive the window; Qt would otherwise delete them with it.
    setting_.StopTimer();
    setting_.hide();
    setting_.setParent(nullptr);
    info_.hide();
    info_.setParent(nullptr);
}

void CKoraPanelDlg::OnTimer(int id) {
    timers_.Stop(id);
    if (id == kConnectTimer) {
        OnConnectTimer();
    } else if (id == kWatchTimer) {
        OnWatchTimer();
    }
}

void CKoraPanelDlg::OnConnectTimer() {
    if (TryConnect()) {
        timers_.Arm(kWatchTimer, kFirstWatch);
    } else {
        timers_.Arm(kConnectTimer, kRetryAttempt);
    }
}

void CKoraPanelDlg::OnWatchTimer() {
    const bool lost = xmit_.TakeLinkLost();
    // The reload request stays raised: the next attempt's upgrade run clears it.
    if (!lost && !flags_.FirmwareReloadRequest) {
        timers_.Arm(kWatchTimer, kWatch);
        return;
    }
    setting_.StopTimer();
    setting_.hide();
    UpdateLayout(nullptr);
    if (xmit_.IsPortOpen()) {
        xmit_.ClosePort();
    }
    timers_.Arm(kConnectTimer, kAttemptAfterLoss);
}

bool CKoraPanelDlg::TryConnect() {
    info_.ShowMessage(Translate(kMsgWaitingConnection, startup_.UiLanguage), kSearchingMessage,
                      false);
    info_.ShowProgress(1, 0);
    UpdateLayout(nullptr);
    if (!xmit_.FindDevice()) {
        return false;
    }
    if (runFirmwareUpgrade_()) {
        return false;  // the device restarted; the next attempt scans for it again
    }
    UpdateLayout(&setting_);
    setting_.SetUpForDevice(xmit_.Identity());
    info_.ShowMessage(Translate(kMsgHardwareConnected, startup_.UiLanguage), kConnectedMessage,
                      false);
    return true;
}

void CKoraPanelDlg::UpdateLayout(CSetting* setting) {
    int y = 0;
    if (setting != nullptr) {
        // Ordinary users see only the upper area, down to the frame's bottom edge.
        const int height =
            startup_.ManufacturerMode ? setting->FullSize().height() : setting->UpperAreaHeight();
        setting->setGeometry(0, 0, setting->FullSize().width(), height);
        y = height;
    } else {
        setting_.hide();
    }
    info_.move(0, y);
    info_.show();
    // Qt sizes the client area; the outer height is what counts, frame included.
    const int frameExtra = frameGeometry().height() - geometry().height();
    resize(width(), y + info_.height() + kFrameAllowance - frameExtra);
    setWindowTitle(Title(setting != nullptr));
}

QString CKoraPanelDlg::Title(bool connected) const {
    QString title = QStringLiteral("VEMO Software %1.%2 - NORVAL TECH").arg(2).arg(2);
    if (connected) {
        const DeviceIdentity& identity = xmit_.Identity();
        title += QStringLiteral(" (S%1.%2H%3)")
                     .arg(identity.SoftwareVersion / 10)
                     .arg(identity.SoftwareVersion % 10)
                     .arg(identity.HardwareVersion);
    }
    return title;
}

void CKoraPanelDlg::timerEvent(QTimerEvent* event) {
    if (!timers_.Deliver(event->timerId(), [this](int id) { OnTimer(id); })) {
        QDialog::timerEvent(event);
    }
}

}  // namespace vemo
