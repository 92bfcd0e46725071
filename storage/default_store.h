#pragma once

#include <filesystem>
#include <string_view>

#include "link/cxmit.h"

namespace vemo {

// The device file the chosen logo is copied to, whatever the PC file is called.
inline constexpr std::u16string_view kDeviceLogoPath = u"/mnt/logo.dg1";

struct DefaultStoreReport {
    bool accepted = false;      // the command lines and the restart were accepted
    bool logoUploaded = false;  // the logo's last piece was accepted
};

// Model 0x82 keeps its defaults as a file: the current configuration file is copied over the
// default one, the logo named `logoName` (from the logo folder) is copied onto the MMC
// partition, the partition is unmounted, the file systems synced, and the device restarted.
// Every step runs whatever the one before gave; a logo that cannot be sent is skipped and the
// store goes on. Nothing is shown, and no block is read back: the device is restarting.
DefaultStoreReport StoreDefaults(CXmit& link, const std::filesystem::path& baseDirectory,
                                 std::u16string_view logoName);

}  // namespace vemo
