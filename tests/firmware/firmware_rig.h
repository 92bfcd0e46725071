#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/session_flags.h"
#include "firmware/firmware_context.h"
#include "firmware/md5.h"
#include "link/cxmit.h"
#include "sim/in_process_port.h"
#include "sim/sim_firmware.h"
#include "support/bytes.h"

namespace vemo::test {

// A folder of its own under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("vemo-firmware-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    WriteFile(path, Bytes(text.begin(), text.end()));
}

// Bytes that differ from chunk to chunk, so a chunk sent twice or out of place shows.
inline Bytes Pattern(std::size_t size, std::uint8_t seed = 1) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + i / 251 + seed);
    }
    return bytes;
}

// An ObjectAccess request as the simulated device logs it: sub-command bytes, then data.
inline std::pair<std::uint8_t, Bytes> Access(const std::string& hex, const Bytes& data = {}) {
    return {0xC0, Concat(Hex(hex), data)};
}

inline Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

inline std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// What the core told the user, in order. Each entry notes how many requests the device had
// received by then, so a test sees where in the exchange a message came; a device served by
// its own thread is not watched.
struct UserEvent {
    enum Kind { Message, Progress, Beep, Box, InputEnabled, InputDisabled, Discard };
    Kind kind = Message;
    std::u16string text{};
    Milliseconds duration{0};
    bool blocking = false;
    int range = 0;
    int position = 0;
    std::size_t requestsBefore = 0;
};

class UserLog final : public StatusSink, public Beeper, public Prompter, public WindowInput {
public:
    explicit UserLog(const SimDevice* device) : device_(device) {}

    void ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) override {
        Add({.kind = UserEvent::Message,
             .text = std::u16string(text),
             .duration = duration,
             .blocking = blocking});
    }
    void ShowProgress(int range, int position) override {
        Add({.kind = UserEvent::Progress, .range = range, .position = position});
    }
    // The frequency goes in `range`.
    void Beep(int frequencyHz, Milliseconds duration) override {
        Add({.kind = UserEvent::Beep, .duration = duration, .range = frequencyHz});
    }
    void ShowMessageBox(std::u16string_view text) override {
        Add({.kind = UserEvent::Box, .text = std::u16string(text)});
    }
    bool AskYesNo(std::u16string_view) override {
        ADD_FAILURE() << "the firmware update asks no question";
        return false;
    }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        ADD_FAILURE() << "the firmware update asks for no file";
        return std::nullopt;
    }
    void SetInputEnabled(bool enabled) override {
        Add({.kind = enabled ? UserEvent::InputEnabled : UserEvent::InputDisabled});
    }
    void DiscardPendingInput() override { Add({.kind = UserEvent::Discard}); }

    std::vector<UserEvent> Of(UserEvent::Kind kind) const {
        std::vector<UserEvent> found;
        for (const UserEvent& event : events) {
            if (event.kind == kind) {
                found.push_back(event);
            }
        }
        return found;
    }
    std::vector<std::u16string> Messages() const {
        std::vector<std::u16string> texts;
        for (const UserEvent& event : Of(UserEvent::Message)) {
            texts.push_back(event.text);
        }
        return texts;
    }
    std::vector<std::pair<int, int>> ProgressSteps() const {
        std::vector<std::pair<int, int>> steps;
        for (const UserEvent& event : Of(UserEvent::Progress)) {
            steps.emplace_back(event.range, event.position);
        }
        return steps;
    }

    std::vector<UserEvent> events;

private:
    void Add(UserEvent event) {
        event.requestsBefore = device_ != nullptr ? device_->Requests().size() : 0;
        events.push_back(std::move(event));
    }
    const SimDevice* device_;
};

// A simulated device on an in-process port with the link already connected to it, and a
// firmware folder of the test's own.
class FirmwareRig : public testing::Test {
protected:
    explicit FirmwareRig(SimIdentity identity) : device(identity) {
        bus.AddPort("COM1", &device);
        device.restartDuration = Milliseconds(3000);
    }

    void SetUp() override {
        ASSERT_TRUE(xmit.FindDevice());
        device.ClearRequests();
    }

