// The stage's drag readout boxes through the recording draw layer: fader fill, unity mark,
// meter bars, labels, member bars, zoom, and pickings that must draw nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct StageReadouts : ::testing::Test {
    ScreenFixture f{800.0f, 600.0f};
    QX_GUI& gui = *f.gui;
    void SetUp() override {
        gui.buildFixedVertexTables();
        gui.stageView.gridShown = 0;
    }

    RecordingDrawLayer page() { return f.drawStage(); }
    // Quads of mode 0 across the 24-pixel fill width whose bottom is the base line.
    static std::vector<std::array<float, 4>> fillRects(const RecordingDrawLayer& r, float px,
                                                       float base) {
        std::vector<std::array<float, 4>> out;
        for (const RecordedDraw& d : r.draws) {
            if (d.kind != RecordedDraw::Kind::Vertices || d.mode != 0) continue;
            const auto b = d.bounds();
            if (std::fabs(b[0] - (px - 12.0f)) < 0.01f && std::fabs(b[2] - (px + 12.0f)) < 0.01f)
                out.push_back(b);
        }
        (void)base;
        return out;
    }
    static std::vector<const RecordedDraw*> bars(const RecordingDrawLayer& r) {
        std::vector<const RecordedDraw*> out;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.mode == 6) out.push_back(&d);
        return out;
    }
    void sourceLevelDrag(float level, float meter) {
        f.source(0, 0.0f, 0.0f);
        gui.sources[0].level = level;
        gui.sources[0].meter[4] = meter;
        gui.interaction.stageInteractionMode = kModeSourceLevel;
        gui.stage.pickedSource = 0;
    }
};

constexpr float kAnchorX = 400.0f; // stage (0, 0) in an 800 x 600 window
constexpr float kAnchorY = 300.0f;
constexpr float kBase = kAnchorY + 58.0f;

TEST_F(StageReadouts, TheFaderFillAndLabelFollowTheDraggedGain) {
    const float unityTop = kBase - 116.0f * gui.faderLaw.gainToPosition(1.0f) / 1.2f;
    EXPECT_NEAR(kBase - unityTop, 97.0f, 1.0f);
    const struct {
        float gain;
        float fill; // 0: no fill
        const char* label;
    } cases[] = {{4.0f, 116.0f, "LEVEL 12.04dB"},
                 {0.0f, 0.0f, "LEVEL -infdB"},
                 {1.0f, kBase - unityTop, "LEVEL 0.00dB"},
                 {100.0f, 116.0f, "LEVEL 40.00dB"}};
    for (const auto& c : cases) {
        sourceLevelDrag(c.gain, 0.0f);
        const RecordingDrawLayer r = page();
        ASSERT_NE(r.findText(c.label), nullptr) << c.label;
        EXPECT_FLOAT_EQ(r.findText(c.label)->xy[0], kAnchorX + 1.0f);
        bool unity = false;
        int fills = 0;
        for (const auto& b : fillRects(r, kAnchorX, kBase)) {
            if (std::fabs(b[3] - b[1] - 1.0f) < 0.01f) {
                unity = true;
                EXPECT_NEAR(b[1], unityTop, 0.01f);
            } else if (std::fabs(b[3] - kBase) < 0.01f) {
                ++fills;
                EXPECT_NEAR(kBase - b[1], c.fill, 0.01f) << c.gain;
            }
        }
        EXPECT_TRUE(unity) << c.gain;
        EXPECT_EQ(fills, c.fill > 0.0f ? 1 : 0) << c.gain;
    }
}

TEST_F(StageReadouts, MeterBarsRiseNinetySevenPixelsAtUnityAndStopAtTheBoxTop) {
    const struct {
        float meter, gain, left, right;
    } cases[] = {{1.0f, 1.0f, 97.0f, 97.0f},
                 {1.2f, 1.0f, 116.0f, 116.0f},
                 {0.5f, 2.0f, 48.5f, 97.0f},
                 {3.0f, 0.1f, 116.0f, 29.1f}};
    for (const auto& c : cases) {
        sourceLevelDrag(c.gain, c.meter);
        const RecordingDrawLayer r = page();
        const auto b = bars(r);
        ASSERT_EQ(b.size(), 2u) << c.meter;
        const auto left = b[0]->bounds();
        const auto right = b[1]->bounds();
        EXPECT_FLOAT_EQ(left[0], kAnchorX - 12.0f);
        EXPECT_FLOAT_EQ(right[2], kAnchorX + 12.0f);
        EXPECT_NEAR(kBase - left[1], c.left, 0.01f);
        EXPECT_NEAR(kBase - right[1], c.right, 0.01f);
        EXPECT_FLOAT_EQ(b[0]->metrics[3], c.meter);
        EXPECT_FLOAT_EQ(b[1]->metrics[3], c.meter * c.gain);
    }
}

