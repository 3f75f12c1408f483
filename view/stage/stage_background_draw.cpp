// The passes under every item: the grid, the rooms, the notes and the additive blend layer
// that shows at every target a glow in the colour of each source reaching it.
#include <cmath>
#include <cstring>
#include <string>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "render/draw_layer.h"
#include "view/input/interaction_modes.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

namespace {

// The stage rectangle the window shows, and one pixel in stage units.
struct VisibleStage {
    float left, top, right, bottom, pixel;
};

VisibleStage visibleStage(const QX_GUI& gui) {
    const float z = gui.view.viewZoom, w = gui.windowWidth, h = gui.windowHeight;
    return {(-w / 2 - z * gui.view.viewPanX) / z, (-h / 2 - z * gui.view.viewPanY) / z,
            (std::trunc(w) - w / 2 - z * gui.view.viewPanX) / z,
            (std::trunc(h) - h / 2 - z * gui.view.viewPanY) / z, 1.0f / z};
}

// Line numbers and strides are held in doubles and int64: a set whose numbers or stride pass
// this (exact in both) is not drawn at all, so no conversion leaves the range.
constexpr double kMostLines = 1.0e15;

// One set of grid lines along an axis, as the two runs from 0 draw it (the line at 0 by both),
// keeping only the lines inside [low, high] and at most one line per window pixel: with lines
// closer than a pixel only every m-th is drawn. `line(position, number)` draws one.

template <typename DrawLine>
void gridRuns(float low, float high, float step, float pixelsPerStep, DrawLine line) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || !(pixelsPerStep > 0.0f))
        return;
    const double linesPerPixel = 1.0 / pixelsPerStep;
    if (!(linesPerPixel <= kMostLines) || !(std::fabs(low / step) <= kMostLines) ||
        !(std::fabs(high / step) <= kMostLines))
        return;
    const int64_t stride =
        pixelsPerStep >= 1.0f ? 1 : static_cast<int64_t>(std::ceil(linesPerPixel));
    auto aligned = [stride](double k, bool up) {
        const double m = up ? std::ceil(k / stride) : std::floor(k / stride);
        return static_cast<int64_t>(m) * stride;
    };
    if (high > 0.0f) { // rightwards (downwards): 0, s, 2s, ... while below `high`
        const double first = std::max(0.0, std::ceil(static_cast<double>(low) / step));
        for (int64_t k = aligned(first, true); static_cast<double>(k) * step < high; k += stride)
            line(static_cast<float>(static_cast<double>(k) * step), k);
    }
    if (low < 0.0f) { // leftwards (upwards): 0, -s, -2s, ... while above `low`
        const double first = std::min(0.0, std::ceil(static_cast<double>(high) / step) - 1.0);
        for (int64_t k = aligned(first, false); static_cast<double>(k) * step > low; k -= stride)
            line(static_cast<float>(static_cast<double>(k) * step), -k);
    }
}

} // namespace

void QX_GUI::drawStageGrid() {
    const VisibleStage v = visibleStage(*this);
    const float t = v.pixel;
    const float height = std::fabs(v.top - v.bottom);
    const float width = std::fabs(v.left - v.right);
    auto vertical = [&](float x, int64_t) { drawLayer->rect(x, v.top, x + t, v.top + height); };
    auto horizontal = [&](float y, int64_t) { drawLayer->rect(v.left, y, v.left + width, y + t); };
    drawLayer->colour(0.0f, 1.0f, 1.0f, 0.07f);
    gridRuns(v.left, v.right, 10.0f, 10.0f * view.viewZoom, vertical);
    gridRuns(v.top, v.bottom, 10.0f, 10.0f * view.viewZoom, horizontal);
    auto coarse = [&](int64_t number) {
        drawLayer->colour(1.0f, 1.0f, 1.0f, number % 5 == 0 ? 0.2f : 0.07f);
    };
    gridRuns(v.left, v.right, 20.0f, 20.0f * view.viewZoom, [&](float x, int64_t number) {
        coarse(number);
        vertical(x, number);
    });
    gridRuns(v.top, v.bottom, 20.0f, 20.0f * view.viewZoom, [&](float y, int64_t number) {
        coarse(number);
        horizontal(y, number);
    });
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.4f);
    vertical(0.0f, 0);
    horizontal(0.0f, 0);
}

