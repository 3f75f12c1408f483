// The DSP side's test signals: a sine per source, each centred on a bin of the analysis
// transform with a slow vibrato, and the waveform and spectrum of a mix of them.
#pragma once

#include <cstdint>
#include <vector>

#include <fftw3.h>

namespace qxhost {
namespace test_signals {

constexpr int32_t kSources = 64;
constexpr int32_t kSampleRate = 44100;
constexpr int32_t kBlockLength = 4096;    // samples analysed per spectrum
constexpr int32_t kSpectrumPoints = 1948; // levels of bins 1 to 1948 (up to 21 kHz)
constexpr float kFloorDb = -50.0f; // silence, and the lowest level: the FFT panel's bottom edge

// Source s plays on bin round(16 x 2^(s / 10)) (172 Hz for source 0, an octave higher every
// ten sources), or three bins above the source before it where that is higher.
int32_t sourceBin(int32_t source);
double binFrequency(int32_t bin);

struct Voice {
    int32_t bin;
    float amplitude;
};

// Each voice sweeps half a bin either side of its own bin once every two seconds (zero
// deviation at whole seconds), as a played note's vibrato: its level holds steady while the
// spectrum's slopes, and so the FFT panel's trace, keep moving.
constexpr double kVibratoHz = 0.5;
constexpr double kVibratoDepthBins = 0.5;

// The vibrato's phase offset in radians at sample n.
double vibratoPhase(int64_t n);

// The kBlockLength samples before sample `end` of the sum of the voices.
std::vector<float> mixBlock(const std::vector<Voice>& voices, int64_t end);

// The sample number of a clock time, at the sample rate.
int64_t sampleAt(int32_t milliseconds);

} // namespace test_signals

// Spectra through FFTW: the levels in dB of bins 1 to kSpectrumPoints of a Hann-windowed
// block, scaled so that a sine of amplitude A on a bin reads 20 log10 A there.
class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    std::vector<float> levels(const std::vector<float>& block);

private:
    double* input_;
    fftw_complex* output_;
    fftw_plan plan_;
    std::vector<double> window_;
    double windowSum_ = 0.0;
};

} // namespace qxhost
