#include "qxhost/test_signals.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qxhost {
namespace test_signals {
namespace {

// One period of the sine over the block length: bin b at sample n is entry (b x n) mod length.
const std::array<double, kBlockLength>& sineTable() {
    static const std::array<double, kBlockLength> table = [] {
        std::array<double, kBlockLength> t{};
        for (int32_t i = 0; i < kBlockLength; ++i) t[i] = std::sin(2.0 * M_PI * i / kBlockLength);
        return t;
    }();
    return table;
}

} // namespace

int32_t sourceBin(int32_t source) {
    // Three bins apart at least, so that no source reaches into another's bins through the
    // window (a windowed sine on a bin fills that bin and its two neighbours only).
    static const std::array<int32_t, kSources> bins = [] {
        std::array<int32_t, kSources> b{};
        for (int32_t s = 0; s < kSources; ++s) {
            const auto octaves = static_cast<int32_t>(std::lround(16.0 * std::exp2(s / 10.0)));
            b[s] = s == 0 ? octaves : std::max(octaves, b[s - 1] + 3);
        }
        return b;
    }();
    return bins[std::clamp(source, 0, kSources - 1)];
}

double binFrequency(int32_t bin) {
    return static_cast<double>(bin) * kSampleRate / kBlockLength;
}

double vibratoPhase(int64_t n) {
    // Deviation kVibratoDepthBins x sin(2 pi v t) integrates to (depth / v)(1 - cos(2 pi v t)) in
    // radians; the cosine's argument is taken from n modulo one vibrato period, so it stays exact
    // however long the host runs.
    constexpr int64_t period = static_cast<int64_t>(kSampleRate / kVibratoHz);
    const double depthHz = kVibratoDepthBins * kSampleRate / kBlockLength;
    const int64_t inPeriod = (n % period + period) % period;
    return depthHz / kVibratoHz * (1.0 - std::cos(2.0 * M_PI * inPeriod / period));
}

std::vector<float> mixBlock(const std::vector<Voice>& voices, int64_t end) {
    const std::array<double, kBlockLength>& sine = sineTable();
    std::vector<double> sum(kBlockLength, 0.0);
    const int64_t start = end - kBlockLength;
    std::vector<double> vibrato(kBlockLength);
    for (int32_t i = 0; i < kBlockLength; ++i) vibrato[i] = vibratoPhase(start + i);
    for (const Voice& v : voices) {
        if (v.amplitude == 0.0f) continue;
        for (int32_t i = 0; i < kBlockLength; ++i) {
            const int64_t n = start + i;
            const int64_t at = ((v.bin * n) % kBlockLength + kBlockLength) % kBlockLength;
            // sin(a + b) from the exact table angle a and the vibrato's b.
            const double a = sine[at], ca = sine[(at + kBlockLength / 4) % kBlockLength];
            sum[i] += v.amplitude * (a * std::cos(vibrato[i]) + ca * std::sin(vibrato[i]));
        }
    }
    return std::vector<float>(sum.begin(), sum.end());
}

int64_t sampleAt(int32_t milliseconds) {
    return int64_t{milliseconds} * kSampleRate / 1000;
}

} // namespace test_signals

using namespace test_signals;

SpectrumAnalyser::SpectrumAnalyser()
    : input_(fftw_alloc_real(kBlockLength)), output_(fftw_alloc_complex(kBlockLength / 2 + 1)),
      plan_(fftw_plan_dft_r2c_1d(kBlockLength, input_, output_, FFTW_ESTIMATE)),
      window_(kBlockLength) {
    for (int32_t i = 0; i < kBlockLength; ++i) {
        window_[i] = 0.5 - 0.5 * std::cos(2.0 * M_PI * i / kBlockLength);
        windowSum_ += window_[i];
    }
}

SpectrumAnalyser::~SpectrumAnalyser() {
    fftw_destroy_plan(plan_);
    fftw_free(output_);
    fftw_free(input_);
}

std::vector<float> SpectrumAnalyser::levels(const std::vector<float>& block) {
    const int32_t n = std::min<int32_t>(static_cast<int32_t>(block.size()), kBlockLength);
    std::fill(input_, input_ + kBlockLength, 0.0);
    for (int32_t i = 0; i < n; ++i) input_[i] = block[i] * window_[i];
    fftw_execute(plan_);
    std::vector<float> out(kSpectrumPoints, kFloorDb);
    for (int32_t p = 0; p < kSpectrumPoints; ++p) {
        const fftw_complex& bin = output_[p + 1];
        const double amplitude = 2.0 * std::hypot(bin[0], bin[1]) / windowSum_;
        if (amplitude > 0.0)
            out[p] = static_cast<float>(std::max<double>(kFloorDb, 20.0 * std::log10(amplitude)));
    }
    return out;
}

} // namespace qxhost
