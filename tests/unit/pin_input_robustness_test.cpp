// Truncated, oversized and random values on every incoming pin: nothing crashes, nothing is
// read or written out of bounds (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <random>

#include "../fuzz/pin_input_fuzzing.h"
#include "dsp_link_recording_gui.h"

namespace {

std::vector<uint8_t> randomBytes(std::mt19937& random, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

TEST(PinInputRobustness, SurvivesRandomTruncatedAndOversizedValues) {
    std::mt19937 random(20261209);
    auto gui = makeGui();
    // Realistic blobs first, so truncations of real layouts are tried too.
    gui->sourceCount = 4;
    gui->targetCount = 4;
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui->sendFlags[flag] = 1;
    gui->sendStateToDsp();
    std::vector<SentPin> real = gui->sent;
    const size_t sizes[] = {0,    1,    3,    4,     7,     8,     12,    16,    60,    63,
                            64,   79,   80,   236,   279,   280,   332,   368,   860,   912,
                            2415, 2416, 4100, 13323, 13324, 16527, 16528, 25680, 58368, 70000};
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> input;
        input.push_back(static_cast<uint8_t>(random()));
        int shape = round % 3;
        if (shape == 0) {
            std::vector<uint8_t> body =
                randomBytes(random, sizes[random() % (sizeof sizes / sizeof sizes[0])]);
            input.insert(input.end(), body.begin(), body.end());
        } else if (shape == 1 && !real.empty()) {
            const SentPin& pin = real[random() % real.size()];
            std::vector<uint8_t> body = pin.bytes;
            body.resize(body.empty() ? 0 : random() % (body.size() + 1));
            // Point the value at the pin it came from half of the time.
            for (size_t k = 0; k < sizeof kFuzzedPins / sizeof kFuzzedPins[0]; ++k)
                if (kFuzzedPins[k] == pin.id && random() % 2) input[0] = static_cast<uint8_t>(k);
            if (!body.empty() && random() % 2)
                body[random() % body.size()] = static_cast<uint8_t>(random());
            input.insert(input.end(), body.begin(), body.end());
        } else {
            std::vector<uint8_t> body = randomBytes(random, random() % 600);
            input.insert(input.end(), body.begin(), body.end());
        }
        feedPin(*gui, input.data(), input.size());
        gui->sent.clear();
    }
    EXPECT_LE(gui->sourceCount, 64);
    EXPECT_LE(gui->targetCount, 64);
    EXPECT_LE(gui->groupCount, 32);
    EXPECT_LE(gui->roomCount, 8);
    EXPECT_LE(gui->cableCount, 4096);
    EXPECT_GE(gui->localId, 0);
    EXPECT_LT(gui->localId, 256);
}

} // namespace
