#pragma once

#include "platform/clock.h"

namespace vemo {

// The speaker beep that comes before a warning. Returns when the sound has ended, so the
// message that follows appears after it.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep(int frequencyHz, Milliseconds duration) = 0;
};

}  // namespace vemo
