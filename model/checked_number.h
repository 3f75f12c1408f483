// The one conversion of a float (from a command line, a patch file or a pin) to an integer:
// defined for every value, so no number a user or a host hands in reaches an out-of-range
// conversion.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero as a cast does; a value past the int32 range gives the nearest end of
// the range and NaN gives the lowest, so a range check after it refuses them like any other
// out-of-range value.
inline int32_t saturatingInt(double value) {
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
    if (std::isnan(value) || value <= static_cast<double>(kLowest)) return kLowest;
    if (value >= static_cast<double>(kHighest)) return kHighest;
    return static_cast<int32_t>(value);
}

// The value as an integer clamped to low .. high; NaN gives low.
inline int32_t clampedInt(double value, int32_t low, int32_t high) {
    const int32_t whole = saturatingInt(value);
    return whole < low ? low : (whole > high ? high : whole);
}
