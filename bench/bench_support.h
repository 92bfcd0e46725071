#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "firmware/md5.h"
#include "sim/sim_firmware.h"

namespace vemo::bench {

// A folder of its own under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("vemo-bench-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The time the line needs for `bytes` bytes at 115200 baud, 10 bits a byte.
inline double LineSeconds(std::uint64_t bytes) {
    return static_cast<double>(bytes) * 10.0 / 115200.0;
}

inline std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + i / 251 + seed);
    }
    return bytes;
}

// A model 0x78 package for the simulated device's two stock modules at `version`, in the
// folder of hardware version 3: firmware.cfg, its digest in extension.bin, and the modules,
// "VEMO" and the version byte followed by `systemSize` and `encoderSize` bytes in all.
inline void WritePackage(const std::filesystem::path& firmwareFolder, std::uint8_t version,
                         std::size_t systemSize, std::size_t encoderSize) {
    const std::filesystem::path package = firmwareFolder / "H3";
    const auto module = [&](std::size_t size, std::uint8_t seed) {
        std::vector<std::uint8_t> content = Pattern(size, seed);
        for (std::size_t i = 0; i < 4; ++i) {
            content[i] = static_cast<std::uint8_t>(kSimModuleIdentification >> (24 - 8 * i));
        }
        content[4] = version;
        return content;
    };
    const std::vector<std::uint8_t> system = module(systemSize, 1);
    const std::vector<std::uint8_t> encoder = module(encoderSize, 2);
    WriteFile(package / "system.bin", system);
    WriteFile(package / "encoder.bin", encoder);
    const std::string v = std::to_string(version);
    const std::string table = "768 4 4 1447382351 8 " + v + " L System system.bin " +
                              Md5Text(system) + "\r\n769 0 4 1447382351 4 " + v +
                              " - Encoder encoder.bin " + Md5Text(encoder) + "\r\n";
    const auto bytes = [](const std::string& text) {
        return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    };
    WriteFile(package / "firmware.cfg", bytes(table));
    WriteFile(package / "extension.bin", bytes(Md5Text(bytes(table)) + "\r\n"));
}

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One figure, one line: what was measured, the ratio, how it was made, and its goal.
inline void PrintFigure(const char* figure, double ratio, const std::string& detail,
                        const char* goal) {
    std::printf("%-50s %8.4g  (%s; goal %s)\n", figure, ratio, detail.c_str(), goal);
    std::fflush(stdout);
}

}  // namespace vemo::bench
