// Does a target take the global radius rather than its own? The flag is 0 or 1 once it has
// arrived (verbs, patch lines and the engine's blob all store 0 or 1), but its readers test it
// in three ways: exactly 1, anything but 0, above 0. Each test has its own function here, named
// for the test, so a flag outside 0 and 1 reads the same way at every place that shares one.
#pragma once

#include "model/stage_records.h"

// Gain matrix, stage drawing, coverage and the radius drag: the flag is exactly 1.
inline bool usesGlobalRadiusWhenOne(const TargetRecord& t) {
    return t.useGlobalRadius == 1;
}

// Blobs, the patch writer, the CABLE verb, the MATRIX page's new cable and the own-radius cross
// on the stage: the flag is anything but 0.
inline bool usesGlobalRadiusWhenNotZero(const TargetRecord& t) {
    return t.useGlobalRadius != 0;
}

// The MATRIX grid cells and the stage's cable glow: the flag is above 0.
inline bool usesGlobalRadiusWhenAboveZero(const TargetRecord& t) {
    return t.useGlobalRadius > 0;
}
