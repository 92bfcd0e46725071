#include "storage/default_store.h"

#include <optional>

#include "storage/logo_files.h"
#include "storage/remote_file_transfer.h"

namespace vemo {

DefaultStoreReport StoreDefaults(CXmit& link, const std::filesystem::path& baseDirectory,
                                 std::u16string_view logoName) {
    DefaultStoreReport report;
    bool accepted = link.SendCommandLine(u"cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg");
    accepted = link.SendCommandLine(u"mount /dev/mmcblk0p1 /mnt") && accepted;
    const std::optional<std::filesystem::path> logo = LocalLogoPath(baseDirectory, logoName);
    report.logoUploaded = logo && SendFileToDevice(link, *logo, kDeviceLogoPath);
    accepted = link.SendCommandLine(u"umount /mnt") && accepted;
    accepted = link.SendCommandLine(u"sync") && accepted;
    accepted = link.Restart() && accepted;
    report.accepted = accepted;
    return report;
}

}  // namespace vemo
