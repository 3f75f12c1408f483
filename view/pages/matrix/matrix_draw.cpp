// The MATRIX page: the 64 virtual input channels on the left, the source-by-target grid of
// gains and cables in the middle, the 64 virtual output channels on the right, with the routing
// curves between them. Coordinates are relative to the page origin (pageGridX, pageGridY).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "render/draw_layer.h"
#include "view/input/interaction_modes.h"
#include "view/pages/matrix/matrix_layout.h"

namespace {

constexpr int32_t kRows = 64;

float rowY(int32_t i) {
    return static_cast<float>(70 + 9 * i);
}

std::string number(int32_t value) {
    return std::to_string(value);
}

// Rectangle by its two x and two y bounds, as the layout lists them.
void box(DrawLayer& d, float x0, float x1, float y0, float y1) {
    d.rect(x0, y0, x1, y1);
}

template <class Record> void itemColour(DrawLayer& d, const Record& item, float alpha) {
    d.colour(item.colourRed, item.colourGreen, item.colourBlue, alpha);
}

// The routing-curve dot position: t = channel / 64 + phase, less 1 when above 1.
float flowT(int32_t channel, float phase) {
    float t = static_cast<float>(channel) / 64.0f + phase;
    if (t > 1.0f) t -= 1.0f;
    return t;
}

} // namespace

void QX_GUI::drawMatrixPage() {
    DrawLayer& d = *drawLayer;
    if (!beginPageAtOrigin()) return;
    font.setModes(0, -1);
    const int32_t S = std::clamp(sourceCount, 0, kRows);
    const int32_t T = std::clamp(targetCount, 0, kRows);

    // Brackets over the channel tables and the titles.
    d.colour(1, 1, 1, 0.5f);
    box(d, -270, -20, 44, 45);
    box(d, -271, -270, 44, 67);
    box(d, -20, -19, 44, 67);
    box(d, 758, 1009, 44, 45);
    box(d, 758, 759, 44, 67);
    box(d, 1008, 1009, 44, 67);
    d.colour(1, 1, 1, 0.4f);
    d.text(font, "INPUT ROUTING", 2, -201, 50);
    d.text(font, "OUPUT ROUTING", 2, 825, 50);

    for (int32_t i = 0; i < S; ++i) {
        itemColour(d, sources[i], 1.0f);
        d.text(font, sources[i].name.c_str(), 1, -17, rowY(i));
    }
    d.colour(1, 1, 1, 0.5f);
    for (int32_t i = 0; i < kRows; ++i) {
        const std::string n = number(i + 1);
        font.setModes(2, -1);
        d.text(font, n.c_str(), 1, -158, rowY(i));
        d.text(font, n.c_str(), 1, 1006, rowY(i));
        font.setModes(0, -1);
        d.text(font, n.c_str(), 1, -268, rowY(i));
        d.text(font, n.c_str(), 1, 896, rowY(i));
    }
    font.setModes(2, -1);
    for (int32_t j = 0; j < T; ++j) {
        itemColour(d, targets[j], 1.0f);
        d.text(font, targets[j].name.c_str(), 1, 756, rowY(j));
    }
    font.setModes(-1, 2);
    for (int32_t j = 0; j < T; ++j) {
        itemColour(d, targets[j], 1.0f);
        d.text(font, targets[j].name.c_str(), 1, static_cast<float>(70 + 9 * j), 43);
    }
    font.setModes(0, -1);

    drawMatrixLines(d);
    drawMatrixChannelTables(d);
    drawMatrixCurves(d, S, T);

    // Rows and columns past the counts are darkened.
    d.colour(0, 0, 0, 0.8f);
    if (S < kRows) box(d, -20, 644, static_cast<float>(68 + 9 * S), 644);
    if (T < kRows) {
        box(d, static_cast<float>(68 + 9 * T), 644, 0, static_cast<float>(68 + 9 * S));
        box(d, 694, 759, static_cast<float>(68 + 9 * T), 644);
    }
    drawMatrixSwitches(d, S, T);
    drawMatrixGainCells(d, S, T);
    drawMatrixCableCells(d);
    drawMatrixHover(d, S, T);

    d.colour(1, 1, 1, 0.5f);
    box(d, kMatrixGridInset, 694, 0, 1);
    box(d, 694, 695, 0, static_cast<float>(kMatrixGridInset + kMatrixCellSize * T));
    const int32_t cable = matrixPage.selectedCable;
    if (cable >= 0 && cable < cableCount && cable < kMaxCables &&
        interaction.stageInteractionMode == kModeCableLevel)
        drawMatrixCellReadout(cable);
    drawMatrixPickLines(d);
    d.colour(1, 1, 1, 1);
    font.setModes(0, -1);
    d.popMatrix();
}

