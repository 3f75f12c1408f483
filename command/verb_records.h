// Small records of the selection and arrangement verbs.
#pragma once

#include <cstdint>
#include <string>

// The items the ENVELOPES panel shows, as SELECT, TOUCH and VIEW_ENVELOPES leave them.
struct EnvelopeList {
    static constexpr int kCapacity = 64;
    std::string spec; // item names, each followed by " | "
    int32_t total = 0;
    int32_t targetCount = 0;
    int32_t targets[kCapacity] = {};
    int32_t sourceCount = 0;
    int32_t sources[kCapacity] = {};
};

// The bounding box of a list of item positions (measureItemRecords).
struct ItemMetrics {
    float minY = 0.0f;
    float maxY = 0.0f;
    float minX = 0.0f;
    float maxX = 0.0f;
    float centreX = 0.0f;
    float centreY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};
