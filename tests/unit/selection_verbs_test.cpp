// Selection verbs: the current selection and its flags, stored slots, the marquee around the
// selection, TOUCH and the syndication mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"
#include "patch_round_trip_support.h"

using namespace command_test;

namespace {

struct SelectionVerbs : ::testing::Test, LineRunner<RecordingGui> {
    void SetUp() override {
        placeSources(*gui, {{"S1", 100, 50}, {"S2", -30, 10}, {"S3", 5, 5}});
        placeTargets(*gui, {{"T1", 0, 0}, {"T2", 40, -60}, {"T3", 9, 9}});
        placeGroups(*gui, {{"G1", 0, 0}});
        gui->roomCount = 1;
        gui->rooms[0].name = "R1";
    }
    std::vector<std::string> selection() const {
        return std::vector<std::string>(gui->selectedNames,
                                        gui->selectedNames + gui->selectedCount);
    }
    std::vector<int32_t> marquee() const {
        return std::vector<int32_t>(gui->marqueeRect, gui->marqueeRect + 4);
    }
};

TEST_F(SelectionVerbs, SelectNamesSetsFlagsListCurrentItemEditorsAndEnvelopes) {
    gui->inputDelays[0].changed = 1;
    gui->inputDelays[0].time = 0.5f;
    EXPECT_EQ(run("SELECT S1 T2"), 0);
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1", "T2"}));
    EXPECT_EQ(gui->sources[0].selected, 1);
    EXPECT_EQ(gui->targets[1].selected, 1);
    EXPECT_EQ(gui->currentSource, 0);
    EXPECT_EQ(gui->filtersEditor.filterPanelKind, 1);
    EXPECT_EQ(gui->filtersEditor.filterPanelIndex, 0);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelKind, 1);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelIndex, 0);
    EXPECT_EQ(gui->delayEditor.delayPanelKind, 1);
    EXPECT_EQ(gui->delayEditor.delayTime, 0.5f) << "the DELAY editor holds S1's delay";
    EXPECT_EQ(gui->envelopeList.spec, "S1 | T2 | ");
    EXPECT_EQ(gui->envelopeList.sourceCount, 1);
    EXPECT_EQ(gui->envelopeList.targetCount, 1);
    EXPECT_EQ(gui->envelopeList.targets[0], 1);
    EXPECT_EQ(gui->envelopeList.total, 2);
}

TEST_F(SelectionVerbs, SelectNoneEmptiesListFlagsAndMarquee) {
    run("SELECT S1 S2 G1");
    setMarquee(*gui, 1, 2, 3, 4);
    EXPECT_EQ(run("SELECT NONE"), 0);
    EXPECT_EQ(gui->selectedCount, 0);
    EXPECT_EQ(gui->sources[0].selected, 0);
    EXPECT_EQ(gui->groups[0].selected & 0xFF, 0);
    EXPECT_EQ(marquee(), (std::vector<int32_t>{0, 0, 0, 0}));
    // Keys that act on the selection then act on nothing.
    run("SELECT NONE");
    clearConsoleLog(*gui);
    run("PRINT_SELECTED SELECTION");
    EXPECT_EQ(consoleLines(*gui).front(), "-> PRINT_SELECTED ");
}

TEST_F(SelectionVerbs, SelectAllBoundsStartAtTheOrigin) {
    placeSources(*gui, {{"S1", 30, 40}});
    gui->targetCount = 0;
    gui->groupCount = 0;
    EXPECT_EQ(run("SELECT ALL"), 0);
    EXPECT_EQ(marquee(), (std::vector<int32_t>{-20, -20, 50, 60}));
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1"}));

    placeSources(*gui, {{"S1", 0, 0}});
    setMarquee(*gui, 7, 8, 9, 10);
    run("SELECT ALL");
    EXPECT_EQ(marquee(), (std::vector<int32_t>{7, 8, 9, 10})) << "a zero-size box keeps it";
}

TEST_F(SelectionVerbs, SelectAllSkipsLockedKindsAndHiddenItems) {
    gui->stageView.targetsLocked = 1;
    gui->sources[1].shown = 0;
    run("SELECT ALL");
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1", "S3", "G1"}));
    EXPECT_EQ(gui->targets[0].selected, 0);
}

