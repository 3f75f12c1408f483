// The MATRIX page at 1376 x 800: its origin, the click cases and their send flags, new cables
// from cells, the cable level drag and virtual-channel reassignment.
#include <gtest/gtest.h>

#include <functional>

#include "dsp_link/send_flags.h"
#include "panels/frame/panel_ids.h"
#include "screen_fixture.h"
#include "view/input/interaction_modes.h"
#include "view/pages/matrix/matrix_layout.h"

namespace {

struct MatrixPage : ScreenFixture {
    MatrixPage() {
        gui->graphicsReady = 1;
        gui->placePageGrid(1376, 800);
        run("SET NUM_SOURCE 4");
        run("SET NUM_TARGET 4");
        run("PAGE MATRIX");
        clearFlags();
    }
    bool flag(int32_t f) const { return gui->sendFlags[f] != 0; }
    // Window pixel of a grid offset (gx, gy) from the grid's corner.
    int32_t wx(int32_t gx) const { return gui->interaction.pageGridX + kMatrixGridInset + gx; }
    int32_t wy(int32_t gy) const { return gui->interaction.pageGridY + kMatrixGridInset + gy; }
    // The click of the page: a move there first, as the page takes the cell of the last move.
    void clickGrid(int32_t gx, int32_t gy) {
        move(wx(gx), wy(gy));
        press(wx(gx), wy(gy));
    }
    void clickCell(int32_t target, int32_t source) {
        clickGrid(kMatrixCellSize * target + 4, kMatrixCellSize * source + 4);
    }
    int32_t cableOf(int32_t s, int32_t t) const {
        for (int32_t c = 0; c < gui->cableCount; ++c)
            if (gui->cables[c].source == s && gui->cables[c].target == t) return c;
        return -1;
    }
};

TEST(MatrixPageGeometry, TheOriginAndTheCellsOfOffsetsAroundZero) {
    MatrixPage f;
    EXPECT_EQ(f.gui->interaction.pageGridX, 317);
    EXPECT_EQ(f.gui->interaction.pageGridY, 76);
    for (int32_t offset = -8; offset <= 8; ++offset) {
        f.move(f.wx(offset), f.wy(offset));
        EXPECT_EQ(f.gui->interaction.pageHoverColumn, 0) << offset;
        EXPECT_EQ(f.gui->interaction.pageHoverRow, 0) << offset;
    }
    f.move(f.wx(-9), f.wy(9));
    EXPECT_EQ(f.gui->interaction.pageHoverColumn, -1);
    EXPECT_EQ(f.gui->interaction.pageHoverRow, 1);
}

TEST(MatrixPageClicks, SourceAndTargetSwitchesNamesAndMarkers) {
    struct Case {
        const char* what;
        int32_t gx, gy;
        std::function<bool(QX_GUI&)> changed;
        int32_t flag;
    };
    const Case cases[] = {
        {"source 1 phase", -4, 13, [](QX_GUI& g) { return g.sources[1].phase < 0; }, kSendSources},
        {"source 1 solo", -12, 13, [](QX_GUI& g) { return g.sources[1].solo == 1; }, kSendSources},
        {"source 1 mute", -18, 13, [](QX_GUI& g) { return g.sources[1].mute == 1; }, kSendSources},
        {"target 2 phase", 22, -4, [](QX_GUI& g) { return g.targets[2].phase < 0; }, kSendTargets},
        {"target 2 solo", 22, -12, [](QX_GUI& g) { return g.targets[2].solo == 1; }, kSendTargets},
        {"target 2 mute", 22, -18, [](QX_GUI& g) { return g.targets[2].mute == 1; }, kSendTargets},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MatrixPage f;
        f.clickGrid(c.gx, c.gy);
        EXPECT_TRUE(c.changed(*f.gui));
        EXPECT_TRUE(f.flag(c.flag));
        EXPECT_TRUE(f.flag(kSendGainMatrix));
        EXPECT_EQ(f.gui->cableCount, 0);
    }
}

TEST(MatrixPageClicks, NamesOpenTheirEntriesAndMarkersOpenVirtual) {
    MatrixPage f;
    f.clickGrid(-50, 13);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 1);
    EXPECT_EQ(f.gui->textEntry.textEntryTitle, "NAME SOURCE");
    EXPECT_EQ(f.gui->currentSource, 1);
    EXPECT_EQ(f.gui->textEntry.textEntryX, 317 + kMatrixSourceNameEntryX);
    EXPECT_EQ(f.gui->textEntry.textEntryY, 76 + kMatrixGridInset + kMatrixCellSize);

