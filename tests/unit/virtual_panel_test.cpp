// The VIRTUAL panel: ADD, handle drags, removal and entries on the pin wheel, the bytes on the
// mixer pin, and what the wheel draws.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_panel_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct VirtualPanel : ::testing::Test, EditorFixture {
    VirtualPanel() {
        source(0, 0.0f, 0.0f);
        gui->sources[0].virtualChannel = 0;
        place(kPanelVirtual, 100.0f, 100.0f);
        gui->loadVirtualPanel(1, 0);
    }
    MixRecord& mix() { return gui->inputMixers[0]; }
    void slots(std::initializer_list<int32_t> numbers) {
        int32_t k = 0;
        for (int32_t p : numbers) {
            mix().pinNumbers[k] = p;
            mix().gains[k] = 1.0f;
            mix().phases[k] = 1.0f;
            mix().routed[k] = 1;
            ++k;
        }
        mix().pinCount = k;
    }
    int32_t wx(float cx) { return windowX(kPanelVirtual, cx); }
    int32_t wy(float cy) { return windowY(kPanelVirtual, cy); }
    void pressAt(float cx, float cy) { gui->virtualPanelLButtonDown(MK_LBUTTON, wx(cx), wy(cy)); }
};

TEST_F(VirtualPanel, AddTakesTheLowestFreePinAndTheMixGoesOutOnItsPin) {
    slots({0, 2});
    pressAt(20.0f, 8.0f);
    ASSERT_EQ(mix().pinCount, 3);
    EXPECT_EQ(mix().pinNumbers[2], 1);
    EXPECT_EQ(mix().routed[2], 1);
    const std::vector<uint8_t> bytes = pins->lastSent(22);
    ASSERT_EQ(bytes.size(), 64u * 912u);
    EXPECT_EQ(wireInt(bytes, 4), 3);      // pin count of mix 0
    EXPECT_EQ(wireInt(bytes, 12 + 8), 1); // its third pin
}

TEST_F(VirtualPanel, ACtrlDragOfAHandleSnapsNearUnityAndEndsAtTheRelease) {
    slots({0, 2});
    mix().gains[0] = 0.9f;
    hold({VK_CONTROL});
    pressAt(15.0f, 125.0f);
    letGoAll();
    ASSERT_EQ(gui->interaction.stageInteractionMode, kModeVirtualPinLevel);
    EXPECT_EQ(gui->virtualEditor.virtualSelectedPin, 0);
    EXPECT_EQ(gui->interaction.controlDragPanel, 8);
    gui->virtualPanelMouseMove(MK_LBUTTON, wx(15.0f), wy(122.0f));
    EXPECT_FLOAT_EQ(mix().gains[0], 1.0f);
    // The readout follows the handle.
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawVirtualPanel(); });
    EXPECT_NE(r.findText("LEVEL 0.00dB"), nullptr);
    gui->virtualPanelLButtonUp(0, 0, 0);
    EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle);
    gui->virtualPanelMouseMove(MK_LBUTTON, wx(15.0f), wy(20.0f));
    EXPECT_FLOAT_EQ(mix().gains[0], 1.0f);
}

TEST_F(VirtualPanel, XOnAHandleRemovesTheSlotAndTheMasterReturnsToUnity) {
    slots({0, 2});
    mix().masterLevel = 0.5f;
    hold({'X'});
    pressAt(15.0f, 125.0f);
    letGoAll();
    EXPECT_EQ(mix().pinCount, 1);
    EXPECT_EQ(mix().pinNumbers[0], 2);
    EXPECT_FLOAT_EQ(mix().masterLevel, 1.0f);
    EXPECT_EQ(wireInt(pins->lastSent(22), 4), 1);
}

TEST_F(VirtualPanel, APlainClickOnAHandleOpensThePinEntry) {
    slots({0, 4});
    pressAt(235.0f, 125.0f);
    EXPECT_EQ(gui->textEntry.textEntryId, 26);
    EXPECT_EQ(gui->virtualEditor.virtualSelectedPin, 1);
    EXPECT_EQ(gui->textEntry.textEntryText, "5");
    EXPECT_EQ(gui->textEntry.textEntryTitle, "CHANGE INPUT PIN");
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 2);
}

