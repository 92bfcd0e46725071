#pragma once

#include "platform/beeper.h"

namespace vemo {

// The window's beep. Qt offers only the system's own alert sound, so the frequency is not
// heard; the duration is kept by waiting, because what follows a beep is timed after it.
class QtBeeper final : public Beeper {
public:
    explicit QtBeeper(Clock& clock) : clock_(clock) {}
    void Beep(int frequencyHz, Milliseconds duration) override;

private:
    Clock& clock_;
};

}  // namespace vemo
