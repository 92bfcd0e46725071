#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "platform/window_timers.h"

namespace Ui {
class Template102;
}

namespace vemo {

class CInfo;
class CSetting;
class CXmit;
struct SessionFlags;
struct StartupValues;

// The firmware upgrade run of a connection attempt, on the device just found. Returns true
// when it attempted an upgrade and restarted the device (it has then closed the port); false
// when it left the device as it was. Either way it clears FirmwareReloadRequest at its end.
using FirmwareUpgradeHook = std::function<bool()>;

// The main window: the settings panel above the status panel, and the supervisor that finds
// the device and watches the link. Timer 1 makes connection attempts while searching; timer 2
// watches the link while connected. Never both at once.
class CKoraPanelDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kConnectTimer = 1;
    static constexpr int kWatchTimer = 2;

    // Takes the two panels in as its children for its lifetime; they stay the caller's.
    CKoraPanelDlg(const StartupValues& startup, CXmit& xmit, SessionFlags& flags, CSetting& setting,
                  CInfo& info, FirmwareUpgradeHook runFirmwareUpgrade, QWidget* parent = nullptr);
    ~CKoraPanelDlg() override;

    // One attempt: find the device, let the firmware upgrade run, then hand over to the
    // settings panel. True when a device is connected and the panel is live.
    bool TryConnect();
    // Stacks the settings panel (when given) above the status panel and fits the window.
    void UpdateLayout(CSetting* setting);

    void OnTimer(int id);
    const WindowTimers& Timers() const { return timers_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void OnConnectTimer();
    void OnWatchTimer();
    QString Title(bool connected) const;

    std::unique_ptr<Ui::Template102> ui_;
    const StartupValues& startup_;
    CXmit& xmit_;
    SessionFlags& flags_;
    CSetting& setting_;
    CInfo& info_;
    FirmwareUpgradeHook runFirmwareUpgrade_;
    WindowTimers timers_{*this};
};

}  // namespace vemo