TEST_F(SelectionVerbs, RoomsAndHiddenItemsAreListedWithoutAFlag) {
    gui->sources[2].shown = 0;
    run("SELECT R1 S3");
    EXPECT_EQ(selection(), (std::vector<std::string>{"R1", "S3"}));
    EXPECT_EQ(gui->currentRoom, 0);
    EXPECT_EQ(gui->sources[2].selected, 0);
    // WRAP counts R1 as the point (0, 0) and S3 at (5, 5).
    run("WRAP");
    EXPECT_EQ(marquee(), (std::vector<int32_t>{-20, -20, 25, 25}));
}

TEST_F(SelectionVerbs, WrapPutsA40By40BoxAroundOneItem) {
    run("SELECT S1");
    run("WRAP");
    EXPECT_EQ(marquee(), (std::vector<int32_t>{80, 30, 120, 70}));
}

TEST_F(SelectionVerbs, AddSelectAndUnselect) {
    run("SELECT S1");
    EXPECT_EQ(run("ADDSELECT S1"), 1);
    EXPECT_EQ(gui->console.lastError, "NOT ITEMS ADDED");
    EXPECT_EQ(run("ADDSELECT S2 T1"), 0);
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1", "S2", "T1"}));
    EXPECT_EQ(gui->storedSelectionCounts[1], 3) << "mirrored into the current slot";
    // A hidden item gets its flag from ADDSELECT.
    gui->sources[2].shown = 0;
    run("ADDSELECT S3");
    EXPECT_EQ(gui->sources[2].selected, 1);

    gui->selectedNames[gui->selectedCount++] = "S1"; // named twice
    EXPECT_EQ(run("UNSELECT S1"), 0);
    EXPECT_EQ(selection(), (std::vector<std::string>{"S2", "T1", "S3"}));
    EXPECT_EQ(gui->sources[0].selected, 0);
    EXPECT_EQ(std::vector<std::string>(gui->storedSelections[1], gui->storedSelections[1] + 3),
              selection());
    run("UNSELECT ALL");
    EXPECT_EQ(gui->selectedCount, 0);
    EXPECT_EQ(gui->targets[0].selected, 0);
}

TEST_F(SelectionVerbs, StoredSlotRangeIsZeroToTen) {
    struct Case {
        const char* line;
        int32_t result;
        int32_t slot;
    };
    for (const Case& c : {Case{"STORE_SELECT 11", 1, 1}, Case{"STORE_SELECT -1", 1, 1},
                          Case{"RETRIEVE_SELECT 12", 1, 1}, Case{"STORE_SELECT 0", 0, 0},
                          Case{"STORE_SELECT 2.9", 0, 2}}) {
        EXPECT_EQ(run(c.line), c.result) << c.line;
        if (c.result == 1) {
            EXPECT_EQ(gui->console.lastError, "SELECTION INDEX OUT OF RANGE (1-10)") << c.line;
        }
        EXPECT_EQ(gui->storedSelectionNumber, c.slot) << c.line;
    }
}

TEST_F(SelectionVerbs, StoreEmptiesTheListKeepsFlagsAndRetrieveBringsItBack) {
    run("SELECT S1 T2");
    run("STORE_SELECT 3");
    EXPECT_EQ(gui->selectedCount, 0);
    EXPECT_EQ(gui->sources[0].selected, 1);
    clearConsoleLog(*gui);
    EXPECT_EQ(run("RETRIEVE_SELECT 3"), 0);
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1", "T2"}));
    EXPECT_EQ(gui->targets[1].selected, 1);
    EXPECT_EQ(gui->touchedKind, 1);
    EXPECT_EQ(gui->touchedIndex, 0);
    const auto lines = consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "-> SELECT  S1 T2"), lines.end());
    // An empty slot leaves an empty selection with every flag cleared.
    run("RETRIEVE_SELECT 7");
    EXPECT_EQ(gui->selectedCount, 0);
    EXPECT_EQ(gui->sources[0].selected, 0);
}

