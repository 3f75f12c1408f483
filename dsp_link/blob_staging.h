// Staging tables of the cable and gain-matrix blobs, kept between sends.
#pragma once

#include <cstdint>

// One 16-byte entry of the cables blob.
struct CableBlobEntry {
    float level = 0.0f;
    float phase = 1.0f;
    uint8_t source = 255;
    uint8_t target = 255;
    uint8_t mute = 0;
    uint8_t solo = 0;
    uint8_t useGroup = 0;
    uint8_t fill[3] = {'*', '*', '*'};
};

// One 8-byte entry of the gain-matrix blob.
struct GainMatrixEntry {
    uint8_t bytes[4] = {255, 255, 255, 255};
    float gain = 0.0f;
};

struct GainMatrixStaging {
    int32_t entryCount = 0;
    GainMatrixEntry entries[4096];
};
