#include "sim/sim_device.h"

#include "link/command_codes.h"
#include "link/device_identity.h"

namespace vemo {

namespace {

// Bytes a noisy line might carry; none of them starts a frame.
constexpr std::uint8_t kNoise[] = {0x00, 0x55, 0xFF, 0xF3, 0x13, 0xE0};

// The reply frame with its check byte spoiled, doubling kept right.
std::vector<std::uint8_t> SpoilCheck(std::vector<std::uint8_t> frame) {
    std::uint8_t check = frame.back();
    frame.pop_back();
    if (check == kFrameStart) {
        frame.pop_back();
    }
    check ^= 0x80;
    frame.push_back(check);
    if (check == kFrameStart) {
        frame.push_back(check);
    }
    return frame;
}

}  // namespace

SimDevice::SimDevice(SimIdentity identity) : identity(identity) {
    PresetParameters();
    if (identity.ModelCode != 0x82) {
        SimFirmware::AddStockModules(objects, identity.SoftwareVersion);
    }
    PresetIqTable();
}

std::vector<OutputPart> SimDevice::Receive(std::span<const std::uint8_t> bytes, Milliseconds now) {
    std::vector<OutputPart> output;
    if (now < silentUntil_) {
        return output;
    }
    for (std::uint8_t byte : bytes) {
        if (parser_.Feed(byte) != FrameParser::Status::Good) {
            continue;  // a frame with a bad check byte goes unanswered, as on the device
        }
        const std::uint8_t command = parser_.Header() & 0xF0;
        const std::vector<std::uint8_t> payload(parser_.Payload().begin(), parser_.Payload().end());
        requests_.push_back({now, command, payload});
        const Fault fault = faults.Next();
        const Reply reply =
            fault.kind == FaultKind::Refusal ? Reply{false, {}} : Answer(command, payload, now);
        std::vector<OutputPart> parts = Deliver(reply, fault);
        if (!parts.empty()) {
            parts.front().pause += reply.delay;
        }
        for (OutputPart& part : parts) {
            output.push_back(std::move(part));
        }
    }
    return output;
}

std::vector<OutputPart> SimDevice::Deliver(const Reply& reply, const Fault& fault) const {
    std::vector<std::uint8_t> frame =
        BuildFrame(reply.positive ? kReplyPositive : kReplyRefusal, reply.payload);
    switch (fault.kind) {
        case FaultKind::NoReply:
            return {};
        case FaultKind::BadCheck:
            return {{Milliseconds(0), SpoilCheck(std::move(frame))}};
        case FaultKind::NoiseBefore:
            frame.insert(frame.begin(), std::begin(kNoise), std::end(kNoise));
            return {{Milliseconds(0), std::move(frame)}};
        case FaultKind::SplitReply: {
            const auto half = static_cast<std::ptrdiff_t>(frame.size() / 2);
            std::vector<std::uint8_t> first(frame.begin(), frame.begin() + half);
            std::vector<std::uint8_t> second(frame.begin() + half, frame.end());
            return {{Milliseconds(0), std::move(first)}, {fault.delay, std::move(second)}};
        }
        case FaultKind::DelayedReply:
            return {{fault.delay, std::move(frame)}};
        case FaultKind::None:
        case FaultKind::Refusal:
            break;
    }
    return {{Milliseconds(0), std::move(frame)}};
}

SimDevice::Reply SimDevice::Answer(std::uint8_t command, std::span<const std::uint8_t> payload,
                                   Milliseconds now) {
    switch (command) {
        case command::Identify: {
            Reply reply;
            const std::uint8_t status =
                parametersChanged_ ? kStatusParametersChanged : identity.DeviceStatus;
            reply.payload = {identity.ModelCode, identity.SoftwareVersion, status};
            if (identity.ReportsHardware) {
                reply.payload.push_back(identity.HardwareVersion);
            }
            return reply;
        }
        case command::ObjectAccess:
            return AnswerObjectAccess(payload);
        case command::ReadParameters:
        case command::WriteParameters:
        case command::WriteDone:
            return AnswerParameters(command, payload);
        case command::CommandLine:
            return AnswerCommandLine(payload);
        case command::RemoteFile:
            return AnswerRemoteFile(payload);
        case command::Restart82:
        case command::Restart78: {
            const std::uint8_t own =
                identity.ModelCode == 0x82 ? command::Restart82 : command::Restart78;
            return command == own ? Restart(now) : Reply{false, {}};
        }
        default:
            return {false, {}};
    }
}

SimDevice::Reply SimDevice::Restart(Milliseconds now) {
    ++restarts;
    PowerCycle(now);
    return {};
}

void SimDevice::PowerCycle(Milliseconds now) {
    silentUntil_ = now + restartDuration;
    openMode_ = OpenMode::None;
    written_.clear();
    parser_.Reset();
    identity.SoftwareVersion = FirmwareVersion();
    versionAfterRestart.reset();
    firmware.TakeInstalledVersion();
}

std::uint8_t SimDevice::FirmwareVersion() const {
    return versionAfterRestart.value_or(
        firmware.InstalledVersion().value_or(identity.SoftwareVersion));
}

SimDevice::Reply SimDevice::AnswerObjectAccess(std::span<const std::uint8_t> payload) {
    if (payload.empty()) {
        return {false, {}};
    }
    const std::uint8_t sub = payload[0];
    // The little-endian 16-bit value after the sub-command: an object id or a byte count.
    const auto word = [&] { return static_cast<std::uint16_t>(payload[1] | payload[2] << 8); };
    if (sub == object_access::StartImage && payload.size() == 1) {
        image.clear();
        openMode_ = OpenMode::Image;
        return {};
    }
    if (sub == object_access::OpenForWriting && payload.size() == 3) {
        written_.clear();
        openMode_ = OpenMode::Writing;
        openObject_ = word();
        position_ = 0;
        return {};
    }
    if (sub == object_access::OpenForReading && payload.size() == 3) {
        if (!objects.contains(word())) {
            return {false, {}};
        }
        openMode_ = OpenMode::Reading;
        openObject_ = word();
        position_ = 0;
        return {};
    }
    if (sub == object_access::WriteMemory && payload.size() >= 4) {
        if (openMode_ != OpenMode::Image) {
            return {false, {}};
        }
        const std::size_t address = payload[1] << 16 | payload[2] << 8 | payload[3];
        const std::span<const std::uint8_t> data = payload.subspan(4);
        if (image.size() < address + data.size()) {
            image.resize(address + data.size());
        }
        std::copy(data.begin(), data.end(), image.begin() + static_cast<std::ptrdiff_t>(address));
        return {};
    }
    if (sub == object_access::Close && payload.size() == 1) {
        Reply reply;
        if (openMode_ == OpenMode::Image) {
            ++imagesInstalled;
            firmware.ImageStored(image);
            reply.delay = firmware.imageStoreTime;
        } else if (openMode_ == OpenMode::Writing) {
            objects[openObject_] = std::move(written_);
            written_.clear();
            firmware.ObjectWritten(openObject_, objects[openObject_]);
        }
        openMode_ = OpenMode::None;
        return reply;
    }
    if (sub == object_access::Read && payload.size() == 3 && openMode_ == OpenMode::Reading) {
        const std::vector<std::uint8_t>& object = objects[openObject_];
        if (openObject_ == object_id::CurrentParameters) {
            parametersChanged_ = false;
        }
        const std::size_t count = std::min<std::size_t>(word(), object.size() - position_);
        Reply reply;
        reply.payload.assign(object.begin() + static_cast<std::ptrdiff_t>(position_),
                             object.begin() + static_cast<std::ptrdiff_t>(position_ + count));
        position_ += count;
        return reply;
    }
    if (sub == object_access::Write && openMode_ == OpenMode::Writing) {
        written_.insert(written_.end(), payload.begin() + 1, payload.end());
        return {};
    }
    return {false, {}};
}

}  // namespace vemo
