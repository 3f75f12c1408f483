// The MUTES panel: cell clicks, FIND with Ctrl, clear buttons, the master drag and Z, hover
// highlights, and what it draws.
#include <gtest/gtest.h>

#include "editor_panel_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct MutesPanel : ::testing::Test, EditorFixture {
    MutesPanel() {
        for (int s = 0; s < 8; ++s) source(s, 10.0f * s, 0.0f);
        for (int t = 0; t < 8; ++t) target(t, 10.0f * t, 50.0f);
        place(kPanelMutes, 100.0f, 100.0f);
    }
    void press(int32_t lx, int32_t ly) { gui->mutesPanelLButtonDown(MK_LBUTTON, lx, ly); }
    void moveTo(int32_t lx, int32_t ly) { gui->mutesPanelMouseMove(MK_LBUTTON, lx, ly); }
};

TEST_F(MutesPanel, ACellClickFlipsItsSwitchOnlyForItemsInUse) {
    press(55, 15);
    EXPECT_EQ(gui->sources[4].mute, 1);
    EXPECT_EQ(gui->stage.highlightSource, 4);
    EXPECT_EQ(gui->anySourceMuted, 1);
    press(55, 15);
    EXPECT_EQ(gui->sources[4].mute, 0);
    // Target 9 (row 1, column 1) with 8 targets: nothing but the refresh.
    gui->sendFlags[kSendTargets] = 0;
    press(118, 26);
    for (int t = 0; t < 64; ++t) EXPECT_EQ(gui->targets[t].mute, 0) << t;
    EXPECT_EQ(gui->stage.highlightTarget, -1);
    EXPECT_EQ(gui->sendFlags[kSendTargets], 1);
}

TEST_F(MutesPanel, CtrlOnACellFindsTheItemAndLeavesItsSwitch) {
    hold({VK_CONTROL});
    press(104 + 14, 120 + 2); // target 2's solo
    letGoAll();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "FIND " + gui->targets[1].name);
    EXPECT_EQ(gui->targets[1].solo, 0);
    EXPECT_EQ(gui->stage.highlightTarget, 1);
}

TEST_F(MutesPanel, AClearButtonSwitchesTheWholeGridOff) {
    press(55, 15);
    press(20, 15);
    ASSERT_EQ(gui->anySourceMuted, 1);
    press(80, 7);
    EXPECT_EQ(gui->sources[4].mute, 0);
    EXPECT_EQ(gui->sources[1].mute, 0);
    EXPECT_EQ(gui->anySourceMuted, 0);
}

TEST_F(MutesPanel, TheMasterDragsHalfADecibelAPixelOverAnyPage) {
    gui->view.currentPage = kPageInputs;
    gui->viewSettings.masterVolume = 0.5f;
    press(318, 100);
    ASSERT_EQ(gui->interaction.stageInteractionMode, kModeMutesMaster);
    moveTo(318, 80);
    EXPECT_NEAR(gui->viewSettings.masterVolume, 1.5811f, 1e-4f);
    EXPECT_EQ(gui->sendFlags[kSendViewState], 1);
    EXPECT_EQ(gui->sendFlags[kSendGainMatrix], 1);
    moveTo(318, 63);
    EXPECT_FLOAT_EQ(gui->viewSettings.masterVolume, 4.0f);
    // A release anywhere ends the drag and gives the mouse back.
    SetCapture(reinterpret_cast<HWND>(0x10));
    gui->mutesPanelLButtonUp(0, 5000, 5000);
    EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle);
    EXPECT_EQ(GetCapture(), nullptr);
    moveTo(318, 40);
    EXPECT_FLOAT_EQ(gui->viewSettings.masterVolume, 4.0f);
}

TEST_F(MutesPanel, ZOnTheMeterGivesUnityAndThePinCarriesIt) {
    gui->viewSettings.masterVolume = 0.25f;
    gui->sendStateToDsp();
    hold({'Z'});
    press(318, 100);
    letGoAll();
    EXPECT_FLOAT_EQ(gui->viewSettings.masterVolume, 1.0f);
    EXPECT_TRUE(consoleHas("ZERO THE MASTER VOLUME"));
    EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle);
    gui->sendStateToDsp();
    const std::vector<uint8_t> view = pins->lastSent(5);
    ASSERT_GE(view.size(), 60u);
    EXPECT_FLOAT_EQ(wireFloat(view, 56), 1.0f);
}

TEST_F(MutesPanel, HoveringMarksSourcesTargetsAndGroupsButNotRooms) {
    gui->groupCount = 4;
    struct Case {
        int32_t lx, ly;
        int32_t source, target, group;
    };
    const Case cases[] = {{20, 15, 1, -1, -1},
                          {110, 125, -1, 0, -1},
                          {220, 15, -1, -1, 1},
                          {210, 86, -1, -1, -1},
                          {20, 110, -1, -1, -1}};
    for (const Case& c : cases) {
        moveTo(c.lx, c.ly);
        EXPECT_EQ(gui->stage.highlightSource, c.source) << c.lx << "," << c.ly;
        EXPECT_EQ(gui->stage.highlightTarget, c.target) << c.lx << "," << c.ly;
        EXPECT_EQ(gui->stage.highlightGroup, c.group) << c.lx << "," << c.ly;
    }
}

TEST_F(MutesPanel, AMutedSourceAndItsClearButtonDrawInFullYellow) {
    press(55, 15);
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawMutesPanel(); });
    EXPECT_TRUE(r.failures.empty());
    const std::array<float, 4> yellow{1, 1, 0, 1};
    ASSERT_NE(topAt(r, 57, 17), nullptr);
    EXPECT_EQ(topAt(r, 57, 17)->colour, yellow);
    EXPECT_EQ(topAt(r, 80, 7)->colour, yellow);
    EXPECT_EQ(topAt(r, 45, 17)->colour, (std::array<float, 4>{1, 1, 0, 0.2f}));
    EXPECT_EQ(topAt(r, 105, 120 + 12 * 1 + 1)->colour, (std::array<float, 4>{0, 0, 0, 0.1f}));
    ASSERT_NE(r.findText("0.00dB"), nullptr);
}

} // namespace
