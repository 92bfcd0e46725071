#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <random>

#include "platform/clock.h"

namespace vemo {

// What goes wrong with one reply of the simulated device.
enum class FaultKind {
    None,
    NoReply,       // the request is carried out but the reply is lost
    BadCheck,      // the reply arrives with a wrong check byte
    Refusal,       // the device refuses (02 E0 E0) and does nothing
    NoiseBefore,   // unrelated bytes precede the reply
    SplitReply,    // the reply arrives in two parts with a pause between
    DelayedReply,  // the reply comes late
};

struct Fault {
    FaultKind kind = FaultKind::None;
    Milliseconds delay{0};  // DelayedReply: how late; SplitReply: the pause
};

// Faults to inject, one per request: a script taken in order first, then seeded random faults
// at a given rate. Deterministic for a seed, so a failing soak run can be replayed.
class FaultPlan {
public:
    void Script(std::deque<Fault> faults) { scripted_ = std::move(faults); }
    void Randomize(std::uint32_t seed, double rate, Milliseconds maxDelay);
    void Stop();

    Fault Next();
    const std::map<FaultKind, int>& Injected() const { return injected_; }

private:
    std::deque<Fault> scripted_;
    std::mt19937 random_;
    double rate_ = 0.0;
    Milliseconds maxDelay_{0};
    std::map<FaultKind, int> injected_;
};

}  // namespace vemo
