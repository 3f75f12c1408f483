// The verb table: order, exact matching, a handler for every verb.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "command/verb_table.h"
#include "command_test_support.h"

using namespace command_test;

namespace {

TEST(VerbTable, HoldsEveryVerbOnceInItsOrder) {
    std::vector<std::string> verbs;
    for (const VerbRow* row = verbTableBegin(); row != verbTableEnd(); ++row)
        verbs.push_back(row->verb);
    ASSERT_EQ(verbs.size(), 191u);
    EXPECT_EQ(std::set<std::string>(verbs.begin(), verbs.end()).size(), 191u);
    EXPECT_EQ(verbs.front(), "UNDO");
    EXPECT_EQ(verbs[1], "INTRO");
    EXPECT_EQ(verbs[93], "ZOOM_LEVEL");
    EXPECT_EQ(verbs[94], "ZOOM");
    EXPECT_EQ(verbs[170], "LOAD_MACRO");
    EXPECT_EQ(verbs[173], "STOP_MACRO");
    EXPECT_EQ(verbs.back(), "SLICE_L");
}

struct DispatcherTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override { placeSources(*gui, {{"S1", 0, 0}}); }
};

TEST(VerbTable, EveryVerbButUndoHasAHandler) {
    for (const VerbRow* row = verbTableBegin(); row != verbTableEnd(); ++row)
        EXPECT_EQ(row->handler == nullptr, std::string(row->verb) == "UNDO") << row->verb;
}

TEST_F(DispatcherTest, ActionsAreComparedWholeAndWithCase) {
    for (const char* line : {"undo", "ZOO", "ZOOMX", "INTRO_", " INTRO"}) {
        EXPECT_EQ(gui->executeCommandString(line), 1) << line;
        EXPECT_NE(gui->console.lastError.find("NOT FOUND"), std::string::npos) << line;
    }
}

TEST_F(DispatcherTest, LowerCaseUndoIsUnknownAndReplacesTheUndoStore) {
    gui->executeCommandString("FOO S1");
    EXPECT_EQ(gui->undoCount, 1);
    gui->executeCommandString("undo");
    EXPECT_EQ(gui->console.lastError, "COMMAND \"undo\" NOT FOUND");
    EXPECT_EQ(gui->undoCount, 0);
}

} // namespace
