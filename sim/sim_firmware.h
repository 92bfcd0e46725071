#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/clock.h"

namespace vemo {

// The model 0x78 firmware modules a simulated device ships with. Each object holds the
// identification word "VEMO" (0x56454D4F) and then the version byte, so a package names them in
// "firmware.cfg" as: id, idOffset, 4, 1447382351, idOffset + 4, version. The system module is
// stored with its 32-bit length in front, which moves its bytes by four.
struct SimStockModule {
    std::uint16_t id;
    bool lengthPrefixed;
    std::size_t size;
};
inline constexpr SimStockModule kSimSystemModule{0x0300, true, 600};
inline constexpr SimStockModule kSimEncoderModule{0x0301, false, 450};
inline constexpr std::uint32_t kSimModuleIdentification = 0x56454D4F;

// The object bytes of a stock module at a version: its length prefix if it has one, the
// identification word, the version byte, then filler up to its size.
std::vector<std::uint8_t> SimModuleObject(const SimStockModule& module, std::uint8_t version);

// The firmware side of the simulated device: how long it takes to store an image, and which
// installed bytes carry the software version it runs after the next restart.
struct SimFirmware {
    // Model 0x82: the close after an image is answered only once the image is stored.
    Milliseconds imageStoreTime{3000};
    // Model 0x82: where an installed image carries its version byte.
    std::size_t imageVersionOffset = 0;
    // Model 0x78: the module object whose version byte is the device's software version, and
    // where in the object that byte lies.
    std::uint16_t versionModule = kSimSystemModule.id;
    std::size_t versionModuleOffset = 8;

    // The stock modules at a version, as a model 0x78 leaves the factory.
    static void AddStockModules(std::map<std::uint16_t, std::vector<std::uint8_t>>& objects,
                                std::uint8_t version);

    // Installs seen since the last restart.
    void ImageStored(std::span<const std::uint8_t> image);
    void ObjectWritten(std::uint16_t id, std::span<const std::uint8_t> object);
    // The version the installs bring, once; nothing when none brought one.
    std::optional<std::uint8_t> TakeInstalledVersion();
    std::optional<std::uint8_t> InstalledVersion() const { return installedVersion_; }

private:
    std::optional<std::uint8_t> installedVersion_;
};

}  // namespace vemo
