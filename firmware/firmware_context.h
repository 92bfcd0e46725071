#pragma once

#include <filesystem>

#include "app/session_flags.h"
#include "link/cxmit.h"
#include "platform/beeper.h"
#include "platform/prompter.h"
#include "platform/status_sink.h"

namespace vemo {

// What an upgrade run works with: the link to the identified device, the user's channels, the
// session's flags and where the firmware lies.
struct FirmwareContext {
    CXmit& xmit;
    StatusSink& status;
    Beeper& beeper;
    Prompter& prompter;
    SessionFlags& flags;
    std::filesystem::path firmwareDirectory;
    int language = 0;
};

// The main window as the image transfer sees it. It takes no input while an image goes out, so
// a click cannot start other device traffic in the middle of the transfer.
class WindowInput {
public:
    virtual ~WindowInput() = default;
    virtual void SetInputEnabled(bool enabled) = 0;
    // Called after every image chunk: drops input that arrived meanwhile, unprocessed.
    virtual void DiscardPendingInput() = 0;
};

}  // namespace vemo
