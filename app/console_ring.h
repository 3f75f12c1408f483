// The console: a ring of line slots shown by the CLI panel, and the status line.
#pragma once

#include <cstdint>
#include <string>

struct ConsoleRing {
    static constexpr int kSlots = 100;
    static constexpr int kMaxLineLength = 65; // longer lines are cut and end in " ..."

    uint8_t verbose = 0; // status messages are copied into the console
    std::string statusMessage;
    std::string lines[kSlots];
    uint8_t highlight = 0; // copied into every appended line
    uint8_t notice = 0;    // copied into every appended line
    uint8_t lineHighlight[kSlots] = {};
    uint8_t lineNotice[kSlots] = {};
    int32_t writeIndex = 0;
    int32_t ringSize = 60;

    // The executor's error reporting.
    std::string pendingError;
    std::string lastError;
    int32_t errorCount = 0;
    std::string errorLines[kSlots];
};
