// What one frame of the popup cascade shows: the levels drawn, in order, and the state of
// each of their rows. Filled without drawing by QX_GUI::stepPopupCascade.
#pragma once

#include <cstdint>

enum PopupRowState : int8_t {
    kPopupRowPlain = 0,       // not highlighted
    kPopupRowPointer = 1,     // the pointer is on it
    kPopupRowOpenParent = 2,  // the next level hangs from it and has rows
    kPopupRowEmptyParent = 3, // the next level hangs from it and has none
    kPopupRowBlank = 4,       // labelled " ": grey whatever its state
};

struct PopupCascadeFrame {
    int32_t levels[10] = {};
    int32_t levelCount = 0;
    int8_t rowStates[10][100] = {};
};
