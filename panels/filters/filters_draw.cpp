// The FILTERS panel's content: the five band areas, their summed curve, the frequency grid,
// the band handles with their labels, and the ON/OFF switch.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/filters/filter_plot.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr ColourQuad kBandBright[5] = {{1.0f, 0.0f, 0.0f, 0.2f},
                                       {1.0f, 1.0f, 0.0f, 0.2f},
                                       {0.0f, 1.0f, 0.0f, 0.2f},
                                       {0.0f, 1.0f, 1.0f, 0.2f},
                                       {0.0f, 0.0f, 1.0f, 0.4f}};
constexpr ColourQuad kBandPale[5] = {{1.0f, 0.5f, 0.5f, 0.1f},
                                     {1.0f, 1.0f, 0.5f, 0.1f},
                                     {0.5f, 1.0f, 0.5f, 0.1f},
                                     {0.5f, 1.0f, 1.0f, 0.1f},
                                     {0.5f, 0.5f, 1.0f, 0.2f}};

} // namespace

void QX_GUI::drawFiltersPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    const float w = panel.width;
    const float h = panel.height;
    const int32_t bands = std::clamp(filtersEditor.eqBandCount, 0, 5);
    const float k = h * 0.5f * filtersEditor.eqPlotFraction / filtersEditor.eqPlotRangeDb;
    drawLayer->pushMatrix();
    drawLayer->scale(panel.scale, panel.scale);
    for (int32_t b = 0; b < bands; ++b) refreshBandPlot(filtersEditor.eqEditBands[b], w, h);

    drawLayer->lineWidth(1.0f);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, w, h);

    const int32_t columns = filterPlotColumns(w);
    std::vector<float> sum(2 * static_cast<size_t>(columns), 0.0f);
    for (int32_t i = 0; i < columns; ++i) sum[2 * i] = static_cast<float>(i);

    drawLayer->pushMatrix();
    drawLayer->translate(0.0f, h / 2.0f);
    drawLayer->scale(1.0f, k);
    drawLayer->blendStandard();
    for (int32_t b = 0; b < bands; ++b) {
        const EqBand& band = filtersEditor.eqEditBands[b];
        const bool counts = filtersEditor.filtersEnabled && band.active == 1;
        if (counts)
            for (int32_t i = 0; i + 1 < columns; ++i) sum[2 * i + 1] += k * band.plot[i].y;
        const ColourQuad& c = counts ? kBandBright[b] : kBandPale[b];
        drawLayer->colour(c.red, c.green, c.blue, c.alpha);
        drawLayer->vertices(Primitive::Triangles, &band.triangles[0].x, 6 * EqBand::kMaxPlotPoints,
                            band.triangleCount);
    }
    drawLayer->popMatrix();
    for (int32_t i = 0; i < columns; ++i)
        sum[2 * i + 1] = std::clamp(sum[2 * i + 1], -h / 2.0f, h / 2.0f);

    drawLayer->pushMatrix();
    drawLayer->translate(0.0f, h / 2.0f);
    drawFilterFrequencyGrid();
    const ColourQuad item =
        editorItemColour(*this, filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    drawLayer->colour(item.red, item.green, item.blue, 1.0f);
    if (columns > 1) drawLayer->vertices(Primitive::LineStrip, sum.data(), columns, columns - 1);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    drawFilterBandLabels();
    drawLayer->popMatrix();

    drawLayer->colour(1.0f, 1.0f, 1.0f, filtersEditor.filtersEnabled ? 1.0f : 0.5f);
    drawLayer->rect(2.0f, 2.0f, 30.0f, 11.0f);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    StrokeFont& text = panelFrame.panels[kPanelFilters].font;
    text.alignCentre();
    drawLayer->text(text, filtersEditor.filtersEnabled ? "ON" : "OFF", 1, 16.0f, 4.0f);
    drawLayer->popMatrix();
}

// The grid lines of ten frequencies with their labels, and the +-3 .. 12 dB lines; drawn with
// the origin at the plot's 0 dB line.
void QX_GUI::drawFilterFrequencyGrid() {
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    const float w = panel.width;
    const float h = panel.height;
    StrokeFont& text = panelFrame.panels[kPanelFilters].font;
    text.alignCentre();
    static constexpr float kFrequencies[10] = {31,   63,   125,  250,  500,
                                               1000, 2000, 4000, 8000, 16000};
    for (float f : kFrequencies) {
        const float x = filterPlotX(f) * w;
        char label[16];
        if (f > 900.0f)
            std::snprintf(label, sizeof label, "%.0fk", static_cast<double>(f / 1000.0f));
        else
            std::snprintf(label, sizeof label, "%.0f", static_cast<double>(f));
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.2f);
        drawLayer->rect(x, -0.4f * h, x + 1.0f, 0.4f * h);
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.8f);
        if (f != 31.0f) drawLayer->text(text, label, 1, x, 2.0f - h / 2.0f);
        drawLayer->text(text, label, 1, x, h / 2.0f - 8.0f);
    }
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.05f);
    for (float c : {-0.125f, -0.25f, -0.375f, -0.5f, 0.125f, 0.25f, 0.375f, 0.5f}) {
        const float y = h * 0.8f * c;
        drawLayer->rect(0.0f, y, w, y + 1.0f);
    }
}

// Each band's handle at its frequency and gain, with its frequency and short type name.
void QX_GUI::drawFilterBandLabels() {
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    const float w = panel.width;
    const float k =
        panel.height * 0.5f * filtersEditor.eqPlotFraction / filtersEditor.eqPlotRangeDb;
    StrokeFont& text = panelFrame.panels[kPanelFilters].font;
    text.alignCentre();
    for (int32_t b = 0; b < std::clamp(filtersEditor.eqBandCount, 0, 5); ++b) {
        const EqBand& band = filtersEditor.eqEditBands[b];
        const float x = filterPlotX(band.frequency) * w;
        const float y = -k * static_cast<float>(band.gainDb);
        char label[32];
        if (band.frequency < 1000.0)
            std::snprintf(label, sizeof label, "%.0fh", band.frequency);
        else
            std::snprintf(label, sizeof label, "%.2fk", band.frequency / 1000.0);
        drawLayer->colour(1.0f, 1.0f, 1.0f, band.active == 1 ? 0.7f : 0.2f);
        drawLayer->rect(x - 2.0f, y - 2.0f, x + 3.0f, y + 3.0f);
        drawLayer->text(text, label, 1, x, y - 10.0f);
        drawLayer->text(text, band.shortName.c_str(), 1, x, y + 6.0f);
    }
}
