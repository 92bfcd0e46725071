#pragma once

#include "app/session_flags.h"
#include "app/startup_values.h"
#include "link/cxmit.h"
#include "params/panel/c_setting.h"
#include "sim/in_process_port.h"
#include "support/answering_prompter.h"
#include "support/recording_user.h"

namespace vemo::test {

// What the settings panel works with: a simulated device on the in-process line (not yet
// found), the session's values and recording stand-ins for the user.
struct PanelRig {
    explicit PanelRig(SimIdentity identity = SimIdentity{kModel78, 23, 0, 3, true})
        : device(identity) {
        bus.AddPort("ttyUSB0", &device);
    }

    PanelContext Context() { return {startup, xmit, flags, beeper, status, prompter}; }

    VirtualClock clock;
    SimDevice device;
    SimBus bus;
    InProcessPort port{bus, clock};
    FixedPortCatalogue catalogue{{{0, "ttyUSB0"}}};
    CXmit xmit{port, catalogue, clock};
    SessionFlags flags;
    StartupValues startup;
    RecordingBeeper beeper;
    RecordingStatusSink status;
    AnsweringPrompter prompter;
};

}  // namespace vemo::test
