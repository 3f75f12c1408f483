// One stored scene of up to 64 member sources.
#pragma once

#include <cstdint>

struct SliceRecord {
    static constexpr int kMembers = 64;

    int32_t sourceIndex[kMembers] = {}; // index of each member in the source table; -1 none
    int32_t memberCount = 0;
    float level[kMembers] = {}; // linear level
    float x[kMembers] = {};
    float y[kMembers] = {};
    float size[kMembers] = {}; // spread
};
