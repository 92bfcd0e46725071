#pragma once

#include <cstdint>

#include "app/session_flags.h"
#include "firmware/module_table.h"

namespace vemo {

// Model 0x82: the image goes to the device when it is usable and newer than what the device
// runs, or whatever its version when a reload was asked for.
bool ImageUpgradeDue(int imageVersion, std::uint8_t deviceSoftwareVersion,
                     const SessionFlags& flags);

// Model 0x78: a module goes to the device when its read-back marked it or a reload was asked
// for.
bool ModuleUpgradeDue(const ModuleEntry& entry, const SessionFlags& flags);

// The "Firm. Reload" button: the next connection rewrites the firmware, and package digests are
// no longer enforced for the rest of the session.
void RequestFirmwareReload(SessionFlags& flags);

}  // namespace vemo
