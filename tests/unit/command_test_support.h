// Helpers shared by the command-language tests: a small stage and the console read back in
// order.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/qx_gui.h"

namespace command_test {

// Names and positions of the items of a small stage; each kind's count follows the list.
struct StageItem {
    std::string name;
    float x;
    float y;
};

inline void placeSources(QX_GUI& gui, const std::vector<StageItem>& items) {
    gui.sourceCount = static_cast<int32_t>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        gui.sources[i].name = items[i].name;
        gui.sources[i].x = items[i].x;
        gui.sources[i].y = items[i].y;
        gui.sources[i].level = 1.0f;
    }
}

inline void placeTargets(QX_GUI& gui, const std::vector<StageItem>& items) {
    gui.targetCount = static_cast<int32_t>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        gui.targets[i].name = items[i].name;
        gui.targets[i].x = items[i].x;
        gui.targets[i].y = items[i].y;
    }
}

inline void placeGroups(QX_GUI& gui, const std::vector<StageItem>& items) {
    gui.groupCount = static_cast<int32_t>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        gui.groups[i].name = items[i].name;
        gui.groups[i].x = items[i].x;
        gui.groups[i].y = items[i].y;
    }
}

inline void setMarquee(QX_GUI& gui, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    gui.marqueeRect[0] = left;
    gui.marqueeRect[1] = top;
    gui.marqueeRect[2] = right;
    gui.marqueeRect[3] = bottom;
}

// The console lines written so far, oldest first (the ring must not have wrapped).
inline std::vector<std::string> consoleLines(const QX_GUI& gui) {
    return std::vector<std::string>(gui.console.lines, gui.console.lines + gui.console.writeIndex);
}

inline void clearConsoleLog(QX_GUI& gui) {
    gui.clearConsole();
    gui.console.writeIndex = 0;
}

// Lowers every send flag, so that what comes next shows alone.
inline void clearFlags(QX_GUI& gui) {
    std::fill(std::begin(gui.sendFlags), std::end(gui.sendFlags), 0);
}

// Runs one line from an empty console and lowered send flags, so that what the line writes and
// raises shows alone; the line's result.
inline int32_t runAlone(QX_GUI& gui, const std::string& line) {
    clearConsoleLog(gui);
    clearFlags(gui);
    return gui.executeCommandString(line);
}

// A fixture's instance and the one way its tests run a line: the line's result (0 on success).
template <class Gui = QX_GUI> struct LineRunner {
    std::unique_ptr<Gui> gui = std::make_unique<Gui>();

    int32_t run(const std::string& line) { return gui->executeCommandString(line); }
    void clearFlags() { command_test::clearFlags(*gui); }
};

} // namespace command_test
