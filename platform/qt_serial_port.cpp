#include "platform/qt_serial_port.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace vemo {

namespace {
// A read with nothing pending returns after this long; the link's time-outs count on it.
constexpr int kReadWaitMs = 2;
}  // namespace

bool QtSerialPort::Open(const std::string& name) {
    Close();
    port_.setPortName(QString::fromStdString(name));
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    const bool configured =
        port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop);
    if (!configured) {
        port_.close();
        return false;
    }
    return true;
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen();
}

void QtSerialPort::Close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

std::optional<std::uint8_t> QtSerialPort::ReadByte() {
    if (!port_.isOpen()) {
        return std::nullopt;
    }
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(kReadWaitMs)) {
        return std::nullopt;
    }
    char byte = 0;
    if (port_.read(&byte, 1) != 1) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(byte);
}

void QtSerialPort::DiscardPending() {
    if (port_.isOpen()) {
        // Both what Qt has buffered and what the driver holds.
        port_.clear(QSerialPort::Input);
    }
}

bool QtSerialPort::Write(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen()) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        return false;
    }
    // Synchronous like the original port: the bytes are on their way when Write returns.
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(1000)) {
            return false;
        }
    }
    return true;
}

SystemPortCatalogue::SystemPortCatalogue(std::vector<std::string> preferredPorts)
    : preferred_(std::move(preferredPorts)) {}

void SystemPortCatalogue::Refresh() {
    std::vector<std::string> system;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        system.push_back(info.systemLocation().toStdString());
    }
    std::sort(system.begin(), system.end());
    ports_ = preferred_;
    for (const std::string& name : system) {
        if (std::find(ports_.begin(), ports_.end(), name) == ports_.end()) {
            ports_.push_back(name);
        }
    }
}

std::optional<std::string> SystemPortCatalogue::PortName(std::uint8_t number) const {
    if (number >= ports_.size()) {
        return std::nullopt;
    }
    return ports_[number];
}

}  // namespace vemo
