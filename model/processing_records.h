// Per-channel processing records (delays, equalisers, dynamics) as they travel to the DSP side,
// and the stored band banks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One channel's delay. Blob layout: the fields in this order, 8 bytes.
struct DelayRecord {
    uint8_t channel = 255; // 255: not assigned
    uint8_t changed = 0;   // set by the DELAY verb when it sets the switch or the time
    uint8_t on = 0;        // the delay switch
    uint8_t reserved = 0;
    float time = 0.0f; // the delay time given with TIME
};
static_assert(sizeof(DelayRecord) == 8, "a delay record is 8 bytes in its blob");

// One stored equaliser band: 20 bytes of fields, 4 bytes of alignment, six f64 coefficients.
struct FilterBandRecord {
    int32_t enabled = 0;
    int32_t type = 4;          // EqBand type numbers; 4 = PEAK
    float frequency = 1000.0f; // Hz
    float gain = 0.0f;         // dB
    float width = 2.0f;        // octaves
    int32_t alignment = 0;
    double coefficients[6] = {}; // b0, b1, b2, a0, a1, a2 as the band design leaves them
};
static_assert(sizeof(FilterBandRecord) == 72, "a stored band is 72 bytes in its blob");
static_assert(offsetof(FilterBandRecord, coefficients) == 24, "coefficients at offset 24");

// One channel's equaliser: four header bytes, a spare word, five bands (368 bytes).
struct FilterRecord {
    uint8_t channel = 255;
    uint8_t activeBandCount = 0;
    uint8_t inUse = 0;   // cleared by the resets
    uint8_t enabled = 0; // the equaliser switch; cleared by the resets
    int32_t reserved = 0;
    FilterBandRecord bands[5];
};
static_assert(sizeof(FilterRecord) == 368, "an equaliser record is 368 bytes in its blob");
static_assert(offsetof(FilterRecord, bands) == 8, "bands follow the header word");

// One channel's dynamics (860 bytes).
struct DynamicsRecord {
    uint8_t channel = 255;
    uint8_t type = 255;   // processor type of the dynamics verbs
    uint8_t mode = 0;     // cleared by the resets; the dynamics verbs keep the on/off switch here
    uint8_t active = 0;   // cleared by the resets; set once the record is set up for its item
    float attack = 0.0f;  // ms
    float release = 0.0f; // ms
    float thresholdX = 0.0f; // x of the middle control point, written on store
    float ratio = 1.0f;
    float ratioParameter = 0.0f;
    float knee = 0.1f;
    float points[10] = {}; // five control points (x, y) in the unit square
    float attackCoefficient = 0.0f;
    float releaseCoefficient = 0.0f;
    int32_t reserved = 0;
    float curve[192] = {};         // transfer table in 1 dB steps of falling input level
    int32_t channelIndex = 0;      // the channel (item index) keying the processor
    int32_t direction = 0;         // 1 input (source), 2 output (target)
    int32_t sideChainLocation = 0; // 0 pre-delay, 1 pre-filter, 2 post-filter, 3 post-dynamics
};
static_assert(sizeof(DynamicsRecord) == 860, "a dynamics record is 860 bytes in its blob");
static_assert(offsetof(DynamicsRecord, curve) == 80, "the curve follows 19 words");
