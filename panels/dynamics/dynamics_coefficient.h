// The per-sample factor of a dynamics attack or release time.
#pragma once

#include <cmath>
#include <cstdint>

// The factor that falls to 1 % in timeMs at the sample rate; a time of 0 ms gives 0.
inline float dynamicsTimeCoefficient(int32_t sampleRate, float timeMs) {
    if (!(timeMs > 0.0f) || sampleRate <= 0) return 0.0f;
    return static_cast<float>(
        std::pow(0.01, 1000.0 / (static_cast<double>(sampleRate) * static_cast<double>(timeMs))));
}
