#pragma once

#include <string_view>

#include "platform/clock.h"

namespace vemo {

// Where the core tells the user what is going on: the status line and the progress bar.
// The window's status panel implements it; the command line and tests have their own.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Shows a line that clears itself `duration` after the latest message. With `blocking`
    // the call returns only after that duration.
    virtual void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) = 0;
    // Range 0 hides the bar; any other range shows it from 0 to `range` at `position`.
    virtual void ShowProgress(int range, int position) = 0;
};

}  // namespace vemo
