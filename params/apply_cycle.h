#pragma once

#include <cstdint>

namespace vemo {

// The work a tick of the panel timer can ask of the panel and the device.
class ApplyCycleSteps {
public:
    virtual ~ApplyCycleSteps() = default;
    // False while the panel's values may not be the device's (its block could not be read):
    // writing them would overwrite what the user never touched.
    virtual bool ValuesMayBeWritten() const = 0;
    // Writes the panel's parameters to the device's current slot and reads them back.
    virtual void WriteCurrentParameters() = 0;
    virtual void StoreDefaultParameters() = 0;
    virtual void SignalDefaultsStored() = 0;
    // Polls the device's status; true when it reports parameters changed on the device.
    virtual bool PollReportsChange() = 0;
    virtual void ReadParameters() = 0;
};

// ApplyCountdown and DefaultsRequested: edits become one write a few ticks after the user
// stops, and while nothing is pending each tick polls the device.
class ApplyCycle {
public:
    // Ticks from an edit to its write: a list, a field or a released slider; a slider that is
    // still moving.
    static constexpr std::uint8_t kAfterEdit = 3;
    static constexpr std::uint8_t kAfterSliderMove = 10;

    std::uint8_t ApplyCountdown() const { return applyCountdown_; }
    bool DefaultsRequested() const { return defaultsRequested_; }

    // The write follows `ticks` ticks from now, unless a further edit sets a new count first.
    void Schedule(std::uint8_t ticks) { applyCountdown_ = ticks; }
    // Write on the next tick, then store the parameters as the device's defaults.
    void RequestDefaults();
    // Nothing pending: the panel shows what the device holds.
    void Clear() { applyCountdown_ = 0; }
    // A new connection: whatever was pending belonged to the last one and is dropped.
    void Reset();

    // One tick: counts down; at 0 writes (and stores the defaults when asked); while nothing
    // is pending, polls, and reads the block when the device reports a change.
    void Tick(ApplyCycleSteps& steps);

private:
    std::uint8_t applyCountdown_ = 0;
    bool defaultsRequested_ = false;
};

}  // namespace vemo
