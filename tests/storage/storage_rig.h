#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "storage/storage_user.h"
#include "support/answering_prompter.h"
#include "support/bytes.h"
#include "support/recording_user.h"

namespace vemo::test {

// A BaseDirectory of its own for each test, removed afterwards, and the user the file
// buttons talk to.
class StorageRig {
public:
    StorageRig() {
        std::filesystem::remove_all(base);
        std::filesystem::create_directories(base);
    }
    ~StorageRig() { std::filesystem::remove_all(base); }

    // Named after the running test, with a random part, so runs side by side do not meet.
    static std::filesystem::path TestFolder() {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vemo-storage-" + std::string(test->test_suite_name()) + "-" +
                           test->name() + "-" + std::to_string(std::random_device{}());
        std::ranges::replace(name, '/', '_');
        return std::filesystem::temp_directory_path() / name;
    }

    static void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes ReadFile(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // The names in a folder, to see that nothing (no temporary file) was left behind.
    static std::vector<std::filesystem::path> Listing(const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename());
        }
        std::ranges::sort(names);
        return names;
    }

    std::filesystem::path base = TestFolder();
    AnsweringPrompter prompter;
    RecordingStatusSink status;
    RecordingBeeper beeper;
    StorageUser user{prompter, status, beeper, base};
};

}  // namespace vemo::test
