// The biquad of one equaliser band type, designed from its frequency, bandwidth in octaves and
// gain: small enough to make per command line, unlike the plotting band.
#pragma once

#include <cstdint>

struct BiquadCoefficients {
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, b0 = 0.0, b1 = 0.0, b2 = 0.0;
};

struct BiquadDesign : BiquadCoefficients {
    double amplitude = 0.0; // the gain as a linear factor (its square root for the shelves)
    double omega = 0.0;     // the centre frequency in radians per sample
    double alpha = 0.0;
};

// False for an unknown type, with the coefficients left as they were.
bool designBiquad(BiquadDesign& design, int32_t type, double sampleRate, double frequency,
                  double widthOctaves, double gainDb);

// Divides by a0 and sets it to 1; unchanged when a0 is 0.
void normaliseBiquad(BiquadCoefficients& coefficients);
