// The FEEDBACK page: the INPUTS and OUTPUTS columns of 64 rows with meters and ports, every
// feedback path as a red curve from its input port to its output port, the wheel overlay of
// one input channel's mix, and the level readout of a drag.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/input/interaction_modes.h"

namespace {

constexpr int32_t kRows = 64;

float rowY(int32_t k) {
    return static_cast<float>(70 + 9 * k);
}

void box(DrawLayer& d, float x0, float x1, float y0, float y1) {
    d.rect(x0, y0, x1, y1);
}

bool validChannel(int32_t c) {
    return c >= 0 && c < kRows;
}

// The header box (its top rule from x0 to x1, its edges at left and right), the column
// rules and the 65 row rules of one column of the page.
void columnFrame(DrawLayer& d, float x0, float x1, float left, float right,
                 std::initializer_list<float> rules) {
    box(d, x0, x1, 44, 45);
    box(d, left, left + 1, 44, 67);
    box(d, right, right + 1, 44, 67);
    for (float x : rules) box(d, x, x + 1, 67, 643);
    for (int32_t j = 0; j <= kRows; ++j) {
        const float y = static_cast<float>(67 + 9 * j);
        box(d, left, right + 1, y, y + 1);
    }
}

void channelNumbers(DrawLayer& d, StrokeFont& font, float leftX, float rightX) {
    for (int32_t k = 0; k < kRows; ++k) {
        const std::string n = std::to_string(k + 1);
        font.setModes(2, -1);
        d.text(font, n.c_str(), 1, rightX, rowY(k));
        font.setModes(0, -1);
        d.text(font, n.c_str(), 1, leftX, rowY(k));
    }
}

// One outlined overlay button: four bars 2 px thick and its label.
void outlinedButton(DrawLayer& d, StrokeFont& font, const char* label, float x0, float x1, float y0,
                    float y1, float lx, float ly) {
    box(d, x0, x1, y0, y0 + 2);
    box(d, x0, x1, y1 - 2, y1);
    box(d, x0, x0 + 2, y0 + 2, y1 - 2);
    box(d, x1 - 2, x1, y0 + 2, y1 - 2);
    d.text(font, label, 1, lx, ly);
}

} // namespace

void QX_GUI::drawFeedbackPage() {
    DrawLayer& d = *drawLayer;
    if (!beginPageAtOrigin()) return;
    drawFeedbackInputs(d);
    drawFeedbackOutputs(d);
    d.colour(1, 1, 1, 1);
    const float mx = static_cast<float>(interaction.pointerPixelX - interaction.pageGridX);
    const float my = static_cast<float>(interaction.pointerPixelY - interaction.pageGridY);
    if (validChannel(pendingCableSource)) {
        const float line[4] = {147, static_cast<float>(71 + 9 * pendingCableSource), mx, my};
        d.vertices(Primitive::Lines, line, 2, 2);
    }
    if (validChannel(pendingCableTarget)) {
        const float line[4] = {591, static_cast<float>(71 + 9 * pendingCableTarget), mx, my};
        d.vertices(Primitive::Lines, line, 2, 2);
    }
    drawFeedbackPaths(d);
    d.translate(static_cast<float>(-interaction.pageGridX),
                static_cast<float>(-interaction.pageGridY));
    if (feedbackPage.activeFeedbackMixCount == 0) feedbackPage.feedbackChannelShown = 0;
    if (feedbackPage.feedbackChannelShown != 0 && validChannel(feedbackPage.shownFeedbackChannel))
        drawFeedbackOverlay(d);
    if (interaction.stageInteractionMode == kModeFeedbackPathLevel ||
        interaction.stageInteractionMode == kModeFeedbackMasterLevel)
        drawFeedbackCellReadout();
    font.setModes(0, -1);
    d.popMatrix();
}

void QX_GUI::drawFeedbackInputs(DrawLayer& d) {
    d.colour(1, 1, 1, 0.5f);
    font.setModes(0, -1);
    d.text(font, "INPUTS", 2, 61, 50);
    columnFrame(d, 30, 145, 29, 144, {130, 144, 109, 43, 29});
    channelNumbers(d, font, 32, 142);
    d.colour(0, 0, 0, 1);
    box(d, 110, 130, 67, 652);
    for (int32_t k = 0; k < kRows; ++k) {
        if (feedbackMixes[k].pinCount > 0)
            d.colour(1, 0, 0, 1);
        else
            d.colour(1, 1, 1, 0.2f);
        box(d, 115, 125, rowY(k), rowY(k) + 4);
    }
    drawFeedbackMeters(d, 43, true);
    d.colour(1, 1, 1, 1);
    for (int32_t k = 0; k < kRows; ++k) box(d, 146, 147, rowY(k) + 1, rowY(k) + 3);
}

