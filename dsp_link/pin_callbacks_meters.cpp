// Callbacks of the meter pins: channel meters (61), activity (62, 63) and item meters (66, 67),
// and the spectrum tables the display panels draw.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "qxplatform/runtime.h"

namespace {

constexpr uint32_t kMeterMagic = 0x50748;
constexpr uint32_t kActivityMagic = 0x50750;

} // namespace

void QX_GUI::onMeterPin() {
    dspLink.lastMeterTime = qxplatform::processClock();
    BlobReader blob(pinMeters.getData(), pinMeters.getSize());
    if (blob.empty() || blob.u32(0) != kMeterMagic) return;
    DspLinkState& d = dspLink;
    if (blob.u32(4) == 0 && blob.u32(8) >= 1) {
        // Each word holds four channels, one dB byte each (level = byte x -0.25).
        uint32_t words = blob.u32(8);
        int64_t available = (blob.size() - 12) / 4;
        int64_t n = std::min<int64_t>({words, available, DspLinkState::kMeterChannels / 4});
        for (int64_t w = 0; w < n; ++w) {
            uint32_t word = blob.u32(12 + 4 * w);
            for (int b = 0; b < 4; ++b) {
                float level = static_cast<float>((word >> (8 * b)) & 0xFF) * -0.25f;
                float& shown = d.meterLevels[w * 4 + b];
                shown = std::max(shown - 2.0f, level);
            }
        }
        d.meterChannelCount = static_cast<int32_t>(n * 4);
    }
    // Display curves: the channel values smoothed in two passes.
    const int channels = DspLinkState::kMeterChannels;
    const int step = MeterDisplayTables::kCurvePoints / channels;
    for (int p = 0; p < MeterDisplayTables::kCurvePoints; ++p) {
        int c = std::min(p / step, channels - 1);
        d.display->meterCurves[0][p] = d.meterLevels[c];
    }
    for (int p = 1; p + 1 < MeterDisplayTables::kCurvePoints; ++p) {
        d.display->meterCurves[1][p] = d.display->meterCurves[0][p - 1] * (1.0f / 9.0f) +
                                       d.display->meterCurves[0][p] * (2.0f / 9.0f) * 3.0f +
                                       d.display->meterCurves[0][p + 1] * (2.0f / 9.0f);
        d.display->meterCurves[1][p] =
            d.display->meterCurves[1][p] * (2.0f / 3.0f) +
            d.display->meterCurves[0][p] * (1.0f / 3.0f) * (4.0f / 9.0f) * 2.25f;
    }
    std::copy(d.display->meterHistory + 1,
              d.display->meterHistory + MeterDisplayTables::kHistoryPoints,
              d.display->meterHistory);
    d.display->meterHistory[MeterDisplayTables::kHistoryPoints - 1] = d.meterLevels[0];
    sendStateAndRedraw();
    for (int k = 0; k < MeterDisplayTables::kScopePoints; ++k) {
        int64_t at = 4 * (int64_t{blob_layout::kMeterScopeWord} + k);
        if (!blob.holds(at, 4)) break;
        d.display->scopeTable[k][0] = static_cast<float>(k);
        d.display->scopeTable[k][1] = blob.f32(at);
    }
    takeSpectrum(blob);
}

// The newest spectrum becomes curve 0 and the older ones move back one place, the oldest
// dropping out; the x of every point stays as the tables were built.
void QX_GUI::takeSpectrum(const BlobReader& blob) {
    using namespace blob_layout;
    const int64_t at = 4 * int64_t{kMeterSpectrumWord};
    if (!blob.holds(at, kMeterSpectrumBytes)) return;
    MeterDisplayTables& t = *dspLink.display;
    for (int c = MeterDisplayTables::kSpectrumCurves - 1; c > 0; --c)
        for (int p = 0; p < MeterDisplayTables::kSpectrumPoints; ++p)
            t.spectrumCurves[c][p][1] = t.spectrumCurves[c - 1][p][1];
    const int points = std::min(kMeterSpectrumBytes / 4, MeterDisplayTables::kSpectrumPoints);
    for (int p = 0; p < points; ++p) t.spectrumCurves[0][p][1] = blob.f32(at + 4 * int64_t{p});
    t.spectrumLength = kMeterSpectrumBytes;
}

