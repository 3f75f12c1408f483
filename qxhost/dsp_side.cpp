#include "qxhost/dsp_side.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qxhost {
namespace {

constexpr uint32_t kMeterMagic = 0x50748;
constexpr uint32_t kActivityMagic = 0x50750;

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int b = 0; b < 4; ++b) out[at + b] = static_cast<uint8_t>(value >> (8 * b));
}

void putI32(std::vector<uint8_t>& out, size_t at, int32_t value) {
    putU32(out, at, static_cast<uint32_t>(value));
}

void putF32(std::vector<uint8_t>& out, size_t at, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putU32(out, at, bits);
}

uint32_t getU32(const std::vector<uint8_t>& in, size_t at) {
    uint32_t value = 0;
    for (int b = 0; b < 4; ++b) value |= static_cast<uint32_t>(in[at + b]) << (8 * b);
    return value;
}

float getF32(const std::vector<uint8_t>& in, size_t at) {
    uint32_t bits = getU32(in, at);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

// Level in dB as the meter byte carries it: 0 to -63.75 dB in quarter decibels.
uint8_t meterByte(float level) {
    if (!(level > 0.0f)) return 255;
    float db = 20.0f * std::log10(level);
    float quarters = -db * 4.0f;
    if (quarters <= 0.0f) return 0;
    if (quarters >= 255.0f) return 255;
    return static_cast<uint8_t>(quarters + 0.5f);
}

// A level in whole decibels as the status block reports it; silence reads -99.
int32_t wholeDb(float level) {
    if (!(level > 0.0f)) return -99;
    const float db = std::min(20.0f * std::log10(level), 999.0f); // an infinite sum reads 999
    return std::max(-99, static_cast<int32_t>(std::lround(db)));
}

} // namespace

void DspSide::instanceCreated(int32_t instance) {
    instanceCount_ = std::max(instanceCount_, instance + 1);
    std::vector<uint8_t> id(4, 0);
    putU32(id, 0, static_cast<uint32_t>(instance));
    queue(instance, 1, id);
}

void DspSide::pinFromModule(int32_t instance, int32_t pinId, const std::vector<uint8_t>& value) {
    latest_[{instance, pinId}] = value;
    if (pinId == 2 && instance == 0) {
        // Instance 0 holds its block already (and has since woken itself in its own copy).
        for (int32_t i = 1; i < instanceCount_; ++i) queue(i, 2, value);
    } else if (pinId == 4) {
        for (int32_t i = 0; i < instanceCount_; ++i) queue(i, 3, value);
    }
}

void DspSide::queue(int32_t instance, int32_t pinId, std::vector<uint8_t> value) {
    pending_.push_back({instance, pinId, std::move(value)});
}

void DspSide::deliverPending() {
    if (delivering_) return; // a delivery in progress takes the new values in turn
    delivering_ = true;
    while (!pending_.empty()) {
        Pending next = std::move(pending_.front());
        pending_.pop_front();
        deliver_(next.instance, next.pinId, next.value);
    }
    delivering_ = false;
}

void DspSide::feedMeters(int32_t nowMs) {
    if (fedOnce_ && nowMs - lastFeedMs_ < kMeterIntervalMs) return;
    feedMetersNow(nowMs);
}

void DspSide::feedMetersNow(int32_t nowMs) {
    fedOnce_ = true;
    lastFeedMs_ = nowMs;
    // The meters go first: their callback sends the state the instance has changed, from
    // which the other blobs are built.
    for (int32_t i = 0; i < instanceCount_; ++i) queue(i, 61, meterBlob(i, nowMs));
    deliverPending();
    for (int32_t i = 0; i < instanceCount_; ++i) {
        queue(i, 62, activityBlob(i, false));
        queue(i, 63, activityBlob(i, true));
        queue(i, 66, itemMetersBlob(i, false));
        queue(i, 67, itemMetersBlob(i, true));
        queue(i, 26, statusBlob(i));
    }
    deliverPending();
}

const std::vector<uint8_t>* DspSide::latest(int32_t instance, int32_t pinId) const {
    auto it = latest_.find({instance, pinId});
    return it == latest_.end() ? nullptr : &it->second;
}

