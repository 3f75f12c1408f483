// One equaliser band: the biquad design of its type (bandwidth form for every type) and its
// magnitude response for display.
#pragma once

#include <cstdint>
#include <string>

#include "model/biquad_design.h"

struct EqBand {
    enum Type : int32_t {
        kLowPass = 0,
        kHighPass = 1,
        kBandPass = 2,
        kNotch = 3,
        kPeak = 4,
        kLowShelf = 5,
        kHighShelf = 6,
    };
    static constexpr int kMaxAxis = 20000;
    // Points that the plot and the vertex buffers hold; a longer axis is plotted up to here.
    static constexpr int kMaxPlotPoints = 2000;

    using Coefficients = BiquadCoefficients;
    struct PlotPoint {
        float x = 0.0f;
        float y = 0.0f;
    };

    double pi = 3.141592653589793;
    double ln2 = 0.6931471805599453;
    int32_t active = 0;
    int32_t type = kPeak;
    double rateScale = 1.0;
    double sampleRate = 44100.0;
    double frequency = 1000.0;
    double width = 1.0; // octaves
    double gainDb = 0.0;
    double widthCopy = 1.0;
    int32_t responseSign = 1;
    Coefficients working;
    Coefficients normalised;
    double amplitude = 0.0;
    double omega = 0.0;
    double alpha = 0.0;
    double reservedParameters[2] = {0.5, 0.707};
    double reservedValue = 0.0;
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a0 = 0.0, a1 = 0.0, a2 = 0.0; // the final set
    int32_t keepUnnormalised = 0;
    Coefficients raw; // the design's values before normalisation
    int32_t axisCount = 0;
    double axisFrequency[kMaxAxis] = {};
    int32_t plotWidth = 200;
    int32_t plotHeight = 0;
    float plotGainScale = 0.083333336f; // 1/12
    PlotPoint displayBufferA[2000] = {};
    PlotPoint displayBufferB[1000] = {};
    uint32_t colours[3] = {0xFF000000, 0xFF000000, 0xFF000000};
    double handleX = 0.0;
    double handleY = 0.0;
    double handleOffsetX = 0.0;
    double handleOffsetY = 0.0;
    std::string shortName = "P";
    std::string longName = "PEAK";
    int32_t reservedInt = 3;
    PlotPoint lineStrip[kMaxPlotPoints] = {};
    int32_t lineStripCount = 0;
    PlotPoint triangles[6 * kMaxPlotPoints] = {};
    int32_t triangleCount = 0; // vertices
    PlotPoint plot[kMaxPlotPoints] = {};

    void design(float rate, float f0, float bw, float dB);
    void redesign();
    void setType(int32_t t);
    void updateTypeNames();
    void buildFrequencyAxis(int32_t n);
    void computeResponse();

private:
    void normalise();
    void placeHandleX();
};
