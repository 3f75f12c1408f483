#include "view/stage/curve_geometry.h"

#include <cmath>
#include <limits>

namespace curve_geometry {

namespace {

int32_t truncated(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483520.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int32_t halfTowardsMinusInfinity(int64_t difference) {
    return static_cast<int32_t>(difference >= 0 ? difference / 2 : -((-difference + 1) / 2));
}

} // namespace

CurvePoint FivePointCurve::at(float t) const {
    return DynamicsCurve::evalBezier(points, 5, t);
}

FivePointCurve verticalCurve(float x0, float y0, float x1, float y1) {
    const float xm = x0 + (x1 - x0) * 0.5f;
    const float ym = y0 + (y1 - y0) * 0.5f;
    return {{{x0, y0}, {x0, ym}, {xm, ym}, {x1, ym}, {x1, y1}}};
}

FivePointCurve horizontalCurve(float x0, float y0, float x1, float y1) {
    const float xm = x0 + (x1 - x0) * 0.5f;
    const float ym = y0 + (y1 - y0) * 0.5f;
    return {{{x0, y0}, {xm, y0}, {xm, ym}, {xm, y1}, {x1, y1}}};
}

bool cableIsVertical(float xs, float ys, float xt, float yt) {
    return std::fabs(xs - xt) <= std::fabs(ys - yt);
}

FivePointCurve cableCurve(float xs, float ys, float xt, float yt) {
    // Drawn from the target to the source.
    return cableIsVertical(xs, ys, xt, yt) ? verticalCurve(xt, yt, xs, ys)
                                           : horizontalCurve(xt, yt, xs, ys);
}

FivePointCurve feedbackCurve(float xs, float ys, float xt, float yt) {
    return cableIsVertical(xs, ys, xt, yt) ? horizontalCurve(xs, ys, xt, yt)
                                           : verticalCurve(xs, ys, xt, yt);
}

void strokeVertices(const FivePointCurve& curve, float out[2 * kStrokeTableVertices]) {
    out[0] = curve.points[0].x;
    out[1] = curve.points[0].y;
    float t = 0.0f;
    for (int32_t i = 0; i < kStrokeSteps; ++i) {
        t += 0.02f;
        const CurvePoint p = curve.at(t);
        float* v = out + 2 + 4 * i;
        v[0] = p.x;
        v[1] = p.y;
        v[2] = p.x;
        v[3] = p.y;
    }
}

CurvePoint feedbackHandle(const FivePointCurve& curve) {
    return curve.at(0.4f);
}

CurvePoint cableHandle(const FivePointCurve& curve) {
    return curve.at(0.5f);
}

WholePoint cableMidpoint(float xs, float ys, float xt, float yt) {
    const int64_t sx = truncated(xs), sy = truncated(ys);
    const int64_t tx = truncated(xt), ty = truncated(yt);
    return {static_cast<int32_t>(sx + halfTowardsMinusInfinity(tx - sx)),
            static_cast<int32_t>(sy + halfTowardsMinusInfinity(ty - sy))};
}

bool handleHit(float hx, float hy, float px, float py, float reach) {
    return hx - reach < px && px < hx + reach && hy - reach < py && py < hy + reach;
}

float dotPosition(int32_t index, int32_t count, float phase) {
    float u = (count > 0 ? static_cast<float>(index) / static_cast<float>(count) : 0.0f) + phase;
    if (!(u == u)) return 0.0f;
    while (u > 1.0f) u -= 1.0f;
    return u;
}

} // namespace curve_geometry
