// The stand-in DSP side: what the DSP module does for the interface instances, reached only
// through their pins. It gives each instance its local id, carries instance 0's configuration
// block to the other instances and every outgoing script to all instances, keeps the latest state
// blobs, and feeds meters, the monitored channel's waveform and spectrum and the processing status
// from a small model of its own: a test sine per source, each target the sum of the sources
// through the gain matrix it received.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "qxhost/test_signals.h"

namespace qxhost {

// The meter blob (pin 61), in 32-bit words: magic, 0, the count n of meter words, n meter words
// (four channel bytes each, at most kMaxMeterWords), then at fixed places the monitored channel's
// last kScopePoints samples (f32) and its spectrum (kSpectrumPoints f32 levels in dB).
namespace meter_blob {
constexpr size_t kMaxMeterWords = 504;
constexpr size_t kScopeWord = 507;
constexpr size_t kScopePoints = 512;
constexpr size_t kSpectrumWord = kScopeWord + kScopePoints; // 1019
constexpr size_t kSpectrumPoints = test_signals::kSpectrumPoints;
constexpr size_t kSize = 4 * (kSpectrumWord + kSpectrumPoints); // 11,868 bytes
} // namespace meter_blob

// Byte offsets of the status block (pin 26): per-channel flags (u8[64]) and stage numbers
// (i32[64]) of the inputs and the outputs.
namespace status_block {
constexpr size_t kSize = 4100;
constexpr size_t kInputActive = 64;
constexpr size_t kInputPreDelay = 128;
constexpr size_t kInputPreFilter = 384;
constexpr size_t kInputPreDynamics = 640;
constexpr size_t kInputPreMix = 896;
constexpr size_t kInputSidechain = 1152;
constexpr size_t kInputChainLocation = 1408;
constexpr size_t kOutputPreDelay = 1664;
constexpr size_t kOutputPreFilter = 1920;
constexpr size_t kOutputPreDynamics = 2176;
constexpr size_t kOutputSidechain = 2688;
constexpr size_t kOutputChainLocation = 2944;
constexpr size_t kOutputChainClass = 3200;
constexpr size_t kOutputPostDynamics = 3456;
constexpr size_t kOutputPickup = 3712;
constexpr size_t kOutputActive = 3968;
} // namespace status_block

class DspSide {
public:
    // Hands a value to pin `pinId` of instance `instance` (store, setPin, notifyPin).
    using Deliver =
        std::function<void(int32_t instance, int32_t pinId, const std::vector<uint8_t>& value)>;

    static constexpr int32_t kMeterIntervalMs = 50; // meters at 20 updates a second

    explicit DspSide(Deliver deliver) : deliver_(std::move(deliver)) {}

    // A new instance: its local id (its number in creation order) waits on pin 1.
    void instanceCreated(int32_t instance);
    // A value an instance sent out. Values to hand back are queued, not delivered at once,
    // because the instance is still inside its own call.
    void pinFromModule(int32_t instance, int32_t pinId, const std::vector<uint8_t>& value);
    // Delivers the queued values, and those they cause in turn, in order.
    void deliverPending();
    // Feeds meters and the status block when `nowMs` is at least one interval past the last
    // feed (the first call always feeds).
    void feedMeters(int32_t nowMs);
    // Feeds them now and starts a new interval. The meter callback sends the instance's raised
    // state, so a feed right after values handed to an instance outside its window messages
    // (scripts) brings the state they changed before the next message drops it.
    void feedMetersNow(int32_t nowMs);

    // The latest value of an instance's pin (null when none arrived).
    const std::vector<uint8_t>* latest(int32_t instance, int32_t pinId) const;
    // A value of a restored session: the DSP side plays from it as from one the module sent.
    void takeRestored(int32_t instance, int32_t pinId, const std::vector<uint8_t>& value) {
        latest_[{instance, pinId}] = value;
    }

    // The model's blobs for one instance, built from its latest state blobs. The meters carry
    // the waveform and spectrum at clock time `nowMs` of the channel that pin 60 names.
    std::vector<uint8_t> meterBlob(int32_t instance, int32_t nowMs) const;     // pin 61
    std::vector<uint8_t> activityBlob(int32_t instance, bool targets) const;   // pins 62, 63
    std::vector<uint8_t> itemMetersBlob(int32_t instance, bool targets) const; // pins 66, 67
    // Pin 26: an input is active while the gain matrix feeds it to a target, an output while
    // its level is above zero; the stage numbers are levels in whole dB, the chain location
    // the channel's virtual channel, the pickup the number of inputs feeding an output; the
    // side-chain and chain-class numbers stay 0.
    std::vector<uint8_t> statusBlob(int32_t instance) const;

    // Steady test level of source s (linear): the amplitude of its sine.
    static float testLevel(int32_t s) { return 0.25f + 0.05f * static_cast<float>(s % 8); }
    // The sines heard on the channel that pin 60 names: an input channel (below 64) carries the
    // sources on that virtual channel at their level, silent while muted; an output channel
    // (64 + c) carries every source through the gain matrix to the targets on virtual channel c.
    std::vector<test_signals::Voice> monitoredVoices(int32_t instance) const;

private:
    struct Pending {
        int32_t instance;
        int32_t pinId;
        std::vector<uint8_t> value;
    };
    void queue(int32_t instance, int32_t pinId, std::vector<uint8_t> value);
    int32_t sourceCount(int32_t instance) const;
    int32_t targetCount(int32_t instance) const;
    // Calls `visit` (source, target, gain) for every finite entry of the latest gain matrix.
    void forEachMatrixGain(int32_t instance,
                           const std::function<void(int32_t, int32_t, float)>& visit) const;
    // Each target's level: the gain matrix times the test levels of the sources.
    std::vector<float> targetLevels(int32_t instance) const;
    int32_t virtualChannel(int32_t instance, bool targets, int32_t item) const;
    // A source's fader as its latest record gives it: its level, or 0 while muted.
    float sourceFader(int32_t instance, int32_t source) const;
    void putMonitoredSignal(std::vector<uint8_t>& out, int32_t instance, int32_t nowMs) const;

    Deliver deliver_;
    mutable SpectrumAnalyser analyser_; // scratch buffers and plan of the transform
    int32_t instanceCount_ = 0;
    std::map<std::pair<int32_t, int32_t>, std::vector<uint8_t>> latest_;
    std::deque<Pending> pending_;
    bool delivering_ = false;
    bool fedOnce_ = false;
    int32_t lastFeedMs_ = 0;
};

} // namespace qxhost
