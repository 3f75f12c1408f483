// The strip grid of the INPUTS and OUTPUTS pages: the three cached layouts, the grid look-up,
// the two hit tests and the fixed grid of the rename box. No drawing here.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"

namespace {

// Strips per row, the column of the two-row strip, and the first strip of rows 1 and 2.
constexpr int32_t kColumns = 22;
constexpr int32_t kTwoRowColumn = 21;
constexpr int32_t kRowStart[3] = {0, 22, 43};

// The geometry of a strip for a window of w x h; a two-row strip spans rows 1 and 2.
void computeGeometry(FaderRecord& r, float w, float h, bool twoRow) {
    const float sw = std::floor(w * 0.045454547f);
    const float rh = (h - 26.0f) / 3.0f;
    const int32_t columns = twoRow ? kTwoRowColumn : kColumns;
    r.cachedWidth = r.width = w;
    r.cachedHeight = r.height = h;
    r.layoutStripWidth = r.stripWidth = sw;
    r.marginX = (w - static_cast<float>(columns * static_cast<int32_t>(sw))) / 2.0f;
    r.top = 13.0f;
    r.rowHeightA = r.rowHeight = twoRow ? 2.0f * rh : rh;
    r.faderX = 2.0f;
    r.nameX = r.nameY = 2.0f;
    r.nameHeight = 9.0f;
    r.nameWidth = sw - 4.0f;
    r.buttonHeight = 13.0f;
    r.buttonWidth = (sw - 18.0f) / 3.0f;
    r.lowerButtonY = twoRow ? 2.0f * rh + 100.0f : rh - 17.0f;
    r.upperButtonY = twoRow ? 2.0f * rh + 200.0f : rh - 32.0f;
    r.faderY = 12.0f;
    r.faderBottom = twoRow ? 2.0f * rh - 2.0f : rh - 34.0f;
    r.faderLength = r.faderLength2 = twoRow ? 2.0f * rh - 14.0f : rh - 46.0f;
    r.faderWidth = sw - 4.0f;
    r.halfStripWidth = sw / 2.0f - 1.0f;
    r.knobWidth = (sw - 4.0f) / 4.0f;
    r.knobHeight = (sw - 4.0f) / 2.0f;
    const char* labels[6] = {"M", "S", "P", "C", "D", "E"};
    for (int i = 0; i < 6; ++i) r.buttonLabels[i] = labels[i];
}

// True when the cached geometry is for another window size (a NaN counts as different).
bool isStale(const FaderRecord& r, float w, float h) {
    return !(r.cachedWidth == w) || !(r.cachedHeight == h);
}

// Strict on integers: x < px < x + width, with each float field truncated first.
bool insideRect(int32_t px, int32_t py, float x, float y, float width, float height) {
    const int32_t x0 = static_cast<int32_t>(x);
    const int32_t y0 = static_cast<int32_t>(y);
    return x0 < px && px < x0 + static_cast<int32_t>(width) && y0 < py &&
           py < y0 + static_cast<int32_t>(height);
}

// The control under a strip-local point; later rectangles win over earlier ones, so the name
// box wins over everything, a button over the fader area and the knob over the fader area.
int32_t controlAt(const FaderRecord& r, int32_t px, int32_t py, int32_t knobY) {
    const float sw = r.stripWidth;
    const float bw = r.buttonWidth;
    const float bh = r.buttonHeight;
    const float kw = r.knobWidth;
    const float kh = r.knobHeight;
    const float left = 2.0f * r.faderX;
    const float centre = std::trunc(sw / 2.0f - bw / 2.0f);
    const float right = std::trunc(sw - bw - 4.0f);
    struct Box {
        float x, y, w, h;
    };
    const Box boxes[9] = {
        {r.faderX, r.faderY, r.faderWidth, r.faderLength},
        {std::trunc(sw / 2.0f - kw / 2.0f), std::trunc(static_cast<float>(knobY) - kh / 2.0f), kw,
         kh},
        {left, r.upperButtonY, bw, bh},
        {centre, r.upperButtonY, bw, bh},
        {right, r.upperButtonY, bw, bh},
        {left, r.lowerButtonY, bw, bh},
        {centre, r.lowerButtonY, bw, bh},
        {right, r.lowerButtonY, bw, bh},
        {r.nameX, r.nameY, r.nameWidth, r.nameHeight},
    };
    int32_t control = -1;
    for (int32_t c = 0; c < 9; ++c)
        if (insideRect(px, py, boxes[c].x, boxes[c].y, boxes[c].w, boxes[c].h)) control = c;
    return control;
}

} // namespace

FaderRecord QX_GUI::getStripLayout() {
    FaderRecord& r = mixerPages.stripLayout;
    if (isStale(r, windowWidth, windowHeight)) computeGeometry(r, windowWidth, windowHeight, false);
    return r;
}

