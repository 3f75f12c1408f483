// The processing pipeline diagram through the recording draw layer: panel size by the larger
// channel count, activity cells and numbers from the pin 26 status block, level bars.
#include <gtest/gtest.h>

#include <cstring>

#include "screen_fixture.h"

namespace {

struct PipelineDiagram : ::testing::Test {
    ScreenFixture f{1376.0f, 800.0f};
    QX_GUI& gui = *f.gui;
    void SetUp() override {
        gui.buildFixedVertexTables();
        gui.stageView.debugViewOn = 1;
    }
    RecordingDrawLayer page() { return f.drawStage(); }
    void setStatusInt(int32_t offset, int32_t value) {
        std::memcpy(gui.pipelineStatus + offset, &value, 4);
    }
    static const RecordedDraw* drawWithColour(const RecordingDrawLayer& r,
                                              std::array<float, 4> colour) {
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.colour == colour) return &d;
        return nullptr;
    }
    static int countColour(const RecordingDrawLayer& r, std::array<float, 4> colour) {
        int n = 0;
        for (const RecordedDraw& d : r.draws) {
            const auto b = d.bounds();
            n += d.kind == RecordedDraw::Kind::Vertices && d.colour == colour && d.mode == 0 &&
                 b[2] - b[0] == 15.0f && b[3] - b[1] == 5.0f;
        }
        return n;
    }
};

TEST_F(PipelineDiagram, ThePanelWidensToTheLargerChannelCount) {
    const struct {
        int sources, targets;
        float x0, width;
    } cases[] = {{0, 0, 638.0f, 100.0f}, {10, 4, 538.0f, 300.0f}, {2, 5, 588.0f, 200.0f}};
    for (const auto& c : cases) {
        gui.setSourceCount(c.sources);
        gui.setTargetCount(c.targets);
        const RecordingDrawLayer r = page();
        const RecordedDraw* field = drawWithColour(r, {0.0f, 0.0f, 0.0f, 0.8f});
        ASSERT_NE(field, nullptr);
        const auto b = field->bounds();
        EXPECT_FLOAT_EQ(b[0], c.x0) << c.sources;
        EXPECT_FLOAT_EQ(b[1], 250.0f + 10.0f);
        EXPECT_FLOAT_EQ(b[2] - b[0], c.width) << c.sources;
        const RecordedDraw* title = r.findText("PROCESSING PIPELINE");
        ASSERT_NE(title, nullptr);
        EXPECT_FLOAT_EQ(title->xy[0], c.x0 + c.width * 0.5f);
        EXPECT_EQ(title->scale, 2);
        EXPECT_NE(r.findText("PICKUP"), nullptr);
        // Grey cells for every column before any block arrived.
        EXPECT_EQ(countColour(r, {0.5f, 0.5f, 0.5f, 0.5f}), c.sources + c.targets);
    }
}

TEST_F(PipelineDiagram, TheStatusBlockSetsTheCellsAndNumbers) {
    gui.setSourceCount(10);
    gui.setTargetCount(4);
    gui.pipelineStatus[64] = 1;       // input 0 active
    gui.pipelineStatus[3968 + 3] = 1; // output 3 active
    setStatusInt(128 + 4 * 2, 77);    // input 2 PRE DELAY
    setStatusInt(3712 + 4 * 3, -5);   // output 3 PICKUP
    const RecordingDrawLayer r = page();
    EXPECT_EQ(countColour(r, {0.0f, 1.0f, 0.0f, 0.5f}), 2);
    const RecordedDraw* green = nullptr;
    for (const RecordedDraw& d : r.draws)
        if (d.colour == std::array<float, 4>{0.0f, 1.0f, 0.0f, 0.5f} && d.mode == 0 &&
            d.vertexCount() == 6 && d.bounds()[3] - d.bounds()[1] == 5.0f) {
            green = &d;
            break;
        }
    ASSERT_NE(green, nullptr);
    EXPECT_FLOAT_EQ(green->bounds()[0], 538.0f + 92.0f);
    EXPECT_FLOAT_EQ(green->bounds()[1], 250.0f + 45.0f);
    const RecordedDraw* seventySeven = r.findText("77");
    ASSERT_NE(seventySeven, nullptr);
    EXPECT_FLOAT_EQ(seventySeven->xy[0], 538.0f + 140.0f);
    const RecordedDraw* pickup = r.findText("-5");
    ASSERT_NE(pickup, nullptr);
    EXPECT_FLOAT_EQ(pickup->xy[0], 538.0f + 160.0f);
    // Six numbers per input and eight per output.
    int numbers = 0;
    for (const std::string& t : r.texts()) numbers += !t.empty() && (t[0] == '-' || isdigit(t[0]));
    EXPECT_EQ(numbers, 10 * 6 + 4 * 8);
}

TEST_F(PipelineDiagram, StageBarsRiseTenPixelsAtMostAndSidechainBarsNeedTheFlag) {
    gui.setSourceCount(1);
    gui.setTargetCount(0);
    gui.sources[0].meter[0] = 2.0f; // pre-delay: full bar
    gui.sources[0].meter[1] = 0.5f; // pre-filter: half
    gui.sources[0].meter[6] = 6.0f; // side-chain above 0 dB counts as 0 dB
    const auto barHeights = [&] {
        std::vector<float> h;
        for (const RecordedDraw& d : page().draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.mode == 6)
                h.push_back(d.bounds()[3] - d.bounds()[1]);
        return h;
    };
    EXPECT_EQ(barHeights(), (std::vector<float>{10.0f, 5.0f}));
    // Keyed on itself the side-chain is not shown; keyed on target 2 it is.
    gui.inputDynamics[0].active = 1;
    gui.inputDynamics[0].channelIndex = 0;
    gui.inputDynamics[0].direction = kKindSource;
    EXPECT_EQ(barHeights(), (std::vector<float>{10.0f, 5.0f}));
    gui.inputDynamics[0].channelIndex = 2;
    gui.inputDynamics[0].direction = kKindTarget;
    EXPECT_EQ(barHeights(), (std::vector<float>{10.0f, 5.0f, 10.0f}));
    gui.sources[0].meter[6] = -90.0f;
    EXPECT_EQ(barHeights(), (std::vector<float>{10.0f, 5.0f}));
}

} // namespace
