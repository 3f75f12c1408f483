// The glyphs of the stage items (sources, targets, groups), the frames behind the items the
// MUTES panel points at, and the crosshair through the focus item. Each glyph is drawn about
// the item's position; states show as fixed colours: red solo, yellow mute, cyan phase.
#include <cmath>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "render/draw_layer.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

namespace {

float clip01(float a) {
    return a > 1.0f ? 1.0f : a;
}

} // namespace

void QX_GUI::drawSources() {
    for (int32_t i = 0; i < liveCount(sourceCount, kMaxSources); ++i) {
        const SourceRecord& s = sources[i];
        const float a = s.shown == 1 ? 1.0f : 0.1f;
        const float a7 = clip01(7.0f * a);
        drawLayer->translate(s.x, s.y);
        if (s.selected) {
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.2f);
            drawLayer->rect(-15.0f, -15.0f, 15.0f, 15.0f);
        }
        drawLayer->colour(s.colourRed, s.colourGreen, s.colourBlue, a);
        drawLayer->vertices(Primitive::TriangleFan, sourceSquare[0], 4, 4);
        if (s.mute == 1)
            drawLayer->colour(1.0f, 1.0f, 0.0f, a);
        else if (s.solo == 1)
            drawLayer->colour(1.0f, 0.0f, 0.0f, a);
        else
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f * a);
        drawLayer->vertices(Primitive::LineLoop, sourceSquare[1], 4, 4);
        if (s.phase == -1.0f) {
            drawLayer->colour(0.0f, 1.0f, 1.0f, a);
            drawLayer->rect(-2.0f, -10.0f, 3.0f, -8.0f);
        }
        if (s.clip == 0 && s.mute != 1) {
            const float m = limitToOne(sourceLevelMeter(*this, s.virtualChannel));
            const float n = m > 0.0f ? std::trunc(7.0f * m) : 0.0f;
            drawLayer->colour(s.colourRed, s.colourGreen, s.colourBlue, a);
            drawLayer->rect(0.0f, 9.0f, -n, 11.0f);
            drawLayer->rect(1.0f, 9.0f, 1.0f + n, 11.0f);
            drawLayer->colour(1.0f, 1.0f, 1.0f, a);
            drawLayer->rect(0.0f, 9.0f, 1.0f, 11.0f);
        }
        if (s.clip != 0) {
            drawLayer->colour(0.0f, 0.0f, 0.0f, a7);
            if (dspLink.activityPhase > 4) {
                drawLayer->colour(1.0f, 0.0f, 0.0f, a7);
                drawLayer->rect(-2.0f, 9.0f, 3.0f, 11.0f);
            }
        }
        if (s.groupMuted != 0) {
            drawLayer->colour(1.0f, 1.0f, 0.0f, a7);
            drawLayer->rect(-2.0f, -2.0f, 3.0f, 3.0f);
        }
        if (s.groupSoloed != 0) {
            drawLayer->colour(1.0f, 0.0f, 0.0f, a7);
            if (s.groupMuted == 0)
                drawLayer->rect(-2.0f, -2.0f, 3.0f, 3.0f);
            else
                drawLayer->rect(-1.0f, -1.0f, 2.0f, 2.0f);
        }
        drawLayer->translate(-s.x, -s.y);
    }
}

void QX_GUI::drawTargets() {
    for (int32_t i = 0; i < liveCount(targetCount, kMaxTargets); ++i) {
        const TargetRecord& t = targets[i];
        const float a = t.visible == 1 ? 1.0f : 0.5f;
        drawLayer->translate(t.x, t.y);
        drawLayer->colour(0.0f, 0.0f, 0.0f, 0.7f * a);
        if (t.selected) {
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.2f);
            drawLayer->rect(-15.0f, -15.0f, 15.0f, 15.0f);
        }
        if (t.solo == 1) drawLayer->colour(1.0f, 0.0f, 0.0f, a);
        if (t.mute == 1) drawLayer->colour(1.0f, 1.0f, 0.0f, a);
        if (!usesGlobalRadiusWhenNotZero(t)) {
            drawLayer->rect(-6.0f, -1.0f, 7.0f, 1.0f);
            drawLayer->rect(-1.0f, -6.0f, 1.0f, 7.0f);
        }
        drawLayer->rect(-4.0f, -4.0f, 4.0f, 4.0f);
        drawLayer->colour(t.colourRed, t.colourGreen, t.colourBlue, a);
        drawLayer->rect(-2.0f, -2.0f, 2.0f, 2.0f);
        if (t.clip == 1) {
            if (dspLink.activityPhase > 4)
                drawLayer->colour(1.0f, 0.0f, 0.0f, a);
            else
                drawLayer->colour(0.0f, 0.0f, 0.0f, a);
            drawLayer->rect(-2.0f, -2.0f, 2.0f, 2.0f);
        }
        if (t.phase == -1.0f) {
            drawLayer->colour(0.0f, 1.0f, 1.0f, a);
            drawLayer->rect(-2.0f, -8.0f, 2.0f, -6.0f);
        }
        drawLayer->translate(-t.x, -t.y);
    }
}

