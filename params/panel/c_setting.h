#pragma once

#include <QWidget>
#include <memory>

#include "link/device_identity.h"
#include "platform/window_timers.h"

namespace Ui {
class Template129;
}

namespace vemo {

struct StartupValues;

// The settings panel (template 129): one control per device parameter in its upper area, the
// manufacturer's tools in the lower area. Created hidden; shown while a device is connected.
class CSetting final : public QWidget {
    Q_OBJECT

public:
    // Timer 0 drives the apply-and-poll cycle while a device is connected.
    static constexpr int kCycleTimer = 0;
    static constexpr Milliseconds kFirstCyclePeriod{100};

    explicit CSetting(const StartupValues& startup, QWidget* parent = nullptr);
    ~CSetting() override;

    // Run once, right after the main window has taken the panel in: the labels in the
    // interface language.
    void FirstSetUp();
    // Run each time a device has been identified: shows the panel and starts the cycle.
    void SetUpForDevice(const DeviceIdentity& identity);
    // Stops the cycle, as the link watch does when the connection is dropped.
    void StopTimer();

    // The template's whole size, and the height of the frame (1072) over the upper area,
    // the part ordinary users see.
    QSize FullSize() const { return fullSize_; }
    int UpperAreaHeight() const;

    void OnTimer(int id);
    const WindowTimers& Timers() const { return timers_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void TranslateLabels();

    std::unique_ptr<Ui::Template129> ui_;
    const StartupValues& startup_;
    QSize fullSize_;
    WindowTimers timers_{*this};
};

}  // namespace vemo
