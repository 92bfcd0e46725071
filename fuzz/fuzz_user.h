#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/beeper.h"
#include "platform/prompter.h"
#include "platform/status_sink.h"
#include "storage/storage_user.h"

namespace vemo::fuzz {

// A folder of its own under the system's temporary folder, removed with the object.
struct FuzzFolder {
    FuzzFolder()
        : path(std::filesystem::temp_directory_path() /
               ("vemo-fuzz-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path);
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    void Write(const std::filesystem::path& name, const std::uint8_t* data,
               std::size_t size) const {
        std::ofstream(path / name, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    const std::filesystem::path path;
};

// The user of a file button, who types the name "chosen" into every dialog, and what they
// heard and read. The fuzzer fills the file that name is completed to.
class FileUser final : public Prompter, public StatusSink, public Beeper {
public:
    void Fill(const std::uint8_t* data, std::size_t size, std::u16string_view extension) {
        std::filesystem::path file = "chosen";
        file += std::u16string(extension);
        scratch.Write(file, data, size);
        messages.clear();
        beeps = 0;
    }

    void ShowMessageBox(std::u16string_view) override {}
    bool AskYesNo(std::u16string_view) override { return true; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        return scratch.path / "chosen";
    }
    void ShowMessage(std::u16string_view text, Milliseconds, bool) override {
        messages.emplace_back(text);
    }
    void ShowProgress(int, int) override {}
    void Beep(int, Milliseconds) override { ++beeps; }

    const FuzzFolder scratch;
    std::vector<std::u16string> messages;
    int beeps = 0;
    StorageUser user{*this, *this, *this, scratch.path};
};

}  // namespace vemo::fuzz
