#pragma once

#include <filesystem>
#include <string>

namespace vemo {

// The MD5 digest of a whole file as 32 upper-case hexadecimal digits, read 16384 bytes at a
// time. The empty text when the file cannot be opened or a read fails, so it never equals a
// digest.
std::string FileDigest(const std::filesystem::path& path);

}  // namespace vemo
