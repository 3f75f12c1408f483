// The STAGE page through the recording draw layer: the gates, the distance scale of a spread
// drag, the grid's lines, and items the passes must skip.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct StageDraw : ::testing::Test {
    ScreenFixture f{800.0f, 600.0f};
    QX_GUI& gui = *f.gui;
    void SetUp() override { gui.buildFixedVertexTables(); }

    RecordingDrawLayer page() { return f.drawStage(); }
    static int count(const RecordingDrawLayer& r, std::array<float, 4> colour, int mode = -1) {
        int n = 0;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.colour == colour &&
                (mode < 0 || d.mode == mode))
                ++n;
        return n;
    }
};

TEST_F(StageDraw, ASpreadDragShowsTheDistanceScaleOnlyBeyondARadiusOfOneHundred) {
    f.source(0, 10.0f, 10.0f);
    gui.interaction.stageInteractionMode = kModeSourceSize;
    gui.stage.pickedSource = 0;
    gui.viewSettings.globalRadius = 100.0f;
    const struct {
        float size;
        int discs, labels;
    } cases[] = {{1.0f, 0, 0}, {1.0001f, 7, 2}};
    for (const auto& c : cases) {
        gui.sources[0].size = c.size;
        const RecordingDrawLayer r = page();
        const SourceRecord& s = gui.sources[0];
        // The tinted spread disc is there either way.
        EXPECT_EQ(count(r, {s.colourRed, s.colourGreen, s.colourBlue, 0.1f}, 2), 1);
        EXPECT_EQ(count(r, {1.0f, 1.0f, 1.0f, 0.02f}, 2), c.discs) << c.size;
        int labels = 0;
        for (const std::string& t : r.texts()) labels += t == "-24";
        EXPECT_EQ(labels, c.labels) << c.size;
    }
}

TEST_F(StageDraw, TheStageFillDrawsItsDiscOnlyAndLeavesTheModeAtZero) {
    f.source(0, 0.0f, 0.0f);
    gui.interaction.stageInteractionMode = kModeSourceSize;
    gui.stage.pickedSource = 0;
    const RecordingDrawLayer r = page();
    int discs = 0;
    for (const RecordedDraw& d : r.draws)
        if (d.mode == 2) {
            ++discs;
            EXPECT_EQ(d.vertexCount(), 216);
        }
    EXPECT_GT(discs, 0);
}

TEST_F(StageDraw, TheGridDrawsTheVisibleFineLinesWithTheLineAtZeroTwice) {
    gui.roomCount = 0;
    const RecordingDrawLayer r = page();
    std::map<float, int> vertical;
    for (const RecordedDraw& d : r.draws) {
        if (d.colour != std::array<float, 4>{0.0f, 1.0f, 1.0f, 0.07f}) continue;
        const auto b = d.bounds();
        if (b[3] - b[1] == 600.0f) ++vertical[(b[0] - 400.0f)];
    }
    ASSERT_EQ(vertical.size(), 79u);
    EXPECT_EQ(vertical.begin()->first, -390.0f);
    EXPECT_EQ(vertical.rbegin()->first, 390.0f);
    EXPECT_EQ(vertical[0.0f], 2);
    EXPECT_EQ(vertical[10.0f], 1);
}

TEST_F(StageDraw, FarZoomsAndPansStayWithinOneLinePerPixelAndBadZoomsDrawNoPasses) {
    gui.view.viewZoom = 0.25f / 1024.0f;
    gui.view.viewPanX = 3.0e9f;
    size_t lines = page().draws.size();
    EXPECT_LT(lines, 4u * (800 + 600) + 2000);
    for (float zoom : {0.0f, -1.0f, std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()}) {
        gui.view.viewZoom = zoom;
        for (const RecordedDraw& d : page().draws)
            EXPECT_NE(d.kind, RecordedDraw::Kind::Vertices) << zoom;
    }
}

