// One stored scene of up to 64 member sources.
#pragma once

#include <cstdint>

struct SliceRecord {
    static constexpr int kMembers = 64;
    static constexpr int32_t kEncodedSize = 1284;

    int32_t sources[kMembers] = {-1}; // member source indexes
    int32_t count = 0;
    float levels[kMembers] = {};
    float x[kMembers] = {};
    float y[kMembers] = {};
    float sizes[kMembers] = {};
};
