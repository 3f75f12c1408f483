// The MUTES panel: its master fader drag, the level in dB and the pointer at the press.
#pragma once

#include <cstdint>

struct MutesPanelState {
    float masterDragStartDb = 0.0f;
    int32_t masterDragStartX = 0;
    int32_t masterDragStartY = 0;
};
