#include "model/level_arithmetic.h"

#include "model/checked_number.h"

#include <algorithm>
#include <cmath>

void FaderLaw::init() {
    dragSpeed = 1.2f;
    scale = 1.0f;
    gainFloor = 0.001f;
    expFactor = 6.908f;
    gainScale = 999.99994f;
    logFactor = 0.1447597f;
}

float FaderLaw::gainToPosition(float gain) const {
    return static_cast<float>(std::log(static_cast<double>(gain * gainScale)) * logFactor);
}

float FaderLaw::positionToGain(float position) const {
    return static_cast<float>(std::exp(static_cast<double>(position * expFactor)) * gainFloor);
}

float FaderLaw::levelAfterDrag(float startLevel, float travel) const {
    const float level = positionToGain(gainToPosition(startLevel) + travel);
    return snapToUnity(std::clamp(level, 0.0f, kMaxDragLevel));
}

float snapToUnity(float level) {
    return level > 0.98f && level < 1.05f ? 1.0f : level;
}

float gainToDb(float gain) {
    return static_cast<float>(20.0 * std::log10(static_cast<double>(gain)));
}

float dbToGain(float db) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(db) * 0.05));
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

double ln2() {
    return 0.6931471805599453;
}

void lerpPoint(CurvePoint& out, float x0, float y0, float x1, float y1, float t) {
    out.x = (x1 - x0) * t + x0;
    out.y = (y1 - y0) * t + y0;
}

CurvePoint DynamicsCurve::evalBezier(const CurvePoint* controlPoints, int32_t count, float t) {
    count = std::min(count, static_cast<int32_t>(kMaxPoints));
    if (count < 1) return {};
    CurvePoint scratch[kMaxPoints];
    for (int32_t i = 0; i < count; ++i) scratch[i] = controlPoints[i];
    for (int32_t k = count; k >= 2; --k)
        for (int32_t i = 0; i <= k - 2; ++i)
            lerpPoint(scratch[i], scratch[i].x, scratch[i].y, scratch[i + 1].x, scratch[i + 1].y,
                      t);
    return scratch[0];
}

namespace {

// One sample of the curve at t, placed on the whole-number input xr nearest to P.x x scale;
// the output at xr is interpolated towards the neighbouring sample (t - step or t + step).
void sampleOnGrid(const DynamicsCurve& curve, float t, float step, float scale, int32_t& xr,
                  float& y) {
    const CurvePoint p = curve.evalBezier(t);
    const float xs = p.x * scale;
    const float rounded = std::round(xs);
    xr = saturatingInt(rounded);
    y = p.y;
    if (xs > rounded) {
        const CurvePoint q = curve.evalBezier(t - step);
        const float qx = q.x * scale;
        if (xs != qx) y = (rounded - qx) / (xs - qx) * (p.y - q.y) + q.y;
    } else if (rounded > xs) {
        const CurvePoint q = curve.evalBezier(t + step);
        const float qx = q.x * scale;
        if (qx != xs) y = (rounded - xs) / (qx - xs) * (q.y - p.y) + p.y;
    }
}

// Linear interpolation by index between entries a and b for index i.
float interpolateIndex(const float* table, int32_t a, int32_t b, int32_t i) {
    return table[a] + (table[b] - table[a]) * static_cast<float>(i - a) / static_cast<float>(b - a);
}

} // namespace

