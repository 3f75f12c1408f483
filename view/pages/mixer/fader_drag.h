// The level arithmetic of the mixer pages' fader drags and wheel steps.
#pragma once

#include <algorithm>

#include "model/level_arithmetic.h"

namespace fader_drag {

// The window around unity that snaps a fader drag to exactly 1.0 (wider below than a stage drag's).
constexpr float kSnapLow = 0.95f;
constexpr float kSnapHigh = 1.05f;

// A level's knob position as a fraction of the travel, up from the fader bottom.
inline float knobFraction(const FaderLaw& law, float level) {
    return std::clamp(law.gainToPosition(level) / law.dragSpeed, 0.0f, 1.0f);
}

// The level for a pointer at `pointer` (fraction of the travel up from the fader bottom) when
// the knob was grabbed at `grab` while it stood at `knob`.
inline float levelFromDrag(const FaderLaw& law, float pointer, float grab, float knob) {
    const float position = pointer - (grab - knob);
    float level = std::clamp(law.positionToGain(position * law.dragSpeed), 0.0f, kMaxDragLevel);
    if (level > kSnapLow && level < kSnapHigh) level = 1.0f;
    return level;
}

// One wheel step of `stepDb`; a level of 0 (or less) has no decibel value and stays.
inline float levelAfterWheelStep(float level, float stepDb) {
    if (!(level > 0.0f)) return level;
    return dbToGain(gainToDb(level) + stepDb);
}

// The wheel step in dB: half a decibel up or down, a fifth of that while fine.
inline float wheelStepDb(int delta, bool fine) {
    const float step = delta > 0 ? 0.5f : -0.5f;
    return fine ? step * 0.2f : step;
}

} // namespace fader_drag