void QX_GUI::takeActivity(MpGuiPin<MpBlob>& pin, int32_t kind) {
    BlobReader blob(pin.getData(), pin.getSize());
    if (blob.empty() || blob.u32(0) != kActivityMagic) return;
    if (kind == kKindTarget) dspLink.activityPhase = (dspLink.activityPhase + 1) % 8;
    if (dspLink.activityBlobCount <= 10) {
        ++dspLink.activityBlobCount;
        if (dspLink.activityBlobCount <= 10) return; // the first ten blobs are ignored
    }
    uint32_t channels = blob.u32(4);
    for (int i = 0; i < kChannels; ++i) {
        int32_t c = kind == kKindSource ? sources[i].virtualChannel : targets[i].virtualChannel;
        uint8_t activity = 1;
        float meter = 0.0f;
        bool inBlob = c >= 0 && static_cast<uint32_t>(c) < channels && blob.holds(268 + c, 1);
        if (inBlob) {
            activity = blob.u8(268 + c);
            meter = blob.f32(4 * (2 + int64_t{c}));
        }
        if (kind == kKindSource) {
            sources[i].meter[0] = 0.0f;
            dspLink.sourceActivity[i] = activity;
        } else {
            targets[i].activity = activity;
            if (inBlob) {
                targets[i].meter[0] = meter;
                targets[i].meter[1] = blob.f32(4 * (2 + int64_t{i}));
            }
        }
        if (inBlob && meter >= 1.0f) {
            if (kind == kKindSource) {
                sources[i].clip = 1;
                anySourceClipping = 1;
            } else {
                targets[i].clip = 1;
                anyTargetClipping = 1;
            }
        }
    }
}

void QX_GUI::onSourceActivityPin() {
    takeActivity(pinSourceActivity, 1);
}

void QX_GUI::onTargetActivityPin() {
    takeActivity(pinTargetActivity, 2);
}

// Meter block of an item: [0] reading, [1] peak (decaying), [4] shown level, [5] hold; the
// other words are kept as received.
void QX_GUI::takeItemMeters(MpGuiPin<MpBlob>& pin, int32_t kind) {
    BlobReader blob(pin.getData(), pin.getSize());
    if (blob.size() < 32) return;
    int32_t n = std::min(blob.size() / 32, static_cast<int32_t>(kChannels));
    const float decay = kind == kKindSource ? 0.95f : 0.9f;
    for (int i = 0; i < n; ++i) {
        float* meter = kind == kKindSource ? sources[i].meter : targets[i].meter;
        float level = kind == kKindSource ? sources[i].level : targets[i].level;
        float peak = meter[1];
        float hold = meter[5];
        for (int k = 0; k < 8; ++k) meter[k] = blob.f32(32 * int64_t{i} + 4 * k);
        float reading = meter[0];
        meter[1] = std::max(peak * decay, reading);
        meter[4] = std::min(std::max(reading * level, hold), 1.0f);
    }
}

void QX_GUI::onSourceMetersPin() {
    takeItemMeters(pinSourceMeters, 1);
}

void QX_GUI::onTargetMetersPin() {
    takeItemMeters(pinTargetMeters, 2);
}

void QX_GUI::initSpectrumTables() {
    DspLinkState& d = dspLink;
    d.display->spectrumLength = 300;
    for (auto& curve : d.display->spectrumCurves) {
        curve[0][0] = 0.0f;
        curve[0][1] = -120.0f;
        for (int j = 0; j < MeterDisplayTables::kSpectrumPoints - 1; ++j) {
            int32_t f = (88200 + 44100 * j) / 4096;
            float x = 300.0f * (0.9f + std::log(f * 0.0001f) / (10.0f * std::log(2.0f)));
            curve[j + 1][0] = x;
            curve[j + 1][1] = -200.0f;
        }
    }
}
