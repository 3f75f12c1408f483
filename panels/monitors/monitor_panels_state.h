// State the SCOPE, FFT and ENVELOPES drawing keeps.
#pragma once

#include <cstdint>

struct MonitorPanelsState {
    int32_t envelopeRowCount = 0; // the ENVELOPES rows of the last frame
};
