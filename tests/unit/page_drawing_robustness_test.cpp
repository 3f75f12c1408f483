// Whatever a host's pins leave in the model, a frame of every page (with every panel shown)
// draws with no draw refused and nothing undefined (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "../fuzz/page_drawing_fuzzing.h"
#include "../fuzz/pin_input_fuzzing.h"

namespace {

TEST(PageDrawingRobustness, RoomsAndTargetsWhosePlaceIsNotANumberHoldNoLevel) {
    auto owned = std::make_unique<QX_GUI>();
    QX_GUI& gui = *owned;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    gui.setTargetCount(2);
    gui.targets[0].setPosition(0.0f, 0.0f);
    gui.targets[1].setPosition(nan, 0.0f);
    gui.roomCount = 2;
    gui.rooms[0].x = nan;
    gui.rooms[0].y = gui.rooms[1].y = -100.0f;
    gui.rooms[1].x = -100.0f;
    gui.rooms[0].setSize(200.0f, 200.0f);
    gui.rooms[1].setSize(200.0f, 200.0f);
    gui.rooms[0].level = gui.rooms[1].level = 0.5f;
    EXPECT_EQ(gui.roomLevelAt(0), 0.5f); // only the room with a place holds it
    EXPECT_EQ(gui.roomLevelAt(1), 1.0f);
    showEveryPanel(gui);
    EXPECT_TRUE(drawEveryPage(gui).empty());
}

TEST(PageDrawingRobustness, RandomPinValuesThenEveryPageDraws) {
    std::mt19937 random(20261211);
    auto owned = std::make_unique<QX_GUI>();
    QX_GUI& gui = *owned;
    showEveryPanel(gui);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> input(1 + random() % 700);
        for (uint8_t& b : input) b = static_cast<uint8_t>(random());
        feedPin(gui, input.data(), input.size());
        const std::vector<std::string> refused = drawEveryPage(gui);
        ASSERT_TRUE(refused.empty()) << round << ": " << refused.front();
    }
}

} // namespace
