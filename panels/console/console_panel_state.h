// State of the CLI panel's drawing: the console line shown on its bottom row.
#pragma once

#include <cstdint>

struct ConsolePanelState {
    // Moves one line a frame towards the newest console line while the panel is drawn.
    int32_t cliViewIndex = 0;
};
