// One mix of up to 64 DSP-side pins with gains, phases and mutes, and a master gain.
#pragma once

#include <cstddef>
#include <cstdint>

// The blob carries this record byte for byte: 912 bytes with the offsets below.
struct MixRecord {
    uint8_t inUse = 0; // 1 once the mix has been set up or edited
    uint8_t padding[3] = {};
    int32_t pinCount = 0;        // slots 0 to pinCount - 1 are in use
    int32_t index = 0;           // the channel this mix belongs to
    int32_t pinNumbers[64] = {}; // per slot, the DSP-side pin, 0-based
    uint8_t routed[64] = {};
    float gains[64] = {};
    float phases[64] = {};
    uint8_t mutes[64] = {};
    float masterLevel = 1.0f;
};
static_assert(sizeof(MixRecord) == 912, "a mix record is 912 bytes in its blob");
static_assert(offsetof(MixRecord, pinCount) == 4, "mix offset");
static_assert(offsetof(MixRecord, index) == 8, "mix offset");
static_assert(offsetof(MixRecord, pinNumbers) == 12, "mix offset");
static_assert(offsetof(MixRecord, routed) == 268, "mix offset");
static_assert(offsetof(MixRecord, gains) == 332, "mix offset");
static_assert(offsetof(MixRecord, phases) == 588, "mix offset");
static_assert(offsetof(MixRecord, mutes) == 844, "mix offset");
static_assert(offsetof(MixRecord, masterLevel) == 908, "mix offset");
