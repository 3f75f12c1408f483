// State of the link with the DSP side beyond the pins themselves: the received meters and activity,
// the reverse virtual-channel tables, and the values of the small input pins.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The display curves the meters feed and the spectrum tables, drawn by the SCOPE, FFT and
// ENVELOPES panels; held apart from the object to keep it small.
struct MeterDisplayTables {
    static constexpr int kCurvePoints = 10000;
    static constexpr int kHistoryPoints = 4096;
    static constexpr int kScopePoints = 512;
    static constexpr int kSpectrumCurves = 4;
    static constexpr int kSpectrumPoints = 2048;

    float meterCurves[2][kCurvePoints] = {};
    float meterHistory[kHistoryPoints] = {};
    float scopeTable[kScopePoints][2] = {};
    int32_t spectrumLength = 0;
    float spectrumCurves[kSpectrumCurves][kSpectrumPoints][2] = {};
};

struct DspLinkState {
    static constexpr int kMeterChannels = 1249; // channels the 10,000-point curves can show

    // Meters (pin 61).
    int32_t lastMeterTime = 0;
    int32_t meterChannelCount = 0;
    float meterLevels[kMeterChannels] = {}; // shown level per channel in dB
    std::unique_ptr<MeterDisplayTables> display = std::make_unique<MeterDisplayTables>();

    // Activity (pins 62 and 63).
    int32_t activityBlobCount = 0;
    int32_t activityPhase = 0; // 0 .. 7, advanced by each target activity blob
    uint8_t sourceActivity[64] = {};

    // Channel -> item, rebuilt before the virtual-channel tables are sent.
    int32_t reverseSourceVirtuals[64] = {};
    int32_t reverseTargetVirtuals[64] = {};

    // Pin 38: the text as received and its switch table.
    std::string pin38Text;
    int32_t pin38Switches[100] = {};

    // Pins 58 and 59, truncated toward zero.
    int32_t float58Value = 0;
    int32_t float59Value = 0;
};
