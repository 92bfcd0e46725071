#include "firmware/ui/widget_input.h"

#include <QCoreApplication>

namespace vemo {

void WidgetInput::SetInputEnabled(bool enabled) {
    window_.setEnabled(enabled);
}

void WidgetInput::DiscardPendingInput() {
    if (!window_.isEnabled()) {
        QCoreApplication::processEvents();
    }
}

}  // namespace vemo
