// The records of the mixer pages' channel strips: one strip's geometry and values, a table of
// fader marks, and the result of a strip hit test.
#pragma once

#include <cstdint>
#include <string>

// Strip kinds.
constexpr int32_t kStripSource = 1;
constexpr int32_t kStripTarget = 2;
constexpr int32_t kStripMaster = 6;
constexpr int32_t kStripTrim = 10;
// The index of the two-row strip (MASTER on OUTPUTS, TRIM on INPUTS) in the hit tests.
constexpr int32_t kTwoRowStrip = 65;

// One channel strip: the geometry for a window size, and the values the strip drawing reads.
struct FaderRecord {
    uint8_t itemActivity = 0; // the item's activity flag
    uint8_t active = 0;       // 1 when the strip's index is below the item count
    int32_t kind = -1;        // 1 source, 2 target, 6 MASTER, 10 input TRIM
    float level = 1.0f;       // linear gain; for TRIM the trim offset in dB
    float meter = 0.0f;       // linear 0 to 1
    float peak = 0.0f;        // held meter peak, linear 0 to 1
    uint8_t highlight = 0;    // shows the level readout in place of the name
    int32_t index = -1;       // 0 to 63; 65 MASTER; -1 TRIM
    std::string name = "FADER";
    uint8_t mute = 0;
    uint8_t solo = 0;
    float phase = 1.0f;
    uint8_t filterOn = 0;
    uint8_t dynamicsOn = 0;
    uint8_t delayOn = 0;
    float colour[3] = {1.0f, 1.0f, 1.0f};
    // The window size the geometry below was computed for (0: not yet computed).
    float cachedWidth = 0.0f;
    float cachedHeight = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float layoutStripWidth = 0.0f;
    float marginX = 0.0f;
    float top = 13.0f;
    float rowHeightA = 0.0f;
    float stripWidth = 0.0f; // same as layoutStripWidth
    float rowHeight = 0.0f;  // same as rowHeightA
    float faderX = 2.0f;
    float nameX = 2.0f;
    float nameY = 2.0f;
    float nameHeight = 9.0f;
    float nameWidth = 0.0f;
    float buttonHeight = 13.0f;
    float buttonWidth = 0.0f;
    float lowerButtonY = 0.0f; // the D E C row
    float upperButtonY = 0.0f; // the M S P row
    float faderY = 12.0f;      // top of the fader area
    float faderBottom = 0.0f;  // y of the fader's zero position
    float faderLength = 0.0f;  // height of the fader area and travel of the knob
    float faderWidth = 0.0f;
    float halfStripWidth = 0.0f;
    float faderLength2 = 0.0f; // same as faderLength
    float knobWidth = 12.0f;
    float knobHeight = 17.0f;
    std::string buttonLabels[6]; // M S P C D E once the geometry is computed
};

// Fader mark positions: pixel offsets up from the fader's zero position.
struct FaderScale {
    static constexpr int32_t kLinear = 0;
    static constexpr int32_t kMixer = 1;
    static constexpr int32_t kTrim = 10;

    float marks[129] = {};
    float maximum = 0.0f; // the travel the marks were built for
    int32_t kind = 0;
};

// A pointer over the strip grid: the strip (-1 none), the control (-1 none; 0 fader area,
// 1 knob, 2 M, 3 S, 4 P, 5 D, 6 E, 7 C, 8 name box) and the pointer relative to the strip.
struct StripHit {
    int32_t strip = -1;
    int32_t control = -1;
    int32_t localX = 0;
    int32_t localY = 0;
    float scale = 1.0f;
};

// Controls of a strip hit.
constexpr int32_t kControlFader = 0;
constexpr int32_t kControlKnob = 1;
constexpr int32_t kControlMute = 2;
constexpr int32_t kControlSolo = 3;
constexpr int32_t kControlPhase = 4;
constexpr int32_t kControlDelay = 5;
constexpr int32_t kControlFilters = 6;
constexpr int32_t kControlDynamics = 7;
constexpr int32_t kControlName = 8;
