#include "platform/qt_beeper.h"

#include <QApplication>
#include <algorithm>

namespace vemo {

void QtBeeper::Beep(int /*frequencyHz*/, Milliseconds duration) {
    QApplication::beep();
    clock_.Sleep(std::max(duration, Milliseconds(0)));
}

}  // namespace vemo
