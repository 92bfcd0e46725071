#include "sim/sim_firmware.h"

namespace vemo {

std::vector<std::uint8_t> SimModuleObject(const SimStockModule& module, std::uint8_t version) {
    std::vector<std::uint8_t> object;
    const std::size_t length = module.size;
    if (module.lengthPrefixed) {
        for (int shift = 0; shift < 32; shift += 8) {
            object.push_back(static_cast<std::uint8_t>(length >> shift));
        }
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        object.push_back(static_cast<std::uint8_t>(kSimModuleIdentification >> shift));
    }
    object.push_back(version);
    const std::size_t end = object.size() - 5 + length;
    for (std::size_t i = object.size(); i < end; ++i) {
        object.push_back(static_cast<std::uint8_t>(i * 7 + module.id));
    }
    return object;
}

void SimFirmware::AddStockModules(std::map<std::uint16_t, std::vector<std::uint8_t>>& objects,
                                  std::uint8_t version) {
    for (const SimStockModule& module : {kSimSystemModule, kSimEncoderModule}) {
        objects[module.id] = SimModuleObject(module, version);
    }
}

void SimFirmware::ImageStored(std::span<const std::uint8_t> image) {
    if (imageVersionOffset < image.size()) {
        installedVersion_ = image[imageVersionOffset];
    }
}

void SimFirmware::ObjectWritten(std::uint16_t id, std::span<const std::uint8_t> object) {
    if (id == versionModule && versionModuleOffset < object.size()) {
        installedVersion_ = object[versionModuleOffset];
    }
}

std::optional<std::uint8_t> SimFirmware::TakeInstalledVersion() {
    std::optional<std::uint8_t> version = installedVersion_;
    installedVersion_.reset();
    return version;
}

}  // namespace vemo
