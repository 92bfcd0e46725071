#pragma once

namespace vemo {

// What `vemo` tells the shell. Scripts tell the failures apart by these numbers.
enum class ExitCode : int {
    Success = 0,
    Usage = 2,           // the command line was wrong; nothing was sent
    NoDevice = 3,        // no port had a device that identified itself
    DeviceFailed = 4,    // the device refused a request or stopped answering
    FileError = 5,       // a file could not be read or written, or its content was not taken
    ValueRefused = 6,    // a value failed the panel's checks; nothing was written
    FirmwareFailed = 7,  // a firmware update did not leave the device at the package's version
};

}  // namespace vemo