void QX_GUI::drawMatrixLines(DrawLayer& d) {
    d.colour(1, 1, 1, 0.5f);
    box(d, 44, 45, kMatrixGridInset, kMatrixGridEnd);
    box(d, kMatrixGridInset, kMatrixGridEnd, 44, 45);
    for (int32_t k = 0; k <= kRows; ++k) {
        const float p = static_cast<float>(kMatrixGridInset + kMatrixCellSize * k);
        box(d, p, p + 1, 0, kMatrixGridEnd);
        box(d, -20, kMatrixGridEnd, p, p + 1);
        box(d, -271, -155, p, p + 1);
        box(d, 893, 1009, p, p + 1);
        box(d, 694, 759, p, p + 1);
    }
    for (float x : {-20, -170, -156, -191, -257, -271, 694, 758, 893, 907, 928, 994, 1008})
        box(d, x, x + 1, kMatrixGridInset, kMatrixGridEnd);
}

void QX_GUI::drawMatrixChannelTables(DrawLayer& d) {
    d.colour(0, 0, 0, 1);
    box(d, -190, -170, 67, 652);
    box(d, 908, 928, 67, 652);
    d.colour(1, 1, 1, 0.2f);
    for (int32_t i = 0; i < kRows; ++i) {
        box(d, -185, -175, rowY(i), rowY(i) + 4);
        box(d, 913, 923, rowY(i), rowY(i) + 4);
    }
    // The channel the VIRTUAL panel shows.
    int32_t channel = -1;
    bool left = true;
    const int32_t index = virtualEditor.virtualEditIndex;
    if (virtualEditor.virtualEditMode == 1 && index >= 0 && index < kRows) {
        channel = sources[index].virtualChannel;
    } else if (virtualEditor.virtualEditMode == 11) {
        channel = index;
    } else if (virtualEditor.virtualEditMode == 2 && index >= 0 && index < kRows) {
        channel = targets[index].virtualChannel;
        left = false;
    } else if (virtualEditor.virtualEditMode == 12) {
        channel = index;
        left = false;
    }
    if (channel >= 0 && channel < kRows) {
        d.colour(1, 0, 1, 0.5f);
        if (left)
            box(d, -185, -175, rowY(channel), rowY(channel) + 4);
        else
            box(d, 913, 923, rowY(channel), rowY(channel) + 4);
        d.colour(1, 1, 1, 0.2f);
    }
    // Meters of every slot, whatever the counts.
    d.mode(7);
    d.colour(1, 1, 1, 0.3f);
    for (int32_t i = 0; i < kRows; ++i) {
        const float y0 = static_cast<float>(68 + 9 * i);
        const float m = sources[i].pinMeterLevel();
        d.metrics(1, 1, 1, m);
        box(d, -257, -257 + std::min(65.0f * m, 65.0f), y0, y0 + 8);
        const float n = targets[i].pinMeterLevel();
        d.metrics(1, 1, 1, n);
        box(d, 929, 929 + std::min(65.0f * n, 65.0f), y0, y0 + 8);
    }
    d.mode(0);
}

void QX_GUI::drawMatrixCurves(DrawLayer& d, int32_t S, int32_t T) {
    d.colour(1, 1, 1, 1);
    for (int32_t i = 0; i < S; ++i) box(d, -22, -21, rowY(i) + 1, rowY(i) + 3);
    for (int32_t j = 0; j < T; ++j) box(d, 760, 761, rowY(j) + 1, rowY(j) + 3);
    for (int32_t i = 0; i < kRows; ++i) {
        box(d, -154, -153, rowY(i) + 1, rowY(i) + 3);
        box(d, 891, 892, rowY(i) + 1, rowY(i) + 3);
    }
    d.lineWidth(1.0f);
    auto dot = [&](int32_t channel) {
        const CurvePoint p = cableCurve.evalBezier(flowT(channel, stage.curvePhase));
        d.pushMatrix();
        d.translate(p.x, p.y);
        d.rect(-2.5f, -2.5f, 2.5f, 2.5f);
        d.rect(-1.5f, -1.5f, 1.5f, 1.5f);
        d.popMatrix();
    };
    for (int32_t i = 0; i < S; ++i) {
        const int32_t v = sources[i].virtualChannel;
        if (v < 0 || v >= kRows) continue;
        itemColour(d, sources[i], 0.6f);
        drawHorizontalCableCurve(-23, rowY(i) + 2, -152, rowY(v) + 2, 1.0f);
        dot(v);
    }
    for (int32_t j = 0; j < T; ++j) {
        const int32_t v = targets[j].virtualChannel;
        if (v < 0 || v >= kRows) continue;
        itemColour(d, targets[j], 0.6f);
        drawHorizontalCableCurve(890, rowY(v) + 2, 762, rowY(j) + 2, 1.0f);
        dot(v);
    }
}

