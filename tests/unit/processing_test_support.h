// A small stage for the processing verbs: four sources and three targets away from the
// marquee, each routed to its own virtual channel, and helpers to run lines and read the
// console and the send flags.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"

namespace processing_test {

using namespace command_test;

// Little-endian words read back from bytes that went out on a pin.
inline int32_t wireI32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t v = 0;
    for (int b = 0; b < 4; ++b) v |= static_cast<uint32_t>(bytes.at(at + b)) << (8 * b);
    return static_cast<int32_t>(v);
}
inline float wireF32(const std::vector<uint8_t>& bytes, size_t at) {
    const uint32_t v = static_cast<uint32_t>(wireI32(bytes, at));
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}
inline double wireF64(const std::vector<uint8_t>& bytes, size_t at) {
    uint64_t v = 0;
    for (int b = 0; b < 8; ++b) v |= static_cast<uint64_t>(bytes.at(at + b)) << (8 * b);
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

struct ProcessingStage : LineRunner<RecordingGui> {

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
        runAlone(*gui, line);
        return consoleLines(*gui);
    }
    bool flag(int f) const { return gui->sendFlags[f] != 0; }
    // Runs the state sender and returns what it left on the pin (empty when nothing was sent).
    std::vector<uint8_t> sentBySender(int32_t pin) {
        gui->sent.clear();
        gui->sendStateToDsp();
        return gui->lastSent(pin);
    }
    bool printed(const std::vector<std::string>& lines, const std::string& text) const {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
};

} // namespace processing_test