void DynamicsCurve::buildTable60() {
    constexpr float kEmpty = -999.0f;
    constexpr float kStep = 0.016666668f;
    float* e = table60;
    for (int32_t k = 0; k < kTable60Size; ++k) e[k] = kEmpty;

    float t = 0.0f;
    for (int32_t sample = 0; sample < 60; ++sample) {
        int32_t xr = 0;
        float y = 0.0f;
        sampleOnGrid(*this, t, kStep, 60.0f, xr, y);
        t += kStep;
        // Samples outside the table are dropped; the largest output per entry wins, compared
        // on the dB scale the entry holds.
        if (xr < 0 || xr >= kTable60Size) continue;
        e[xr] = std::max(y * 60.0f - 60.0f, e[xr]);
    }
    e[60] = points[4].y * 60.0f - 60.0f;

    // Fill the gaps below entry 60 by index; a gap at entry 0 has nothing before it.
    for (int32_t i = 0; i < 60; ++i) {
        if (e[i] >= -200.0f || i == 0) continue;
        int32_t next = i + 1;
        while (next <= 60 && e[next] == kEmpty) ++next;
        if (e[i - 1] == kEmpty || next > 60) continue;
        e[i] = interpolateIndex(e, i - 1, next, i);
    }
    // Continue the line through entries 59 and 60 up to entry 79.
    const float slope = e[60] - e[59];
    for (int32_t k = 61; k < 80; ++k) e[k] = e[k - 1] + slope;

    // Reorder into falling input level: 0 dB first; below the curve's range 1 dB per step.
    float ordered[kTable60Size];
    for (int32_t k = 0; k < 80; ++k) ordered[k] = e[79 - k];
    for (int32_t k = 80; k < kTable60Size; ++k) ordered[k] = static_cast<float>(20 - k);
    for (int32_t k = 0; k < kTable60Size; ++k) e[k] = ordered[k];
}

void DynamicsCurve::deferTableBuilds() {
    tableBuildsDeferred_ = true;
    tableBuildPending_ = false;
}

void DynamicsCurve::finishDeferredTableBuilds() {
    tableBuildsDeferred_ = false;
    if (tableBuildPending_) buildTable(pendingTableSize_);
    tableBuildPending_ = false;
}

void DynamicsCurve::buildTable(int32_t n) {
    if (tableBuildsDeferred_) {
        tableBuildPending_ = true;
        pendingTableSize_ = n;
        return;
    }
    constexpr float kEmpty = -1.0f;
    auto inTable = [](int32_t i) { return i >= 0 && i < kTableSize; };
    tableSize = static_cast<float>(n);
    if (n < 1) {
        if (inTable(n)) table[n] = points[4].y;
        return;
    }
    // The entries that exist: 0 .. last, where last is n unless the table is shorter.
    const int32_t last = std::min(n, kTableSize - 1);
    for (int32_t i = 0; i < std::min(n, kTableSize); ++i) table[i] = kEmpty;
    const float step = 1.0f / static_cast<float>(n);

    float t = 0.0f;
    for (int32_t sample = 0; sample < n; ++sample) {
        int32_t xr = 0;
        float y = 0.0f;
        sampleOnGrid(*this, t, step, static_cast<float>(n), xr, y);
        t += step;
        if (!inTable(xr)) continue;
        table[xr] = std::max(table[xr], y);
    }
    if (inTable(n)) table[n] = points[4].y;

    // Repair: a fall of more than 0.05 or a value above 1.0 marks the entry empty.
    if (n >= 2) {
        for (int32_t i = 0; i <= n - 2 && i + 1 <= last; ++i) {
            if (table[i + 1] != kEmpty && table[i] - table[i + 1] > 0.05f) table[i] = kEmpty;
            if (table[i + 1] > 1.0f) table[i + 1] = kEmpty;
        }
    }
    // Fill: a jump, an empty or out-of-range entry is interpolated between its nearest
    // non-empty neighbours. The neighbours are carried along rather than searched for at each
    // entry, so long runs of empty entries cost one pass: before is the last non-empty entry
    // below i; after, once found, stays the first non-empty entry above i until i reaches it
    // (the entries between are empty and only entry i changes at step i).
    int32_t before = table[0] == kEmpty ? -1 : 0;
    int32_t after = 0;
    for (int32_t i = 1; i <= n - 1 && i <= last; ++i) {
        const float v = table[i];
        // A jump is measured from a filled entry; an empty one before it says nothing.
        const bool jump = table[i - 1] != kEmpty && v - table[i - 1] > 0.05f;
        if (!(jump || v < -1.0f || v == kEmpty || v > 1.0f)) {
            before = i;
            continue;
        }
        table[i] = kEmpty;
        if (after <= i) {
            after = i + 1;
            while (after <= last && table[after] == kEmpty) ++after;
        }
        if (before < 0 || after > last) continue;
        table[i] = interpolateIndex(table, before, after, i);
        if (table[i] != kEmpty) before = i;
    }
}
