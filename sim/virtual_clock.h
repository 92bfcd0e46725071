#pragma once

#include "platform/clock.h"

namespace vemo {

// Time that moves only when the test, the tool's sleeps or the in-process port move it, so
// time-outs of seconds run in microseconds and every run is the same.
class VirtualClock final : public Clock {
public:
    Milliseconds Now() const override { return now_; }
    void Sleep(Milliseconds duration) override { now_ += duration; }
    void AdvanceTo(Milliseconds time) {
        if (time > now_) {
            now_ = time;
        }
    }

private:
    Milliseconds now_{0};
};

}  // namespace vemo
