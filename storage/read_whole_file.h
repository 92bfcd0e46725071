#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace vemo {

enum class FileReadStatus {
    Read,       // `bytes` holds the whole file
    NotOpened,  // missing, not a regular file, or unreadable
    TooLong,    // longer than the capacity; nothing is kept
};

struct FileContents {
    FileReadStatus status = FileReadStatus::NotOpened;
    std::vector<std::uint8_t> bytes;
};

// Reads a whole file, byte for byte, into memory of at most `capacity` bytes: a longer file is
// refused rather than cut, so a caller never takes part of a file for all of it.
FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t capacity);

}  // namespace vemo