void QX_GUI::drawFeedbackOutputs(DrawLayer& d) {
    d.colour(1, 1, 1, 0.5f);
    font.setModes(0, -1);
    d.text(font, "OUTPUTS", 2, 619, 50);
    columnFrame(d, 593, 708, 593, 708, {593, 607, 628, 694, 708});
    channelNumbers(d, font, 596, 706);
    d.colour(0, 0, 0, 1);
    box(d, 608, 628, 67, 652);
    d.colour(1, 1, 1, 0.2f);
    for (int32_t k = 0; k < kRows; ++k) box(d, 613, 623, rowY(k), rowY(k) + 4);
    int32_t marked = -1;
    if (virtualEditor.virtualEditMode == 2 && validChannel(virtualEditor.virtualEditIndex))
        marked = targets[virtualEditor.virtualEditIndex].virtualChannel;
    else if (virtualEditor.virtualEditMode == 12)
        marked = virtualEditor.virtualEditIndex;
    if (validChannel(marked)) {
        d.colour(1, 0, 1, 0.5f);
        box(d, 613, 623, rowY(marked), rowY(marked) + 4);
        d.colour(1, 1, 1, 0.2f);
    }
    drawFeedbackMeters(d, 629, false);
    d.colour(1, 1, 1, 1);
    for (int32_t k = 0; k < kRows; ++k) box(d, 591, 592, rowY(k) + 1, rowY(k) + 3);
}

void QX_GUI::drawFeedbackMeters(DrawLayer& d, float left, bool inputs) {
    d.mode(7);
    d.colour(1, 1, 1, 0.3f);
    for (int32_t k = 0; k < kRows; ++k) {
        const float m = inputs ? sources[k].pinMeterLevel() : targets[k].pinMeterLevel();
        d.metrics(1, 1, 1, m);
        const float y0 = static_cast<float>(68 + 9 * k);
        box(d, left, left + std::min(65.0f * m, 65.0f), y0, y0 + 8);
    }
    d.mode(0);
}

// Every path of every mix as a curve whose strength is the fed-back level in decibels, with
// a marker running along it.
void QX_GUI::drawFeedbackPaths(DrawLayer& d) {
    d.mode(12);
    for (int32_t s = 0; s < kRows; ++s) {
        const MixRecord& mix = feedbackMixes[s];
        const int32_t n = std::clamp(mix.pinCount, 0, kRows);
        for (int32_t j = 0; j < n; ++j) {
            const int32_t t = mix.pinNumbers[j];
            if (!validChannel(t)) continue;
            const float db =
                gainToDb(mix.gains[j] * mix.masterLevel * targets[t].meterOutputLevel());
            d.colour(1, 0, 0, db);
            drawHorizontalCableCurve(147, static_cast<float>(71 + 9 * s), 591,
                                     static_cast<float>(71 + 9 * t), 2.0f);
            float u = 2.0f * stage.curvePhase + static_cast<float>(t) * 0.015625f;
            while (u > 1.0f) u -= 1.0f;
            const CurvePoint p = cableCurve.evalBezier(u);
            d.pushMatrix();
            d.translate(p.x, p.y);
            d.rect(-2.5f, -2.5f, 2.5f, 2.5f);
            d.rect(-1.5f, -1.5f, 1.5f, 1.5f);
            d.popMatrix();
        }
    }
    d.mode(0);
}

// The wheel of the shown channel's mix: frame, buttons, one spoke per path with its phase,
// mute and level handles, and the master in the centre.
void QX_GUI::drawFeedbackOverlay(DrawLayer& d) {
    const float cx = windowWidth * 0.5f;
    const float cy = windowHeight * 0.5f;
    const MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    const int32_t n = std::clamp(mix.pinCount, 0, kRows);
    d.colour(1, 0, 0, 0.8f);
    box(d, cx - 152, cx + 153, cy - 152, cy - 150);
    box(d, cx - 152, cx - 150, cy - 152, cy + 153);
    box(d, cx - 152, cx + 153, cy + 151, cy + 153);
    box(d, cx + 151, cx + 153, cy - 152, cy + 153);
    d.colour(0, 0, 0, 0.8f);
    box(d, cx - 150, cx + 151, cy - 150, cy + 151);
    d.pushMatrix();
    d.translate(cx - 150, cy - 150);
    d.colour(1, 0, 0, 0.8f);
    font.setModes(0, -1);
    outlinedButton(d, font, "MUTE ALL", 3, 45, 3, 16, 7, 7);
    outlinedButton(d, font, "NORMALISE", 249, 298, 285, 298, 253, 289);
    outlinedButton(d, font, "ZERO DB", 259, 298, 3, 16, 263, 7);
    outlinedButton(d, font, "RESET", 3, 32, 285, 298, 7, 289);
    d.popMatrix();
    d.lineWidth(0.5f);
    float angle = 270.0f;
    for (int32_t k = 0; k < n; ++k) {
        drawFeedbackSpoke(d, cx, cy, angle, mix, k);
        angle += 360.0f / static_cast<float>(n);
    }
    d.pushMatrix();
    d.translate(cx, cy);
    if (mix.masterLevel == 0.0f)
        d.colour(1, 1, 0, 0.9f);
    else
        d.colour(1, 1, 1, 0.7f);
    box(d, -14, 15, -16, -14);
    box(d, -16, 17, 15, 17);
    box(d, -16, -14, -16, 15);
    box(d, 15, 17, -16, 15);
    d.colour(0, 0, 0, 0.7f);
    box(d, -14, 15, -14, 15);
    const std::string label = std::to_string(feedbackPage.shownFeedbackChannel + 1);
    font.setModes(1, -1);
    d.colour(1, 0, 0, 0.7f);
    d.text(font, label.c_str(), 2, 0, -4);
    d.popMatrix();
}