TEST_F(StageReadouts, TheBoxKeepsItsSizeAtEveryZoomAndStandsAtTheItem) {
    for (float zoom : {1.0f, 2.0f, 0.5f}) {
        gui.view.viewZoom = zoom;
        sourceLevelDrag(1.0f, 0.0f);
        gui.sources[0].setPosition(100.0f, 50.0f);
        const ScreenPoint p = f.stageToPixel(100.0f, 50.0f);
        const RecordingDrawLayer r = page();
        const SourceRecord& s = gui.sources[0];
        const RecordedDraw* frame = nullptr;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices &&
                d.colour == std::array<float, 4>{s.colourRed, s.colourGreen, s.colourBlue, 0.5f}) {
                frame = &d;
                break;
            }
        ASSERT_NE(frame, nullptr);
        const auto b = frame->bounds();
        EXPECT_NEAR(b[0], p.x - 16.0f, 0.01f) << zoom;
        EXPECT_NEAR(b[1], p.y - 62.0f, 0.01f) << zoom;
        EXPECT_NEAR(b[2] - b[0], 32.0f, 0.01f) << zoom;
        EXPECT_NEAR(b[3] - b[1], 124.0f, 0.01f) << zoom;
    }
}

TEST_F(StageReadouts, TheSpreadBoxFillsByTheSpreadWithoutMeterOrUnityMark) {
    f.source(0, 0.0f, 0.0f, 1.5f);
    gui.interaction.stageInteractionMode = kModeSourceSize;
    gui.stage.pickedSource = 0;
    const RecordingDrawLayer r = page();
    EXPECT_NE(r.findText("SPREAD 1.50"), nullptr);
    EXPECT_TRUE(bars(r).empty());
    const auto fills = fillRects(r, kAnchorX, kBase);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_NEAR(kBase - fills[0][1], 58.0f, 0.01f);
}

TEST_F(StageReadouts, GroupAndRoomBoxesDrawOneBarPerMember) {
    // Group 0 with three members; group 1 with none.
    for (int s = 0; s < 3; ++s) {
        f.source(s, 10.0f * s, 0.0f);
        gui.sources[s].meter[4] = 0.5f;
        gui.sources[s].level = 1.0f;
        f.join(s, 0);
    }
    gui.groups[0].level = 2.0f;
    gui.interaction.stageInteractionMode = kModeGroupLevel;
    for (const auto& c : {std::pair<int, size_t>{0, 3}, {1, 0}}) {
        gui.stage.pickedGroup = c.first;
        const RecordingDrawLayer r = page();
        const auto b = bars(r);
        ASSERT_EQ(b.size(), c.second) << c.first;
        for (size_t k = 0; k < b.size(); ++k) {
            const auto box = b[k]->bounds();
            EXPECT_NEAR(box[2] - box[0], 8.0f, 0.01f);
            // The member's meter times its level times the groups it belongs to.
            EXPECT_FLOAT_EQ(b[k]->metrics[3], 1.0f);
            EXPECT_EQ(b[k]->colour[0], gui.sources[k].colourRed);
        }
        EXPECT_NE(r.findText("LEVEL " + std::string(c.first == 0 ? "6.02dB" : "0.00dB")), nullptr);
    }
    // A room counts targets by position: target 1 lies inside but is in no list; target 0
    // lies outside.
    f.room(0, 100.0f, 100.0f, 50.0f, 50.0f);
    f.target(0, 0.0f, 0.0f);
    f.target(1, 150.0f, 150.0f);
    gui.targets[0].meter[4] = gui.targets[1].meter[4] = 0.5f;
    gui.rooms[0].targetCount = 1;
    gui.rooms[0].targetList[0] = 0;
    gui.interaction.stageInteractionMode = kModeRoomLevel;
    gui.stage.pickedRoom = 0;
    const RecordingDrawLayer inside = page();
    ASSERT_EQ(bars(inside).size(), 1u);
    EXPECT_FLOAT_EQ(bars(inside)[0]->metrics[3], 0.5f);
    f.target(1, 151.0f, 150.0f);
    const RecordingDrawLayer empty = page();
    EXPECT_TRUE(bars(empty).empty());
    EXPECT_NE(empty.findText("LEVEL 0.00dB"), nullptr);
}

