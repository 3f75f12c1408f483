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

// The share of a window's area that the rectangles cover, 0 to 1 (they do not overlap).
double areaShare(const std::vector<PixelRect>& rects, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return 0.0;
    int64_t area = 0;
    for (const PixelRect& r : rects) area += int64_t{r.width} * r.height;
    return static_cast<double>(area) / (static_cast<double>(width) * height);
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
    keptDraws = 0;
    maskReady = false;
    tiles.forget();
}

size_t DamagePainter::keptDrawsUsable() const {
    if (keptDraws == 0 || keptDraws > record.firstChangedDraw() ||
        !kept.holds(surface.context, surface.width, surface.height) ||
        record.leadingHash(keptDraws) != keptHash)
        return 0;
    return keptDraws;
}

std::vector<PixelRect> DamagePainter::paint(DrawLayer& gl) {
    record.endFrame();
    ++counts.frames;
    counts.lastDraws = record.drawCount();
    std::vector<PixelRect> rects = tiles.damagedRects();
    counts.lastDamagedShare = areaShare(rects, surface.width, surface.height);
    const size_t firstChanged = record.firstChangedDraw();
    const bool stillSplit = firstChanged == lastFirstChanged && firstChanged > 0 &&
                            firstChanged < record.summaryCount() &&
                            record.verticesBefore(firstChanged) >= kKeptVertices;
    lastFirstChanged = firstChanged;
    const size_t keptUsable = keptDrawsUsable();
    const bool whole = !keptImage || surface != lastSurface || record.needsWholeRepaint() ||
                       counts.lastDamagedShare > kWholeShare || (stillSplit && keptUsable == 0);
    lastSurface = surface;
    if (whole) return paintWhole(gl, stillSplit);
    if (rects.empty()) {
        ++counts.unchangedFrames;
        counts.lastDrawsReplayed = 0;
        return rects;
    }
    ++counts.partialFrames;
    counts.framesOverKeptPicture += keptUsable > 0;
    const std::vector<DamageArea> areas = tiles.damagedAreas();
    // Where each pass's rectangle is all damage, its scissor alone bounds the damage.
    const bool scissorsBound =
        std::all_of(areas.begin(), areas.end(), [](const DamageArea& a) { return a.whole; });
    counts.framesWithoutMask += scissorsBound;
    if (!scissorsBound) maskToDamage();
    glEnable(GL_SCISSOR_TEST);
    counts.lastDrawsReplayed = 0;
    record.markDamage(tiles);
    for (const DamageArea& area : areas) {
        scissor(area.rect, surface.height);
        record.replay(gl, tiles, area, keptUsable,
                      [&](bool fromKept) { clearDamage(rects, area, fromKept); });
        gl.flush();
        counts.lastDrawsReplayed += record.drawsReplayed();
    }
    glDisable(GL_SCISSOR_TEST);
    noteDepthNotZero(rects, !scissorsBound);
    // Shown by area: a few copies of the back buffer, each around the damage of one cell (the
    // undamaged pixels among them show what they showed already).
    std::vector<PixelRect> shown;
    for (const DamageArea& area : areas) shown.push_back(area.rect);
    return shown;
}

