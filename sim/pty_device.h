#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/sim_device.h"

namespace vemo {

// Serves a SimDevice on a pseudo-terminal, from a thread of its own, so the tool reaches it
// through its real serial code. While it runs, others reach the device only through Change.
class PtyDevice {
public:
    struct Options {
        // Carry bytes at the real line rate both ways (115200 baud, 10 bits a byte): a request
        // is acted on once its last byte would have arrived, and replies go out as fast as the
        // line would deliver them.
        bool paced = false;
    };

    PtyDevice(SimDevice& device, Options options);
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    // Creates the pseudo-terminal and starts serving. False when no pseudo-terminal could be
    // made; `Error()` then says why.
    bool Start();
    void Stop();
    // Runs `edit` on the device between two requests, as a change made at its own controls.
    void Change(const std::function<void(SimDevice&)>& edit);

    // The path the tool opens, for example /dev/pts/3.
    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

    // Bytes that crossed the line so far, both directions together, ignored ones included.
    std::uint64_t BytesCarried() const { return carried_; }

private:
    using TimePoint = std::chrono::steady_clock::time_point;

    void Serve();
    void Send(const OutputPart& part);

    SimDevice& device_;
    std::mutex deviceMutex_;
    Options options_;
    int master_ = -1;
    // Kept open so the line stays up while the tool closes and reopens its end.
    int slave_ = -1;
    std::string path_;
    std::string error_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> carried_{0};
    // Paced: when the line from the tool is idle again, after the last byte received so far.
    TimePoint inboundIdle_{};
    std::thread thread_;
};

}  // namespace vemo