void QX_GUI::drawMatrixSwitches(DrawLayer& d, int32_t S, int32_t T) {
    auto alpha = [](bool on) { return on ? 0.9f : 0.3f; };
    for (int32_t i = 0; i < S; ++i) {
        const float y0 = static_cast<float>(69 + 9 * i);
        d.colour(1, 1, 0, alpha(sources[i].mute != 0));
        box(d, 46, 52, y0, y0 + 6);
        d.colour(1, 0, 0, alpha(sources[i].solo != 0));
        box(d, 53, 59, y0, y0 + 6);
        d.colour(0, 1, 1, alpha(sources[i].phase < 0.0f));
        box(d, 60, 66, y0, y0 + 6);
    }
    for (int32_t j = 0; j < T; ++j) {
        const float x0 = static_cast<float>(69 + 9 * j);
        d.colour(1, 1, 0, alpha(targets[j].mute != 0));
        box(d, x0, x0 + 6, 46, 52);
        d.colour(1, 0, 0, alpha(targets[j].solo != 0));
        box(d, x0, x0 + 6, 53, 59);
        d.colour(0, 1, 1, alpha(targets[j].phase < 0.0f));
        box(d, x0, x0 + 6, 60, 66);
    }
}

// The cell square of (target t, source s), its alpha from the fader position of the value.
void QX_GUI::drawMatrixCell(DrawLayer& d, int32_t t, int32_t s, float value) {
    const float alpha =
        std::clamp(faderLaw.gainToPosition(std::fabs(value)) / faderLaw.dragSpeed, 0.0f, 1.0f);
    itemColour(d, sources[s], alpha);
    const float x0 = static_cast<float>(69 + 9 * t);
    const float y0 = static_cast<float>(69 + 9 * s);
    box(d, x0, x0 + 6, y0, y0 + 6);
}

float QX_GUI::targetRadius(int32_t t) const {
    return usesGlobalRadiusWhenAboveZero(targets[t]) ? viewSettings.globalRadius
                                                     : targets[t].ownRadius;
}

void QX_GUI::drawMatrixGainCells(DrawLayer& d, int32_t S, int32_t T) {
    for (int32_t t = 0; t < T; ++t) {
        // A radius of 0 or less divides nothing: the cell shows the gain itself.
        const float r = targetRadius(t);
        const float perRadius = r > 0.0f ? 1.0f / r : 1.0f;
        for (int32_t s = 0; s < S; ++s) {
            const float g = targets[t].gainRow[s];
            if (stageView.visualisations) {
                const float level = sources[s].signalLevel();
                if (level > 0.0f) drawMatrixCell(d, t, s, level * g * perRadius);
            } else if (std::fabs(g) > 0.0f) {
                drawMatrixCell(d, t, s, g * perRadius);
            }
        }
    }
}

// The product of the levels of every room whose rectangle strictly holds the target. A place
// or size that is not a number holds nothing and is held by nothing.
float QX_GUI::roomLevelAt(int32_t t) const {
    auto whole = [](float v) { return static_cast<int32_t>(std::clamp(v, -1.0e9f, 1.0e9f)); };
    if (std::isnan(targets[t].x) || std::isnan(targets[t].y)) return 1.0f;
    const int32_t x = whole(targets[t].x), y = whole(targets[t].y);
    float level = 1.0f;
    for (int32_t k = 0; k < roomCount && k < kMaxRooms; ++k) {
        const RoomRecord& room = rooms[k];
        if (std::isnan(room.x + room.y + room.width + room.height)) continue;
        const int32_t rx = whole(room.x), ry = whole(room.y);
        const int32_t w = whole(room.width), h = whole(room.height);
        if (rx < x && x < rx + w && ry < y && y < ry + h) level *= room.level;
    }
    return level;
}

void QX_GUI::drawMatrixCableCells(DrawLayer& d) {
    for (int32_t c = 0; c < cableCount && c < kMaxCables; ++c) {
        const CableRecord& cable = cables[c];
        const int32_t s = cable.source;
        const int32_t t = cable.target;
        if (s < 0 || s >= kRows || t < 0 || t >= kRows) continue;
        float value = sources[s].level * cable.level * roomLevelAt(t) * targets[t].level;
        if (stageView.visualisations) value *= sources[s].signalLevel();
        drawMatrixCell(d, t, s, value);
        const float x0 = static_cast<float>(69 + 9 * t);
        const float y0 = static_cast<float>(69 + 9 * s);
        d.colour(1, 1, 1, 1);
        bool marked = false;
        if (cable.phase < 0.0f) d.colour(0, 1, 1, 1), marked = true;
        if (cable.solo) d.colour(1, 0, 0, 1), marked = true;
        if (cable.mute) d.colour(1, 1, 0, 1), marked = true;
        if (marked) box(d, x0, x0 + 6, y0, y0 + 6);
        d.colour(1, 1, 1, 1);
        const float ox = static_cast<float>(9 * t);
        const float oy = static_cast<float>(9 * s);
        if (cable.level == 0.0f) {
            static const int32_t kCross[8][2] = {{68, 68}, {69, 69}, {74, 74}, {75, 75},
                                                 {75, 68}, {74, 69}, {69, 74}, {68, 75}};
            for (const auto& p : kCross) box(d, ox + p[0], ox + p[0] + 1, oy + p[1], oy + p[1] + 1);
        }
        box(d, ox + 71, ox + 73, oy + 71, oy + 73);
    }
}

