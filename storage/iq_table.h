#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vemo {

// One calibration frequency with its corrections.
struct IqPoint {
    std::int32_t frequency = 0;  // MHz
    std::int32_t dAmp = 0;       // amplitude correction, device units
    std::int32_t dPhi = 0;       // phase correction, device units

    bool operator==(const IqPoint&) const = default;
};

// The modulator's IQ calibration table: `count` rows in use out of a fixed 100.
struct IqTable {
    static constexpr int kCapacity = 100;

    int count = 0;
    std::array<IqPoint, kCapacity> rows{};

    // The rows in use; a count outside 0..100 is taken at the nearest bound.
    std::span<const IqPoint> Used() const {
        return std::span(rows).first(static_cast<std::size_t>(std::clamp(count, 0, kCapacity)));
    }
    // Compares the rows in use only: the slots behind them mean nothing.
    bool operator==(const IqTable& other) const { return std::ranges::equal(Used(), other.Used()); }
};

}  // namespace vemo
