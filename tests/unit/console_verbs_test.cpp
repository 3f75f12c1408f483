// VERBOSE, CLS, SET, ENTER, CONFIRM and READ.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/text_services.h"
#include "command_test_support.h"
#include "qxplatform/runtime.h"

using namespace command_test;

namespace {

struct ConsoleVerbsTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override {
        gui->windowWidth = 800;
        gui->windowHeight = 600;
    }
};

TEST_F(ConsoleVerbsTest, VerboseSwitchesOnForAnythingButZero) {
    gui->executeCommandString("VERBOSE");
    EXPECT_EQ(gui->console.verbose, 1);
    gui->executeCommandString("VERBOSE 0");
    EXPECT_EQ(gui->console.verbose, 0);
    EXPECT_EQ(gui->console.lines[gui->console.writeIndex - 1], "> VERBOSITY > CONCISE");
    gui->executeCommandString("VERBOSE 00");
    EXPECT_EQ(gui->console.verbose, 1);
    EXPECT_EQ(gui->console.lines[gui->console.writeIndex - 1], "> VERBOSITY > LONG WINDED");
}

TEST_F(ConsoleVerbsTest, ClsKeepsTheWritePosition) {
    gui->appendConsoleLine("A");
    gui->executeCommandString("CLS");
    const int32_t w = gui->console.writeIndex;
    gui->appendConsoleLine("NEXT");
    EXPECT_EQ(gui->console.lines[0], "");
    EXPECT_EQ(gui->console.lines[w], "NEXT");
}

TEST_F(ConsoleVerbsTest, SetCountsAndItsRefusals) {
    struct Case {
        const char* line;
        int result;
        const char* error;
        int sources;
    } cases[] = {
        {"SET NUM_SOURCE 4", 0, "", 4},
        {"SET NUM_SOURCE 12AB", 0, "", 12},
        {"SET NUM_SOURCE -3", 1, "NEGATIVE NUMBER SPECIFIED", 12},
        // A missing number is refused: it must not remove every source.
        {"SET NUM_SOURCE", 1, "NUMBER NOT SPECIFIED", 12},
        {"SET NUM_SOURCE X", 1, "NUMBER NOT SPECIFIED", 12},
        {"SET", 1, "ITEM NOT SPECIFIED", 12},
        {"SET NUM_THINGS 3", 1, "ITEM NOT SPECIFIED", 12},
        {"SET NUM_TARGET_NUM_SOURCE 5", 0, "", 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gui->executeCommandString(c.line), c.result) << c.line;
        EXPECT_EQ(gui->console.lastError, c.error) << c.line;
        EXPECT_EQ(gui->sourceCount, c.sources) << c.line;
    }
    EXPECT_EQ(gui->executeCommandString("SET NUM_GROUP 0"), 0);
    EXPECT_EQ(gui->groupCount, 0);
    EXPECT_EQ(gui->executeCommandString("SET NUM_TARGET 3"), 0);
    EXPECT_EQ(gui->targetCount, 3);
}

TEST_F(ConsoleVerbsTest, EnterOpensTheCountPrompt) {
    gui->sourceCount = 9;
    EXPECT_EQ(gui->executeCommandString("ENTER SOURCE_COUNT"), 0);
    EXPECT_EQ(gui->textEntry.textEntryId, 7);
    EXPECT_EQ(gui->textEntry.textEntryText, "9");
    EXPECT_EQ(gui->textEntry.textEntryX, 400);
    EXPECT_EQ(gui->textEntry.textEntryY, 300);
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 2);
    EXPECT_EQ(gui->textEntry.textEntryKind, 3);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "SET NUMBER OF SOURCES");
    EXPECT_EQ(gui->textEntry.textEntryPrompt, "MIN 1 -> MAX 64");
    gui->textEntry.textEntryId = -1;
    EXPECT_EQ(gui->executeCommandString("ENTER ROOMS"), 0);
    EXPECT_EQ(gui->textEntry.textEntryId, -1);
}

TEST_F(ConsoleVerbsTest, ConfirmStoresTheCommandAndOpensTheEntry) {
    EXPECT_EQ(gui->executeCommandString(
                  "CONFIRM 'YOU JUST LOADED A BACKUP FILE' 'TO SAVE TYPE YES' 'SAVE_PATCH' '"),
              0);
    EXPECT_EQ(gui->confirmCommand, "SAVE_PATCH");
    EXPECT_EQ(gui->pendingConfirm, 1);
    EXPECT_EQ(gui->textEntry.textEntryId, 35);
    EXPECT_EQ(gui->textEntry.textEntryText, "NO");
    EXPECT_EQ(gui->textEntry.textEntryKind, 5);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "YOU JUST LOADED A BACKUP FILE");
    EXPECT_EQ(gui->textEntry.textEntryPrompt, "TO SAVE TYPE YES");
    EXPECT_EQ(gui->console.lines[gui->console.writeIndex - 1], "COMMAND STRING : SAVE_PATCH");
    EXPECT_EQ(gui->executeCommandString("CONFIRM 'A' 'B'"), 1);
    EXPECT_EQ(gui->console.lastError, "INVALID CONFIRM COMMAND");
}

TEST_F(ConsoleVerbsTest, ReadLoadsTheActionList) {
    const std::string path = qxplatform::toHostPath(modulePath("UNIT_ACTIONS.txt"));
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("kick|mute kick\r\nsnare\nhat|solo hat|extra\n", f);
    std::fclose(f);
    gui->console.verbose = 0;
    EXPECT_EQ(gui->executeCommandString("READ UNIT_ACTIONS.txt"), 0);
    EXPECT_EQ(gui->actionCount, 4); // the line end after the last line gives an empty entry
    EXPECT_EQ(gui->actionLists[0][0], "kick");
    EXPECT_EQ(gui->actionLists[1][0], "MUTE KICK");
    EXPECT_EQ(gui->actionLists[0][1], "snare");
    EXPECT_EQ(gui->actionLists[1][1], "");
    EXPECT_EQ(gui->actionLists[1][2], "SOLO HAT");
    EXPECT_EQ(gui->actionLists[0][3], "");
    EXPECT_EQ(gui->console.statusMessage, "NUMER OF ACTIONS : 4");
    gui->readActionList("NO_SUCH_LIST.txt");
    EXPECT_EQ(gui->actionCount, 0);
    std::remove(path.c_str());
}

} // namespace
