#include "firmware/binary_file.h"

namespace vemo {

bool BinaryFile::Open(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return false;
    }
    stream_.open(path, std::ios::binary);
    size_ = size;
    return stream_.is_open();
}

std::size_t BinaryFile::Read(std::span<std::uint8_t> destination) {
    if (!stream_.is_open() || destination.empty()) {
        return 0;
    }
    stream_.read(reinterpret_cast<char*>(destination.data()),
                 static_cast<std::streamsize>(destination.size()));
    return static_cast<std::size_t>(stream_.gcount());
}

std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes) {
    BinaryFile file;
    if (!file.Open(path)) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), maxBytes)),
                     '\0');
    text.resize(file.Read(std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size())));
    if (file.Failed()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace vemo
