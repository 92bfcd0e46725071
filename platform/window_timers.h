#pragma once

#include <QBasicTimer>
#include <functional>
#include <map>
#include <optional>

#include "platform/clock.h"

class QObject;

namespace vemo {

// The numbered timers of one window. A timer repeats until stopped; every handler stops the
// timer that fired and re-arms what it needs, so each timer acts once per arming. Tests read
// what is armed and call the window's handler themselves instead of waiting.
class WindowTimers {
public:
    explicit WindowTimers(QObject& owner) : owner_(owner) {}

    // Starts timer `id` with `period`, replacing a running one of the same id. A negative
    // period counts as 0.
    void Arm(int id, Milliseconds period);
    void Stop(int id);

    bool IsArmed(int id) const;
    // The period timer `id` was armed with, or nothing when it is not armed.
    std::optional<Milliseconds> Period(int id) const;

    // Calls `handler` with this window's id of a Qt timer event. False when the event
    // belongs to none of these timers.
    bool Deliver(int qtTimerId, const std::function<void(int)>& handler) const;

private:
    struct Timer {
        QBasicTimer timer;
        Milliseconds period{0};
    };
    QObject& owner_;
    std::map<int, Timer> timers_;
};

}  // namespace vemo
