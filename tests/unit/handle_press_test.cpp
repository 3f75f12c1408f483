// Presses on the handles of cables and feedback sends: the line each key runs, the level
// drags, hidden cables, and feedback handles answering where their curves are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

using Lines = std::vector<std::string>;

// S1 above T1, T2 beside them; the cable handle of S1-T1 is at stage (-200, 0), far from every
// item.
struct HandleStage : ScreenFixture {
    HandleStage() {
        gui->graphicsReady = 1;
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        source(0, -200.0f, -100.0f);
        source(1, 200.0f, -100.0f);
        target(0, -200.0f, 100.0f);
        target(1, 200.0f, 100.0f);
        for (int i = 0; i < 2; ++i) {
            gui->sources[i].name = "S" + std::to_string(i + 1);
            gui->sources[i].virtualChannel = i;
            gui->targets[i].name = "T" + std::to_string(i + 1);
            gui->targets[i].virtualChannel = i;
        }
        lines.clear();
    }
    int32_t liveCable(float level) {
        const int32_t c = cable(0, 0);
        gui->cables[c].level = level;
        return c;
    }
    // One press at a stage point with `keys` held; the lines it ran. The button stays down.
    Lines pressAt(float sx, float sy, std::initializer_list<int> keys = {}) {
        advanceClock(1000);
        hold(keys);
        lines.clear();
        const ScreenPoint p = stageToPixel(sx, sy);
        press(p.x, p.y);
        return takeLines();
    }
    void releaseAt(float sx, float sy) {
        const ScreenPoint p = stageToPixel(sx, sy);
        release(p.x, p.y);
        letGoAll();
    }
    // A feedback send from source s's virtual channel mix to pin `pin`, at gain 0.5.
    int32_t feedback(int32_t channel, int32_t pin) {
        MixRecord& mix = gui->feedbackMixes[channel];
        const int32_t k = mix.pinCount++;
        mix.pinNumbers[k] = pin;
        mix.routed[pin] = 1;
        mix.gains[k] = 0.5f;
        return k;
    }
    std::vector<std::string> consoleLinesStartingWith(const std::string& head) const {
        std::vector<std::string> out;
        for (const std::string& line : gui->console.lines)
            if (line.rfind(head, 0) == 0) out.push_back(line);
        return out;
    }
};

TEST(CableHandlePress, KeysByCableLevel) {
    struct Case {
        float level;
        int key;
        std::string line; // empty: no line, and no drag
    } cases[] = {
        {1.0f, 'A', "TOGGLE_CABLE_MUTE S1 T1"},
        {1.0f, 'S', "TOGGLE_CABLE_SOLO S1 T1"},
        {1.0f, 'P', "TOGGLE_CABLE_PHASE S1 T1"},
        {1.0f, 'G', "TOGGLE_CABLE_USE_GROUP S1 T1"},
        {1.0f, 'E', "EXCLUDE_CABLE S1 T1 -inf"},
        {1.0f, 'Z', "CABLE_LEVEL S1 T1 0.0"},
        {1.0f, 'X', "REMOVE_CABLE S1 T1 0.0"},
        {0.0f, 'A', ""},
        {0.0f, 'S', ""},
        {0.0f, 'P', ""},
        {0.0f, 'G', ""},
        {0.0f, 'Z', "CABLE_LEVEL S1 T1 -6.0"},
        {0.0f, 'E', "EXCLUDE_CABLE S1 T1 -inf"},
        {0.0f, 'X', "REMOVE_CABLE S1 T1 0.0"},
        {1.0f, VK_CONTROL, ""},
        {0.0f, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.key));
        HandleStage f;
        f.liveCable(c.level);
        const Lines got = c.key ? f.pressAt(-200.0f, 0.0f, {c.key}) : f.pressAt(-200.0f, 0.0f);
        EXPECT_EQ(got, c.line.empty() ? Lines{} : Lines{c.line});
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle)
            << "the press ends: no drag, no pan";
        EXPECT_EQ(f.gui->marqueeRubberBand, 0) << "the press ends: no marquee";
        f.releaseAt(-200.0f, 0.0f);
    }
}