int32_t DspSide::sourceCount(int32_t instance) const {
    const std::vector<uint8_t>* sources = latest(instance, 9);
    return sources ? std::min<int32_t>(static_cast<int32_t>(sources->size() / 64), 64) : 0;
}

int32_t DspSide::targetCount(int32_t instance) const {
    const std::vector<uint8_t>* targets = latest(instance, 8);
    return targets ? std::min<int32_t>(static_cast<int32_t>(targets->size() / 64), 64) : 0;
}

void DspSide::forEachMatrixGain(int32_t instance,
                                const std::function<void(int32_t, int32_t, float)>& visit) const {
    const std::vector<uint8_t>* matrix = latest(instance, 15);
    if (!matrix || matrix->size() < 8) return;
    size_t entries = matrix->size() / 8 - 1;
    for (size_t e = 0; e < entries; ++e) {
        size_t at = 8 * (e + 1);
        uint8_t s = (*matrix)[at];
        uint8_t t = (*matrix)[at + 1];
        float gain = getF32(*matrix, at + 4);
        if (t < 64 && std::isfinite(gain)) visit(s, t, gain);
    }
}

std::vector<float> DspSide::targetLevels(int32_t instance) const {
    std::vector<float> levels(64, 0.0f);
    forEachMatrixGain(instance,
                      [&](int32_t s, int32_t t, float gain) { levels[t] += gain * testLevel(s); });
    return levels;
}

int32_t DspSide::virtualChannel(int32_t instance, bool targets, int32_t item) const {
    const std::vector<uint8_t>* table = latest(instance, targets ? 25 : 24);
    if (!table || table->size() < static_cast<size_t>(4 * (item + 1))) return item;
    int32_t c = static_cast<int32_t>(getU32(*table, 4 * item));
    return c >= 0 && c < 64 ? c : item;
}

std::vector<uint8_t> DspSide::meterBlob(int32_t instance, int32_t nowMs) const {
    // One word of four channel bytes per four targets.
    std::vector<float> levels = targetLevels(instance);
    const int32_t words = (targetCount(instance) + 3) / 4;
    std::vector<uint8_t> out(meter_blob::kSize, 0);
    putU32(out, 0, kMeterMagic);
    putU32(out, 4, 0);
    putU32(out, 8, static_cast<uint32_t>(words));
    for (int32_t t = 0; t < 4 * words; ++t)
        out[12 + t] = t < targetCount(instance) ? meterByte(levels[t]) : 255;
    putMonitoredSignal(out, instance, nowMs);
    return out;
}

float DspSide::sourceFader(int32_t instance, int32_t source) const {
    const std::vector<uint8_t>* sources = latest(instance, 9);
    const size_t at = 64 * static_cast<size_t>(source);
    if (!sources || sources->size() < at + 64) return 0.0f;
    if ((*sources)[at + 24] != 0) return 0.0f; // muted
    const float level = getF32(*sources, at + 12);
    return std::isfinite(level) ? level : 0.0f;
}

std::vector<test_signals::Voice> DspSide::monitoredVoices(int32_t instance) const {
    const std::vector<uint8_t>* pin60 = latest(instance, 60);
    const int32_t channel =
        pin60 && pin60->size() >= 4 ? static_cast<int32_t>(getU32(*pin60, 0)) : 0;
    std::vector<float> amplitudes(64, 0.0f);
    if (channel >= 0 && channel < 64) {
        for (int32_t s = 0; s < sourceCount(instance); ++s)
            if (virtualChannel(instance, false, s) == channel)
                amplitudes[s] += testLevel(s) * sourceFader(instance, s);
    } else if (channel >= 64 && channel < 128) {
        std::vector<bool> onChannel(64, false);
        for (int32_t t = 0; t < targetCount(instance); ++t)
            onChannel[t] = virtualChannel(instance, true, t) == channel - 64;
        forEachMatrixGain(instance, [&](int32_t s, int32_t t, float gain) {
            if (s < 64 && onChannel[t]) amplitudes[s] += gain * testLevel(s);
        });
    }
    std::vector<test_signals::Voice> voices;
    for (int32_t s = 0; s < 64; ++s)
        if (amplitudes[s] != 0.0f) voices.push_back({test_signals::sourceBin(s), amplitudes[s]});
    return voices;
}

