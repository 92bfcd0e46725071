#include "platform/clock.h"

#include <thread>

namespace vemo {

Milliseconds SteadyClock::Now() const {
    return std::chrono::duration_cast<Milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::Sleep(Milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace vemo