// E on a cable's handle runs its line, and the line excludes: the cables pin (11) carries the
// cable at level 0 (the first four bytes of its 16-byte entry).
TEST(CableHandlePress, EExcludesTheCableAndThePinCarriesLevelZero) {
    for (const float level : {1.0f, 0.0f}) {
        HandleStage f;
        const int32_t c = f.liveCable(level);
        f.gui->sendStateToDsp();
        EXPECT_EQ(f.pressAt(-200.0f, 0.0f, {'E'}), Lines{"EXCLUDE_CABLE S1 T1 -inf"});
        f.releaseAt(-200.0f, 0.0f);
        EXPECT_EQ(f.gui->console.lastError, "") << level;
        EXPECT_EQ(f.gui->cables[c].level, 0.0f) << level;
        f.gui->sendStateToDsp();
        const MpGuiPinBase* pin = f.gui->findPin(11);
        ASSERT_GE(pin->getSize(), 16 * (c + 1)) << level;
        float sent = -1.0f;
        std::memcpy(&sent, static_cast<const uint8_t*>(pin->getData()) + 16 * c, 4);
        EXPECT_EQ(sent, 0.0f) << level;
    }
}

TEST(CableHandlePress, PlainPressOnALiveCableStartsItsLevelDrag) {
    HandleStage f;
    const int32_t c = f.liveCable(0.5f);
    EXPECT_TRUE(f.pressAt(-200.0f, 0.0f).empty());
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeCableLevel);
    EXPECT_EQ(f.gui->stage.pickedCable, c);
    const ScreenPoint p = f.stageToPixel(-200.0f, 0.0f);
    f.move(p.x, p.y - 40);
    EXPECT_GT(f.gui->cables[c].level, 0.5f);
    f.release(p.x, p.y - 40);
}

TEST(CableHandlePress, HiddenCablesTakeNoHandlePress) {
    HandleStage f;
    f.liveCable(1.0f);
    f.gui->stageView.cablesShown = 0;
    EXPECT_TRUE(f.pressAt(-200.0f, 0.0f, {'Z'}).empty());
    f.releaseAt(-200.0f, 0.0f);
    f.pressAt(-200.0f, 0.0f);
    EXPECT_NE(f.gui->interaction.stageInteractionMode, kModeCableLevel);
    EXPECT_EQ(f.gui->marqueeRubberBand, 1) << "the press reached the bare stage";
    f.releaseAt(-200.0f, 0.0f);
}

