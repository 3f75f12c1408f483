// The interaction that screens share: the pointer, the one drag under way in the whole
// interface and where it started, the page cell under the pointer, and the redraw switches.
#pragma once

#include <cstdint>

#include "view/input/interaction_modes.h"

struct InteractionState {
    uint8_t leftButtonHeld = 0; // a left press got past the text entry; the release clears it
    int32_t pointerPixelX = 0;
    int32_t pointerPixelY = 0;
    // One drag at a time for the whole interface (an InteractionMode).
    int32_t stageInteractionMode = kModeIdle;
    int32_t pageMouseHold = 0; // a page holds the mouse for a drag
    // A panel control is being dragged: DYNAMICS 3, FILTERS 2, DELAY 4, VIRTUAL 8.
    int32_t controlDragPanel = -1;
    uint8_t controlDragActive = 0;
    // Where and from what value the drag under way started: window pixels of the press (the
    // feedback press stores its handle's stage point), the level or value at the press, and
    // the fine factor, 4 while Shift slows a level drag.
    float dragStartPixelX = 0.0f;
    float dragStartPixelY = 0.0f;
    float dragStartValue = 0.0f;
    float dragFineFactor = 1.0f;
    int32_t pageHoverColumn = 0; // the MATRIX or FEEDBACK cell under the last move
    int32_t pageHoverRow = 0;
    int32_t pageGridX = 0;
    int32_t pageGridY = 0;
    uint8_t focusFollowsMouse = 0;
    uint8_t redrawFlag = 0; // the panels' routing asks for the next frame
    uint8_t redrawLayerOn = 1;
    int32_t cursorBlinkCounter = 0;
};
