// State of the CLI panel: its command line and the console line shown on its bottom row.
#pragma once

#include <cstdint>
#include <string>

struct ConsolePanelState {
    // The command line: the keys write it while the panel has the focus, the panel draws it.
    std::string cliLine;
    // Moves one line a frame towards the newest console line while the panel is drawn.
    int32_t cliViewIndex = 0;
};