TEST_F(StageDraw, AGridWhoseLinesNoIntegerCanNumberIsLeftOutAndThePageEnds) {
    const struct {
        float zoom, pan;
    } cases[] = {{1.0e-30f, 0.0f}, {1.0e-19f, 0.0f}, {1.0f, 1.0e30f}, {1.0f, -1.0e20f}};
    for (const auto& c : cases) {
        gui.view.viewZoom = c.zoom;
        gui.view.viewPanX = gui.view.viewPanY = c.pan;
        const RecordingDrawLayer r = page();
        EXPECT_EQ(count(r, {0.0f, 1.0f, 1.0f, 0.07f}), 0) << c.zoom << " " << c.pan;
        EXPECT_EQ(count(r, {1.0f, 1.0f, 1.0f, 0.4f}), 2) << c.zoom << " " << c.pan;
    }
}

TEST_F(StageDraw, AWindowWithoutAreaDrawsNothing) {
    f.source(0, 0.0f, 0.0f);
    gui.windowWidth = 0.0f;
    EXPECT_TRUE(page().draws.empty());
    EXPECT_TRUE(f.drawFrame().draws.empty());
}

TEST_F(StageDraw, SourceVisibilityHidesSourcesLabelsLinksAndConnectionsButNotTheGlows) {
    f.source(0, 0.0f, 0.0f);
    f.source(1, 50.0f, 0.0f);
    f.target(0, 0.0f, 100.0f);
    f.join(1, 0);
    gui.groupCount = 1;
    gui.groups[0].x = 50.0f;
    f.cable(0, 0);
    gui.targets[0].gainRow[0] = 0.5f;
    for (int visible : {1, 0}) {
        gui.stageView.sourcesShown = visible;
        const RecordingDrawLayer r = page();
        EXPECT_EQ(r.findText("S1") != nullptr, visible == 1);
        EXPECT_NE(r.findText("T1"), nullptr);
        int additive = 0, lines = 0;
        for (const RecordedDraw& d : r.draws) {
            additive += d.additive && d.mode == 1;
            lines += d.primitive == Primitive::Lines && d.kind == RecordedDraw::Kind::Vertices;
        }
        EXPECT_GE(additive, 1) << visible;
        EXPECT_EQ(lines > 0, visible == 1) << visible;
    }
}

TEST_F(StageDraw, IndicesOutsideTheirTablesAreSkipped) {
    f.source(0, 0.0f, 0.0f);
    f.target(0, 0.0f, 100.0f);
    f.cable(0, 0);
    gui.cables[1] = gui.cables[0];
    gui.cables[1].source = 300;
    gui.cableCount = 2;
    gui.sources[0].virtualChannel = 1000;
    gui.targets[0].virtualChannel = -5;
    gui.feedbackMixes[0].pinCount = 1000;
    gui.inputDynamics[0].channelIndex = 999;
    gui.stage.highlightSource = 900;
    gui.stage.focusItemKind = kKindTarget;
    gui.stage.focusItemIndex = 77;
    gui.stageView.crosshairShown = 1;
    gui.pendingCableSource = 5000;
    gui.currentSource = -3;
    gui.stage.sourceInfoBoxOpen = 1;
    for (int mode : {kModeSourceSize, kModeTargetRadius, kModeSourceLevel, kModeFeedbackGain}) {
        gui.interaction.stageInteractionMode = mode;
        gui.stage.pickedSource = gui.stage.pickedTarget = 255;
        page();
    }
}

TEST_F(StageDraw, InfoBoxesKeepTheirPixelSizeAtTheItemsPlace) {
    f.source(0, 20.0f, 10.0f);
    gui.currentSource = 0;
    gui.stage.sourceInfoBoxOpen = 1;
    for (float zoom : {1.0f, 2.0f}) {
        gui.view.viewZoom = zoom;
        const RecordingDrawLayer r = page();
        const RecordedDraw* name = nullptr;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Text && d.text == "SRC GROUP AND INPUT") name = &d;
        ASSERT_NE(name, nullptr);
        const ScreenPoint item = gui.stageToScreen(20.0f, 10.0f);
        EXPECT_FLOAT_EQ(name->xy[0], item.x - 50.0f) << zoom;
        EXPECT_FLOAT_EQ(name->xy[1], item.y - 21.0f) << zoom;
    }
}

} // namespace
