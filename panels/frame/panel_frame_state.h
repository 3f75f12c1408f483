// State of the panel frame: the ten floating panels and their order front to back.
#pragma once

#include <cstdint>

#include "panels/frame/panel_window.h"

struct PanelFrameState {
    static constexpr int32_t kOrderCapacity = 128;
    int32_t panelCount = 0;
    PanelWindow panels[10];
    // The panels front to back (entry 0 drawn last, tested first); empty until graphics start.
    int32_t panelOrder[kOrderCapacity] = {};
    int32_t panelOrderCount = 0;
};
