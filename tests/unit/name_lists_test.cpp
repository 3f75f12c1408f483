// Name lists of the marquee, the selection and the touched item, and the lookups by name.
#include <gtest/gtest.h>

#include "command/text_utils.h"
#include "command_test_support.h"

using namespace command_test;

namespace {

struct NameListsTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override {
        placeSources(*gui, {{"A", 5, 5}, {"B", 10.9f, 6}, {"C", 50, 50}});
        placeTargets(*gui, {{"T1", 1, 1}, {"T2", 2, 2}});
        placeGroups(*gui, {{"G1", 3, 3}, {"G2", 99, 99}});
        setMarquee(*gui, 0, 0, 10, 10);
    }
};

TEST_F(NameListsTest, MarkedListsFollowTheMarqueeAndTheShownFlags) {
    gui->sources[1].shown = 0;
    EXPECT_EQ(gui->markedSourceNames(0), "A  ");
    EXPECT_EQ(gui->markedSourceNames(1), "A B  "); // 10.9 is cut to 10: inside
    EXPECT_EQ(gui->markedTargetNames(0), "T1 T2");
    EXPECT_EQ(gui->markedGroupNames(0), "G1  "); // the last group does not qualify
    EXPECT_EQ(gui->countFlaggedInMarquee(), 1 + 2 + 1);
    gui->stageView.sourcesShown = 0;
    EXPECT_EQ(gui->markedSourceNames(1), "");
    EXPECT_FALSE(gui->isItemInMarquee(1, 0, 1));
    gui->stageView.targetsLocked = 1;
    EXPECT_EQ(gui->markedTargetNames(0), "");
    EXPECT_EQ(gui->countFlaggedInMarquee(), 1);
}

TEST_F(NameListsTest, AllNamesEndInABlank) {
    EXPECT_EQ(gui->allSourceNames(), "A B C ");
    gui->roomCount = 0;
    EXPECT_EQ(gui->allRoomNames(), "");
}

TEST_F(NameListsTest, TouchedItemName) {
    EXPECT_EQ(gui->itemName(), "");
    gui->touchedKind = 3;
    gui->touchedIndex = 1;
    EXPECT_EQ(gui->itemName(), "G2");
    gui->touchedKind = 5;
    EXPECT_EQ(gui->itemName(), "");
}

TEST_F(NameListsTest, LookupsByNameAreExact) {
    EXPECT_EQ(gui->findItemIndexByName("T2"), 1);
    EXPECT_EQ(gui->findItemKindByName("T2"), 2);
    EXPECT_EQ(gui->findItemIndexByName("t2"), -1);
    float x = -1, y = -1;
    gui->findObjectPosition("G1", x, y);
    EXPECT_FLOAT_EQ(x, 3.0f);
    gui->findObjectPosition("NOPE", x, y);
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
}

TEST(ReplaceAll, DoesNotSearchTheInsertedText) {
    std::string text = "AB";
    EXPECT_EQ(replaceAll(text, "AB", "ABAB"), "ABAB");
    EXPECT_EQ(text, "ABAB");
    std::string two = "X SOURCES Y SOURCES";
    EXPECT_EQ(replaceAll(two, "SOURCES", ""), "X  Y ");
}

} // namespace
