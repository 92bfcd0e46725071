#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "link/cxmit.h"

namespace vemo {

// The device takes a file in appends of at most this many bytes.
inline constexpr std::size_t kRemoteFilePiece = 400;

// Copies a PC file, unchanged, into a file on the device (model 0x82): open the device file,
// append the data piece by piece, close it. A local file that is missing, unreadable or empty
// has nothing to give, and then the device file is not even opened, so it is neither emptied
// nor left open. A refused piece ends the appends; the close still goes out. True when the
// last piece sent was accepted.
bool SendFileToDevice(CXmit& link, const std::filesystem::path& localPath,
                      std::u16string_view devicePath);

}  // namespace vemo