namespace {

// The lit frame of a group under the pointer's TOOLS row: a tinted square and four bars.
void drawGroupToolFrame(DrawLayer& layer, float r, float g, float b, float fill, float frame) {
    layer.colour(r * 0.5f, g * 0.5f, b * 0.5f, fill);
    layer.rect(-15.0f, -14.0f, 15.0f, 16.0f);
    layer.colour(r, g, b, frame);
    layer.rect(-14.0f, -15.0f, 14.0f, -13.0f);
    layer.rect(-14.0f, 15.0f, 14.0f, 17.0f);
    layer.rect(-16.0f, -13.0f, -14.0f, 15.0f);
    layer.rect(14.0f, -13.0f, 16.0f, 15.0f);
}

} // namespace

void QX_GUI::drawGroups() {
    for (int32_t i = 0; i < liveCount(groupCount, kMaxGroups); ++i) {
        const GroupRecord& g = groups[i];
        const bool shown = g.shown == 1;
        const float A = shown ? 1.0f : 0.5f, h = shown ? 0.9f : 0.45f, k = shown ? 0.7f : 0.35f;
        drawLayer->translate(g.x, g.y);
        if (g.selected & 0xFF) {
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.2f);
            drawLayer->rect(-15.0f, -15.0f, 15.0f, 15.0f);
        }
        if (g.rotationOn && stage.toolsHoverRotation)
            drawGroupToolFrame(*drawLayer, 0.0f, 1.0f, 0.0f, h, A / 2.0f);
        if (g.movementOn && stage.toolsHoverMovement)
            drawGroupToolFrame(*drawLayer, 1.0f, 0.0f, 1.0f, h, A / 2.0f);
        drawLayer->colour(0.2f, 0.2f, 0.2f, A);
        drawLayer->vertices(Primitive::TriangleFan, groupSquare, 4, 4);
        drawLayer->lineWidth(0.5f);
        const float quadrant[4][4] = {{0, 1, 0, (g.rotationOn ? 1.0f : 0.0f) * k + 0.5f},
                                      {1, 0, 1, (g.movementOn ? 1.0f : 0.0f) * k + 0.5f},
                                      {1, 1, 0, (g.mute == 1 ? 1.0f : 0.0f) * k + 0.5f},
                                      {1, 0, 0, (g.solo == 1 ? 1.0f : 0.0f) * k + 0.5f}};
        for (int q = 0; q < 4; ++q) {
            drawLayer->colour(quadrant[q][0], quadrant[q][1], quadrant[q][2], quadrant[q][3]);
            drawLayer->vertices(Primitive::TriangleFan, groupCorners + 8 * q, 4, 4);
            drawLayer->vertices(Primitive::LineLoop, groupCorners + 8 * q, 4, 4);
        }
        drawLayer->lineWidth(2.5f);
        drawLayer->colour(g.colourRed, g.colourGreen, g.colourBlue, A);
        drawLayer->vertices(Primitive::LineLoop, groupSquare, 4, 4);
        if (g.phase == -1.0f) {
            drawLayer->colour(0.0f, 1.0f, 1.0f, A);
            drawLayer->rect(-2.0f, -2.0f, 2.0f, 2.0f);
        }
        drawLayer->translate(-g.x, -g.y);
    }
}

void QX_GUI::drawCurrentItemHighlights() {
    auto frame = [this](float x, float y) {
        drawLayer->translate(x, y);
        drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
        drawLayer->rect(-29.0f, -29.0f, 29.0f, 29.0f);
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f);
        drawLayer->rect(-29.0f, -29.0f, 29.0f, 29.0f);
        drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
        drawLayer->rect(-27.0f, -27.0f, 27.0f, 27.0f);
        drawLayer->translate(-x, -y);
    };
    if (stage.highlightSource != -1 && isSource(*this, stage.highlightSource))
        frame(sources[stage.highlightSource].x, sources[stage.highlightSource].y);
    if (stage.highlightTarget != -1 && isTarget(*this, stage.highlightTarget))
        frame(targets[stage.highlightTarget].x, targets[stage.highlightTarget].y);
    if (stage.highlightGroup != -1 && isGroup(*this, stage.highlightGroup))
        frame(groups[stage.highlightGroup].x, groups[stage.highlightGroup].y);
}

void QX_GUI::drawStageCrosshair() {
    const int32_t i = stage.focusItemIndex;
    float x = 0, y = 0, r = 0, g = 0, b = 0;
    if (stage.focusItemKind == kKindSource && isSource(*this, i)) {
        const SourceRecord& s = sources[i];
        x = s.x, y = s.y, r = s.colourRed, g = s.colourGreen, b = s.colourBlue;
    } else if (stage.focusItemKind == kKindTarget && isTarget(*this, i)) {
        const TargetRecord& t = targets[i];
        x = t.x, y = t.y, r = t.colourRed, g = t.colourGreen, b = t.colourBlue;
    } else if (stage.focusItemKind == kKindGroup && isGroup(*this, i)) {
        const GroupRecord& gr = groups[i];
        x = gr.x, y = gr.y, r = gr.colourRed, g = gr.colourGreen, b = gr.colourBlue;
    } else {
        return;
    }
    const float z = view.viewZoom, w = windowWidth, h = windowHeight, t = 1.0f / z;
    const float left = (-w / 2 - z * view.viewPanX) / z, top = (-h / 2 - z * view.viewPanY) / z;
    const float right = (std::trunc(w) - w / 2 - z * view.viewPanX) / z;
    const float bottom = (std::trunc(h) - h / 2 - z * view.viewPanY) / z;
    drawLayer->colour(r, g, b, 0.5f);
    drawLayer->rect(x, top, x + t, bottom);
    drawLayer->rect(left, y, right, y + t);
}