TEST_F(SelectionVerbs, SwitchSelectStoresIntoTheCurrentSlotThenLoadsTheOther) {
    run("SEL X:4 S2 ");
    run("SELECT S1 T1");
    gui->storedSelectionNumber = 1;
    EXPECT_EQ(run("SWITCH_SELECT 4"), 0);
    EXPECT_EQ(std::vector<std::string>(gui->storedSelections[1], gui->storedSelections[1] + 2),
              (std::vector<std::string>{"S1", "T1"}));
    EXPECT_EQ(selection(), (std::vector<std::string>{"S2"}));
    EXPECT_EQ(gui->storedSelectionNumber, 4);
}

TEST_F(SelectionVerbs, SelFillsASlotAndSelectsIt) {
    clearConsoleLog(*gui);
    EXPECT_EQ(run("SEL X:2 S1 T3 "), 0);
    EXPECT_EQ(gui->storedSelectionCounts[2], 2);
    EXPECT_EQ(gui->storedSelectionNumber, 2);
    EXPECT_EQ(selection(), (std::vector<std::string>{"S1", "T3"}));
    const auto lines = consoleLines(*gui);
    EXPECT_EQ(lines[1], "A SELECTION : ");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "-> SELECT  S1 T3"), lines.end());

    EXPECT_EQ(run("SEL S1"), 1);
    EXPECT_EQ(gui->console.lastError, "CREATE SELECTION - NO INDEX SPECIFIED");
    EXPECT_EQ(run("SEL X:11 S1"), 1) << "a slot past the eleven is refused";
}

// Whatever NAME accepts comes back through a saved patch's SEL line: one letter, two, many.
TEST_F(SelectionVerbs, StoredNamesOfEveryLengthComeBackFromAPatch) {
    const std::string longName(60, 'K');
    ASSERT_EQ(run("NAME T3 G"), 0);
    ASSERT_EQ(run("NAME S3 " + longName), 0);
    ASSERT_EQ(run("SELECT S1 G " + longName), 0);
    ASSERT_EQ(run("STORE_SELECT 1"), 0);
    const std::vector<std::string> stored = {"S1", "G", longName};
    ASSERT_EQ(std::vector<std::string>(gui->storedSelections[1], gui->storedSelections[1] + 3),
              stored);

    patch_test::ScratchFolder scratch("selections");
    const std::string path = scratch.path + "/SEL.txt";
    ASSERT_EQ(gui->writePatchFile(path, 0), 0);
    auto loaded = std::make_unique<QX_GUI>();
    patch_test::loadPatch(*loaded, path);
    ASSERT_EQ(loaded->storedSelectionCounts[1], 3);
    EXPECT_EQ(
        std::vector<std::string>(loaded->storedSelections[1], loaded->storedSelections[1] + 3),
        stored);
    ASSERT_EQ(loaded->executeCommandString("RETRIEVE_SELECT 1"), 0);
    EXPECT_EQ(loaded->targets[2].selected, 1) << "T3, named G";
    EXPECT_EQ(loaded->sources[2].selected, 1);
}

TEST_F(SelectionVerbs, PrintSelected) {
    EXPECT_EQ(run("PRINT_SELECTED"), 1);
    EXPECT_EQ(gui->console.lastError, "NO ITEMS SELECTED");
    run("SELECT S2 T1");
    clearConsoleLog(*gui);
    EXPECT_EQ(run("PRINT_SELECTED"), 0);
    EXPECT_EQ(consoleLines(*gui), (std::vector<std::string>{"-> PRINT_SELECTED", "SELECTED NODES -",
                                                            "    S2", "    T1"}));
}

TEST_F(SelectionVerbs, ToggleSelectFlipsEachNamedItemAndSendsTheListsAtOnce) {
    run("SELECT S1");
    gui->sent.clear();
    gui->batch = 0;
    EXPECT_EQ(run("TOGGLE_SELECT S1 S2 S2"), 0);
    EXPECT_EQ(selection(), std::vector<std::string>{}) << "S1 off; S2 on then off again";
    EXPECT_EQ(gui->batch, 0);
    // The name lists go out on pin 29 at once, S1 no longer in the current selection.
    const std::vector<uint8_t> lists = gui->lastSent(29);
    ASSERT_EQ(lists.size(), 16528u);
    EXPECT_EQ(lists[0], 0) << "the current list is empty";
    // Inside a loading macro the batch stays on afterwards.
    gui->batch = 1;
    gui->cmdToggleSelect(CliObject());
    EXPECT_EQ(gui->batch, 1);
}

