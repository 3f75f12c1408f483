// The layout of the stage info boxes, free of GL: every rectangle in box coordinates (the
// item's centre at (0, 0), one unit one pixel), the channel grids and their cells, the meter
// bars, and the group box's movement pad and rotation slider. The drawing and the box presses
// read the same numbers.
#pragma once

#include <cstdint>

namespace info_box {

struct Rect {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
};
struct Point {
    float x = 0.0f, y = 0.0f;
};

// The frame of one kind of box.
struct Frame {
    Rect body;
    bool titled;
    Rect title;
    Point name;
    bool inverseLabels; // labels in the item colour's inverse, else white
    struct Label {
        const char* text;
        Point at;
    } labels[3];
};
extern const Frame kSourceFrame;
extern const Frame kTargetFrame;
extern const Frame kGroupFrame;

// The two meters of a source or target box: grey slots, black wells, bars rising from the
// well's bottom.
struct Meters {
    Rect panels[2];
    int32_t panelCount;
    Rect leftSlot, leftWell, rightSlot, rightWell;
    float barBottom; // the wells' bottom y
    float barReach;  // the bar height at a meter value of 1
    Rect leftClip, rightClip;
};
extern const Meters kSourceMeters;
extern const Meters kTargetMeters;
// The bar of a meter value m (limited to 1) in a well spanning x0..x1.
Rect meterBar(const Meters& meters, float x0, float x1, float m);

// Channel grids: cells of 10 on a pitch of 12, eight per row, index along the rows.
constexpr int32_t kGridColumns = 8;
constexpr float kCellPitch = 12.0f;
constexpr float kCellSize = 10.0f;
extern const Point kSourceGridOrigin;    // the source box's group grid
extern const Point kSourceInputGridStep; // the input grid lies this far below the group grid
extern const Point kChannelGridOrigin;   // the target and group boxes' grids
Rect cellRect(int32_t index);            // relative to its grid's origin
Rect cellStrip(const Rect& cell);        // the top two units of a cell
Rect currentCellMark(const Rect& cell);  // the small square of the current target's cell

// The group box's right half and slider, relative to the grid's origin (the grey panel is
// given in box coordinates).
extern const Rect kGroupPanel;
extern const Rect kMovementPad;
extern const Rect kMovementCentreX; // the pad's faint centre lines
extern const Rect kMovementCentreY;
constexpr float kMovementScale = 10.5f;
Point movementCentre(float mx, float my); // where the vector's lines cross
Rect movementHandle(float mx, float my);  // the handle square, 11 units wide
Rect movementLineX(float mx, float my);   // the vertical line across the pad
Rect movementLineY(float mx, float my);   // the horizontal line across the pad
extern const Rect kRotationFrame;
extern const Rect kRotationWell;
extern const Rect kRotationTick;
constexpr float kRotationZeroX = 99.0f;
constexpr float kRotationScale = 980.0f;
// The speed bar from x = 99 by 980 x speed: rightwards for a positive speed, leftwards for a
// negative one.
Rect rotationBar(float speed);

} // namespace info_box
