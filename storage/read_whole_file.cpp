#include "storage/read_whole_file.h"

#include <fstream>
#include <system_error>

namespace vemo {

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t capacity) {
    FileContents contents;
    std::error_code error;
    // A folder opens as a stream on some systems and then reads as nothing.
    if (!std::filesystem::is_regular_file(path, error)) {
        return contents;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return contents;
    }
    // One byte beyond the capacity tells a file that fits from one that does not.
    contents.bytes.resize(capacity + 1);
    file.read(reinterpret_cast<char*>(contents.bytes.data()),
              static_cast<std::streamsize>(contents.bytes.size()));
    if (file.bad()) {
        contents.bytes.clear();
        return contents;
    }
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got > capacity) {
        contents.bytes.clear();
        contents.status = FileReadStatus::TooLong;
        return contents;
    }
    contents.bytes.resize(got);
    contents.status = FileReadStatus::Read;
    return contents;
}

}  // namespace vemo
