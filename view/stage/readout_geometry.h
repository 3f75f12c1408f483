// The drag readout box's heights in window pixels: meter bars, the fader fill and the unity
// mark rise from the box's base line, at most the box's 116 pixels.
#pragma once

#include "model/level_arithmetic.h"

namespace readout_geometry {

constexpr float kFullHeight = 116.0f;
constexpr float kUnityBarHeight = 97.0f; // a meter value of 1.0

// Negative, infinite and NaN values give no height rather than a bar below the base line.
inline float limitHeight(float h) {
    if (!(h > 0.0f)) return 0.0f;
    return h < kFullHeight ? h : kFullHeight;
}
inline float meterBarHeight(float value) {
    return limitHeight(kUnityBarHeight * value);
}
// The fader law's position over its drag-speed constant (1.2) fills the box.
inline float faderFillHeight(const FaderLaw& law, float gain) {
    return limitHeight(kFullHeight * law.gainToPosition(gain) / law.dragSpeed);
}
inline float unityMarkHeight(const FaderLaw& law) {
    return faderFillHeight(law, 1.0f);
}
// The spread (0..3) fills the box at 3.
inline float spreadFillHeight(float spread) {
    return limitHeight(spread * kFullHeight / 3.0f);
}

} // namespace readout_geometry
