#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/prompter.h"
#include "platform/status_sink.h"

namespace vemo {

// The product word that opens the name of a model 0x82 image.
inline constexpr std::string_view kImageProductWord = "KORALIN";

// Image addresses go out in 24 bits, so no larger image can be placed.
inline constexpr std::uint64_t kMaxImageSize = std::uint64_t{1} << 24;

// The model 0x82 image chosen for the device, held whole in memory for the transfer.
struct FirmwareImage {
    std::filesystem::path path;
    int version = 0;  // 0: no usable image
    std::vector<std::uint8_t> data;
};

// Looks for the newest "<productWord>_<vv>...<digest>.bin" directly in the firmware folder; of
// two images of one version the first in name order stays. The image must match the digest in
// its name unless its version is 99; a mismatch is shown in the "MD5 Error" box and leaves no
// image. The chosen file is read whole, after the progress bar is set to its size. An empty
// image or one over kMaxImageSize is not usable: sending it could only leave the device without
// firmware.
FirmwareImage FindFirmwareImage(const std::filesystem::path& firmwareDirectory,
                                std::string_view productWord, Prompter& prompter,
                                StatusSink& status);

}  // namespace vemo