    FirmwareContext Context() {
        return FirmwareContext{xmit, user, user, user, flags, folder.Path(), 0};
    }

    // The requests after the identification, as (command, payload) for exact comparison.
    std::vector<std::pair<std::uint8_t, Bytes>> Sent() const {
        std::vector<std::pair<std::uint8_t, Bytes>> sent;
        for (const LoggedRequest& request : device.Requests()) {
            sent.emplace_back(request.command, request.payload);
        }
        return sent;
    }

    // How long the tool waited after request `index` before its next one (or until now):
    // the time-out when the device did not answer.
    Milliseconds WaitAfter(std::size_t index) const {
        const auto& requests = device.Requests();
        const Milliseconds end =
            index + 1 < requests.size() ? requests[index + 1].time : clock.Now();
        return end - requests.at(index).time;
    }

    // The device stays silent for the request at `index` (0: the first after SetUp).
    void DropReplyTo(std::size_t index) {
        std::deque<Fault> script(index);
        script.push_back({FaultKind::NoReply});
        device.faults.Script(std::move(script));
    }
    void RefuseRequest(std::size_t index) {
        std::deque<Fault> script(index);
        script.push_back({FaultKind::Refusal});
        device.faults.Script(std::move(script));
    }

    // After a restart: waits out the device's silence and finds it again.
    bool Reconnect() {
        clock.Sleep(device.restartDuration);
        const bool found = xmit.FindDevice();
        device.ClearRequests();
        user.events.clear();
        return found;
    }

    VirtualClock clock;
    SimDevice device;
    SimBus bus;
    InProcessPort port{bus, clock};
    FixedPortCatalogue catalogue{{{1, "COM1"}}};
    CXmit xmit{port, catalogue, clock};
    UserLog user{&device};
    SessionFlags flags;
    TempFolder folder;
};

inline std::string DigestOf(const Bytes& bytes) {
    return Md5Text(bytes);
}

// One module of a model 0x78 package: its line in "firmware.cfg" and its file.
struct ModuleSpec {
    std::uint16_t id = 0;
    int idOffset = 0;
    int idLength = 0;
    std::uint32_t idValue = 0;
    int versionOffset = 0;
    int version = 0;
    bool lengthPrefixed = false;
    std::string label;
    std::string fileName;
    Bytes content;
    std::string digest{};  // empty: the file's own
};

inline std::string CfgLine(const ModuleSpec& m) {
    return std::to_string(m.id) + " " + std::to_string(m.idOffset) + " " +
           std::to_string(m.idLength) + " " + std::to_string(m.idValue) + " " +
           std::to_string(m.versionOffset) + " " + std::to_string(m.version) + " " +
           (m.lengthPrefixed ? "L" : "-") + " " + m.label + " " + m.fileName + " " +
           (m.digest.empty() ? DigestOf(m.content) : m.digest);
}

// The simulated device's stock modules in a new version, as a package ships them.
inline ModuleSpec SystemModule(int version) {
    return {kSimSystemModule.id,
            4,
            4,
            kSimModuleIdentification,
            8,
            version,
            true,
            "System",
            "system.bin",
            SimModuleObject({kSimSystemModule.id, false, kSimSystemModule.size},
                            static_cast<std::uint8_t>(version))};
}
inline ModuleSpec EncoderModule(int version) {
    return {kSimEncoderModule.id,
            0,
            4,
            kSimModuleIdentification,
            4,
            version,
            false,
            "Encoder",
            "encoder.bin",
            SimModuleObject(kSimEncoderModule, static_cast<std::uint8_t>(version))};
}

// Writes the module files, "firmware.cfg" and an "extension.bin" holding its digest.
inline void WritePackage(const std::filesystem::path& folder,
                         const std::vector<ModuleSpec>& modules) {
    std::string table;
    for (const ModuleSpec& module : modules) {
        WriteFile(folder / module.fileName, module.content);
        table += CfgLine(module) + "\r\n";
    }
    WriteText(folder / "firmware.cfg", table);
    WriteText(folder / "extension.bin", DigestOf(Bytes(table.begin(), table.end())) + "\r\n");
}

}  // namespace vemo::test
