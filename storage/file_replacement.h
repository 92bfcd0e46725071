#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace vemo {

// Writes a file's new content beside it and puts it in place only once all of it is written,
// so a failure half-way (full disk, removed stick) leaves the old file as it was.
class FileReplacement {
public:
    // Creates the temporary file in the target's folder. IsOpen() tells whether that worked;
    // a target that is a folder or write-protected is not replaced.
    explicit FileReplacement(std::filesystem::path target);
    // Removes the temporary file unless Commit() put it in place.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    bool IsOpen() const { return file_.is_open(); }
    bool Write(std::span<const std::uint8_t> bytes);
    // Closes the temporary file and renames it over the target. False when anything written
    // failed or the rename did; the target is then unchanged.
    bool Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream file_;
    bool failed_ = false;
    bool committed_ = false;
};

}  // namespace vemo
