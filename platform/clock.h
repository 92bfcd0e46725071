#pragma once

#include <chrono>
#include <cstdint>

namespace vemo {

using Milliseconds = std::chrono::milliseconds;

// Time as the tool sees it. The link's time-outs and the status line's durations read it, so
// tests can run them on a virtual clock without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic: never goes back and never wraps, so elapsed times are plain differences.
    virtual Milliseconds Now() const = 0;
    virtual void Sleep(Milliseconds duration) = 0;
};

// The machine's monotonic clock.
class SteadyClock final : public Clock {
public:
    Milliseconds Now() const override;
    void Sleep(Milliseconds duration) override;
};

}  // namespace vemo
