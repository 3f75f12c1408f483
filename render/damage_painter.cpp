#include "render/damage_painter.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

void scissor(const PixelRect& r, int32_t windowHeight) {
    glScissor(r.x, windowHeight - r.y - r.height, r.width, r.height);
}

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    const int32_t x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int32_t x1 = std::min(a.x + a.width, b.x + b.width);
    const int32_t y1 = std::min(a.y + a.height, b.y + b.height);
    return PixelRect{x0, y0, x1 - x0, y1 - y0};
}

} // namespace

bool damagePaintingByDefault() {
    const char* value = std::getenv("QX_DAMAGE_PAINTING");
    return !value || std::strcmp(value, "0") != 0;
}

DrawLayer& DamagePainter::begin(const PaintSurface& on) {
    surface = on;
    record.begin(tiles, on.width, on.height);
    return record;
}

void DamagePainter::forget() {
    keptImage = false;
    maskReady = false;
    tiles.forget();
}

std::vector<PixelRect> DamagePainter::paint(DrawLayer& gl) {
    tiles.endFrame();
    ++counts.frames;
    counts.lastDraws = record.drawCount();
    counts.lastDamagedShare = tiles.damagedShare();
    const bool whole = !keptImage || surface != lastSurface || record.needsWholeRepaint() ||
                       counts.lastDamagedShare > kWholeShare;
    lastSurface = surface;
    if (whole) return paintWhole(gl);
    std::vector<PixelRect> rects = tiles.damagedRects();
    if (rects.empty()) {
        ++counts.unchangedFrames;
        counts.lastDrawsReplayed = 0;
        return rects;
    }
    ++counts.partialFrames;
    maskToDamage();
    glEnable(GL_SCISSOR_TEST);
    counts.lastDrawsReplayed = 0;
    for (const PixelRect& area : tiles.damagedAreas(kAreasAcross, kAreasDown)) {
        scissor(area, surface.height);
        record.replay(gl, tiles, area, [&] { clearDamage(rects, area); });
        gl.flush();
        counts.lastDrawsReplayed += record.drawsReplayed();
    }
    glDisable(GL_SCISSOR_TEST);
    lastRects = rects;
    maskReady = true;
    return rects;
}

// The frame's clear, within the damaged rectangles of the area: colour, and depth 1.
void DamagePainter::clearDamage(const std::vector<PixelRect>& rects, const PixelRect& area) {
    for (const PixelRect& r : rects) {
        const PixelRect cut = intersection(r, area);
        if (cut.width <= 0 || cut.height <= 0) continue;
        scissor(cut, surface.height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    scissor(area, surface.height);
}

std::vector<PixelRect> DamagePainter::repaintLastFrame(DrawLayer& gl) {
    return paintWhole(gl);
}

std::vector<PixelRect> DamagePainter::paintWhole(DrawLayer& gl) {
    ++counts.wholeFrames;
    record.replay(gl);
    gl.flush();
    counts.lastDrawsReplayed = record.drawsReplayed();
    keptImage = true;
    maskReady = false;
    return {PixelRect{0, 0, surface.width, surface.height}};
}

// Depth 0 outside the damage; the frame's clear then gives the damaged rectangles depth 1.
void DamagePainter::maskToDamage() {
    glDepthMask(GL_TRUE);
    glClearDepth(0.0);
    if (maskReady) {
        glEnable(GL_SCISSOR_TEST);
        for (const PixelRect& r : lastRects) {
            scissor(r, surface.height);
            glClear(GL_DEPTH_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
    } else {
        glDisable(GL_SCISSOR_TEST);
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    glClearDepth(1.0);
}
