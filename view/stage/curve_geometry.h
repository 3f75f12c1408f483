// The geometry of the stage's connection curves, free of GL: the five control points of the two
// curve shapes, the points along a curve, the handles that presses hit, and the moving dots.
// The drawing and the handle presses use the same functions, so they always agree.
#pragma once

#include <cstdint>

#include "model/level_arithmetic.h"

namespace curve_geometry {

constexpr int32_t kStrokeSteps = 50;                  // segments of a stroked curve
constexpr int32_t kStrokeVertices = 2 * kStrokeSteps; // GL_LINES vertices drawn
constexpr int32_t kStrokeTableVertices = kStrokeVertices + 1;

struct FivePointCurve {
    CurvePoint points[5];
    // The point at t by repeated linear interpolation over the control points.
    CurvePoint at(float t) const;
};

// Leaves and enters its end points vertically: P0, (x0, ym), (xm, ym), (x1, ym), P4.
FivePointCurve verticalCurve(float x0, float y0, float x1, float y1);
// Leaves and enters its end points horizontally: P0, (xm, y0), (xm, ym), (xm, y1), P4.
FivePointCurve horizontalCurve(float x0, float y0, float x1, float y1);

// Cables use the vertical shape when the ends are at least as far apart vertically as
// horizontally; feedback curves take the other shape in the same case.
bool cableIsVertical(float xs, float ys, float xt, float yt);
FivePointCurve cableCurve(float xs, float ys, float xt, float yt);
FivePointCurve feedbackCurve(float xs, float ys, float xt, float yt);

// The stroke: vertex 0 is P0, then B(t) twice for t = 0.02, 0.04, ... (t summed in f32), so the
// first kStrokeVertices vertices are the 50 segments P0-B(0.02), ..., B(0.98)-B(1.0).
void strokeVertices(const FivePointCurve& curve, float out[2 * kStrokeTableVertices]);

// Handles: a feedback send's at B(0.4), a cable's drawn at B(0.5).
CurvePoint feedbackHandle(const FivePointCurve& curve);
CurvePoint cableHandle(const FivePointCurve& curve);

// The point a cable handle press tests: the ends truncated to whole numbers and the midpoint
// taken with an arithmetic shift, so odd differences round towards minus infinity.
struct WholePoint {
    int32_t x = 0;
    int32_t y = 0;
};
WholePoint cableMidpoint(float xs, float ys, float xt, float yt);

// True when (px, py) lies strictly within `reach` of the handle on both axes.
bool handleHit(float hx, float hy, float px, float py, float reach);

// The moving dot's place along the curve: index / count + phase, brought back below or to 1.
float dotPosition(int32_t index, int32_t count, float phase);

} // namespace curve_geometry
