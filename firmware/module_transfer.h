#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "link/cxmit.h"
#include "platform/status_sink.h"

namespace vemo {

// Module data goes out and comes back in pieces of this many bytes.
inline constexpr std::size_t kModuleChunk = 200;

// Writes a module file into its device object: open for writing, the 32-bit little-endian
// length first when `lengthPrefixed`, the data in 200-byte writes, close. Stops at the first
// request not accepted, without the close: the close makes the device take the module, and a
// module cut short must not replace the one it runs. True when the device accepted every
// request. False without sending anything when the file cannot be opened or is too large for
// the length prefix.
bool WriteModule(const std::filesystem::path& path, std::uint16_t moduleId, bool lengthPrefixed,
                 CXmit& xmit, StatusSink& status);

// Reads the object back in 200-byte reads and compares it with the file. A failed or short read
// is a mismatch. A stored length that differs ends the check at once, without the close. True
// when every byte matched.
bool VerifyModule(std::uint16_t moduleId, const std::filesystem::path& path, bool lengthPrefixed,
                  CXmit& xmit, StatusSink& status);

}  // namespace vemo