void QX_GUI::drawRooms() {
    for (int32_t r = 0; r < liveCount(roomCount, kMaxRooms); ++r) {
        const RoomRecord& room = rooms[r];
        const float w = room.width, h = room.height;
        const float box[8] = {0, 0, w, 0, w, h, 0, h};
        const float outside[8] = {-4, -4, w + 4, -4, w + 4, h + 4, -4, h + 4};
        drawLayer->translate(room.x, room.y);
        drawLayer->colour(room.colourRed, room.colourGreen, room.colourBlue,
                          r == stage.resizeRoom ? 0.5f : 0.8f);
        drawLayer->vertices(Primitive::TriangleFan, box, 4, 4);
        if (room.solo == 1) {
            drawLayer->colour(1.0f, 0.0f, 0.0f, 1.0f);
            drawLayer->vertices(Primitive::LineLoop, outside, 4, 4);
        }
        if (room.mute == 1) {
            drawLayer->colour(1.0f, 1.0f, 0.0f, 1.0f);
            drawLayer->vertices(Primitive::LineLoop, box, 4, 4);
        }
        if (r == stage.resizeRoom) {
            drawLayer->colour(0.0f, 1.0f, 0.0f, 1.0f);
            drawLayer->vertices(Primitive::LineLoop, box, 4, 4);
        }
        if (r == stage.stageHoverIndex) {
            if (room.mute == 1)
                drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
            else
                drawLayer->colour(0.0f, 1.0f, 0.0f, 1.0f);
            drawLayer->lineWidth(1.0f);
            drawLayer->vertices(Primitive::LineLoop, box, 4, 4);
        }
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
        drawLayer->translate(-room.x, -room.y);
        font.setModes(0, -1);
        if (stageView.roomLabels == 1) {
            if (room.phase == -1.0f) drawLayer->colour(0.0f, 1.0f, 1.0f, 0.5f);
            drawLayer->text(font, room.name.c_str(), 2, room.x + 3.0f, room.y + 3.0f);
        }
    }
}

void QX_GUI::drawAnnotations() {
    for (int32_t i = 0; i < liveCount(noteCount, 256); ++i) {
        const NoteRecord& note = notes[i];
        drawLayer->colour(note.red, note.green, note.blue, note.alpha);
        if (note.boxed) {
            drawLayer->rect(note.x - 2.0f, note.y - 2.0f, note.x + note.width + 2.0f,
                            note.y + note.height + 2.0f);
            drawLayer->colour(1.0f - note.red, 1.0f - note.green, 1.0f - note.blue, note.alpha);
        }
        if (note.alignment >= 0 && note.alignment <= 2) font.setModes(note.alignment, -1);
        const std::string text(note.text, strnlen(note.text, NoteRecord::kTextBytes));
        const std::string& shown =
            text == "_CLOCK_" ? clockText : (text == "_DATE_" ? dateText : text);
        const float size = std::isfinite(note.size) ? std::trunc(note.size) : 1.0f;
        const int32_t scale =
            size > 1000.0f ? 1000 : (size < -1000.0f ? -1000 : static_cast<int32_t>(size));
        drawLayer->text(font, shown.c_str(), scale, note.x + note.width * 0.5f, note.y);
    }
}

// At every target, a glow in the colour of each shown source that reaches it, added up.
void QX_GUI::drawSourceBlendLayer() {
    // The last cable of the table for each pair, so a cabled pair finds its cable at once.
    int16_t lastCable[kChannels][kChannels];
    std::memset(lastCable, 0xFF, sizeof lastCable);
    const int32_t sources64 = liveCount(sourceCount, kChannels);
    const int32_t targets64 = liveCount(targetCount, kChannels);
    for (int32_t c = 0; c < liveCount(cableCount, kMaxCables); ++c) {
        const CableRecord& cable = cables[c];
        if (cable.source >= 0 && cable.source < sources64 && cable.target >= 0 &&
            cable.target < targets64)
            lastCable[cable.source][cable.target] = static_cast<int16_t>(c);
    }
    drawLayer->blendAdditive();
    for (int32_t s = 0; s < sources64; ++s) {
        const SourceRecord& source = sources[s];
        if (!source.shown) continue;
        const bool spreading =
            interaction.stageInteractionMode == kModeSourceSize && stage.pickedSource == s;
        drawLayer->colour(source.colourRed, source.colourGreen, source.colourBlue,
                          spreading ? 0.2f : 0.4f);
        for (int32_t t = 0; t < targets64; ++t) {
            const TargetRecord& target = targets[t];
            const float g = target.gainRow[s];
            if (g == 0.0f || target.visible != 1) continue;
            float w = 1.0f;
            if (target.cabled[s] == 0) {
                if (stageView.visualisations == 1)
                    w = targetActivityMeter(*this, t) * sourceLevelMeter(*this, s);
            } else {
                const int32_t c = lastCable[s][t];
                if (c < 0) continue; // no cable joins the pair: no glow
                if (cables[c].mute == 1 || (cables[c].solo != 1 && anyCableSoloed == 1)) continue;
                w = usesGlobalRadiusWhenAboveZero(target) ? viewSettings.globalRadius
                                                          : target.ownRadius;
                if (stageView.visualisations == 1) w *= sourceActivityMeter(*this, s);
            }
            drawLayer->metrics(std::trunc(target.x), std::trunc(target.y), g, w);
            drawLayer->vertices(Primitive::Triangles, unitDisc, unitDiscCount, unitDiscCount);
        }
    }
    drawLayer->blendStandard();
}
