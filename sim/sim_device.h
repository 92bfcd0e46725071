#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/frame_codec.h"
#include "params/parameter_set.h"
#include "platform/clock.h"
#include "sim/fault_plan.h"
#include "sim/sim_firmware.h"
#include "sim/sim_storage.h"

namespace vemo {

// What the simulated device says of itself.
struct SimIdentity {
    std::uint8_t ModelCode = 0x82;
    std::uint8_t SoftwareVersion = 22;
    std::uint8_t DeviceStatus = 0;
    std::uint8_t HardwareVersion = 0;
    // Older devices answer with three bytes, without the hardware version.
    bool ReportsHardware = true;
};

// One request as the device received it.
struct LoggedRequest {
    Milliseconds time{0};
    std::uint8_t command = 0;  // high nibble of the header
    std::vector<std::uint8_t> payload;
};

// A parameter block as the device holds it, decoded for its model.
struct DecodedBlock {
    ParameterSet set;
    BlockImage image;  // model 0x82 only: the whole block field by field
};

// Bytes the device sends, after a pause counted from the previous part.
struct OutputPart {
    Milliseconds pause{0};
    std::vector<std::uint8_t> bytes;
};

// A modulator of either model: decodes request frames with the tool's own frame rules, keeps
// its state, and answers as the device does. Transport-free: a port feeds it bytes and plays
// back what it returns.
class SimDevice {
public:
    explicit SimDevice(SimIdentity identity = {});

    // Takes bytes from the line at time `now`; returns the reply bytes for every request
    // completed by them. A restarting device takes nothing in and says nothing.
    std::vector<OutputPart> Receive(std::span<const std::uint8_t> bytes, Milliseconds now);

    SimIdentity identity;
    FaultPlan faults;
    // How long the device stays silent after a restart command.
    Milliseconds restartDuration{2000};
    // The software version the device reports after its next restart, whatever was installed.
    std::optional<std::uint8_t> versionAfterRestart;
    // The power goes off and comes back: the device restarts as on the restart command, but
    // nobody asked and nothing is answered.
    void PowerCycle(Milliseconds now);
    // The version the device runs after its next restart: what it runs now unless an install
    // since the last restart brought another.
    std::uint8_t FirmwareVersion() const;
    // Image store time and where installed firmware carries its version; a model 0x78 device
    // starts with its stock modules.
    SimFirmware firmware;

    // Numbered objects (parameter blocks, IQ table, firmware modules) and the firmware image.
    std::map<std::uint16_t, std::vector<std::uint8_t>> objects;
    std::vector<std::uint8_t> image;
    // Model 0x82 keeps its parameter block apart from the objects.
    std::vector<std::uint8_t> parameterBlock;
    // Model 0x82's shell and device files.
    SimFileSystem fileSystem;
    int writesDone = 0;
    int imagesInstalled = 0;
    int restarts = 0;

    // The current parameters, as the tool would read them now.
    DecodedBlock StoredParameters() const;
    // A change made on the device itself, at its own controls: `edit` is applied to the current
    // parameters, and identification replies report kStatusParametersChanged until the tool
    // has read them.
    void ChangeParametersOnDevice(const std::function<void(ParameterSet&)>& edit);

    const std::vector<LoggedRequest>& Requests() const { return requests_; }
    void ClearRequests() { requests_.clear(); }

private:
    struct Reply {
        bool positive = true;
        std::vector<std::uint8_t> payload;
        Milliseconds delay{0};  // the device works this long before it answers
    };

    Reply Answer(std::uint8_t command, std::span<const std::uint8_t> payload, Milliseconds now);
    Reply AnswerObjectAccess(std::span<const std::uint8_t> payload);
    Reply AnswerParameters(std::uint8_t command, std::span<const std::uint8_t> payload);
    void PresetParameters();
    void PresetIqTable();
    Reply AnswerCommandLine(std::span<const std::uint8_t> payload);
    Reply AnswerRemoteFile(std::span<const std::uint8_t> payload);
    std::vector<std::uint8_t>& CurrentBlock();
    const std::vector<std::uint8_t>& CurrentBlock() const;
    Reply Restart(Milliseconds now);
    std::vector<OutputPart> Deliver(const Reply& reply, const Fault& fault) const;

    FrameParser parser_{FrameParser::Accept::AnyHeader, kMaxFramePayload};
    std::vector<LoggedRequest> requests_;
    Milliseconds silentUntil_{0};

    // The object opened by ObjectAccess, if any, and where its next read or write goes.
    enum class OpenMode { None, Reading, Writing, Image };
    OpenMode openMode_ = OpenMode::None;
    std::uint16_t openObject_ = 0;
    std::size_t position_ = 0;
    // What has been written to the open object. It replaces the object only at the close, as a
    // flash store commits, so a write cut short leaves the object as it was.
    std::vector<std::uint8_t> written_;

    bool parametersChanged_ = false;
};

}  // namespace vemo