FaderRecord QX_GUI::getMasterStripLayout() {
    FaderRecord& r = mixerPages.masterStripLayout;
    if (isStale(r, windowWidth, windowHeight)) computeGeometry(r, windowWidth, windowHeight, true);
    return r;
}

FaderRecord QX_GUI::buildInputTrimFader() {
    FaderRecord& r = mixerPages.trimStripLayout;
    if (isStale(r, windowWidth, windowHeight)) {
        computeGeometry(r, windowWidth, windowHeight, true);
        setStatusMessage("BUILD INPUT TRIM FADER");
    }
    return r;
}

// Grid position relative to the grid's top-left corner. Strips 0 to 21 fill row 0, 22 to 42
// row 1 and 43 to 63 row 2; column 21 of rows 1 and 2 is the two-row strip (65) from its left
// edge on, and the bottom edge belongs to row 2. Anything outside the grid, or a grid too
// small to hold a pixel per strip, gives -1.
int32_t QX_GUI::stripIndexAt(int32_t x, int32_t y, const FaderRecord& layout) const {
    const int32_t sw = static_cast<int32_t>(layout.stripWidth);
    const int32_t rh = static_cast<int32_t>(layout.rowHeight);
    if (sw < 1 || rh < 1) return -1;
    if (x < 0 || y < 0 || x >= kColumns * sw || static_cast<float>(y) > 3.0f * rh) return -1;
    const int32_t column = x / sw;
    const int32_t row = std::min(y / rh, 2);
    if (row > 0 && column >= kTwoRowColumn) return kTwoRowStrip;
    return kRowStart[row] + column;
}

StripHit QX_GUI::hitTestStrip(int32_t kind, int32_t x, int32_t y) {
    const FaderRecord layout = getStripLayout();
    StripHit hit;
    const int32_t sw = static_cast<int32_t>(layout.stripWidth);
    const int32_t rh = static_cast<int32_t>(layout.rowHeight);
    if (sw < 1 || rh < 1) return hit;
    const int32_t gx = static_cast<int32_t>(static_cast<float>(x) - layout.marginX);
    const int32_t gy = static_cast<int32_t>(static_cast<float>(y) - layout.top);
    hit.strip = stripIndexAt(gx, gy, layout);
    hit.localX = gx % sw;
    hit.localY = gy % rh;
    if (hit.strip < 0 || hit.strip > kTwoRowStrip) return hit;
    int32_t knobY = 0;
    if (kind == kStripSource || kind == kStripTarget) {
        const float level =
            kind == kStripSource ? sources[hit.strip].level : targets[hit.strip].level;
        const float travel = layout.faderLength;
        const float d =
            std::clamp(faderLaw.gainToPosition(level) * travel / faderLaw.dragSpeed, 0.0f, travel);
        knobY = static_cast<int32_t>(layout.faderBottom - d);
    }
    hit.control = controlAt(layout, hit.localX, hit.localY, knobY);
    return hit;
}

// The two-row strip in column 21 of rows 1 and 2, on its own layout; the local point is
// relative to the strip's left edge and to the top of row 1.
StripHit QX_GUI::hitTestMasterStrip(int32_t kind, int32_t x, int32_t y) {
    const FaderRecord normal = getStripLayout();
    const FaderRecord master = getMasterStripLayout();
    StripHit hit;
    const float sw = static_cast<float>(static_cast<int32_t>(normal.stripWidth));
    const int32_t rh = static_cast<int32_t>(normal.rowHeight);
    hit.strip = stripIndexAt(static_cast<int32_t>(static_cast<float>(x) - master.marginX),
                             static_cast<int32_t>(static_cast<float>(y) - master.top), master);
    hit.localX = static_cast<int32_t>(static_cast<float>(x) - master.marginX - kTwoRowColumn * sw +
                                      sw / 2.0f);
    hit.localY = static_cast<int32_t>(static_cast<float>(y) - master.top) - rh;
    int32_t knobY = 0;
    if (kind == kStripMaster) {
        const float travel = master.faderLength;
        const float d = std::clamp(faderLaw.gainToPosition(viewSettings.masterVolume) * travel /
                                       faderLaw.dragSpeed,
                                   0.0f, travel);
        knobY = static_cast<int32_t>(master.faderBottom - d);
    } else if (kind == kStripTrim) {
        knobY = static_cast<int32_t>(master.faderBottom / 2.0f);
    }
    hit.control = controlAt(master, hit.localX, hit.localY, knobY);
    return hit;
}

// A fixed grid of 60-px columns and 200-px rows (the real grid at a window 1320 px wide).
ScreenPoint QX_GUI::stripOrigin(int32_t index) const {
    ScreenPoint p;
    if (index < 22) {
        p.x = index * 60;
        p.y = 20;
    } else if (index < 43) {
        p.x = (index - 22) * 60;
        p.y = 220;
    } else {
        p.x = (index - 43) * 60;
        p.y = 420;
    }
    return p;
}