    MatrixPage g;
    g.clickGrid(kMatrixCellSize * 70 + 2, kMatrixCellSize * 2 + 4);
    EXPECT_EQ(g.gui->textEntry.textEntryId, 2);
    EXPECT_EQ(g.gui->textEntry.textEntryTitle, "NAME TARGET");
    EXPECT_EQ(g.gui->currentTarget, 2);

    MatrixPage h;
    h.clickGrid(kMatrixInputMarkerColumn * kMatrixCellSize - 2, kMatrixCellSize * 5 + 4);
    EXPECT_EQ(h.gui->virtualEditor.virtualEditMode, 11);
    EXPECT_EQ(h.gui->virtualEditor.virtualEditIndex, 5);
    EXPECT_EQ(h.gui->panelFrame.panels[kPanelVirtual].shown, 1);
    EXPECT_EQ(h.gui->panelFrame.panelOrder[0], kPanelVirtual);
}

TEST(MatrixPageCells, ANewCableStartsAtTheGainItsPositionGives) {
    struct Case {
        float gain, radius, level;
    };
    const Case cases[] = {
        {0.6f, 2.0f, 0.3f}, {0.9f, 0.2f, 4.0f}, {0.6f, 0.0f, 0.5f}, {0.0f, 2.0f, 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radius);
        MatrixPage f;
        f.gui->targets[1].useGlobalRadius = 0;
        f.gui->targets[1].ownRadius = c.radius;
        f.gui->targets[1].gainRow[2] = c.gain;
        f.clickCell(1, 2);
        const int32_t cable = f.cableOf(2, 1);
        ASSERT_GE(cable, 0);
        // The press's own move replays the drag at 0 px, which keeps the level to float noise.
        EXPECT_NEAR(f.gui->cables[cable].level, c.level, 1e-5f);
        EXPECT_EQ(f.gui->matrixPage.selectedCable, cable);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeCableLevel);
        EXPECT_TRUE(f.flag(kSendCables));
        EXPECT_EQ(f.gui->pendingCableSource, -1);
    }
}

TEST(MatrixPageCells, AFullCableTableSelectsNothingAndStartsNoDrag) {
    MatrixPage f;
    f.gui->cableCount = QX_GUI::kMaxCables;
    for (int32_t c = 0; c < QX_GUI::kMaxCables; ++c) {
        f.gui->cables[c].source = 3;
        f.gui->cables[c].target = 3;
    }
    f.clickCell(0, 0);
    EXPECT_EQ(f.gui->cableCount, QX_GUI::kMaxCables);
    EXPECT_EQ(f.gui->matrixPage.selectedCable, -1);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    EXPECT_EQ(f.gui->pendingCableSource, -1);
    EXPECT_EQ(f.gui->pendingCableTarget, -1);
}

TEST(MatrixPageCells, KeysOnACableAndAtLevelZero) {
    MatrixPage f;
    f.clickCell(0, 0);
    f.release(f.wx(4), f.wy(4));
    const int32_t c = f.cableOf(0, 0);
    ASSERT_GE(c, 0);
    f.hold({'A'});
    f.clickCell(0, 0);
    EXPECT_EQ(f.gui->cables[c].mute, 1);
    f.letGoAll();
    f.hold({'E'});
    f.clickCell(0, 0);
    EXPECT_EQ(f.gui->cables[c].level, 0.0f);
    f.letGoAll();
    // At level 0 the cell selects the cable, Z does nothing and no drag starts.
    f.hold({'Z'});
    f.clickCell(0, 0);
    EXPECT_EQ(f.gui->cables[c].level, 0.0f);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    f.letGoAll();
    f.hold({'X'});
    f.clickCell(0, 0);
    EXPECT_EQ(f.cableOf(0, 0), -1);
    f.letGoAll();
}

TEST(MatrixPageCells, ARightClickRemovesTheCableOrClearsThePicks) {
    MatrixPage f;
    f.clickCell(1, 1);
    f.release(f.wx(13), f.wy(13));
    f.gui->matrixPage.targetRowPick = 4;
    f.press(f.wx(13), f.wy(13), ScreenFixture::Button::Right);
    EXPECT_EQ(f.cableOf(1, 1), -1);
    EXPECT_EQ(f.gui->matrixPage.targetRowPick, 4);
    f.press(f.wx(13), f.wy(13), ScreenFixture::Button::Right);
    EXPECT_EQ(f.gui->matrixPage.targetRowPick, -1);
}