void QX_GUI::drawFeedbackSpoke(DrawLayer& d, float cx, float cy, float angle, const MixRecord& mix,
                               int32_t k) {
    const float a = angle * 3.14159265f / 180.0f;
    auto at = [&](float r, float by = 0.0f) {
        const float b = a + by * 3.14159265f / 180.0f;
        return CurvePoint{cx + r * std::sin(b), cy - r * std::cos(b)};
    };
    auto line = [&](CurvePoint p, CurvePoint q) {
        const float v[4] = {p.x, p.y, q.x, q.y};
        d.vertices(Primitive::Lines, v, 2, 2);
    };
    auto square = [&](CurvePoint p, float from, float to) {
        d.rect(p.x + from, p.y + from, p.x + to, p.y + to);
    };
    const CurvePoint inner = at(26.4f);
    const CurvePoint phase = at(66.0f);
    const CurvePoint mute = at(96.0f);
    const CurvePoint level = at(132.0f);
    d.colour(1, 1, 1, 0.7f);
    line(inner, level);
    d.mode(12);
    d.colour(1, 0, 0, gainToDb(mix.gains[k]));
    square(level, -7, 7);
    d.mode(0);
    d.colour(1, 1, 1, 0.6f);
    square(phase, -3, 4);
    square(mute, -3, 4);
    d.colour(0, 0, 0, 0.8f);
    square(level, -6, 6);
    d.colour(1, 1, 1, 0.7f);
    const std::string label = std::to_string(mix.pinNumbers[k] + 1);
    font.setModes(1, -1);
    d.text(font, label.c_str(), 1, level.x - 1, level.y - 3);
    font.setModes(0, -1);
    if (mix.phases[k] == -1.0f)
        d.colour(0, 1, 1, 1);
    else
        d.colour(0, 0.3f, 0.3f, 1);
    square(phase, -2, 3);
    if (mix.mutes[k] != 0)
        d.colour(1, 1, 0, 1);
    else
        d.colour(0.3f, 0.3f, 0, 1);
    square(mute, -2, 3);
    d.colour(1, 1, 1, 0.7f);
    line(inner, at(37.2f, 6.0f));
    line(inner, at(37.2f, -6.0f));
}

// The level readout of a path (3004) or master (3005) drag, centred where the drag began.
void QX_GUI::drawFeedbackCellReadout() {
    if (!validChannel(feedbackPage.shownFeedbackChannel)) return;
    DrawLayer& d = *drawLayer;
    const MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    const int32_t slot = feedbackPage.feedbackDragSlot;
    const bool pathDrag = interaction.stageInteractionMode == kModeFeedbackPathLevel;
    if (pathDrag && (slot < 0 || slot >= std::clamp(mix.pinCount, 0, kRows) ||
                     !validChannel(mix.pinNumbers[slot])))
        return;
    const float bx = interaction.dragStartPixelX - 16.0f;
    const float by = interaction.dragStartPixelY - 62.0f;
    d.colour(0.7f, 0.7f, 0.7f, 0.5f);
    box(d, bx, bx + 32, by, by + 124);
    d.colour(0, 0, 0, 0.5f);
    box(d, bx + 2, bx + 30, by + 2, by + 122);
    d.colour(0.7f, 0.7f, 0.7f, 0.5f);
    const float a = pathDrag ? targets[mix.pinNumbers[slot]].pinMeterLevel() : 0.0f;
    const float b = pathDrag ? a * mix.gains[slot] : 0.0f;
    d.mode(6);
    d.metrics(1, 1, 1, a);
    box(d, bx + 4, bx + 16, by + 120 - std::min(97.0f * a, 116.0f), by + 120);
    d.metrics(1, 1, 1, b);
    box(d, bx + 16, bx + 28, by + 120 - std::min(97.0f * b, 116.0f), by + 120);
    d.mode(0);
    const float v = pathDrag ? mix.gains[slot] : mix.masterLevel;
    auto height = [this](float gain) {
        return std::clamp(faderLaw.gainToPosition(gain) * 116.0f / faderLaw.dragSpeed, 0.0f,
                          116.0f);
    };
    const float h = height(v);
    box(d, bx + 4, bx + 28, by + 120 - h, by + 120);
    const float h1 = height(1.0f);
    box(d, bx + 4, bx + 28, by + 120 - h1, by + 121 - h1);
    d.colour(0, 0, 0, 0.5f);
    box(d, bx - 15, bx + 45, by + 128, by + 138);
    char label[48];
    std::snprintf(label, sizeof label, "LEVEL %.2fdB", 20.0 * std::log10(v));
    font.setModes(1, -1);
    d.colour(1, 1, 1, 0.7f);
    d.text(font, label, 1, bx + 17, by + 130);
    font.setModes(0, -1);
}
