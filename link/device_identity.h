#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vemo {

inline constexpr std::uint8_t kModel82 = 0x82;
inline constexpr std::uint8_t kModel78 = 0x78;

// What the device said of itself in its last accepted identification reply.
struct DeviceIdentity {
    std::uint8_t ModelCode = 0;
    std::uint8_t SoftwareVersion = 0;
    std::uint8_t HardwareVersion = 0;

    // Model 0x82 has its own behaviour; every other code behaves as model 0x78.
    bool IsModel82() const { return ModelCode == kModel82; }
};

// An identification reply: model code, software version, DeviceStatus, hardware version.
inline constexpr std::size_t kDeviceStatusByte = 2;
// DeviceStatus of a model 0x78 whose parameters were changed on the device itself since the
// tool last read them.
inline constexpr std::uint8_t kStatusParametersChanged = 2;

inline bool IsKnownModel(std::uint8_t code) {
    return code == kModel82 || code == kModel78;
}

// The model code as users write it: "0x82" or "0x78".
inline bool ParseModelCode(std::string_view text, std::uint8_t& model) {
    if (text != "0x82" && text != "0x78") {
        return false;
    }
    model = text == "0x82" ? kModel82 : kModel78;
    return true;
}

}  // namespace vemo
