// The FEEDBACK page at 1376 x 800: connecting paths and the bytes they send, the wheel overlay
// and its buttons and handles, the level drags, removals, a hostile pin-27 table and the
// pending ends across a page change.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dsp_link/send_flags.h"
#include "dsp_link_recording_gui.h"
#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct FeedbackPage : ScreenFixture {
    RecordingGui* pins = nullptr;

    FeedbackPage() {
        auto recording = std::make_unique<RecordingGui>();
        pins = recording.get();
        recording->windowWidth = gui->windowWidth;
        recording->windowHeight = gui->windowHeight;
        recording->executedLineTap = &lines;
        recording->ownInstance.asleep = 0;
        gui = std::move(recording);
        gui->graphicsReady = 1;
        gui->placePageGrid(1376, 800);
        run("PAGE FEEDBACK");
    }
    void click(int32_t x, int32_t y) {
        move(x, y);
        press(x, y);
        release(x, y);
    }
    // Input port of row r, output port of row r (window pixels).
    void inputPort(int32_t r) { click(460, 76 + 67 + 9 * r + 4); }
    void outputPort(int32_t r) { click(910, 76 + 67 + 9 * r + 4); }
    void channelButton(int32_t r) { click(317 + 67 + 9 * 5 + 4, 76 + 67 + 9 * r + 4); }
    MixRecord& mix(int32_t s) { return gui->feedbackMixes[s]; }
    // Window pixel of the wheel handle of slot k at radius r of a mix with n paths.
    static void handle(int32_t k, int32_t n, float r, int32_t& x, int32_t& y) {
        float a = 270.0f;
        for (int32_t i = 0; i < k; ++i) a += 360.0f / static_cast<float>(n);
        const float rad = a * 3.14159265f / 180.0f;
        x = static_cast<int32_t>(688.0f + r * std::sin(rad));
        y = static_cast<int32_t>(400.0f - r * std::cos(rad));
    }
};

TEST(FeedbackPageConnect, EitherOrderMakesOnePathAndSendsItsBytes) {
    for (bool inputFirst : {true, false}) {
        SCOPED_TRACE(inputFirst);
        FeedbackPage f;
        if (inputFirst) {
            f.inputPort(2);
            f.outputPort(5);
        } else {
            f.outputPort(5);
            f.inputPort(2);
        }
        EXPECT_EQ(f.gui->pendingCableSource, -1);
        EXPECT_EQ(f.gui->pendingCableTarget, -1);
        f.gui->sendStateToDsp();
        const std::vector<uint8_t> blob = f.pins->lastSent(27);
        ASSERT_GE(blob.size(), 64u * 912u);
        auto bytes = [&](size_t at, std::vector<uint8_t> want) {
            EXPECT_EQ(std::vector<uint8_t>(blob.begin() + at, blob.begin() + at + want.size()),
                      want)
                << "at " << at;
        };
        bytes(1824, {0x00});
        bytes(1828, {0x01, 0x00, 0x00, 0x00});
        bytes(1836, {0x05, 0x00, 0x00, 0x00});
        bytes(2097, {0x01});
        bytes(2156, {0x00, 0x00, 0x00, 0x3F});
        bytes(2412, {0x00, 0x00, 0x80, 0x3F});
        f.inputPort(2);
        f.outputPort(5);
        EXPECT_EQ(f.mix(2).pinCount, 1);
        EXPECT_EQ(f.gui->console.statusMessage, "FEEDBACK PATH ALREADY CONNECTED");
    }
}

TEST(FeedbackPageConnect, AFullMixRefusesAndBothEndsClear) {
    FeedbackPage f;
    MixRecord& m = f.mix(1);
    m.pinCount = 64;
    for (int32_t k = 0; k < 64; ++k) m.pinNumbers[k] = 0;
    m.routed[0] = 1;
    f.inputPort(1);
    f.outputPort(9);
    EXPECT_EQ(m.pinCount, 64);
    EXPECT_EQ(f.gui->console.statusMessage, "FEEDBACK MIX IS FULL");
    EXPECT_EQ(f.gui->pendingCableSource, -1);
    EXPECT_EQ(f.gui->pendingCableTarget, -1);
}

TEST(FeedbackPageConnect, APageChangeDropsAHalfMadePath) {
    FeedbackPage f;
    f.inputPort(3);
    EXPECT_EQ(f.gui->pendingCableSource, 3);
    f.run("PAGE STAGE");
    EXPECT_EQ(f.gui->pendingCableSource, -1);
    EXPECT_EQ(f.gui->pendingCableTarget, -1);
}

struct Overlay : FeedbackPage {
    Overlay() {
        for (int32_t t : {1, 2, 3}) {
            inputPort(0);
            outputPort(t);
        }
        channelButton(0);
    }
};

