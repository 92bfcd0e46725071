#include "sim/pty_device.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"

namespace vemo {

namespace {
constexpr int kBitsPerByte = 10;
constexpr int kBaud = 115200;
constexpr int kPollMs = 20;

// How long `count` bytes take on the real line.
std::chrono::microseconds WireTime(std::size_t count) {
    return std::chrono::microseconds(static_cast<std::int64_t>(count) * kBitsPerByte * 1'000'000 /
                                     kBaud);
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
        if (options_.paced) {
            std::this_thread::sleep_for(WireTime(received.size()));
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
    if (options_.paced) {
        std::this_thread::sleep_for(WireTime(part.bytes.size()));
    }
    std::size_t done = 0;
    while (done < part.bytes.size() && !stop_) {
        const ssize_t written = write(master_, part.bytes.data() + done, part.bytes.size() - done);
        if (written < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

}  // namespace vemo
