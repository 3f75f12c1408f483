// State of the slice drift: the stage items gliding from one stored slice to the next.
#pragma once

#include <cstdint>

#include "command/slice_record.h"

struct SliceDriftState {
    SliceRecord driftStart;
    uint8_t drifting = 0;
    uint8_t driftBlink = 0;
    int32_t driftSlice = 0;
    float driftStep = 0.0f;
    float driftT = 0.0f;
    int32_t driftBlinkCount = 0;
};