// The frame's clear, within the damaged rectangles of the area: colour, or the kept picture
// of the still draws, and depth 1.
// A few rectangles are cleared (and copied) one by one; many in one draw.
// An area that is all damage is cleared whole, under its own scissor.
void DamagePainter::clearDamage(const std::vector<PixelRect>& rects, const DamageArea& area,
                                bool fromKept) {
    if (fromKept) {
        fillRects(area.whole ? std::vector<PixelRect>{area.rect} : rects, &area.rect, 1.0f,
                  Fill::KeptPicture);
        return;
    }
    if (area.whole) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    if (rects.size() > kFewRects) {
        fillRects(rects, &area.rect, 1.0f, Fill::ClearColour);
        return;
    }
    for (const PixelRect& r : rects) {
        const PixelRect cut = intersection(r, area.rect);
        if (cut.width <= 0 || cut.height <= 0) continue;
        scissor(cut, surface.height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    scissor(area.rect, surface.height);
}

// After a damaged frame the depth may differ from 0 only in its damaged rectangles, and, when
// the frame was drawn without the mask, in those of the frames before it too.
void DamagePainter::noteDepthNotZero(const std::vector<PixelRect>& rects, bool masked) {
    if (masked || !maskReady) {
        lastRects = rects;
        maskReady = masked;
        return;
    }
    ++counts.unmaskedAfterMasked;
    lastRects.insert(lastRects.end(), rects.begin(), rects.end());
    // So many are cheaper cleared whole the next time the mask is needed.
    if (lastRects.size() > kFewRects * kFewRects) maskReady = false;
}

// Rectangles (cut to `within` when given) drawn in one draw, whatever the layer's state:
// depth set to `depth` (0 or 1) and, unless only the depth is filled, colour set to the clear
// colour or to the kept picture's pixels, unblended.
void DamagePainter::fillRects(const std::vector<PixelRect>& rects, const PixelRect* within,
                              float depth, Fill fill) {
    corners.clear();
    textureCorners.clear();
    const float z = 2.0f * depth - 1.0f;
    const float w = static_cast<float>(surface.width), h = static_cast<float>(surface.height);
    for (const PixelRect& r : rects) {
        const PixelRect cut = within ? intersection(r, *within) : r;
        if (cut.width <= 0 || cut.height <= 0) continue;
        const float x0 = static_cast<float>(cut.x), y0 = static_cast<float>(cut.y);
        const float x1 = x0 + static_cast<float>(cut.width);
        const float y1 = y0 + static_cast<float>(cut.height);
        const float xy[12] = {x0, y0, x1, y0, x1, y1, x1, y1, x0, y1, x0, y0};
        for (int i = 0; i < 6; ++i) {
            corners.insert(corners.end(), {xy[2 * i], xy[2 * i + 1], z});
            textureCorners.insert(textureCorners.end(), {xy[2 * i] / w, (h - xy[2 * i + 1]) / h});
        }
    }
    if (corners.empty()) return;
    GLint program = 0, depthFunction = GL_LEQUAL;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glUseProgram(0);
    glDisable(GL_BLEND);
    glDepthFunc(GL_ALWAYS);
    glDepthMask(GL_TRUE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (fill == Fill::DepthOnly) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    if (fill == Fill::ClearColour) {
        GLfloat clearColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        glColor4fv(clearColour);
    }
    if (fill == Fill::KeptPicture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, kept.texture());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, textureCorners.data());
    }
    glVertexPointer(3, GL_FLOAT, 0, corners.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners.size() / 3));
    if (fill == Fill::KeptPicture) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPopMatrix();
    glDepthFunc(static_cast<GLenum>(depthFunction));
    if (blending) glEnable(GL_BLEND);
    glUseProgram(static_cast<GLuint>(program));
}

std::vector<PixelRect> DamagePainter::repaintLastFrame(DrawLayer& gl) {
    return paintWhole(gl, false);
}

// With `keepStill`, the picture of the draws before the first changed one is kept on the way.
std::vector<PixelRect> DamagePainter::paintWhole(DrawLayer& gl, bool keepStill) {
    ++counts.wholeFrames;
    if (keepStill) {
        const size_t at = record.firstChangedDraw();
        keptDraws = 0;
        record.replay(gl, at, [&] {
            if (!kept.capture(surface.context, surface.width, surface.height)) return;
            keptDraws = at;
            keptHash = record.leadingHash(at);
        });
    } else {
        record.replay(gl);
    }
    gl.flush();
    counts.lastDrawsReplayed = record.drawsReplayed();
    keptImage = true;
    maskReady = false;
    return {PixelRect{0, 0, surface.width, surface.height}};
}

// Depth 0 outside the damage (the rectangles of the damaged frames since the last mask are all
// that may not be 0); the frame's clear then gives the damaged rectangles depth 1.
void DamagePainter::maskToDamage() {
    glDepthMask(GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    if (maskReady && lastRects.size() > kFewRects) {
        fillRects(lastRects, nullptr, 0.0f, Fill::DepthOnly);
        return;
    }
    if (maskReady) {
        glClearDepth(0.0);
        glEnable(GL_SCISSOR_TEST);
        for (const PixelRect& r : lastRects) {
            scissor(r, surface.height);
            glClear(GL_DEPTH_BUFFER_BIT);
        }
        glDisable(GL_SCISSOR_TEST);
        glClearDepth(1.0);
        return;
    }
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
}
