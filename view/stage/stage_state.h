// What the STAGE page's drawing reads of the stage interaction: the mode of the gesture under
// way, the items it picked, the open info boxes, the focus item and the pointer's stage point.
// The mouse handlers write these; the drawing only reads them (apart from the window quad).
#pragma once

#include <cstdint>

struct StageState {
    // 0 idle, -1 after a right release, 1 to 3 item drags, 5 room drag, 6 selection drag,
    // 7 marquee drag, 8 annotation drag, 99 to 108 level and size drags, 201 to 203 group
    // drags, 400 and 401 info-box drags, 1022 and 2022 group marquee drags, 4444 pan.
    int32_t stageInteractionMode = 0;
    int32_t pickedSource = 255; // 255: none
    int32_t pickedGroup = 255;
    int32_t pickedTarget = 255;
    int32_t pickedRoom = 255;
    int32_t pickedCable = -1;
    int32_t pickedFeedbackEntry = -1;
    uint8_t sourceInfoBoxOpen = 0;
    uint8_t groupInfoBoxOpen = 0;
    uint8_t targetInfoBoxOpen = 0;
    // The item last pressed on the stage: kind 1 source, 2 target, 3 group (-1 none).
    int32_t focusItemKind = -1;
    int32_t focusItemIndex = 0;
    float pointerStageX = 0.0f;
    float pointerStageY = 0.0f;
    uint8_t toolsHoverRotation = 0; // the pointer rests on the TOOLS row of group rotation
    uint8_t toolsHoverMovement = 0; // ... of group movement
    float heatmapValueDb = 0.0f;    // the heat map under the pointer, for its readout
    // The window's corners (0, 0), (W, 0), (W, H), (0, H), written by every STAGE frame.
    float stageWindowQuad[8] = {};
};
