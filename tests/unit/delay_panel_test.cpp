// The DELAY panel: its time drag with the modifier keys, the typed time, the switch, and what
// it draws.
#include <gtest/gtest.h>

#include "editor_panel_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct DelayPanel : ::testing::Test, EditorFixture {
    DelayPanel() {
        source(0, 10.0f, 10.0f);
        place(kPanelDelay, 100.0f, 100.0f);
        gui->loadDelayPanel(1, 0);
    }
    void pressAt(float cx, float cy) {
        gui->delayPanelLButtonDown(MK_LBUTTON, windowX(kPanelDelay, cx), windowY(kPanelDelay, cy));
    }
    void moveTo(float cx, float cy) {
        gui->delayPanelMouseMove(MK_LBUTTON, windowX(kPanelDelay, cx), windowY(kPanelDelay, cy));
    }
};

TEST_F(DelayPanel, ADragOfThirtyPixelsRoundsByTheKeysHeld) {
    struct Case {
        std::initializer_list<int> keys;
        float time;
    };
    const Case cases[] = {{{}, 0.153f},
                          {{VK_SHIFT}, 0.1f},
                          {{VK_CONTROL}, 0.0769231f},
                          {{VK_SHIFT, VK_CONTROL}, 0.0f}};
    for (const Case& c : cases) {
        gui->delayEditor.delayTime = 0.0f;
        pressAt(100.0f, 20.0f);
        ASSERT_EQ(gui->interaction.stageInteractionMode, kModeDelayValue);
        EXPECT_EQ(gui->interaction.controlDragPanel, 4);
        EXPECT_EQ(gui->interaction.controlDragActive, 1);
        hold(c.keys);
        moveTo(130.0f, 20.0f);
        letGoAll();
        EXPECT_NEAR(gui->delayEditor.delayTime, c.time, 1e-6f);
        EXPECT_NEAR(gui->inputDelays[0].time, c.time, 1e-6f);
        gui->delayPanelLButtonUp(0, 0, 0);
        EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle);
        EXPECT_EQ(gui->interaction.controlDragPanel, -1);
    }
    // After the release a move changes nothing.
    moveTo(190.0f, 20.0f);
    EXPECT_EQ(gui->delayEditor.delayTime, 0.0f);
}

TEST_F(DelayPanel, ADragStopsAtOneSecondEitherWay) {
    pressAt(100.0f, 20.0f);
    moveTo(400.0f, 20.0f);
    EXPECT_FLOAT_EQ(gui->delayEditor.delayTime, 1.0f);
    moveTo(-300.0f, 20.0f);
    EXPECT_FLOAT_EQ(gui->delayEditor.delayTime, -1.0f);
}

TEST_F(DelayPanel, ANarrowPanelDragsNothing) {
    gui->panelFrame.panels[kPanelDelay].width = 12.0f;
    gui->interaction.stageInteractionMode = kModeDelayValue;
    moveTo(5.0f, 20.0f);
    EXPECT_EQ(gui->delayEditor.delayTime, 0.0f);
}

TEST_F(DelayPanel, TheValueBoxOpensTheTimeEntryInMilliseconds) {
    gui->delayEditor.delayTime = 0.153f;
    pressAt(103.0f, 5.0f);
    EXPECT_EQ(gui->textEntry.textEntryId, 3001);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "DELAY TIME");
    EXPECT_EQ(gui->textEntry.textEntryPrompt, "milliseconds");
    EXPECT_EQ(gui->textEntry.textEntryText, "153.00");
    EXPECT_EQ(gui->textEntry.textEntryKind, 2);
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 8);
    EXPECT_EQ(gui->textEntry.textEntryFresh, 1);
    EXPECT_EQ(gui->textEntry.textEntryX, 203);
    EXPECT_EQ(gui->textEntry.textEntryY, 111);
    EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle);
}

TEST_F(DelayPanel, TheSwitchStoresAndRaisesBothDelayFlags) {
    pressAt(10.0f, 5.0f);
    EXPECT_EQ(gui->delayEditor.delayEnabled, 1);
    EXPECT_EQ(gui->inputDelays[0].on, 1);
    EXPECT_EQ(gui->sendFlags[kSendInputDelays], 1);
    EXPECT_EQ(gui->sendFlags[kSendOutputDelays], 1);
    EXPECT_EQ(gui->delayPanelRButtonDown(0, windowX(kPanelDelay, 10), windowY(kPanelDelay, 5)), -1);
}

TEST_F(DelayPanel, TheTimeShowsAsTextAndABarFromTheCentre) {
    gui->delayEditor.delayTime = 0.153f;
    gui->delayEditor.delayEnabled = 1;
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawDelayPanel(); });
    EXPECT_TRUE(r.failures.empty());
    const RecordedDraw* text = r.findText("153.00MS");
    ASSERT_NE(text, nullptr);
    EXPECT_FLOAT_EQ(text->xy[0], 103.5f);
    ASSERT_NE(r.findText("ON"), nullptr);
    const RecordedDraw* sw = topAt(r, 16.0f, 6.0f);
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->colour, (std::array<float, 4>{1, 1, 1, 1}));
    // The bar: from the centre 103 to 15 pixels right of it.
    bool found = false;
    for (const RecordedDraw& d : r.draws)
        if (d.kind == RecordedDraw::Kind::Vertices && d.bounds()[1] == 17.0f &&
            d.bounds()[0] == 103.0f && d.bounds()[2] > 105.0f) {
            EXPECT_NEAR(d.bounds()[2], 118.0f, 0.05f);
            found = true;
        }
    EXPECT_TRUE(found);
}

} // namespace
