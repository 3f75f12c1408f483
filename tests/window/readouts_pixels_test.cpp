// The STAGE page's readouts as pixels on the black stage at 1376 x 800: the heat map's pointer
// box, a source level drag's readout box at two zooms, and the processing pipeline panel with
// its activity cells before and after a status block arrives on pin 26; and the pipeline panel
// of the demo in qxhost, filled from its stand-in DSP side's status block.
#include <cstdlib>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"
#include "stage_window.h"
#include "view/input/interaction_modes.h"

namespace {

class ReadoutsPixels : public StageWindow {
protected:
    void TearDown() override {
        qxplatform::releaseAllKeys();
        qxplatform::releaseManualClock();
        StageWindow::TearDown();
    }
    Rgb halfColourOf(const SourceRecord& s) const {
        return {byte(0.5f * s.colourRed), byte(0.5f * s.colourGreen), byte(0.5f * s.colourBlue)};
    }
};

TEST_F(ReadoutsPixels, HeatMapPointerBoxFrameBesideThePointer) {
    run("TOGGLE HEATMAP");
    gui->onMouseMove(0, 700, 500);
    render();
    expectNear(705, 526, {204, 204, 204}, 1, "pointer box frame");
    expectNear(704, 526, {0, 0, 0}, 1, "left of the frame");
}

TEST_F(ReadoutsPixels, SourceLevelDragBoxKeepsItsSizeAtEveryZoom) {
    const struct {
        float zoom;
        int pressX, pressY; // the source at stage (100, 50)
        int frameX, frameY; // the box's left frame edge
    } cases[] = {{1.0f, 788, 450, 772, 490}, {2.0f, 888, 500, 872, 540}};
    qxplatform::setManualClock(1000);
    SourceRecord& s = gui->sources[0];
    s.setPosition(100.0f, 50.0f);
    for (const auto& c : cases) {
        gui->view.viewZoom = c.zoom;
        // A control press on the source starts its level drag; the box shows while it is held.
        qxplatform::setKeyDown(VK_CONTROL, true);
        gui->onMouseMove(MK_CONTROL, c.pressX, c.pressY);
        gui->onLButtonDown(MK_CONTROL | MK_LBUTTON, c.pressX, c.pressY);
        gui->onMouseMove(MK_CONTROL | MK_LBUTTON, c.pressX, c.pressY);
        ASSERT_EQ(gui->interaction.stageInteractionMode, kModeSourceLevel) << "zoom " << c.zoom;
        render();
        expectNear(c.frameX, c.frameY, halfColourOf(s), 1, "box frame");
        expectNear(c.frameX - 1, c.frameY, {0, 0, 0}, 1, "outside the frame");
        gui->onLButtonUp(MK_CONTROL, c.pressX, c.pressY);
        qxplatform::setKeyDown(VK_CONTROL, false);
        qxplatform::advanceManualClock(1000);
        render();
        expectNear(c.frameX, c.frameY, {0, 0, 0}, 1, "box after the release");
    }
}

TEST_F(ReadoutsPixels, PipelinePanelWithNoChannelsIsItsFrameAndField) {
    gui->setSourceCount(0);
    gui->setTargetCount(0);
    run("TOGGLE DEBUG");
    render();
    expectNear(636, 400, {128, 128, 128}, 1, "panel frame");
    expectNear(735, 612, {26, 26, 26}, 1, "panel field");
}

TEST_F(ReadoutsPixels, ActivityCellTurnsGreenWhenTheStatusBlockFlagsItsInput) {
    gui->setSourceCount(10);
    gui->setTargetCount(4);
    run("TOGGLE SOURCE_VISIBILITY");
    run("TOGGLE TARGET_VISIBILITY");
    run("TOGGLE DEBUG");
    render();
    expectNear(637, 297, {77, 77, 77}, 2, "input 0 before any block");
    std::vector<uint8_t> block(4100, 0);
    block[64] = 1; // input 0 active
    gui->setPin(26, 0, static_cast<int32_t>(block.size()), block.data());
    gui->notifyPin(26, 0);
    render();
    expectNear(637, 297, {13, 141, 13}, 2, "input 0 active");
    expectNear(657, 297, {77, 77, 77}, 2, "input 1 still idle");
}

TEST(ReadoutsPicture, DemoPipelineShowsTheChannelsTheStandInFlagsActive) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    Picture picture;
    ASSERT_TRUE(shoot("--load MACROS/READOUTS_DEMO.txt", "readouts_demo.png", picture));
    ASSERT_EQ(picture.width, 1376);
    // 12 sources and 8 targets put the panel at x 518. The stand-in flags the channels its
    // gain matrix feeds: the cabled S11 and S12 (inputs 10, 11) and T5 and T8 (outputs 4, 7).
    const struct {
        int column, y;
        bool active;
    } cells[] = {{0, 297, false}, {9, 297, false}, {10, 297, true}, {11, 297, true},
                 {3, 437, false}, {4, 437, true},  {7, 437, true},  {5, 437, false}};
    for (const auto& c : cells) {
        const std::vector<int> p = picture.at(518 + 92 + 20 * c.column + 7, c.y);
        const int greenOverRed = p[1] - p[0];
        if (c.active)
            EXPECT_GE(greenOverRed, 90) << "column " << c.column << " row y " << c.y;
        else
            EXPECT_LE(std::abs(greenOverRed), 12) << "column " << c.column << " row y " << c.y;
    }
}

} // namespace
