#include "storage/remote_file_transfer.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

#include "link/command_codes.h"

namespace vemo {

namespace {

namespace fs = std::filesystem;

// The local file's length, 0 for one that cannot be read as a file.
std::uintmax_t LocalLength(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return 0;
    }
    const std::uintmax_t length = fs::file_size(path, error);
    return error ? 0 : length;
}

}  // namespace

bool SendFileToDevice(CXmit& link, const fs::path& localPath, std::u16string_view devicePath) {
    const std::uintmax_t length = LocalLength(localPath);
    std::ifstream file;
    if (length > 0) {
        file.open(localPath, std::ios::binary);
    }
    if (!file.is_open() || !link.OpenRemoteFile(devicePath)) {
        return false;
    }
    bool accepted = false;
    std::array<std::uint8_t, 1 + kRemoteFilePiece> append{remote_file::Append};
    for (std::uintmax_t offset = 0; offset < length; offset += kRemoteFilePiece) {
        const auto size =
            static_cast<std::size_t>(std::min<std::uintmax_t>(kRemoteFilePiece, length - offset));
        // A file that shrank while it was sent ends the transfer, as a refused piece does.
        if (!file.read(reinterpret_cast<char*>(append.data() + 1),
                       static_cast<std::streamsize>(size))) {
            accepted = false;
            break;
        }
        accepted =
            link.Transact(command::RemoteFile, std::span(append).first(1 + size), timeouts::Short);
        if (!accepted) {
            break;
        }
    }
    const std::uint8_t close[] = {remote_file::Close};
    link.Transact(command::RemoteFile, close, timeouts::Data);
    return accepted;
}

}  // namespace vemo
