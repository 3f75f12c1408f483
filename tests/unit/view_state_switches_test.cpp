// The view switches that TOGGLE flips are the ones the view-state blob (pin 5) carries, and a
// view state received on pin 5 is what the verbs and the name lists then see.
#include <gtest/gtest.h>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"

using namespace command_test;

namespace {

struct ViewStateSwitches : ::testing::Test {
    std::unique_ptr<RecordingGui> gui = makeGui();
    void SetUp() override {
        placeSources(*gui, {{"S1", 0, 0}, {"S2", 10, 10}});
        placeTargets(*gui, {{"T1", 0, 0}});
        setMarquee(*gui, -50, -50, 50, 50);
    }
    std::vector<uint8_t> viewState() {
        gui->sendViewStateBlob();
        return gui->lastSent(5);
    }
};

struct SwitchByte {
    const char* word;
    size_t offset;
};

const SwitchByte kSwitchBytes[] = {
    {"ROOM_VISIBILITY", 4},   {"TARGET_VISIBILITY", 5}, {"GROUP_VISIBILITY", 6},
    {"SOURCE_VISIBILITY", 7}, {"CABLE_VISIBILITY", 8},  {"X_HAIR_VISIBILITY", 9},
    {"GRID_VISIBILITY", 10},  {"ROOM_LABELS", 11},      {"TARGET_LABELS", 12},
    {"GROUP_LABELS", 13},     {"SOURCE_LABELS", 14},    {"ANNOTATION_VISIBILITY", 15},
    {"STAGE_LOCKS", 16},      {"ROOM_LOCKS", 17},       {"TARGET_LOCKS", 18},
    {"GROUP_LOCKS", 19},      {"SOURCE_LOCKS", 20},     {"ANNOTATION_LOCKS", 21},
    {"VISUALISATIONS", 24},   {"GUI_SNAP", 32},
};

TEST_F(ViewStateSwitches, ToggleChangesOnlyItsOwnByteOfTheViewState) {
    for (const SwitchByte& s : kSwitchBytes) {
        const std::vector<uint8_t> before = viewState();
        ASSERT_EQ(before.size(), 60u);
        EXPECT_EQ(gui->executeCommandString(std::string("TOGGLE ") + s.word), 0);
        std::vector<uint8_t> expected = before;
        expected[s.offset] = before[s.offset] ? 0 : 1;
        EXPECT_EQ(viewState(), expected) << s.word;
    }
}

TEST_F(ViewStateSwitches, PanelLayoutCarriesTheToolboxAndMasterSwitchesInverted) {
    gui->sendPanelLayoutBlob();
    EXPECT_EQ(gui->lastSent(21)[200], 1);
    EXPECT_EQ(gui->lastSent(21)[201], 1);
    gui->executeCommandString("TOGGLE TOOLBOX");
    gui->executeCommandString("TOGGLE MASTER");
    gui->sendPanelLayoutBlob();
    EXPECT_EQ(gui->lastSent(21)[200], 0);
    EXPECT_EQ(gui->lastSent(21)[201], 0);
}

TEST_F(ViewStateSwitches, AReceivedViewStateIsWhatTheNameListsAndVerbsSee) {
    EXPECT_EQ(gui->markedSourceNames(1), "S1 S2 ");
    std::vector<uint8_t> state = viewState();

    state[7] = 0; // SOURCE_VISIBILITY off
    gui->deliver(5, state);
    EXPECT_EQ(gui->stageView.sourcesShown, 0);
    EXPECT_EQ(gui->markedSourceNames(1), "");

    state[7] = 1;
    state[20] = 1; // SOURCE_LOCKS on
    gui->deliver(5, state);
    EXPECT_EQ(gui->markedSourceNames(1), "");
    gui->executeCommandString("SELECT ALL");
    EXPECT_EQ(gui->sources[0].selected, 0) << "locked sources are not selected";
    EXPECT_EQ(gui->sources[1].selected, 0);

    // TOGGLE flips the received value, and the next view state carries it.
    gui->executeCommandString("TOGGLE SOURCE_LOCKS");
    EXPECT_EQ(gui->stageView.sourcesLocked, 0);
    EXPECT_EQ(gui->markedSourceNames(1), "S1 S2 ");
    EXPECT_EQ(viewState()[20], 0);
}

TEST_F(ViewStateSwitches, PinTextLocksAndLabelsReachTheSameSwitches) {
    gui->stageView.sourcesLocked = 0;
    gui->stageView.sourceLabels = 1;
    const std::u16string text = u"0,0,0,0,1,0,0,0,0,0,1,1,1,0";
    gui->setPin(38, 0, static_cast<int32_t>(text.size() * 2), text.data());
    gui->notifyPin(38, 0);
    EXPECT_EQ(gui->stageView.sourcesLocked, 1);
    EXPECT_EQ(gui->stageView.sourceLabels, 0);
    EXPECT_EQ(viewState()[20], 1);
    EXPECT_EQ(viewState()[14], 0);
}

} // namespace
