#include "firmware/upgrade_rules.h"

namespace vemo {

bool ImageUpgradeDue(int imageVersion, std::uint8_t deviceSoftwareVersion,
                     const SessionFlags& flags) {
    return imageVersion != 0 &&
           (imageVersion > deviceSoftwareVersion || flags.FirmwareReloadRequest);
}

bool ModuleUpgradeDue(const ModuleEntry& entry, const SessionFlags& flags) {
    return entry.needsUpdate || flags.FirmwareReloadRequest;
}

void RequestFirmwareReload(SessionFlags& flags) {
    flags.FirmwareReloadRequest = true;
    flags.DigestCheckOverride = true;
}

}  // namespace vemo
