#pragma once

#include <QString>
#include <QWidget>

namespace vemo {

// Controls of the window templates carry their numeric ids in their object names ("idc1072"),
// so code and tests reach them by the numbers the device's documentation uses.
inline QString ControlName(int id) {
    return QStringLiteral("idc%1").arg(id);
}

template <typename Control = QWidget>
Control* FindControl(const QWidget& window, int id) {
    return window.findChild<Control*>(ControlName(id));
}

}  // namespace vemo