TEST_F(StageReadouts, AReadoutWhoseItemIsNotInItsTableDrawsNothing) {
    f.source(0, 0.0f, 0.0f);
    f.target(0, 10.0f, 0.0f);
    const struct {
        int mode;
        int source, group, room, target, cable, entry;
    } cases[] = {{kModeSourceLevel, 255, 0, 0, 0, 0, 0},  {kModeSourceLevel, 1, 0, 0, 0, 0, 0},
                 {kModeGroupLevel, 0, 255, 0, 0, 0, 0},   {kModeRoomLevel, 0, 0, 255, 0, 0, 0},
                 {kModeTargetLevel, 0, 0, 0, 1, 0, 0},    {kModeCableLevel, 0, 0, 0, 0, -1, 0},
                 {kModeCableLevel, 0, 0, 0, 0, 5, 0},     {kModeFeedbackGain, 0, 0, 0, 0, 0, -1},
                 {kModeFeedbackGain, 0, 0, 0, 255, 0, 3}, {kModeSourceSize, 7, 0, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        gui.interaction.stageInteractionMode = c.mode;
        gui.stage.pickedSource = c.source;
        gui.stage.pickedGroup = c.group;
        gui.stage.pickedRoom = c.room;
        gui.stage.pickedTarget = c.target;
        gui.stage.pickedCable = c.cable;
        gui.stage.pickedFeedbackEntry = c.entry;
        const RecordingDrawLayer r = page();
        for (const std::string& t : r.texts())
            EXPECT_TRUE(t.rfind("LEVEL", 0) != 0 && t.rfind("SPREAD", 0) != 0) << c.mode << t;
    }
}

TEST_F(StageReadouts, TheFeedbackSendShowsThePickedTargetAndTheDraggedEntry) {
    f.source(0, 0.0f, 0.0f);
    f.target(0, 10.0f, 0.0f);
    f.target(1, 20.0f, 0.0f);
    gui.targets[1].colourRed = 0.25f;
    gui.targets[1].meter[4] = 1.0f;
    gui.feedbackMixes[0].gains[3] = 4.0f;
    gui.interaction.stageInteractionMode = kModeFeedbackGain;
    gui.stage.pickedSource = 0;
    gui.stage.pickedTarget = 1;
    gui.stage.pickedFeedbackEntry = 3;
    gui.interaction.dragStartPixelX = 30.0f;
    gui.interaction.dragStartPixelY = 40.0f;
    const RecordingDrawLayer r = page();
    const RecordedDraw* label = r.findText("LEVEL 12.04dB");
    ASSERT_NE(label, nullptr);
    EXPECT_FLOAT_EQ(label->xy[0], kAnchorX + 31.0f);
    EXPECT_FLOAT_EQ(label->colour[0], 0.25f);
    EXPECT_FLOAT_EQ(label->colour[3], 0.5f);
    const auto b = bars(r);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_FLOAT_EQ(b[0]->metrics[3], 1.0f);
}

TEST_F(StageReadouts, TheCableBoxStandsMidwayAndCountsTheSourceGroups) {
    f.source(0, 0.0f, 0.0f);
    f.target(0, 100.0f, 40.0f);
    f.join(0, 2);
    gui.groups[2].level = 0.5f;
    gui.sources[0].meter[4] = 0.8f;
    gui.sources[0].level = 0.5f;
    const int c = f.cable(0, 0);
    ASSERT_GE(c, 0);
    gui.cables[c].level = 1.0f;
    gui.interaction.stageInteractionMode = kModeCableLevel;
    gui.stage.pickedCable = c;
    for (uint8_t useGroups : {0, 1}) {
        gui.cables[c].useGroups = useGroups;
        const RecordingDrawLayer r = page();
        const auto b = bars(r);
        ASSERT_EQ(b.size(), 2u);
        EXPECT_FLOAT_EQ(b[0]->metrics[3], useGroups ? 0.2f : 0.4f);
        EXPECT_FLOAT_EQ(b[0]->bounds()[0], kAnchorX + 50.0f - 12.0f);
    }
}

} // namespace
