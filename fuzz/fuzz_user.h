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

// The user of a file button, who types the name "chosen" into every dialog, and what they
// heard and read. The fuzzer fills the file that name is completed to.
class FileUser final : public Prompter, public StatusSink, public Beeper {
public:
    FileUser()
        : folder(std::filesystem::temp_directory_path() /
                 ("vemo-fuzz-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(folder);
    }
    ~FileUser() override { std::filesystem::remove_all(folder); }

    void Fill(const std::uint8_t* data, std::size_t size, std::u16string_view extension) {
        std::filesystem::path file = folder / "chosen";
        file += std::u16string(extension);
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        messages.clear();
        beeps = 0;
    }

    void ShowMessageBox(std::u16string_view) override {}
    bool AskYesNo(std::u16string_view) override { return true; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override {
        return folder / "chosen";
    }
    void ShowMessage(std::u16string_view text, Milliseconds, bool) override {
        messages.emplace_back(text);
    }
    void ShowProgress(int, int) override {}
    void Beep(int, Milliseconds) override { ++beeps; }

    const std::filesystem::path folder;
    std::vector<std::u16string> messages;
    int beeps = 0;
    StorageUser user{*this, *this, *this, folder};
};

}  // namespace vemo::fuzz
