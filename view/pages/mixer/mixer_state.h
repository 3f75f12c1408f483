// The INPUTS and OUTPUTS pages: hover and drag state, the cached strip layouts and the fader
// mark tables. The page drag also holds the frame's pageMouseHold, and the grabbed level is
// kept in the shared dragStartValue.
#pragma once

#include <cstdint>

#include "view/pages/mixer/strip_records.h"

struct MixerPageState {
    int32_t hoveredStrip = -1;    // strip under the pointer (65: the two-row strip), -1 none
    uint8_t showLevelReadout = 0; // set by a wheel step, cleared by every move of the page
    int32_t draggedStrip = -1;    // strip whose fader is dragged (65 MASTER or TRIM), -1 none
    float dragGrabPos = 0.0f;     // grab point as a fraction of the travel from the fader bottom
    float dragKnobPos = 0.0f;     // the knob at the click, the same way
    uint8_t trimDragActive = 0;
    float inputTrimDb = 0.0f;  // the TRIM offset, -5 to 5 dB
    float trimBaseDb[64] = {}; // each source's level in dB when the TRIM knob was grabbed
    int32_t lastClickedSource = 0;
    int32_t lastClickedChannel = 0; // source i is channel i, target t channel 64 + t

    // The layouts for the current window size, computed on first use after a size change.
    FaderRecord stripLayout;
    FaderRecord masterStripLayout;
    FaderRecord trimStripLayout;
    // Mark tables, rebuilt when their travel or rule changes.
    FaderScale linearScale;
    FaderScale mixerScale;
    FaderScale masterLinScale;
    FaderScale masterExpScale;
    FaderScale trimScale;
};
