#pragma once

#include <memory>

#include "app/c_info.h"
#include "app/panel_options.h"
#include "app/session_flags.h"
#include "app/startup_values.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "platform/qt_prompter.h"
#include "platform/qt_serial_port.h"
#include "platform/tone_beeper.h"
#include "sim/pty_device.h"

namespace vemo {

// The application object: fixes the start-up values, owns the link and the two panels for the
// whole process, and runs the main window modally.
class CKoraPanelApp {
public:
    explicit CKoraPanelApp(const PanelOptions& options);
    // Runs the main window until it is closed; returns the process's exit code.
    int Run();

private:
    StartupValues startup_;
    std::unique_ptr<SimDevice> simulatedDevice_;
    std::unique_ptr<PtyDevice> simulatedLine_;
    SteadyClock clock_;
    QtSerialPort port_;
    std::unique_ptr<SystemPortCatalogue> catalogue_;
    std::unique_ptr<CXmit> xmit_;
    SessionFlags flags_;
    ToneBeeper beeper_{clock_};
    QtPrompter prompter_;
    CInfo info_{clock_};
    std::unique_ptr<CSetting> setting_;
};

}  // namespace vemo
