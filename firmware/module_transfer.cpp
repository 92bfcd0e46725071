#include "firmware/module_transfer.h"

#include <algorithm>
#include <array>
#include <limits>

#include "firmware/binary_file.h"
#include "link/command_codes.h"

namespace vemo {

namespace {

constexpr std::size_t kLengthPrefix = 4;

std::array<std::uint8_t, kLengthPrefix> LittleEndian32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// Reads `count` bytes of the open object; true only when at least that many came back.
bool ReadExactly(CXmit& xmit, std::size_t count, std::span<std::uint8_t> destination) {
    return xmit.ReadData(static_cast<std::uint16_t>(count), destination.first(count)) &&
           xmit.ReplyPayload().size() >= count;
}

// The progress bar takes int; module files that fit the length prefix may not fit it.
int ProgressValue(std::uint64_t value) {
    return static_cast<int>(std::min<std::uint64_t>(value, std::numeric_limits<int>::max()));
}

}  // namespace

bool WriteModule(const std::filesystem::path& path, std::uint16_t moduleId, bool lengthPrefixed,
                 CXmit& xmit, StatusSink& status) {
    BinaryFile file;
    if (!file.Open(path) || file.Size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const std::uint64_t length = file.Size();
    bool outcome =
        xmit.OpenObjectForWriting(moduleId) &&
        (!lengthPrefixed || xmit.WriteData(LittleEndian32(static_cast<std::uint32_t>(length))));
    std::array<std::uint8_t, kModuleChunk> chunk;
    for (std::uint64_t offset = 0; offset < length && outcome; offset += kModuleChunk) {
        const std::size_t expected =
            static_cast<std::size_t>(std::min<std::uint64_t>(kModuleChunk, length - offset));
        const std::size_t count = file.Read(std::span(chunk).first(expected));
        // A file that shrank since it was checked must not be sent cut short.
        outcome = count == expected && xmit.WriteData(std::span(chunk).first(count));
        status.ShowProgress(ProgressValue(length), ProgressValue(offset));
    }
    return outcome && xmit.CloseObject(timeouts::Data);
}

bool VerifyModule(std::uint16_t moduleId, const std::filesystem::path& path, bool lengthPrefixed,
                  CXmit& xmit, StatusSink& status) {
    BinaryFile file;
    if (!file.Open(path) || !xmit.OpenObjectForReading(moduleId)) {
        return false;
    }
    const std::uint64_t length = file.Size();
    std::array<std::uint8_t, kModuleChunk> readBack{};
    if (lengthPrefixed) {
        const auto stored = LittleEndian32(static_cast<std::uint32_t>(length));
        if (!ReadExactly(xmit, kLengthPrefix, readBack) ||
            !std::equal(stored.begin(), stored.end(), readBack.begin())) {
            return false;
        }
    }
    bool result = true;
    std::array<std::uint8_t, kModuleChunk> fromFile;
    for (std::uint64_t offset = 0; offset < length && result; offset += kModuleChunk) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kModuleChunk, length - offset));
        result = ReadExactly(xmit, count, readBack) &&
                 file.Read(std::span(fromFile).first(count)) == count &&
                 std::equal(fromFile.begin(), fromFile.begin() + static_cast<std::ptrdiff_t>(count),
                            readBack.begin());
        status.ShowProgress(ProgressValue(length), ProgressValue(offset));
    }
    status.ShowMessage(u"", Milliseconds(1), false);
    xmit.CloseObject(timeouts::Data);
    return result;
}

}  // namespace vemo
