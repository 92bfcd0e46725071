#pragma once

#include "firmware/firmware_context.h"

namespace vemo {

// The upgrade run of a connection attempt, right after the device identified itself. Model
// 0x82 gets the newest image from the firmware folder when it is due, with the window locked
// during the transfer; every other model gets the modules of its hardware version's package
// that its read-backs or a reload request call for. FirmwareReloadRequest is cleared at the end
// of every run.
//
// True when an upgrade was attempted, failed ones included: the device was then sent Restart,
// the port is closed and "Rebooting..." was shown for a second, so the caller ends the
// attempt and the next one finds the restarted device. False when nothing was sent beyond the
// checks; the port stays open.
bool RunFirmwareUpgrade(FirmwareContext& context, WindowInput& window);

}  // namespace vemo