TEST_F(VirtualPanel, DotsFlipPhaseAndMuteAndTheCentreTakesZ) {
    slots({0, 1, 2, 3});
    pressAt(180.0f, 125.0f); // slot 2's phase dot, at the right
    EXPECT_FLOAT_EQ(mix().phases[2], -1.0f);
    pressAt(125.0f, 45.0f); // slot 1's mute dot, at the top
    EXPECT_EQ(mix().mutes[1], 1);
    mix().masterLevel = 0.3f;
    hold({'Z'});
    pressAt(125.0f, 125.0f);
    letGoAll();
    EXPECT_FLOAT_EQ(mix().masterLevel, 1.0f);
}

TEST_F(VirtualPanel, AMixWithABadPinCountOrPinNumberDrawsWithoutReadingPastItsTables) {
    slots({0, 1});
    mix().pinCount = 900;
    mix().pinNumbers[1] = 5000;
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawVirtualPanel(); });
    EXPECT_TRUE(r.failures.empty());
    ASSERT_NE(r.findText("5001"), nullptr);
}

TEST_F(VirtualPanel, TheWheelShowsPhaseAndMuteDotsAndTheChannelNumber) {
    slots({0, 1, 2, 3});
    mix().phases[2] = -1.0f;
    mix().mutes[3] = 1;
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawVirtualPanel(); });
    EXPECT_TRUE(r.failures.empty());
    EXPECT_EQ(topAt(r, 180.0f, 125.0f)->colour, (std::array<float, 4>{0, 1, 1, 1}));
    EXPECT_EQ(topAt(r, 125.0f, 205.0f)->colour, (std::array<float, 4>{1, 1, 0, 1}));
    EXPECT_EQ(topAt(r, 70.0f, 125.0f)->colour, (std::array<float, 4>{0, 0.3f, 0.3f, 1}));
    const auto centre = std::find_if(r.draws.begin(), r.draws.end(), [](const RecordedDraw& d) {
        return d.kind == RecordedDraw::Kind::Text && d.scale == 2;
    });
    ASSERT_NE(centre, r.draws.end());
    EXPECT_EQ(centre->text, "1");
    EXPECT_NE(r.findText("ADD INPUT"), nullptr);
}

// The shader places the disc from its centre and radius only outside the stage, so the panel
// draws it with "stage" 0 on every page, the STAGE page included.
TEST_F(VirtualPanel, TheLevelDiscIsDrawnAsAPanelDiscOnEveryPage) {
    gui->buildFixedVertexTables();
    gui->initPanelOrder();
    slots({0, 2});
    mix().gains[1] = 0.5f;
    mix().masterLevel = 0.8f;
    for (int32_t page : {kPageStage, kPageInputs}) {
        gui->view.currentPage = page;
        const RecordingDrawLayer r = drawFrame();
        const auto disc = std::find_if(r.draws.begin(), r.draws.end(), [](const RecordedDraw& d) {
            return d.mode == 1 && d.vertexCount() == 216 &&
                   d.metrics == std::array<float, 4>{125.0f, 125.0f, 125.0f, 0.8f};
        });
        ASSERT_NE(disc, r.draws.end()) << page;
        EXPECT_EQ(disc->stage, 0) << page;
        EXPECT_TRUE(disc->additive) << page;
    }
}

TEST_F(VirtualPanel, AnOutputMasterDragReadsOutItsChannelOnTheStatusLine) {
    target(0, 0.0f, 0.0f);
    gui->targets[0].virtualChannel = 0;
    gui->loadVirtualPanel(2, 0);
    hold({VK_CONTROL});
    pressAt(125.0f, 125.0f);
    letGoAll();
    ASSERT_EQ(gui->interaction.stageInteractionMode, kModeVirtualMasterLevel);
    drawContent([](QX_GUI& g) { g.drawVirtualPanel(); });
    EXPECT_TRUE(statusIs("OUT VIRTUALISATION : 0"));
}

} // namespace
