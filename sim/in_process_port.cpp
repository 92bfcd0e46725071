#include "sim/in_process_port.h"

namespace vemo {

namespace {
constexpr Milliseconds kReadWait{2};
}

void SimBus::AddPort(const std::string& name, SimDevice* device, bool busy) {
    ports_[name] = Port{device, busy};
}

const SimBus::Port* SimBus::Find(const std::string& name) const {
    const auto it = ports_.find(name);
    return it == ports_.end() ? nullptr : &it->second;
}

bool InProcessPort::Open(const std::string& name) {
    Close();
    bus_.openAttempts.push_back(name);
    const SimBus::Port* port = bus_.Find(name);
    if (port == nullptr || port->busy) {
        return false;
    }
    open_ = true;
    name_ = name;
    return true;
}

void InProcessPort::Close() {
    open_ = false;
    pending_.clear();
}

std::optional<std::uint8_t> InProcessPort::ReadByte() {
    if (!open_) {
        return std::nullopt;
    }
    if (pending_.empty() || pending_.front().due > clock_.Now() + kReadWait) {
        clock_.Sleep(kReadWait);
        return std::nullopt;
    }
    clock_.AdvanceTo(pending_.front().due);
    const std::uint8_t byte = pending_.front().byte;
    pending_.pop_front();
    return byte;
}

void InProcessPort::DiscardPending() {
    while (!pending_.empty() && pending_.front().due <= clock_.Now()) {
        pending_.pop_front();
    }
}

bool InProcessPort::Write(std::span<const std::uint8_t> bytes) {
    if (!open_) {
        return false;
    }
    written.insert(written.end(), bytes.begin(), bytes.end());
    const SimBus::Port* port = bus_.Find(name_);
    if (port == nullptr || port->device == nullptr) {
        return true;  // unplugged or nothing attached: the bytes go nowhere
    }
    Milliseconds due = clock_.Now();
    for (const OutputPart& part : port->device->Receive(bytes, clock_.Now())) {
        due += part.pause;
        for (std::uint8_t byte : part.bytes) {
            pending_.push_back({due, byte});
        }
    }
    return true;
}

void InProcessPort::Inject(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        pending_.push_back({clock_.Now(), byte});
    }
}

std::optional<std::string> FixedPortCatalogue::PortName(std::uint8_t number) const {
    const auto it = names_.find(number);
    if (it == names_.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace vemo