// The handle of a send from (0, -100) to (0, 100) is at B(0.4) of its curve: (0, -29.6).
TEST(FeedbackHandlePress, KeysNameTheSourceAndTheTarget) {
    struct Case {
        int key;
        std::string line;
    } cases[] = {
        {'X', "REMOVE_FEEDBACK S1 T1"},
        {'A', "TOGGLE_FEEDBACK_MUTE S1 T1"},
        {'P', "TOGGLE_FEEDBACK_PHASE S1 T1"},
        {'Z', "FEEDBACK_LEVEL S1 T1 0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        HandleStage f;
        f.source(0, 0.0f, -100.0f);
        f.target(0, 0.0f, 100.0f);
        f.feedback(0, 0);
        f.gui->stageView.cablesShown = 0; // hidden cables still leave the feedback handles live
        EXPECT_EQ(f.pressAt(0.0f, -30.0f, {c.key}), Lines{c.line});
        EXPECT_EQ(f.consoleLinesStartingWith("FEEDBACK HANDLE"),
                  Lines{"FEEDBACK HANDLE FOR TARGET T1 TO S1"});
        f.releaseAt(0.0f, -30.0f);
    }
}

TEST(FeedbackHandlePress, PlainPressOnTwoHandlesPrintsBothAndGoesOn) {
    HandleStage f;
    f.source(0, 0.0f, -100.0f);
    f.target(0, 0.0f, 100.0f);
    f.target(1, 0.0f, 100.0f);
    f.feedback(0, 0);
    f.feedback(0, 1);
    EXPECT_TRUE(f.pressAt(0.0f, -30.0f).empty());
    EXPECT_EQ(
        f.consoleLinesStartingWith("FEEDBACK HANDLE"),
        (Lines{"FEEDBACK HANDLE FOR TARGET T1 TO S1", "FEEDBACK HANDLE FOR TARGET T2 TO S1"}));
    EXPECT_EQ(f.gui->marqueeRubberBand, 1) << "the press went on to the bare stage";
    f.releaseAt(0.0f, -30.0f);

    EXPECT_EQ(f.pressAt(0.0f, -30.0f, {'X'}), (Lines{"REMOVE_FEEDBACK S1 T1"}))
        << "with a key the first pair takes the press";
    f.releaseAt(0.0f, -30.0f);
}

// S1 sends from virtual channel 5 to pin 9, which is T2's channel: the handle answers on the
// curve drawn from S1 to T2, and the CTRL drag writes that mix's entry.
TEST(FeedbackHandlePress, AnswersWhereTheCurveIsDrawnUnderOtherChannels) {
    HandleStage f;
    f.gui->sources[0].virtualChannel = 5;
    f.gui->targets[1].virtualChannel = 9;
    f.gui->targets[0].virtualChannel = 0;
    f.feedback(0, 0); // the mix of channel 0, which no shown source uses
    const int32_t k = f.feedback(5, 9);

    // The drawn handle: a black 3 x 3 square at the curve's B(0.4).
    const RecordingDrawLayer drawn = f.drawStage();
    std::vector<std::array<float, 4>> handles;
    for (const RecordedDraw& d : drawn.draws) {
        const auto b = d.bounds();
        if (d.kind == RecordedDraw::Kind::Vertices &&
            d.colour == std::array<float, 4>{0, 0, 0, 1} && std::abs(b[2] - b[0] - 3.0f) < 0.01f &&
            std::abs(b[3] - b[1] - 3.0f) < 0.01f)
            handles.push_back(b);
    }
    ASSERT_EQ(handles.size(), 1u);
    const int32_t hx = static_cast<int32_t>((handles[0][0] + handles[0][2]) * 0.5f);
    const int32_t hy = static_cast<int32_t>((handles[0][1] + handles[0][3]) * 0.5f);
    const StagePoint h = f.gui->screenToStage(hx, hy);

    EXPECT_EQ(f.pressAt(h.x, h.y, {'X'}), (Lines{"REMOVE_FEEDBACK S1 T2"}));
    f.releaseAt(h.x, h.y);

    // The index rule's place (S1 to T1) answers nothing.
    f.pressAt(-200.0f, -30.0f, {'X'});
    EXPECT_TRUE(f.consoleLinesStartingWith("FEEDBACK HANDLE FOR TARGET T1").empty());
    f.releaseAt(-200.0f, -30.0f);

    f.pressAt(h.x, h.y, {VK_CONTROL});
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeFeedbackGain);
    EXPECT_EQ(f.gui->stage.pickedFeedbackEntry, k);
    EXPECT_EQ(f.gui->stage.pickedSource, 0);
    EXPECT_EQ(f.gui->stage.pickedTarget, 1);
    EXPECT_EQ(f.gui->interaction.dragStartValue, 0.5f);
    f.move(hx, hy - 40);
    EXPECT_GT(f.gui->feedbackMixes[5].gains[k], 0.5f);
    EXPECT_EQ(f.gui->feedbackMixes[0].gains[0], 0.5f) << "the mix indexed by the source is kept";
    f.release(hx, hy - 40);
    f.letGoAll();
}

} // namespace