TEST(MatrixPageDrag, TheLevelFollowsTheFaderLawAndEndsAtTheRelease) {
    struct Case {
        float start;
        int32_t up;
        bool shift;
        float level;
    };
    const Case cases[] = {{0.25f, 50, false, 1.98716f},
                          {0.25f, 50, true, 0.41977f},
                          {0.9f, 3, false, 1.0f},
                          {0.9f, 2, false, 0.97781f},
                          {0.25f, 200, false, 4.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " up " << c.up << " shift " << c.shift);
        MatrixPage f;
        f.clickCell(2, 1);
        f.release(f.wx(22), f.wy(13));
        const int32_t cable = f.cableOf(1, 2);
        f.gui->cables[cable].level = c.start;
        f.clickCell(2, 1);
        ASSERT_EQ(f.gui->interaction.stageInteractionMode, kModeCableLevel);
        if (c.shift) f.hold({VK_SHIFT});
        f.move(f.wx(22), f.wy(13) - c.up);
        EXPECT_NEAR(f.gui->cables[cable].level, c.level, 1e-4f);
        f.letGoAll();
        // Released over an open panel, the drag still ends and lets the mouse go.
        f.gui->panelFrame.panels[kPanelFilters].shown = 1;
        f.gui->panelFrame.panels[kPanelFilters].positionX = 600;
        f.gui->panelFrame.panels[kPanelFilters].positionY = 100;
        f.release(700, 150);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
        EXPECT_EQ(GetCapture(), nullptr);
        const float after = f.gui->cables[cable].level;
        f.move(f.wx(22), f.wy(13) - 100);
        EXPECT_EQ(f.gui->cables[cable].level, after);
    }
}

TEST(MatrixPageReassignment, EitherOrderGivesTheSameRouting) {
    for (bool sourceFirst : {true, false}) {
        MatrixPage f;
        const int32_t sourceRow =
            -9 * kMatrixCellSize + 4; // column -9: the left end of the source rows
        const int32_t channelColumn = -25 * kMatrixCellSize + 4;
        if (sourceFirst) {
            f.clickGrid(sourceRow, kMatrixCellSize * 2 + 4);
            f.clickGrid(channelColumn, kMatrixCellSize * 7 + 4);
        } else {
            f.clickGrid(channelColumn, kMatrixCellSize * 7 + 4);
            f.clickGrid(sourceRow, kMatrixCellSize * 2 + 4);
        }
        EXPECT_EQ(f.gui->sources[2].virtualChannel, 7);
        EXPECT_EQ(f.gui->virtualEditor.virtualEditMode, 11);
        EXPECT_EQ(f.gui->virtualEditor.virtualEditIndex, 7);
        EXPECT_EQ(f.gui->matrixPage.sourceRowPick, -1);
        EXPECT_EQ(f.gui->matrixPage.inputChannelPick, -1);
        EXPECT_TRUE(f.flag(kSendMixers));
    }
    MatrixPage g;
    g.clickGrid(92 * kMatrixCellSize + 4, kMatrixCellSize * 3 + 4);
    g.clickGrid(77 * kMatrixCellSize + 4, kMatrixCellSize * 1 + 4);
    EXPECT_EQ(g.gui->targets[1].virtualChannel, 3);
}

TEST(MatrixPageReassignment, APickOutsideTheRowsIsRefused) {
    MatrixPage f;
    f.clickGrid(-9 * kMatrixCellSize + 4, kMatrixCellSize * 64 + 4);
    EXPECT_EQ(f.gui->matrixPage.sourceRowPick, -1);
    f.clickGrid(-25 * kMatrixCellSize + 4, -9 * 2);
    EXPECT_EQ(f.gui->matrixPage.inputChannelPick, -1);
}

TEST(MatrixPageDraw, CablesMarksHoverAndTheReadout) {
    MatrixPage f;
    f.clickCell(3, 2);
    RecordingDrawLayer frame = f.drawFrame();
    EXPECT_TRUE(frame.failures.empty());
    EXPECT_NE(frame.findText("INPUT ROUTING"), nullptr);
    EXPECT_NE(frame.findText("OUPUT ROUTING"), nullptr);
    EXPECT_NE(frame.findText("LEVEL -6.02dB"), nullptr) << "the readout of the new cable's drag";
    f.release(f.wx(31), f.wy(22));
    frame = f.drawFrame();
    EXPECT_EQ(frame.findText("LEVEL -6.02dB"), nullptr);
    EXPECT_EQ(frame.matrixDepth(), 0);
}

} // namespace