TEST(FeedbackPageOverlay, HandlesStandWhereTheWheelDrawsThem) {
    Overlay f;
    ASSERT_EQ(f.gui->feedbackPage.feedbackChannelShown, 1);
    EXPECT_EQ(f.gui->console.statusMessage, "SHOW FEEDBACK CHANNEL !");
    // The level handles of three paths lie at (556, 400), (754, 286) and (754, 514).
    f.mix(0).gains[1] = 0.3f;
    f.hold({'Z'});
    f.click(754, 286);
    f.letGoAll();
    EXPECT_EQ(f.mix(0).gains[1], 1.0f);
    f.mix(0).gains[2] = 0.3f;
    f.hold({'Z'});
    f.click(754, 514);
    f.letGoAll();
    EXPECT_EQ(f.mix(0).gains[2], 1.0f);
    // A click on slot 1's phase handle flips its phase.
    int32_t x = 0, y = 0;
    FeedbackPage::handle(1, 3, 66.0f, x, y);
    f.click(x, y);
    EXPECT_EQ(f.mix(0).phases[1], -1.0f);
    // X on slot 0's level handle removes it; the others move down.
    f.hold({'X'});
    f.click(556, 400);
    f.letGoAll();
    EXPECT_EQ(f.mix(0).pinCount, 2);
    EXPECT_EQ(f.mix(0).pinNumbers[0], 2);
    EXPECT_EQ(f.mix(0).phases[0], -1.0f);
    EXPECT_EQ(f.mix(0).routed[1], 0);
}

TEST(FeedbackPageOverlay, TheButtonsAndTheMasterDrag) {
    Overlay f;
    f.mix(0).masterLevel = 0.3f;
    f.click(688 - 130, 400 - 140); // MUTE ALL
    EXPECT_EQ(f.mix(0).masterLevel, 0.0f);
    f.click(688 - 130, 400 - 140);
    EXPECT_EQ(f.mix(0).masterLevel, 0.5f);
    f.click(688 + 120, 400 + 140); // NORMALISE
    EXPECT_FLOAT_EQ(f.mix(0).gains[0], 1.0f / 3.0f);
    EXPECT_EQ(f.mix(0).masterLevel, 1.0f);
    // Ctrl on the centre starts the master drag; 20 px up from 0.5 gives 1.14574.
    f.mix(0).masterLevel = 0.5f;
    f.hold({VK_CONTROL});
    f.move(688, 400);
    f.press(688, 400);
    f.letGoAll();
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeFeedbackMasterLevel);
    f.move(688, 380);
    EXPECT_NEAR(f.mix(0).masterLevel, 1.14574f, 1e-4f);
    f.hold({VK_SHIFT});
    f.move(688, 380);
    EXPECT_NEAR(f.mix(0).masterLevel, 0.61518f, 1e-4f);
    f.letGoAll();
    f.release(20, 20);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
}

TEST(FeedbackPageRemoval, ARightClickOnAnOutputPortLeavesOtherPathsInOrder) {
    FeedbackPage f;
    for (int32_t s : {0, 4}) {
        for (int32_t t : {5, 6, 7}) {
            f.inputPort(s);
            f.outputPort(t);
        }
    }
    f.press(910, 76 + 67 + 9 * 6 + 4, ScreenFixture::Button::Right);
    for (int32_t s : {0, 4}) {
        EXPECT_EQ(f.mix(s).pinCount, 2);
        EXPECT_EQ(f.mix(s).pinNumbers[0], 5);
        EXPECT_EQ(f.mix(s).pinNumbers[1], 7);
        EXPECT_EQ(f.mix(s).routed[6], 0);
    }
}

// A table from pin 27 with a count past 64 and a pin number past 63 draws and takes gestures
// without reading outside the tables.
TEST(FeedbackPageHostile, AStrangeTableDrawsAndTakesGestures) {
    FeedbackPage f;
    MixRecord& m = f.mix(0);
    m.pinCount = 100;
    for (int32_t k = 0; k < 64; ++k) m.pinNumbers[k] = k == 3 ? 90 : k;
    f.gui->feedbackPage.activeFeedbackMixCount = 1;
    f.channelButton(0);
    RecordingDrawLayer frame = f.drawFrame();
    EXPECT_TRUE(frame.failures.empty());
    int32_t x = 0, y = 0;
    FeedbackPage::handle(3, 64, 132.0f, x, y);
    f.hold({VK_CONTROL});
    f.click(x, y);
    f.letGoAll();
    f.inputPort(0);
    f.outputPort(10);
    EXPECT_EQ(f.gui->console.statusMessage, "FEEDBACK MIX IS FULL");
}

} // namespace
