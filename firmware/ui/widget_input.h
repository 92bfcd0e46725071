#pragma once

#include <QWidget>

#include "firmware/firmware_context.h"

namespace vemo {

// The main window's input during an image transfer. Qt cannot take one queued message off the
// queue unprocessed; it does drop mouse and keyboard input that reaches a disabled widget. So
// each discard lets the queue run while the window is disabled: input made during the
// transfer is dropped instead of acting once the window is enabled again, and the progress bar
// repaints. The supervisor's timers are stopped while it connects, so nothing re-enters it.
class WidgetInput final : public WindowInput {
public:
    explicit WidgetInput(QWidget& window) : window_(window) {}

    void SetInputEnabled(bool enabled) override;
    void DiscardPendingInput() override;

private:
    QWidget& window_;
};

}  // namespace vemo
