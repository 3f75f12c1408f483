// The processing pipeline diagram of the DEBUG view: one column per input and per output, one
// row per stage of the chain, with activity cells, level bars and the processing side's
// numbers from its pin 26 status block.
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

namespace {

constexpr int32_t kMaxColumns = 64;

// A byte of the status block at its offset; outside the block reads as 0.
uint8_t statusByte(const QX_GUI& gui, int32_t offset) {
    return offset >= 0 && offset < static_cast<int32_t>(sizeof gui.pipelineStatus)
               ? gui.pipelineStatus[offset]
               : 0;
}

int32_t statusInt(const QX_GUI& gui, int32_t offset) {
    uint32_t v = 0;
    for (int32_t b = 3; b >= 0; --b) v = (v << 8) | statusByte(gui, offset + b);
    return static_cast<int32_t>(v);
}

constexpr const char* kRowLabels[16] = {
    "INPUT ACTIVE", "PRE DELAY",      "PRE FILTER",   "PRE DYNAMICS",
    "SIDECHAIN",    "CHAIN LOCATION", "PRE MIX",      "OUTPUT ACTIVE",
    "PRE DELAY",    "PRE FILTER",     "PRE DYNAMICS", "POST DYNAMICS",
    "SIDECHAIN",    "CHAIN LOCATION", "CHAIN CLASS",  "PICKUP"};

struct NumberRow {
    int32_t y;
    int32_t offset;
};
constexpr NumberRow kInputNumbers[6] = {{25, 128},  {45, 384},   {65, 640},
                                        {85, 1152}, {105, 1408}, {125, 896}};
constexpr NumberRow kOutputNumbers[8] = {{165, 1664}, {185, 1920}, {205, 2176}, {225, 3456},
                                         {245, 2688}, {265, 2944}, {285, 3200}, {305, 3712}};

// The stage meters of an item's meter words: pre-delay, pre-filter, pre-dynamics, then the
// meter level (pre-mix of a source, post-dynamics of a target) and the side-chain level (dB).
struct StageMeters {
    float preDelay;
    float preFilter;
    float preDynamics;
    float level;
    float sidechainDb;
};
template <class Record> StageMeters stageMeters(const Record& r) {
    return {r.meter[0], r.meter[1], r.meter[2], r.meter[4], r.meter[6]};
}

float sidechainBarValue(float db) {
    const float limited = db < -60.0f ? -60.0f : (db > 0.0f ? 0.0f : db);
    return limited / 60.0f + 1.0f;
}

// A channel's side-chain counts as set while its in-use dynamics record is keyed on another
// channel than its own.
bool hasSidechain(const DynamicsRecord& record, int32_t channel, int32_t ownKind) {
    return record.active != 0 && (record.channelIndex != channel || record.direction != ownKind);
}

float columnX(int32_t c) {
    return 92.0f + 20.0f * static_cast<float>(c);
}

void drawActivityCells(DrawLayer& d, const QX_GUI& gui, int32_t count, int32_t flagOffset,
                       float y) {
    for (int32_t c = 0; c < count; ++c) {
        if (statusByte(gui, flagOffset + c) != 0)
            d.colour(0.0f, 1.0f, 0.0f, 0.5f);
        else
            d.colour(0.5f, 0.5f, 0.5f, 0.5f);
        d.rect(columnX(c), y, columnX(c) + 15.0f, y + 5.0f);
    }
}

void drawStageBar(DrawLayer& d, int32_t c, float base, float value) {
    float h = 10.0f * value;
    if (!(h > 0.0f)) return;
    if (h > 10.0f) h = 10.0f;
    d.metrics(1.0f, 1.0f, 1.0f, value);
    d.rect(columnX(c), base - h, columnX(c) + 2.0f, base);
}

void drawBars(DrawLayer& d, const QX_GUI& gui, int32_t sources, int32_t targets) {
    for (int32_t c = 0; c < sources; ++c) {
        const StageMeters m = stageMeters(gui.sources[c]);
        drawStageBar(d, c, 30.0f, m.preDelay);
        drawStageBar(d, c, 50.0f, m.preFilter);
        drawStageBar(d, c, 70.0f, m.preDynamics);
        if (hasSidechain(gui.inputDynamics[c], c, kKindSource))
            drawStageBar(d, c, 90.0f, sidechainBarValue(m.sidechainDb));
        drawStageBar(d, c, 130.0f, m.level);
    }
    for (int32_t c = 0; c < targets; ++c) {
        const StageMeters m = stageMeters(gui.targets[c]);
        drawStageBar(d, c, 170.0f, m.preDelay);
        drawStageBar(d, c, 190.0f, m.preFilter);
        drawStageBar(d, c, 210.0f, m.preDynamics);
        drawStageBar(d, c, 230.0f, m.level);
        if (hasSidechain(gui.outputDynamics[c], c, kKindTarget))
            drawStageBar(d, c, 250.0f, sidechainBarValue(m.sidechainDb));
    }
}

void drawNumbers(QX_GUI& gui, int32_t count, const NumberRow* rows, int32_t rowCount) {
    char text[16];
    for (int32_t c = 0; c < count; ++c)
        for (int32_t k = 0; k < rowCount; ++k) {
            const int32_t offset = rows[k].offset + 4 * c;
            std::snprintf(text, sizeof text, "%i", statusInt(gui, offset));
            gui.drawLayer->text(gui.font, text, 1, 100.0f + 20.0f * static_cast<float>(c),
                                static_cast<float>(rows[k].y));
        }
}

} // namespace

void QX_GUI::drawProcessingPipeline() {
    DrawLayer& d = *drawLayer;
    const int32_t inputs = liveCount(sourceCount, kMaxColumns);
    const int32_t outputs = liveCount(targetCount, kMaxColumns);
    const int32_t n = inputs > outputs ? inputs : outputs;
    const float width = 20.0f * static_cast<float>(n) + 100.0f;
    const float x0 = static_cast<float>((static_cast<int32_t>(windowWidth) - 20 * n) / 2 - 50);
    const float y0 = std::trunc(windowHeight * 0.5f - 150.0f);
    d.translate(x0, y0);
    d.colour(1.0f, 1.0f, 1.0f, 0.5f);
    d.rect(-2.0f, 8.0f, width + 2.0f, 367.0f);
    d.colour(0.0f, 0.0f, 0.0f, 0.8f);
    d.rect(0.0f, 10.0f, width, 365.0f);
    d.colour(0.0f, 1.0f, 0.0f, 1.0f);
    font.setModes(1, -1);
    d.text(font, "PROCESSING PIPELINE", 2, width * 0.5f, 20.0f);
    d.translate(0.0f, 40.0f);
    font.setModes(2, -1);
    for (int32_t k = 0; k < 16; ++k) d.text(font, kRowLabels[k], 1, 80.0f, 5.0f + 20.0f * k);
    font.setModes(1, -1);
    drawActivityCells(d, *this, inputs, 64, 5.0f);
    drawActivityCells(d, *this, outputs, 3968, 145.0f);
    d.colour(0.0f, 1.0f, 0.0f, 0.5f);
    d.mode(6);
    drawBars(d, *this, inputs, outputs);
    d.mode(0);
    d.colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawNumbers(*this, inputs, kInputNumbers, 6);
    drawNumbers(*this, outputs, kOutputNumbers, 8);
    d.translate(0.0f, -40.0f);
    d.translate(-x0, -y0);
}