void QX_GUI::drawMatrixHover(DrawLayer& d, int32_t S, int32_t T) {
    const int32_t h = interaction.pageHoverColumn;
    const int32_t r = interaction.pageHoverRow;
    if (h < 0 || h >= T || r < 0 || r >= S) return;
    const float x0 = static_cast<float>(68 + 9 * h);
    const float y0 = static_cast<float>(68 + 9 * r);
    d.colour(1, 1, 1, 0.2f);
    box(d, x0, x0 + 8, y0, y0 + 8);
    itemColour(d, sources[r], 0.2f);
    box(d, -22, x0 + 8, y0, y0 + 8);
    itemColour(d, targets[h], 0.2f);
    box(d, x0, x0 + 8, 0, y0 + 8);
}

void QX_GUI::drawMatrixPickLines(DrawLayer& d) {
    const float mx = static_cast<float>(interaction.pointerPixelX - interaction.pageGridX);
    const float my = static_cast<float>(interaction.pointerPixelY - interaction.pageGridY);
    const struct {
        int32_t pick;
        float x;
    } kPicks[] = {{matrixPage.inputChannelPick, -152},
                  {matrixPage.sourceRowPick, -23},
                  {matrixPage.targetRowPick, 759},
                  {matrixPage.outputChannelPick, 893}};
    d.colour(1, 1, 1, 1);
    for (const auto& p : kPicks) {
        if (p.pick == -1) continue;
        const float line[4] = {p.x, static_cast<float>(71 + 9 * p.pick), mx, my};
        d.vertices(Primitive::Lines, line, 2, 2);
    }
}

// The level readout of the cable being dragged: input and cable meters, the fader fill, the
// unity mark and the level in decibels.
void QX_GUI::drawMatrixCellReadout(int32_t cable) {
    DrawLayer& d = *drawLayer;
    const CableRecord& c = cables[cable];
    const int32_t s = c.source;
    const int32_t t = c.target;
    if (s < 0 || s >= kRows || t < 0 || t >= kRows) return;
    // The box stands at its cell; the stage zoom does not move it.
    const float X = static_cast<float>(9 * t + 73);
    const float Y = static_cast<float>(9 * s + 73);
    const float bx = X - 16;
    const float by = Y - 62;
    d.colour(0.7f, 0.7f, 0.7f, 0.5f);
    box(d, bx, bx + 32, by, by + 124);
    d.colour(0, 0, 0, 0.5f);
    box(d, bx + 2, bx + 30, by + 2, by + 122);
    d.colour(0.7f, 0.7f, 0.7f, 0.5f);
    float L = sources[s].meterOutputLevel() * sources[s].level;
    if (c.useGroups != 0) {
        const int32_t n = std::clamp(sources[s].groupCount, 0, kMembershipSlots);
        for (int32_t k = 0; k < n; ++k) {
            const int32_t g = sources[s].groupList[k];
            if (g >= 0 && g < kMaxGroups) L *= groups[g].level;
        }
    }
    d.mode(6);
    d.metrics(1, 1, 1, L);
    box(d, bx + 4, X, by + 120 + std::max(-97.0f * L, -116.0f), by + 120);
    d.metrics(1, 1, 1, L * c.level);
    box(d, X, X + 12, by + 120 + std::max(-97.0f * L * c.level, -116.0f), by + 120);
    d.mode(0);
    const float p =
        std::clamp(faderLaw.gainToPosition(c.level) * 116.0f / faderLaw.dragSpeed, 0.0f, 116.0f);
    box(d, bx + 4, bx + 28, by + 120 - p, by + 120);
    const float q =
        std::clamp(faderLaw.gainToPosition(1.0f) * 116.0f / faderLaw.dragSpeed, 0.0f, 116.0f);
    box(d, bx + 4, bx + 28, by + 120 - q, by + 121 - q);
    d.colour(0, 0, 0, 0.5f);
    box(d, bx - 15, bx + 45, by + 128, by + 138);
    char label[48];
    std::snprintf(label, sizeof label, "LEVEL %.2fdB", 20.0 * std::log10(c.level));
    font.setModes(1, -1);
    d.colour(1, 1, 1, 0.7f);
    d.text(font, label, 1, bx + 17, by + 130);
    font.setModes(0, -1);
}
