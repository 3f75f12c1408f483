#include "render/damage_painter.h"

#include <GL/glew.h>

#include <cstdlib>
#include <cstring>

namespace {

void scissor(const PixelRect& r, int32_t windowHeight) {
    glScissor(r.x, windowHeight - r.y - r.height, r.width, r.height);
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
    const int32_t h = surface.height;
    record.replay(gl, tiles, [&rects, h] {
        glEnable(GL_SCISSOR_TEST);
        for (const PixelRect& r : rects) {
            scissor(r, h);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
    });
    gl.flush();
    counts.lastDrawsReplayed = record.drawsReplayed();
    lastRects = rects;
    maskReady = true;
    return rects;
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
