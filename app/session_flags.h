#pragma once

namespace vemo {

// The flags raised by the "Firm. Reload" button. Owned by the application object and handed
// by reference to the settings panel (raises both), the supervisor (reads the reload request)
// and the firmware upgrade (clears the reload request at the end of every run).
struct SessionFlags {
    bool FirmwareReloadRequest = false;
    // Once raised, firmware digests are no longer enforced for the rest of the process.
    bool DigestCheckOverride = false;
};

}  // namespace vemo
