#include "model/biquad_design.h"

#include <cmath>

#include "model/eq_band.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kLn2 = 0.6931471805599453;

bool usesAmplitude(int32_t type) {
    return type == EqBand::kPeak || type == EqBand::kLowShelf || type == EqBand::kHighShelf;
}

void setCoefficients(BiquadDesign& k, double a0, double a1, double a2, double b0, double b1,
                     double b2) {
    k.a0 = a0;
    k.a1 = a1;
    k.a2 = a2;
    k.b0 = b0;
    k.b1 = b1;
    k.b2 = b2;
}

} // namespace

bool designBiquad(BiquadDesign& k, int32_t type, double sampleRate, double frequency,
                  double widthOctaves, double gainDb) {
    const double A = std::pow(10.0, gainDb * (usesAmplitude(type) ? 0.025 : 0.05));
    const double w0 = 2.0 * kPi * frequency / sampleRate;
    const double s = std::sin(w0);
    const double c = std::cos(w0);
    const double al = s * std::sinh(kLn2 * 0.5 * widthOctaves * w0 / s);
    k.amplitude = A;
    k.omega = w0;
    k.alpha = al;

    const double sqrtA2 = 2.0 * std::sqrt(A) * al;
    switch (type) {
    case EqBand::kLowPass:
        setCoefficients(k, 1.0 + al, -2.0 * c, 1.0 - al, (1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0);
        return true;
    case EqBand::kHighPass:
        setCoefficients(k, 1.0 + al, -2.0 * c, 1.0 - al, (1.0 + c) / 2.0, -(1.0 + c),
                        (1.0 + c) / 2.0);
        return true;
    case EqBand::kBandPass:
        setCoefficients(k, 1.0 + al, -2.0 * c, 1.0 - al, al, 0.0, -al);
        return true;
    case EqBand::kNotch:
        setCoefficients(k, 1.0 + al, -2.0 * c, 1.0 - al, 1.0, -2.0 * c, 1.0);
        return true;
    case EqBand::kPeak:
        setCoefficients(k, 1.0 + al / A, -2.0 * c, 1.0 - al / A, 1.0 + al * A, -2.0 * c,
                        1.0 - al * A);
        return true;
    case EqBand::kLowShelf:
        setCoefficients(
            k, (A + 1.0) + (A - 1.0) * c + sqrtA2, -2.0 * ((A - 1.0) + (A + 1.0) * c),
            (A + 1.0) + (A - 1.0) * c - sqrtA2, A * ((A + 1.0) - (A - 1.0) * c + sqrtA2),
            2.0 * A * ((A - 1.0) - (A + 1.0) * c), A * ((A + 1.0) - (A - 1.0) * c - sqrtA2));
        return true;
    case EqBand::kHighShelf:
        setCoefficients(
            k, (A + 1.0) - (A - 1.0) * c + sqrtA2, 2.0 * ((A - 1.0) - (A + 1.0) * c),
            (A + 1.0) - (A - 1.0) * c - sqrtA2, A * ((A + 1.0) + (A - 1.0) * c + sqrtA2),
            -2.0 * A * ((A - 1.0) + (A + 1.0) * c), A * ((A + 1.0) + (A - 1.0) * c - sqrtA2));
        return true;
    default:
        return false;
    }
}

void normaliseBiquad(BiquadCoefficients& k) {
    if (k.a0 == 0.0) return;
    k.b0 /= k.a0;
    k.b1 /= k.a0;
    k.b2 /= k.a0;
    k.a1 /= k.a0;
    k.a2 /= k.a0;
    k.a0 = 1.0;
}
