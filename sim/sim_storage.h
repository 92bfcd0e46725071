#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/iq_table.h"

namespace vemo {

// Model 0x82's own file system as the tool reaches it: shell command lines, and files written
// through RemoteFile. Its current parameter block is the file below; `cp` from or to it
// reads or replaces the block the device works with.
struct SimFileSystem {
    static constexpr const char* kCurrentConfiguration = "/KORAVEX/current11.cfg";

    std::vector<std::string> commandLines;  // every line received, in order
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::optional<std::string> openFile;  // where RemoteFile appends go
    std::vector<std::string> mounts;      // mount points in use
};

// The IQ calibration a model 0x78 device from hardware 3 leaves the factory with: corrections
// that grow across VHF band III and the UHF band.
IqTable FactoryIqTable();

}  // namespace vemo
