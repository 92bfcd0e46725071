#include "firmware/file_digest.h"

#include <array>

#include "firmware/binary_file.h"
#include "firmware/md5.h"

namespace vemo {

std::string FileDigest(const std::filesystem::path& path) {
    BinaryFile file;
    if (!file.Open(path)) {
        return {};
    }
    Md5 md5;
    std::array<std::uint8_t, 16384> piece;
    while (const std::size_t count = file.Read(piece)) {
        md5.Update(std::span(piece).first(count));
    }
    if (file.Failed()) {
        return {};
    }
    return DigestText(md5.Finish());
}

}  // namespace vemo
