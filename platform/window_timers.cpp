#include "platform/window_timers.h"

#include <algorithm>
#include <limits>

namespace vemo {

void WindowTimers::Arm(int id, Milliseconds period) {
    Timer& timer = timers_[id];
    // Qt counts in int milliseconds; nothing here waits anywhere near that long.
    timer.period =
        std::clamp(period, Milliseconds(0), Milliseconds(std::numeric_limits<int>::max()));
    // Precise: a coarse timer may fire 5% early or late, which would let the supervisor's
    // retries and the panel's write delays drift from their periods by tens of milliseconds.
    timer.timer.start(static_cast<int>(timer.period.count()), Qt::PreciseTimer, &owner_);
}

void WindowTimers::Stop(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) {
        it->second.timer.stop();
    }
}

bool WindowTimers::IsArmed(int id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second.timer.isActive();
}

std::optional<Milliseconds> WindowTimers::Period(int id) const {
    if (!IsArmed(id)) {
        return std::nullopt;
    }
    return timers_.at(id).period;
}

bool WindowTimers::Deliver(int qtTimerId, const std::function<void(int)>& handler) const {
    for (const auto& [id, timer] : timers_) {
        if (timer.timer.isActive() && timer.timer.timerId() == qtTimerId) {
            handler(id);
            return true;
        }
    }
    return false;
}

}  // namespace vemo
