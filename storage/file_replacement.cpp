#include "storage/file_replacement.h"

#include <string>
#include <system_error>

namespace vemo {

namespace {

namespace fs = std::filesystem;

// A replaced file keeps its own protection: writing over a read-only file fails as it would
// without the detour through a temporary file.
bool MayReplace(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (!fs::exists(status)) {
        return true;
    }
    return fs::is_regular_file(status) &&
           (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// "<name>.<n>.tmp" beside the target, with the first n that names no file yet.
fs::path FreeTemporaryName(const fs::path& target) {
    constexpr int kAttempts = 100;
    for (int n = 0; n < kAttempts; ++n) {
        fs::path candidate = target;
        candidate += "." + std::to_string(n) + ".tmp";
        std::error_code error;
        if (!fs::exists(candidate, error) && !error) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

FileReplacement::FileReplacement(fs::path target) : target_(std::move(target)) {
    if (!MayReplace(target_)) {
        return;
    }
    temporary_ = FreeTemporaryName(target_);
    if (temporary_.empty()) {
        return;
    }
    file_.open(temporary_, std::ios::binary | std::ios::trunc);
}

FileReplacement::~FileReplacement() {
    if (committed_ || temporary_.empty()) {
        return;
    }
    if (file_.is_open()) {
        file_.close();
    }
    std::error_code error;
    fs::remove(temporary_, error);
}

bool FileReplacement::Write(std::span<const std::uint8_t> bytes) {
    if (!file_.is_open() || failed_) {
        return false;
    }
    file_.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    failed_ = !file_;
    return !failed_;
}

bool FileReplacement::Commit() {
    if (!file_.is_open() || failed_) {
        return false;
    }
    file_.close();
    if (file_.fail()) {
        failed_ = true;
        return false;
    }
    std::error_code error;
    const fs::file_status old = fs::status(target_, error);
    if (fs::exists(old)) {
        fs::permissions(temporary_, old.permissions(), error);  // best effort
    }
    fs::rename(temporary_, target_, error);
    if (error) {
        failed_ = true;
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace vemo
