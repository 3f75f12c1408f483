// The FILTERS panel's mouse: the ON/OFF switch, band handle drags (frequency and gain, or
// width), drags of all active bands (gain offset, gain scale, frequency spread), the type
// cycle, band on/off, the typed gain, frequency and width, and the right-click menus.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/filters/filter_plot.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr int32_t kHoldingFilters = 2;

struct FilterLocal {
    float x;
    float y;
};

FilterLocal filterLocal(const PanelWindow& panel, int32_t x, int32_t y) {
    const float s = panel.scale > 0.0f ? panel.scale : 1.0f;
    return {(static_cast<float>(x) - panel.positionX - panel.margin) / s,
            (static_cast<float>(y) - panel.positionY - panel.titleBarHeight) / s};
}

} // namespace

namespace {

// The mouse as plot x (0..1) and dB; false when the panel has no size to measure in.
bool normaliseFilterMouse(QX_GUI& gui, const FilterLocal& p) {
    const PanelWindow& panel = gui.panelFrame.panels[kPanelFilters];
    if (panel.width <= 0.0f || panel.height <= 0.0f) return false;
    gui.filtersEditor.filterMouseX = p.x / panel.width;
    gui.filtersEditor.filterMouseGain =
        ((p.y - panel.height / 2.0f) / (panel.height * gui.filtersEditor.eqPlotFraction)) * -2.0f *
        gui.filtersEditor.eqPlotRangeDb;
    return true;
}

bool bandHit(const QX_GUI& gui, int32_t b) {
    const EqBand& band = gui.filtersEditor.eqEditBands[b];
    const float w = gui.panelFrame.panels[kPanelFilters].width;
    return std::fabs(filterPlotX(band.frequency) - gui.filtersEditor.filterMouseX) < 5.0f / w &&
           std::fabs(static_cast<float>(band.gainDb) - gui.filtersEditor.filterMouseGain) < 0.5f;
}

int32_t bandLimit(const QX_GUI& gui) {
    return std::clamp(gui.filtersEditor.eqBandCount, 0, 5);
}

void storeAndSyndicate(QX_GUI& gui) {
    gui.storeFilterSettings(gui.filtersEditor.filterPanelKind, gui.filtersEditor.filterPanelIndex);
    gui.syndicateFilters();
    gui.markFiltersDirty(kKindSource);
    gui.markFiltersDirty(kKindTarget);
}

void takeSnapshots(QX_GUI& gui) {
    for (int32_t b = 0; b < 5; ++b)
        gui.filtersEditor.eqBandSnapshots[b] = gui.filtersEditor.eqEditBands[b];
}

// The typed gain (G), frequency (F) or width (Q) of a band, opened at the mouse.
void openBandEntry(QX_GUI& gui, int32_t id, int32_t x, int32_t y) {
    const EqBand& band = gui.filtersEditor.eqEditBands[id % 100];
    char text[32];
    gui.textEntry.textEntryId = id;
    if (id < 200) {
        std::snprintf(text, sizeof text, "%.2f", band.gainDb);
        gui.openTextEntry(x, y, 71, 20, text, 8, 2, "GAIN", "+/- 12dB", 1);
    } else if (id < 300) {
        std::snprintf(text, sizeof text, "%.0f", band.frequency);
        gui.openTextEntry(x, y, 71, 20, text, 8, 3, "FREQUENCY", "20HZ to 16khz", 1);
    } else {
        std::snprintf(text, sizeof text, "%.2f", band.width);
        gui.openTextEntry(x, y, 71, 20, text, 8, 4, "BW", "0.1 to 5 octaves", 1);
    }
}

} // namespace

