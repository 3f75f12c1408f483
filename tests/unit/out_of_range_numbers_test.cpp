// Numbers far past every limit, from command lines and pins: each is refused with the message
// the verb gives any out-of-range value, or held in range, and none reaches an undefined
// conversion or overflow (the sanitizer build stops at the first such report).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"
#include "model/checked_number.h"

using namespace command_test;

namespace {

struct OutOfRangeNumbers : ::testing::Test {
    std::unique_ptr<RecordingGui> gui = makeGui();
    void SetUp() override {
        for (const char* line : {"SET NUM_SOURCE 4", "SET NUM_TARGET 4", "SELECT S1 S2"})
            ASSERT_EQ(gui->executeCommandString(line), 0) << line;
    }
};

TEST_F(OutOfRangeNumbers, HugeAndExtremeValuesGetTheVerbsOwnRefusal) {
    struct Case {
        const char* line;
        const char* error;
    };
    const char* const kSelection = "SELECTION INDEX OUT OF RANGE (1-10)";
    const char* const kSliceRow =
        "SLICE INPUT -> SLICE INDEX (1-20) OR MEMBERS (0-64) OUT OF RANGE";
    const char* const kSlice = "SLICE INDEX OUT OF RANGE (0-19)";
    const char* const kFullScreen = "FULLSCREEN - SIZE OR POSITION OUT OF RANGE";
    for (const Case& c : {
             Case{"STORE_SELECT 1e30", kSelection},
             Case{"STORE_SELECT -1e30", kSelection},
             Case{"STORE_SELECT 99999999999999999999999", kSelection},
             Case{"RETRIEVE_SELECT 2147483648", kSelection},
             Case{"SEL X:1e30 S1", kSelection},
             Case{"SLICE_M S:-2147483648 X:1", kSliceRow},
             Case{"SLICE_X S:1 X:99999999999", kSliceRow},
             Case{"SLICE_S S:2147483648 X:1", kSliceRow},
             Case{"STORE_SLICE 1e30", kSlice},
             Case{"JUMP_TO_SLICE -1e30", kSlice},
             Case{"FULLSCREEN W:99999999999999999999999 H:1 X:0 Y:0", kFullScreen},
             Case{"FULLSCREEN W:640 H:480 X:-99999999999 Y:0", kFullScreen},
         }) {
        EXPECT_EQ(gui->executeCommandString(c.line), 1) << c.line;
        EXPECT_EQ(gui->console.lastError, c.error) << c.line;
    }
}

TEST_F(OutOfRangeNumbers, ValuesWithoutARefusalAreHeldInRange) {
    // KNEE: was the one dynamics value read without a clamp: 12 .. 72 dB, a fraction of 0 .. 1.
    ASSERT_EQ(gui->executeCommandString("DYNAMICS S3 KNEE:99999999999"), 0);
    EXPECT_EQ(gui->inputDynamics[2].knee, 1.0f);
    ASSERT_EQ(gui->executeCommandString("DYNAMICS S3 KNEE:-99999999999"), 0);
    EXPECT_EQ(gui->inputDynamics[2].knee, 0.0f);
    // Curve points are used unclamped: far outside the curve they leave its tables alone.
    ASSERT_EQ(gui->executeCommandString("DYNAMICS S4 FREEFORM X1:1e30 Y1:-1e30 X5:3e38"), 0);

    // SWITCH_SELECT itself succeeds; the retrieval inside it is refused.
    clearConsoleLog(*gui);
    ASSERT_EQ(gui->executeCommandString("SWITCH_SELECT 3.5e38"), 0);
    const std::vector<std::string> lines = consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SELECTION INDEX OUT OF RANGE (1-10)"),
              lines.end());

    // A note keeps its size; its width is the text's width at scale 1 times the size.
    ASSERT_EQ(gui->executeCommandString("NOTE S:99999999999999999999999 'HI'"), 0);
    ASSERT_EQ(gui->noteCount, 1);
    EXPECT_GT(gui->notes[0].width, 1e22f);
}

// A panel placed at the ends of the 32-bit range by the host goes back out unchanged.
TEST_F(OutOfRangeNumbers, PanelLayoutAtTheEndsOfTheIntRangeIsSentBackUnchanged) {
    std::vector<uint8_t> blob(236, 0);
    const int32_t words[] = {1, 0, std::numeric_limits<int32_t>::max(),
                             std::numeric_limits<int32_t>::min()};
    std::memcpy(blob.data(), &words[0], 4);
    blob[4] = 1;
    std::memcpy(blob.data() + 8, &words[2], 4);
    std::memcpy(blob.data() + 12, &words[3], 4);
    gui->deliver(21, blob);
    gui->sendPanelLayoutBlob();
    const std::vector<uint8_t> sent = gui->lastSent(21);
    ASSERT_EQ(sent.size(), 236u);
    int32_t x = 0, y = 0;
    std::memcpy(&x, sent.data() + 8, 4);
    std::memcpy(&y, sent.data() + 12, 4);
    EXPECT_EQ(x, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(y, std::numeric_limits<int32_t>::min());
}

TEST(CheckedNumber, SaturatesAtTheIntRangeAndRefusesNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int32_t whole;
    };
    for (const Case& c :
         {Case{2.9, 2}, Case{-2.9, -2}, Case{2147483647.5, 2147483647}, Case{1e30, 2147483647},
          Case{inf, 2147483647}, Case{-2147483648.0, -2147483647 - 1}, Case{-1e30, -2147483647 - 1},
          Case{-inf, -2147483647 - 1}, Case{nan, -2147483647 - 1}})
        EXPECT_EQ(saturatingInt(c.value), c.whole) << c.value;
    EXPECT_EQ(clampedInt(nan, 0, 64), 0);
    EXPECT_EQ(clampedInt(1e30, 0, 64), 64);
    EXPECT_EQ(clampedInt(-7.5, 0, 64), 0);
    EXPECT_EQ(clampedInt(7.5, 0, 64), 7);
}

} // namespace