TEST_F(SelectionVerbs, SyndicationModeWords) {
    struct Case {
        const char* line;
        int32_t mode;
    };
    for (const Case& c :
         {Case{"SYN_MODE NONE", 0}, Case{"SYN_MODE BOTH", 3}, Case{"SYN_MODE SELECT", 2},
          Case{"SYN_MODE XYZ", 2}, Case{"SYN_MODE MARQ", 1}, Case{"SYN_MODE NONE", 0},
          Case{"SYN_MODE MARQUEE", 1}}) {
        EXPECT_EQ(run(c.line), 0) << c.line;
        EXPECT_EQ(gui->syndicationMode, c.mode) << c.line;
    }
}

TEST_F(SelectionVerbs, TouchPointsAndReloadsTheEditorsAndWritesPin60) {
    gui->targets[1].virtualChannel = 5;
    gui->outputDelays[1].changed = 1;
    gui->outputDelays[1].time = 0.25f;
    gui->loadDelayPanel(1, 2); // the editor showed another item
    EXPECT_EQ(run("TOUCH T2"), 0);
    EXPECT_EQ(gui->touchedKind, 2);
    EXPECT_EQ(gui->touchedIndex, 1);
    EXPECT_EQ(gui->currentTarget, 1);
    EXPECT_EQ(gui->pinNode.getValue(), 69);
    EXPECT_EQ(gui->envelopeList.total, 1);
    EXPECT_EQ(gui->envelopeList.targetCount, 1);
    EXPECT_EQ(gui->envelopeList.targets[0], 1);
    EXPECT_EQ(gui->envelopeList.sourceCount, 0);
    // Every editor now shows T2 with T2's settings loaded.
    EXPECT_EQ(gui->delayEditor.delayPanelKind, 2);
    EXPECT_EQ(gui->delayEditor.delayPanelIndex, 1);
    EXPECT_EQ(gui->delayEditor.delayTime, 0.25f);
    EXPECT_EQ(gui->filtersEditor.filterPanelKind, 2);
    EXPECT_EQ(gui->filtersEditor.filterPanelIndex, 1);
    EXPECT_EQ(gui->outputFilters[1].inUse, 1) << "the FILTERS editor set up T2's record";
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelKind, 2);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelIndex, 1);
    EXPECT_EQ(gui->virtualEditor.virtualEditMode, 2);
    EXPECT_EQ(gui->virtualEditor.virtualEditIndex, 5)
        << "the VIRTUAL editor shows T2's channel mix";

    EXPECT_EQ(run("TOUCH G1"), 0);
    EXPECT_EQ(gui->touchedKind, 3);
    EXPECT_EQ(gui->envelopeList.targets[0], 1) << "a group leaves the envelopes";

    EXPECT_EQ(run("TOUCH"), 1);
    EXPECT_EQ(gui->console.lastError, "TOUCH - NO ITEM SPECIFIED");
    EXPECT_EQ(run("TOUCH R1"), 1);
    EXPECT_EQ(gui->console.lastError, "TOUCH - NO RELEVANT NODE FOUND");
}

} // namespace

namespace {

// The name-lists pin sends every name a stored slot holds: an emptied slot holds none.
TEST_F(SelectionVerbs, EmptiedStoredSlotsSendNoFormerNames) {
    const auto slotText = [this](int slot) {
        gui->sendTextCommandPin();
        const MpBlob& blob = gui->pinNameLists.getValue();
        const char* at = reinterpret_cast<const char*>(blob.getData()) + 1032 * slot;
        return std::string(at, ::strnlen(at, 1024));
    };
    const struct {
        const char* what;
        std::vector<const char*> emptying;
    } cases[] = {
        {"stored again with nothing selected", {"STORE_SELECT 2"}},
        {"given again with fewer names", {"SEL X:2 T1"}},
        {"reset", {"RESET_SELECT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        run("SELECT S1 S2 T3");
        run("STORE_SELECT 2");
        ASSERT_EQ(slotText(2), "S1 S2 T3 ");
        for (const char* line : c.emptying) run(line);
        const std::string left = slotText(2);
        EXPECT_TRUE(left.empty() || left == "T1 ") << left;
    }
}

} // namespace
