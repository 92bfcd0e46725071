#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "sim/sim_device.h"
#include "sim/virtual_clock.h"

namespace vemo {

// The serial ports of a simulated machine: which names exist, which are held by another
// program, and which simulated device (if any) hangs on each.
class SimBus {
public:
    // A port with no device answers nothing; a busy port cannot be opened.
    void AddPort(const std::string& name, SimDevice* device = nullptr, bool busy = false);
    void RemovePort(const std::string& name) { ports_.erase(name); }

    struct Port {
        SimDevice* device = nullptr;
        bool busy = false;
    };
    const Port* Find(const std::string& name) const;

    // Every open attempt in order, so tests can check the scan's path.
    std::vector<std::string> openAttempts;

private:
    std::map<std::string, Port> ports_;
};

// A SerialPort onto a SimBus, running on a VirtualClock: a read with nothing due moves the
// clock 2 ms, like a real port's short read time-out.
class InProcessPort final : public SerialPort {
public:
    InProcessPort(SimBus& bus, VirtualClock& clock) : bus_(bus), clock_(clock) {}

    bool Open(const std::string& name) override;
    bool IsOpen() const override { return open_; }
    void Close() override;
    std::optional<std::uint8_t> ReadByte() override;
    // Drops the bytes due by now; later ones are still on their way.
    void DiscardPending() override;
    bool Write(std::span<const std::uint8_t> bytes) override;

    // Puts bytes on the line as if the device had sent them unasked (stale or noise).
    void Inject(std::span<const std::uint8_t> bytes);
    // Loses every byte still on its way to the tool, as a pulled cable or a dead device does.
    void LoseInFlight() { pending_.clear(); }
    std::vector<std::uint8_t> written;

private:
    struct Pending {
        Milliseconds due;
        std::uint8_t byte;
    };
    SimBus& bus_;
    VirtualClock& clock_;
    bool open_ = false;
    std::string name_;
    std::deque<Pending> pending_;
};

// Port numbers onto names given by the test.
class FixedPortCatalogue final : public PortCatalogue {
public:
    explicit FixedPortCatalogue(std::map<std::uint8_t, std::string> names)
        : names_(std::move(names)) {}
    void Refresh() override {}
    std::optional<std::string> PortName(std::uint8_t number) const override;

private:
    std::map<std::uint8_t, std::string> names_;
};

}  // namespace vemo
