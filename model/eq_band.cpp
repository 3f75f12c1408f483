#include "model/eq_band.h"
#include "model/checked_number.h"

#include <algorithm>
#include <cmath>

namespace {

struct TypeNames {
    const char* shortName;
    const char* longName;
};

constexpr TypeNames kTypeNames[] = {
    {"LP", "LOW PASS"}, {"HP", "HIGH PASS"}, {"B", "BAND PASS"},   {"N", "NOTCH"},
    {"P", "PEAK"},      {"LS", "LOW SHELF"}, {"HS", "HIGH SHELF"},
};

} // namespace

void EqBand::design(float rate, float f0, float bw, float dB) {
    sampleRate = static_cast<double>(rate) * rateScale;
    gainDb = dB;
    frequency = f0;
    width = bw;
    widthCopy = bw;

    BiquadDesign k;
    static_cast<BiquadCoefficients&>(k) = working;
    designBiquad(k, type, sampleRate, frequency, width, gainDb); // unknown types keep working
    amplitude = k.amplitude;
    omega = k.omega;
    alpha = k.alpha;
    working = k;

    raw = working;
    normalised = working;
    if (working.a0 != 0.0 && keepUnnormalised == 0) {
        normalise();
        working = normalised;
    }
    b0 = normalised.b0;
    b1 = normalised.b1;
    b2 = normalised.b2;
    a0 = normalised.a0;
    a1 = normalised.a1;
    a2 = normalised.a2;

    placeHandleX();
    handleY = (gainDb / plotGainScale + 1.0) * static_cast<double>(plotHeight / 2);
    handleY += handleOffsetY;
}

void EqBand::redesign() {
    design(static_cast<float>(sampleRate), static_cast<float>(frequency), static_cast<float>(width),
           static_cast<float>(gainDb));
}

void EqBand::setType(int32_t t) {
    type = t;
    updateTypeNames();
}

void EqBand::updateTypeNames() {
    if (type < 0 || type > 6) return;
    shortName = kTypeNames[type].shortName;
    longName = kTypeNames[type].longName;
}

// Ten octaves from 19.53 Hz towards 20 kHz; a count beyond the axis capacity is cut to it.
void EqBand::buildFrequencyAxis(int32_t n) {
    n = std::clamp(n, 0, static_cast<int32_t>(kMaxAxis));
    axisCount = n;
    if (n == 0) return;
    const float step = 1.0f / static_cast<float>(n);
    for (int32_t i = 0; i < n; ++i) {
        axisFrequency[i] =
            std::pow(2.0, static_cast<double>(static_cast<float>(i) * step) * 10.0 - 9.0) *
            10000.0 * rateScale;
        if (i < kMaxPlotPoints) plot[i].x = static_cast<float>(i);
    }
}

void EqBand::computeResponse() {
    normalised = raw;
    if (raw.a0 != 0.0 && keepUnnormalised == 0) normalise();

    placeHandleX();
    const double h = static_cast<double>(plotHeight / 2);
    const double scaled = gainDb / plotGainScale;
    if (type == kLowPass || type == kHighPass)
        handleY = h - scaled * h - 60.0;
    else if (type == kLowShelf || type == kHighShelf)
        handleY = h - (gainDb * 0.5 / plotGainScale) * h;
    else
        handleY = h - scaled * h;
    handleY += handleOffsetY;

    const int32_t count = std::min(axisCount, static_cast<int32_t>(kMaxPlotPoints));
    const float inverseRate = static_cast<float>(1.0 / (sampleRate * rateScale));
    const Coefficients& k = normalised;
    for (int32_t i = 0; i < count; ++i) {
        const double w = 2.0 * pi * axisFrequency[i] * static_cast<double>(inverseRate);
        const double cw = std::cos(w);
        const double c2w = std::cos(2.0 * w);
        const double numerator = k.b0 * k.b0 + k.b1 * k.b1 + k.b2 * k.b2 +
                                 2.0 * (k.b0 * k.b1 + k.b1 * k.b2) * cw + 2.0 * k.b0 * k.b2 * c2w;
        const double denominator =
            1.0 + k.a1 * k.a1 + k.a2 * k.a2 + 2.0 * (k.a1 + k.a1 * k.a2) * cw + 2.0 * k.a2 * c2w;
        const double magnitude = std::sqrt(numerator / denominator);
        plot[i].x = static_cast<float>(i);
        plot[i].y = static_cast<float>(20.0 * std::log10(magnitude) * -responseSign);
    }

    // A notch is drawn as a spike at its handle instead of the sampled dip.
    if (type == kNotch) {
        // A handle far outside the plot is held just outside it, where the spike draws nothing.
        const int32_t centre = clampedInt(handleX, -2, count + 1);
        const float spike[3] = {60.0f, 120.0f, 60.0f};
        for (int32_t j = 0; j < 3; ++j) {
            const int32_t i = centre - 1 + j;
            if (i >= 0 && i < count) plot[i].y = spike[j];
        }
    }

    lineStripCount = 0;
    triangleCount = 0;
    for (int32_t i = 0; i + 1 < count; ++i) {
        const float v = std::max(std::min(plot[i].y, 12.0f), -12.0f);
        const float x0 = plot[i].x;
        const float x1 = plot[i + 1].x;
        const PlotPoint quad[6] = {{x0, 0.0f}, {x0, v}, {x1, v}, {x0, 0.0f}, {x1, v}, {x1, 0.0f}};
        for (const PlotPoint& p : quad) triangles[triangleCount++] = p;
        lineStrip[lineStripCount++] = {x0, v};
    }
}

void EqBand::normalise() {
    normaliseBiquad(normalised);
}

void EqBand::placeHandleX() {
    handleX =
        (std::log(frequency * 0.0001) * 0.14426950408889636 + 0.9) * static_cast<double>(plotWidth);
    handleX += handleOffsetX;
}
