// The FILTERS plot: ten octaves across the width (19.53 Hz at the left, 20 kHz at the right),
// 0 dB at mid-height, filtersEditor.eqPlotRangeDb at filtersEditor.eqPlotFraction / 2 of the height
// either side.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/eq_band.h"

// The normalised x (0..1 across the width) of a frequency.
inline float filterPlotX(double frequency) {
    return static_cast<float>(std::log(frequency * 0.0001) * 0.14426950408889636 + 0.9);
}

// The frequency at a normalised x.
inline double filterPlotFrequency(float x) {
    return 10000.0 * std::pow(2.0, static_cast<double>(x) * 10.0 - 9.0);
}

// The columns a band is plotted over: the width, within what the band's tables hold.
inline int32_t filterPlotColumns(float width) {
    return std::clamp(static_cast<int32_t>(width), 0, static_cast<int32_t>(EqBand::kMaxPlotPoints));
}

// A band's plot inputs for a w x h plot, then its design and response.
inline void refreshBandPlot(EqBand& band, float w, float h) {
    band.plotHeight = static_cast<int32_t>(h);
    band.plotWidth = filterPlotColumns(w);
    band.buildFrequencyAxis(filterPlotColumns(w));
    band.responseSign = 1; // a boost is drawn upwards
    band.redesign();
    band.computeResponse();
}