void DspSide::putMonitoredSignal(std::vector<uint8_t>& out, int32_t instance, int32_t nowMs) const {
    using namespace meter_blob;
    const std::vector<float> block =
        test_signals::mixBlock(monitoredVoices(instance), test_signals::sampleAt(nowMs));
    const size_t firstScopeSample = block.size() - kScopePoints;
    for (size_t k = 0; k < kScopePoints; ++k)
        putF32(out, 4 * (kScopeWord + k), block[firstScopeSample + k]);
    const std::vector<float> spectrum = analyser_.levels(block);
    for (size_t p = 0; p < kSpectrumPoints; ++p) putF32(out, 4 * (kSpectrumWord + p), spectrum[p]);
}

std::vector<uint8_t> DspSide::activityBlob(int32_t instance, bool targets) const {
    std::vector<uint8_t> out(332, 0);
    putU32(out, 0, kActivityMagic);
    putU32(out, 4, 64);
    std::vector<float> levels = targetLevels(instance);
    int32_t count = targets ? targetCount(instance) : sourceCount(instance);
    for (int32_t i = 0; i < count; ++i) {
        int32_t c = virtualChannel(instance, targets, i);
        float level = targets ? levels[i] : testLevel(i);
        putF32(out, 4 * (2 + static_cast<size_t>(c)), std::min(level, 0.99f));
        out[268 + c] = level > 0.0f ? 1 : 0;
    }
    return out;
}

std::vector<uint8_t> DspSide::itemMetersBlob(int32_t instance, bool targets) const {
    int32_t count = targets ? targetCount(instance) : sourceCount(instance);
    std::vector<uint8_t> out(32 * static_cast<size_t>(count), 0);
    std::vector<float> levels = targetLevels(instance);
    for (int32_t i = 0; i < count; ++i) {
        float level = std::min(targets ? levels[i] : testLevel(i), 1.0f);
        putF32(out, 32 * static_cast<size_t>(i), level);     // reading
        putF32(out, 32 * static_cast<size_t>(i) + 4, level); // peak
    }
    return out;
}

std::vector<uint8_t> DspSide::statusBlob(int32_t instance) const {
    // The block the pipeline diagram reads: per input and per output an active flag and the
    // numbers of each processing stage, arrays of 64 channels at fixed offsets.
    using namespace status_block;
    std::vector<uint8_t> out(kSize, 0);
    std::vector<float> levels = targetLevels(instance);
    std::vector<int32_t> feeds(64, 0), pickups(64, 0);
    forEachMatrixGain(instance, [&](int32_t s, int32_t t, float gain) {
        if (gain == 0.0f) return;
        if (s < 64) ++feeds[s];
        ++pickups[t];
    });
    for (int32_t s = 0; s < sourceCount(instance); ++s) {
        const int32_t db = wholeDb(testLevel(s));
        out[kInputActive + s] = feeds[s] > 0 ? 1 : 0;
        for (size_t stage : {kInputPreDelay, kInputPreFilter, kInputPreDynamics, kInputPreMix})
            putI32(out, stage + 4 * s, db);
        putI32(out, kInputChainLocation + 4 * s, virtualChannel(instance, false, s));
    }
    for (int32_t t = 0; t < targetCount(instance); ++t) {
        const int32_t db = wholeDb(levels[t]);
        out[kOutputActive + t] = levels[t] > 0.0f ? 1 : 0;
        for (size_t stage :
             {kOutputPreDelay, kOutputPreFilter, kOutputPreDynamics, kOutputPostDynamics})
            putI32(out, stage + 4 * t, db);
        putI32(out, kOutputChainLocation + 4 * t, virtualChannel(instance, true, t));
        putI32(out, kOutputPickup + 4 * t, pickups[t]);
    }
    return out;
}

} // namespace qxhost
