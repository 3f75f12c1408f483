// The FILTERS editor: the item shown and its equaliser switch, the edited bands, the plot's
// range and the band drag. The mouse handlers and the load write it; the drawing reads it.
#pragma once

#include <cstdint>

#include "model/eq_band.h"
#include "model/processing_records.h"

struct FiltersState {
    // The item shown and the equaliser switch; its bands are the first five of eqEditBands.
    int32_t filterPanelKind = 1;
    int32_t filterPanelIndex = 0;
    uint8_t filtersEnabled = 0;
    EqBand eqEditBands[10];
    EqBand eqBandSnapshots[5];
    int32_t eqBandCount = 5; // the bands every FILTERS loop walks
    // The record as the bands last took it or stored it: where the record differs, the record
    // changed elsewhere and the bands take it again.
    FilterRecord filtersShownRecord;
    // The plot: the fraction of the height that +-eqPlotRangeDb spans.
    float eqPlotRangeDb = 12.0f;
    float eqPlotFraction = 0.8f;
    // The drag: the mouse as plot x (0..1) and dB, the band under the last click (the band
    // SET_FILTER_TYPE changes), the mode, and the width and mouse pixel at its start.
    float filterMouseX = 0.0f;
    float filterMouseGain = 0.0f;
    uint8_t filterDragActive = 0;
    int32_t filterDragMode = 0;
    int32_t filterDragBand = -1;
    float filterDragStartWidth = 0.0f;
    float filterDragStartMouse = 0.0f;
};
