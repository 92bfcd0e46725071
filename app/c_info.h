#pragma once

#include <QWidget>
#include <memory>

#include "platform/status_sink.h"
#include "platform/window_timers.h"

namespace Ui {
class Template133;
}

namespace vemo {

// The status panel (template 133) at the bottom of the main window: a message line that
// clears itself, and a progress bar for long operations.
class CInfo final : public QWidget, public StatusSink {
    Q_OBJECT

public:
    static constexpr int kClearTimer = 1;
    static constexpr QRgb kTextColour = qRgb(96, 96, 96);

    // `clock` times the blocking wait of ShowMessage.
    explicit CInfo(Clock& clock, QWidget* parent = nullptr);
    ~CInfo() override;

    // Shows the text at once, even if the caller then keeps the thread busy, and clears it
    // `duration` after the latest message. With `blocking`, waits out the duration first.
    void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) override;
    void ShowProgress(int range, int position) override;

    // The panel's timer: clears the message line; the progress bar stays as it is.
    void OnTimer(int id);
    const WindowTimers& Timers() const { return timers_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::unique_ptr<Ui::Template133> ui_;
    Clock& clock_;
    WindowTimers timers_{*this};
    // The bar's upper end; 0 while the bar is hidden.
    int currentRange_ = 0;
};

}  // namespace vemo
