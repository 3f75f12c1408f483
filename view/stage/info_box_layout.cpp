#include "view/stage/info_box_layout.h"

namespace info_box {

const Frame kSourceFrame = {
    {-72, -15, 71, 116},
    true,
    {-72, -23, 71, -11},
    {-72, -31},
    true,
    {{"SRC GROUP AND INPUT", {-50, -21}}, {"IN", {-65, -21}}, {"SRC", {53, -21}}}};
const Frame kTargetFrame = {
    {-72, -60, 71, 51},
    false,
    {},
    {-72, -68},
    false,
    {{"TARGET AND OUTPUT", {-40, -58}}, {"TRG", {-67, -58}}, {"OUT", {53, -58}}}};
const Frame kGroupFrame = {
    {-52, -52, 153, 84},
    true,
    {-52, -60, 153, -48},
    {-50, -68},
    true,
    {{"MEMBERS", {-50, -58}}, {"MOVEMENT", {52, -58}}, {"ROTATION", {-50, 53}}}};

const Meters kSourceMeters = {{{-50, -13, 49, 14}, {-50, 16, 49, 114}},
                              2,
                              {-70, -13, -52, 114},
                              {-68, -11, -54, 112},
                              {51, -13, 69, 114},
                              {53, -11, 67, 112},
                              112.0f,
                              123.0f,
                              {-68, -11, -54, -9},
                              {53, -11, 67, -9}};
const Meters kTargetMeters = {{{-50, -50, 49, 49}, {}},
                              1,
                              {-70, -50, -52, 49},
                              {-68, -48, -54, 47},
                              {51, -50, 69, 49},
                              {53, -48, 67, 47},
                              47.0f,
                              95.0f,
                              {-68, -48, -54, -46},
                              {53, -48, 67, -46}};

Rect meterBar(const Meters& meters, float x0, float x1, float m) {
    if (!(m > 0.0f)) m = 0.0f;
    if (m > 1.0f) m = 1.0f;
    return {x0, meters.barBottom - meters.barReach * m, x1, meters.barBottom};
}

const Point kSourceGridOrigin = {-47.5f, -10.5f};
const Point kSourceInputGridStep = {0.0f, 28.0f};
const Point kChannelGridOrigin = {-47.5f, -47.5f};

Rect cellRect(int32_t index) {
    const float x = kCellPitch * static_cast<float>(index % kGridColumns);
    const float y = kCellPitch * static_cast<float>(index / kGridColumns);
    return {x, y, x + kCellSize, y + kCellSize};
}

Rect cellStrip(const Rect& cell) {
    return {cell.x0, cell.y0, cell.x0 + kCellSize, cell.y0 + 2.0f};
}

Rect currentCellMark(const Rect& cell) {
    return {cell.x0 + 3.0f, cell.y0 + 4.0f, cell.x0 + 7.0f, cell.y0 + 8.0f};
}

const Rect kGroupPanel = {52, -50, 151, 49};
const Rect kMovementPad = {102, 0, 197, 95};
const Rect kMovementCentreX = {149, 0, 150, 95};
const Rect kMovementCentreY = {102, 47, 197, 48};

Point movementCentre(float mx, float my) {
    return {149.0f + kMovementScale * mx, 48.0f + kMovementScale * my};
}

Rect movementHandle(float mx, float my) {
    const float x = 144.0f + kMovementScale * mx, y = 42.0f + kMovementScale * my;
    return {x, y, x + 11.0f, y + 11.0f};
}

Rect movementLineX(float mx, float my) {
    const Point c = movementCentre(mx, my);
    return {c.x, kMovementPad.y0, c.x + 1.0f, kMovementPad.y1};
}

Rect movementLineY(float mx, float my) {
    const Point c = movementCentre(mx, my);
    return {kMovementPad.x0, c.y, kMovementPad.x1, c.y + 1.0f};
}

const Rect kRotationFrame = {-2, 109, 199, 129};
const Rect kRotationWell = {0, 111, 197, 127};
const Rect kRotationTick = {98, 111, 99, 127};

Rect rotationBar(float speed) {
    const float end = kRotationZeroX + kRotationScale * speed;
    return end >= kRotationZeroX ? Rect{kRotationZeroX, kRotationWell.y0, end, kRotationWell.y1}
                                 : Rect{end, kRotationWell.y0, kRotationZeroX, kRotationWell.y1};
}

} // namespace info_box
