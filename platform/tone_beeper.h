#pragma once

#include <string>

#include "platform/beeper.h"

namespace vemo {

// The speaker beep as a real tone of the asked frequency on the machine's sound output. Where
// there is none (no sound library, no device, a device held by another program) the beep is
// silent; either way the call returns after the duration, timed by `clock`.
class ToneBeeper final : public Beeper {
public:
    // `output` names the sound device; the system's default one unless a test chooses.
    explicit ToneBeeper(Clock& clock, std::string output = "default");
    void Beep(int frequencyHz, Milliseconds duration) override;

private:
    Clock& clock_;
    std::string output_;
};

}  // namespace vemo
