// The INPUTS and OUTPUTS pages: 64 source or target strips on the strip grid, and the two-row
// strip in column 21 of rows 1 and 2 (TRIM on INPUTS, MASTER on OUTPUTS).
#include "app/qx_gui.h"
#include "render/draw_layer.h"

namespace {

// Meter words of a source or target record: the output meter and its held peak.
constexpr int32_t kMeterOutputLevel = 5;
constexpr int32_t kMeterPeak = 4;

// The grid cell of strip i: row 0 holds 0 to 21, row 1 22 to 42, row 2 43 to 63.
void stripCell(int32_t i, int32_t& column, int32_t& row) {
    row = i < 22 ? 0 : (i < 43 ? 1 : 2);
    column = i - (row == 0 ? 0 : (row == 1 ? 22 : 43));
}

// The values every two-row strip starts from: grey, no switches, no meter.
void fillTwoRowStrip(FaderRecord& strip, const char* name, int32_t kind, int32_t index,
                     float level) {
    strip.name = name;
    strip.kind = kind;
    strip.index = index;
    strip.active = 1;
    strip.level = level;
    strip.colour[0] = strip.colour[1] = strip.colour[2] = 0.5f;
    strip.mute = strip.solo = 0;
    strip.filterOn = strip.dynamicsOn = strip.delayOn = 0;
    strip.phase = 1.0f;
    strip.meter = strip.peak = 0.0f;
}

} // namespace

// Draws the 64 strips of one kind with the normal layout and its two scales.
void QX_GUI::drawStripGrid(int32_t kind) {
    const FaderRecord layout = getStripLayout();
    MixerPageState& page = mixerPages;
    buildLinearFader(page.linearScale, layout.faderLength - 4.0f);
    buildMixerFader(page.mixerScale, layout.faderLength - 4.0f);
    FaderRecord strip = layout;
    for (int32_t i = 0; i < kMaxLiveItems; ++i) {
        int32_t column = 0;
        int32_t row = 0;
        stripCell(i, column, row);
        drawLayer->pushMatrix();
        drawLayer->translate(static_cast<float>(column) * layout.stripWidth + layout.marginX,
                             static_cast<float>(row) * layout.rowHeight + layout.top);
        if (kind == kStripSource)
            fillSourceStrip(strip, i);
        else
            fillTargetStrip(strip, i);
        drawChannelStrip(page.linearScale, page.mixerScale, strip);
        drawLayer->popMatrix();
    }
}

namespace {

// What a strip shows of its source or target and of the channel's filter, dynamics and delay.
template <typename Item, typename Filter, typename Dynamics, typename Delay>
void fillItemStrip(FaderRecord& strip, const Item& item, int32_t index, const Filter& filter,
                   const Dynamics& dynamics, const Delay& delay) {
    strip.level = item.level;
    strip.meter = item.meter[kMeterOutputLevel];
    strip.peak = item.meter[kMeterPeak];
    strip.index = index;
    strip.name = item.name;
    strip.mute = item.mute != 0;
    strip.solo = item.solo != 0;
    strip.phase = item.phase;
    strip.filterOn = filter.enabled;
    strip.dynamicsOn = dynamics.mode;
    strip.delayOn = delay.on;
    strip.colour[0] = item.colourRed;
    strip.colour[1] = item.colourGreen;
    strip.colour[2] = item.colourBlue;
}

} // namespace

void QX_GUI::fillSourceStrip(FaderRecord& strip, int32_t i) {
    fillItemStrip(strip, sources[i], i, inputFilters[i], inputDynamics[i], inputDelays[i]);
    strip.itemActivity = dspLink.sourceActivity[i];
    strip.active = i < sourceCount ? 1 : 0;
    strip.kind = kStripSource;
    strip.highlight =
        (i == currentSource && interaction.pageMouseHold) || mixerPages.trimDragActive ? 1 : 0;
}

void QX_GUI::fillTargetStrip(FaderRecord& strip, int32_t t) {
    fillItemStrip(strip, targets[t], t, outputFilters[t], outputDynamics[t], outputDelays[t]);
    strip.itemActivity = targets[t].activity;
    strip.active = t < targetCount ? 1 : 0;
    strip.kind = kStripTarget;
    strip.highlight = t == currentTarget && interaction.pageMouseHold ? 1 : 0;
}

// Moves the origin to the two-row strip's top-left corner (column 21 of row 1).
void QX_GUI::translateToTwoRowStrip() {
    const FaderRecord layout = getStripLayout();
    drawLayer->translate(21.0f * layout.stripWidth + layout.marginX, layout.rowHeight + layout.top);
}

void QX_GUI::drawInputsPage() {
    drawLayer->clear();
    applyFramePreamble();
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawStripGrid(kStripSource);

    FaderRecord trim = buildInputTrimFader();
    fillTwoRowStrip(trim, "TRIM", kStripTrim, -1, mixerPages.inputTrimDb);
    trim.highlight = mixerPages.trimDragActive;
    buildTrimFader(trim.faderLength - 4.0f);
    drawLayer->pushMatrix();
    translateToTwoRowStrip();
    drawChannelStrip(mixerPages.trimScale, mixerPages.trimScale, trim);
    drawLayer->popMatrix();
}

void QX_GUI::drawOutputsPage() {
    drawLayer->clear();
    applyFramePreamble();
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawStripGrid(kStripTarget);

    FaderRecord master = getMasterStripLayout();
    buildMasterFaderLin(master.faderLength - 4.0f);
    buildMasterFaderExp(master.faderLength - 4.0f);
    fillTwoRowStrip(master, "MASTER", kStripMaster, kTwoRowStrip, viewSettings.masterVolume);
    master.highlight = 1; // the MASTER strip always shows its level
    drawLayer->pushMatrix();
    translateToTwoRowStrip();
    drawChannelStrip(mixerPages.masterLinScale, mixerPages.masterExpScale, master);
    drawLayer->popMatrix();
}
