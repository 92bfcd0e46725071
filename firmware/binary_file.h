#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>

namespace vemo {

// A firmware file opened for binary reading. Only regular files open: a folder that happens to
// carry a module's name must not read as an empty file.
class BinaryFile {
public:
    bool Open(const std::filesystem::path& path);
    // The size the file had when it was opened.
    std::uint64_t Size() const { return size_; }
    // Reads up to `destination.size()` bytes and returns how many came; fewer means the end of
    // the file or a read error, which Failed() tells apart.
    std::size_t Read(std::span<std::uint8_t> destination);
    bool Failed() const { return stream_.bad(); }

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

// The first `maxBytes` bytes of a text file read as 8-bit text, or nothing when it cannot be
// opened or read.
std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace vemo
