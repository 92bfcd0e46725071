#include "sim/pty_device.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"

namespace vemo {

namespace {
constexpr int kBitsPerByte = 10;
constexpr int kBaud = 115200;
constexpr int kPollMs = 20;
// A paced reply reaches the tool in pieces of this many bytes (about 1 ms of line time), as a
// serial driver hands over what its receive buffer holds.
constexpr std::size_t kPacedPiece = 12;

// How long `count` bytes take on the real line.
std::chrono::nanoseconds WireTime(std::size_t count) {
    return std::chrono::nanoseconds(static_cast<std::int64_t>(count) * kBitsPerByte *
                                    1'000'000'000 / kBaud);
}

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
}  // namespace

PtyDevice::PtyDevice(SimDevice& device, Options options) : device_(device), options_(options) {}

PtyDevice::~PtyDevice() {
    Stop();
}

bool PtyDevice::Start() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = SystemError("posix_openpt");
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = SystemError("unlockpt");
        Stop();
        return false;
    }
    path_ = ptsname(master_);
    slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error_ = SystemError("open pseudo-terminal");
        Stop();
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no newline translation.
    termios settings{};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave_, TCSANOW, &settings);
    stop_ = false;
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void PtyDevice::Stop() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    for (int* fd : {&slave_, &master_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

void PtyDevice::Change(const std::function<void(SimDevice&)>& edit) {
    const std::lock_guard lock(deviceMutex_);
    edit(device_);
}

void PtyDevice::Serve() {
    SteadyClock clock;
    std::uint8_t buffer[4096];
    while (!stop_) {
        pollfd watch{master_, POLLIN, 0};
        if (poll(&watch, 1, kPollMs) <= 0 || !(watch.revents & POLLIN)) {
            continue;
        }
        const ssize_t count = read(master_, buffer, sizeof buffer);
        if (count <= 0) {
            continue;
        }
        const auto received = std::span(buffer, static_cast<std::size_t>(count));
        carried_ += received.size();
        if (options_.paced) {
            // The bytes left the tool about now, behind whatever was still on the line; the
            // device sees them once the last one has arrived. Deadlines are absolute, so the
            // sleeps' own lateness does not add up.
            inboundIdle_ = std::max(inboundIdle_, std::chrono::steady_clock::now()) +
                           WireTime(received.size());
            std::this_thread::sleep_until(inboundIdle_);
        }
        std::vector<OutputPart> reply;
        {
            const std::lock_guard lock(deviceMutex_);
            reply = device_.Receive(received, clock.Now());
        }
        for (const OutputPart& part : reply) {
            Send(part);
        }
    }
}

void PtyDevice::Send(const OutputPart& part) {
    std::this_thread::sleep_for(part.pause);
    const TimePoint start = std::chrono::steady_clock::now();
    std::size_t done = 0;
    while (done < part.bytes.size() && !stop_) {
        std::size_t end = part.bytes.size();
        if (options_.paced) {
            // Each piece is handed over when its last byte would have come off the line.
            end = std::min(end, done + kPacedPiece);
            std::this_thread::sleep_until(start + WireTime(end));
        }
        while (done < end && !stop_) {
            const ssize_t written = write(master_, part.bytes.data() + done, end - done);
            if (written < 0) {
                if (errno == EAGAIN || errno == EINTR) {
                    continue;
                }
                return;
            }
            done += static_cast<std::size_t>(written);
            carried_ += static_cast<std::size_t>(written);
        }
    }
}

}  // namespace vemo
