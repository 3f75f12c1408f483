// The MATRIX page's own state: the cable whose level is being edited and the four halves of an
// unfinished virtual-channel reassignment (-1 none).
#pragma once

#include <cstdint>

struct MatrixPageState {
    int32_t selectedCable = -1;
    int32_t inputChannelPick = -1;
    int32_t sourceRowPick = -1;
    int32_t targetRowPick = -1;
    int32_t outputChannelPick = -1;

    void clearPicks() { inputChannelPick = sourceRowPick = targetRowPick = outputChannelPick = -1; }
};
