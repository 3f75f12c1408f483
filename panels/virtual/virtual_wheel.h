// The VIRTUAL panel's pin wheel: slot k of n sits at 270 degrees plus k steps of 360 / n,
// clockwise from the left, around the content centre (125, 125).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/mix_record.h"

struct WheelSpoke {
    float s; // sine of the slot's angle
    float c; // cosine
    float x(float radius) const { return 125.0f + radius * s; }
    float y(float radius) const { return 125.0f - radius * c; }
};

constexpr float kWheelDegree = 0.017453294f;

// The active slots of a mix, its pin count brought inside 0 .. 64.
inline int32_t activeSlots(const MixRecord& mix) {
    return std::clamp(mix.pinCount, 0, 64);
}

// The spokes of the active slots, the angles accumulated in floats as the wheel draws them.
template <class Visit> void forEachSpoke(const MixRecord& mix, Visit visit) {
    const int32_t n = activeSlots(mix);
    float angle = 270.0f;
    for (int32_t k = 0; k < n; ++k) {
        const float a = angle * kWheelDegree;
        visit(k, WheelSpoke{std::sin(a), std::cos(a)}, angle);
        angle += 360.0f / static_cast<float>(n);
    }
}
