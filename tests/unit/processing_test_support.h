// A small stage for the processing verbs: four sources and three targets away from the
// marquee, each routed to its own virtual channel, and helpers to run lines and read the
// console and the send flags.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "command_test_support.h"

namespace processing_test {

using namespace command_test;

struct ProcessingStage {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();

    ProcessingStage() {
        placeSources(*gui,
                     {{"S1", 300, 300}, {"S2", 310, 300}, {"S3", 320, 300}, {"S4", 330, 300}});
        placeTargets(*gui, {{"T1", 400, 400}, {"T2", 410, 400}, {"T3", 420, 400}});
        for (int i = 0; i < 4; ++i) gui->sources[i].virtualChannel = i;
        for (int i = 0; i < 3; ++i) gui->targets[i].virtualChannel = i;
        setMarquee(*gui, 0, 0, 0, 0); // holds no item
    }

    // Runs one line and returns the console lines it wrote (echo included).
    std::vector<std::string> run(const std::string& line) {
        clearConsoleLog(*gui);
        clearFlags();
        gui->executeCommandString(line);
        return consoleLines(*gui);
    }
    void clearFlags() { std::fill(std::begin(gui->sendFlags), std::end(gui->sendFlags), 0); }
    bool flag(int f) const { return gui->sendFlags[f] != 0; }
    bool printed(const std::vector<std::string>& lines, const std::string& text) const {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
};

} // namespace processing_test
