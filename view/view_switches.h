// The view, label and lock switches named by their TOGGLE keywords, and the toolbox and master
// box switches. Ints are 0 off, 1 on.
#pragma once

#include <cstdint>

struct ViewSwitches {
    int32_t roomVisibility = 0;
    int32_t targetVisibility = 0;
    int32_t groupVisibility = 0;
    int32_t sourceVisibility = 0;
    int32_t cableVisibility = 0;
    int32_t xHairVisibility = 0;
    int32_t gridVisibility = 0;
    int32_t roomLabels = 0;
    int32_t targetLabels = 0;
    int32_t groupLabels = 0;
    int32_t sourceLabels = 0;
    int32_t annotationVisibility = 0;
    int32_t stageLocks = 0;
    int32_t roomLocks = 0;
    int32_t targetLocks = 0;
    int32_t groupLocks = 0;
    int32_t sourceLocks = 0;
    uint8_t annotationLocks = 0;
    int32_t visualisations = 0;
    int32_t toolbox = 0; // the toolbox box switch (the panel layout carries its inverse)
    int32_t master = 0;  // the master box switch (likewise)
};
