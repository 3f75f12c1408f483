// The VIRTUAL editor: the mix edited, the pin selected and the handle drag.
#pragma once

#include <cstdint>

struct VirtualState {
    // Mode 1 source, 2 target, 11 input channel, 12 output channel; the index is the edited
    // channel (0 to 63, or -1 while no mix is being edited).
    int32_t virtualEditMode = 0;
    int32_t virtualEditIndex = -1;
    // Modes 1 and 2: the source or target whose channel is edited; the edited channel follows
    // that item's routing.
    int32_t virtualEditItem = -1;
    int32_t virtualSelectedPin = 0;
    // The handle drag: the pin's level at the press and the handle's position.
    float virtualDragStartLevel = 0.0f;
    float virtualHandleX = 0.0f;
    float virtualHandleY = 0.0f;
};