int32_t QX_GUI::filtersPanelLButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    const FilterLocal p = filterLocal(panel, x, y);
    if (p.x > 2.0f && p.x < 30.0f && p.y > 2.0f && p.y < 11.0f) {
        filtersEditor.filtersEnabled = filtersEditor.filtersEnabled ? 0 : 1;
        storeAndSyndicate(*this);
        return 0;
    }
    if (!normaliseFilterMouse(*this, p)) return 0;
    filtersEditor.filterDragActive = 0;
    interaction.controlDragActive = 0;
    const bool ctrl = isKeyDownCtrl();
    const bool shift = isKeyDownShift();
    if (ctrl) {
        filtersEditor.filterDragMode = 5;
        interaction.controlDragActive = 1;
        interaction.controlDragPanel = kHoldingFilters;
        filtersEditor.filterDragActive = 1;
        filtersEditor.filterDragStartMouse = static_cast<float>(x);
        takeSnapshots(*this);
    }
    if (shift) {
        // The gain drags hold the mouse like every other drag, so the release always ends them.
        filtersEditor.filterDragMode = ctrl ? 4 : 3;
        interaction.controlDragActive = 1;
        filtersEditor.filterDragActive = 1;
        interaction.controlDragPanel = kHoldingFilters;
        filtersEditor.filterDragStartMouse = static_cast<float>(y);
        takeSnapshots(*this);
    }
    const bool keyG = isKeyDownG();
    const bool keyF = isKeyDownF();
    const bool keyQ = isKeyDownQ();
    for (int32_t b = 0; b < bandLimit(*this); ++b) {
        if (!bandHit(*this, b)) continue;
        if (keyG || keyF || keyQ) {
            openBandEntry(*this, (keyG ? 100 : keyF ? 200 : 300) + b, x, y);
            return 0;
        }
        filtersEditor.filterDragBand = b;
        EqBand& band = filtersEditor.eqEditBands[b];
        if (!ctrl) {
            filtersEditor.filterDragActive = 1;
            filtersEditor.filterDragMode = 1;
            interaction.controlDragActive = 1;
            interaction.controlDragPanel = kHoldingFilters;
            if (shift) {
                filtersEditor.filterDragMode = 2;
                filtersEditor.filterDragStartWidth = static_cast<float>(band.width);
                filtersEditor.filterDragStartMouse = static_cast<float>(y);
            }
            continue; // the highest band hit is the one dragged
        }
        if (!shift) {
            int32_t type = (band.type + 1) % 7;
            if (type == EqBand::kNotch) type = EqBand::kPeak;
            band.setType(type);
            refreshBandPlot(band, panel.width, panel.height);
            storeAndSyndicate(*this);
            return 0;
        }
        band.active = band.active == 1 ? 0 : 1;
        storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
        markFiltersDirty(filtersEditor.filterPanelKind);
        filtersEditor.filterDragActive = 0;
        interaction.controlDragActive = 0;
        interaction.controlDragPanel = -1;
        syndicateFilters();
        markFiltersDirty(kKindSource);
        markFiltersDirty(kKindTarget);
        return 0;
    }
    return 0;
}

int32_t QX_GUI::filtersPanelMouseMove(WPARAM, int32_t x, int32_t y) {
    if (!filtersEditor.filterDragActive) return 0;
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    interaction.controlDragPanel = kHoldingFilters;
    if (!normaliseFilterMouse(*this, filterLocal(panel, x, y))) return 0;
    const auto clampGain = [](double g) { return std::clamp(g, -12.0, 12.0); };
    const auto clampFrequency = [](double f) { return std::clamp(f, 20.0, 16000.0); };
    const float dy = static_cast<float>(y) - filtersEditor.filterDragStartMouse;
    const int32_t b = filtersEditor.filterDragBand;
    switch (filtersEditor.filterDragMode) {
    case 1:
        if (b < 0 || b >= bandLimit(*this)) break;
        filtersEditor.eqEditBands[b].frequency =
            clampFrequency(filterPlotFrequency(filtersEditor.filterMouseX));
        filtersEditor.eqEditBands[b].gainDb = clampGain(filtersEditor.filterMouseGain);
        break;
    case 2:
        if (b < 0 || b >= bandLimit(*this)) break;
        filtersEditor.eqEditBands[b].width =
            std::clamp(filtersEditor.filterDragStartWidth - dy * 0.05f, 0.1f, 5.0f);
        break;
    default:
        for (int32_t i = 0; i < bandLimit(*this); ++i) {
            EqBand& band = filtersEditor.eqEditBands[i];
            const EqBand& start = filtersEditor.eqBandSnapshots[i];
            if (band.active != 1) continue;
            if (filtersEditor.filterDragMode == 3)
                band.gainDb = clampGain(start.gainDb + dy * -0.03f);
            if (filtersEditor.filterDragMode == 4)
                band.gainDb = clampGain(start.gainDb * (1.0f + dy * -0.01f));
            if (filtersEditor.filterDragMode == 5) {
                const float dx = static_cast<float>(x) - filtersEditor.filterDragStartMouse;
                const double hs = filterPlotX(start.frequency);
                band.frequency =
                    clampFrequency(10000.0 * std::pow(2.0, hs * (10.0 + dx * 0.1) - 9.0));
            }
        }
        break;
    }
    for (int32_t i = 0; i < bandLimit(*this); ++i)
        refreshBandPlot(filtersEditor.eqEditBands[i], panel.width, panel.height);
    storeAndSyndicate(*this);
    return 0;
}

int32_t QX_GUI::filtersPanelLButtonUp(WPARAM, int32_t, int32_t) {
    markFiltersDirty(filtersEditor.filterPanelKind);
    filtersEditor.filterDragActive = 0;
    interaction.controlDragPanel = -1;
    return 0;
}

int32_t QX_GUI::filtersPanelRButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelFilters];
    const FilterLocal p = filterLocal(panel, x, y);
    if (!(p.x > 0.0f && p.x < panel.width && p.y > 0.0f && p.y < panel.height)) return -1;
    if (!normaliseFilterMouse(*this, p)) return -1;
    for (int32_t b = 0; b < bandLimit(*this); ++b)
        if (bandHit(*this, b)) {
            openEditorMenu("FILTER_TYPE", x, y);
            filtersEditor.filterDragBand = b;
            return 0;
        }
    openEditorMenu("FILTER", x, y);
    return 0;
}
