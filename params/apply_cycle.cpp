#include "params/apply_cycle.h"

namespace vemo {

void ApplyCycle::RequestDefaults() {
    applyCountdown_ = 1;
    defaultsRequested_ = true;
}

void ApplyCycle::Reset() {
    applyCountdown_ = 0;
    defaultsRequested_ = false;
}

void ApplyCycle::Tick(ApplyCycleSteps& steps) {
    if (applyCountdown_ == 0) {
        if (steps.PollReportsChange()) {
            steps.ReadParameters();
        }
        return;
    }
    if (--applyCountdown_ != 0) {
        return;  // a write is pending: no poll until it is done
    }
    if (!steps.ValuesMayBeWritten()) {
        // Show the device's own values instead; the user edits again on what it holds.
        defaultsRequested_ = false;
        steps.ReadParameters();
        return;
    }
    steps.WriteCurrentParameters();
    if (defaultsRequested_) {
        steps.StoreDefaultParameters();
        defaultsRequested_ = false;
        steps.SignalDefaultsStored();
    }
}

}  // namespace vemo
