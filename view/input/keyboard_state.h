// The keyboard's own state: the was-down table of the new-key scan, the ten-line history of the
// CLI line (the line is `QX_GUI::cliLine`, the focus the CLI panel's `focused`), and what the
// arrow keys act on.
#pragma once

#include <cstdint>
#include <string>

struct CliHistory {
    std::string slots[10];
    int32_t writeIndex = 0;   // w: the slot the next entered line overwrites (0 to 9)
    int32_t browseOffset = 0; // b: how far UP and DOWN have stepped back (0 to 10)
};

struct KeyboardState {
    // Two tables, not one: keyWasDown is the scan's own memory, 1 while the scan has seen the
    // key down and not yet seen it up; keyboardState is the platform's key table as the
    // full-screen tick copies it before the scan (high bit: down now), which the scan does not
    // read.
    uint8_t keyWasDown[256] = {};
    uint8_t keyboardState[256] = {};

    // The lowest newly pressed key code, or 0; codes 0 to 7 (mouse buttons) are returned
    // whenever held and leave the table alone.
    int scanNewKeyPress();

    CliHistory cliHistory;

    int32_t arrowMode = 0; // 1 sources, 2 targets, 3 groups; anything else moves nothing
    int32_t arrowIndex = 0;
};
