// The command executor: selector expansion, echo, failures, error colour, undo, blank lines.
#include <gtest/gtest.h>

#include "command_test_support.h"
#include "qxplatform/test_hooks.h"

using namespace command_test;

namespace {

struct ExecutorTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();

    void SetUp() override {
        placeSources(*gui, {{"S1", 10, 10}, {"S2", 20, 20}, {"KICK", 500, 500}});
        placeTargets(*gui, {{"T1", 15, 15}, {"T2", 30, 30}});
        placeGroups(*gui, {{"G1", 12, 12}});
        gui->roomCount = 1;
        gui->rooms[0].name = "R1";
        setMarquee(*gui, 0, 0, 100, 100);
    }

    std::string echoOf(const std::string& line) {
        clearConsoleLog(*gui);
        gui->executeCommandString(line);
        for (const std::string& l : consoleLines(*gui))
            if (l.rfind("-> ", 0) == 0) return l;
        return "(no echo)";
    }
};

TEST_F(ExecutorTest, ExpandsSelectorWordsIntoNameLists) {
    struct Case {
        const char* line;
        const char* echo;
    } cases[] = {
        {"FOO ALL_SOURCES", "-> FOO S1 S2 KICK "},
        {"FOO ALL_TARGETS", "-> FOO T1 T2 "},
        {"FOO ALL_GROUPS", "-> FOO G1 "},
        {"FOO ALL_ROOMS", "-> FOO R1 "},
        // The last source lies outside the marquee: its place still adds a blank.
        {"FOO SOURCES", "-> FOO S1 S2  "},
        {"FOO TARGETS", "-> FOO T1 T2"},
        {"FOO GROUPS", "-> FOO G1"},
        {"FOO MARQUEE", "-> FOO T1 T2 S1 S2   G1"},
        // A selector inside a longer word is expanded too.
        {"FOO KICK_SOURCES", "-> FOO KICK_S1 S2  "},
        // The room and marquee verbs and a saved syndication mode keep the word.
        {"MARQUEE_TO_ROOM R1", "-> MARQUEE_TO_ROOM R1"},
        {"SYN_MODE MARQUEE", "-> SYN_MODE MARQUEE"},
    };
    for (const Case& c : cases) EXPECT_EQ(echoOf(c.line), c.echo) << c.line;
}

TEST_F(ExecutorTest, AnnouncesTheMarqueeExpansion) {
    clearConsoleLog(*gui);
    gui->executeCommandString("FOO MARQUEE");
    ASSERT_GE(gui->console.writeIndex, 2);
    EXPECT_EQ(gui->console.lines[0], "MARQUEE IN STRING");
    clearConsoleLog(*gui);
    gui->executeCommandString("MARQUEE_TO_ROOM R1");
    EXPECT_NE(gui->console.lines[0], "MARQUEE IN STRING");
}

TEST_F(ExecutorTest, HiddenItemsAreListedOnlyForHideCommands) {
    gui->sources[1].shown = 0;
    EXPECT_EQ(echoOf("FOO SOURCES"), "-> FOO S1  ");
    EXPECT_EQ(echoOf("UNHIDE SOURCES"), "-> UNHIDE S1 S2  ");
}

TEST_F(ExecutorTest, NoSourceInsideTheMarqueeLeavesTwoBlanks) {
    setMarquee(*gui, 1000, 1000, 1100, 1100);
    EXPECT_EQ(echoOf("MUTE SOURCES"), "-> MUTE  ");
}

TEST_F(ExecutorTest, SelectionExpandsToTheSelectedNamesOrToNothing) {
    gui->selectedNames[0] = "S2";
    gui->selectedNames[1] = "T1";
    gui->selectedCount = 2;
    EXPECT_EQ(echoOf("FOO SELECTION"), "-> FOO S2 T1");
    // Nothing selected: never the name left over in the first slot.
    gui->selectedCount = 0;
    EXPECT_EQ(echoOf("FOO SELECTION"), "-> FOO ");
}

TEST_F(ExecutorTest, SyndicationFollowsTheModeAndTheTouchedItem) {
    gui->touchedKind = 2;
    gui->touchedIndex = 1;
    struct Case {
        int32_t mode;
        int32_t selected;
        const char* echo;
    } cases[] = {
        {0, 0, "-> FOO T2"},   {1, 0, "-> FOO T1 T2 S1 S2   G1"},      {2, 0, "-> FOO T2"},
        {2, 1, "-> FOO KICK"}, {3, 1, "-> FOO KICK T1 T2 S1 S2   G1"}, {7, 0, "-> FOO SYNDICATION"},
    };
    gui->selectedNames[0] = "KICK";
    for (const Case& c : cases) {
        gui->syndicationMode = c.mode;
        gui->selectedCount = c.selected;
        EXPECT_EQ(echoOf("FOO SYNDICATION"), c.echo) << "mode " << c.mode;
    }
    // Mode 0 with no touched item leaves the word.
    gui->syndicationMode = 0;
    gui->touchedKind = -1;
    EXPECT_EQ(echoOf("FOO SYNDICATION"), "-> FOO SYNDICATION");
}

TEST_F(ExecutorTest, UnknownVerbIsReportedCountedAndColoured) {
    clearConsoleLog(*gui);
    const int32_t errorsBefore = gui->console.errorCount;
    EXPECT_EQ(gui->executeCommandString("FOO S1"), 1);
    const auto lines = consoleLines(*gui);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "-> FOO S1");
    EXPECT_EQ(lines[1], "COMMAND \"FOO\" NOT FOUND");
    EXPECT_EQ(gui->console.lineHighlight[0], 0);
    EXPECT_EQ(gui->console.lineHighlight[1], 1);
    EXPECT_EQ(gui->console.highlight, 0);
    EXPECT_EQ(gui->console.errorCount, errorsBefore + 1);
    EXPECT_EQ(gui->console.lastError, "COMMAND \"FOO\" NOT FOUND");
    EXPECT_EQ(gui->console.pendingError, "");
    // Lower-case words name no verb and no item.
    EXPECT_EQ(gui->executeCommandString("intro"), 1);
    EXPECT_EQ(gui->console.lastError, "COMMAND \"intro\" NOT FOUND");
}

TEST_F(ExecutorTest, AMessageOfTwoLinesTakesOneMoreConsoleLine) {
    clearConsoleLog(*gui);
    gui->executeCommandString("A\nB");
    const auto lines = consoleLines(*gui);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "COMMAND \"A\nB\" NOT FOUND");
    EXPECT_EQ(lines[2], " ");
}

TEST_F(ExecutorTest, AFailureNeverPrintsAnOlderMessage) {
    gui->console.pendingError = "FILE NOT FOUND";
    qxplatform::clearDialogAnswers();
    clearConsoleLog(*gui);
    // A cancelled open dialog fails without a message of its own.
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO_FILE"), 1);
    const auto lines = consoleLines(*gui);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], ">> OPEN FILE DIALOG CANCELLED");
    EXPECT_EQ(lines[2], "");
}

TEST_F(ExecutorTest, BlankLinesDoNothing) {
    gui->executeCommandString("INTRO");
    clearConsoleLog(*gui);
    const int32_t errors = gui->console.errorCount;
    for (const char* line : {"", " ", "   ", "\t", "\r"}) {
        EXPECT_EQ(gui->executeCommandString(line), 0);
        EXPECT_EQ(gui->console.writeIndex, 0) << "'" << line << "'";
    }
    EXPECT_EQ(gui->console.errorCount, errors);
    EXPECT_EQ(gui->lastCommand, "INTRO");
}

TEST_F(ExecutorTest, LastCommandKeepsOnlyOneWordLines) {
    gui->executeCommandString("INTRO");
    EXPECT_EQ(gui->lastCommand, "INTRO");
    gui->executeCommandString("BAR");
    EXPECT_EQ(gui->lastCommand, "BAR"); // a failed one-word line is kept as well
    gui->executeCommandString("VERBOSE 0");
    EXPECT_EQ(gui->lastCommand, "");
}

TEST_F(ExecutorTest, SuccessClearsTheLastErrorAndCommits) {
    gui->executeCommandString("FOO");
    EXPECT_FALSE(gui->console.lastError.empty());
    command_test::clearFlags(*gui);
    EXPECT_EQ(gui->executeCommandString("VERBOSE 0"), 0);
    EXPECT_EQ(gui->console.lastError, "");
    EXPECT_EQ(gui->sendFlags[kSendSources], 1);
    EXPECT_EQ(gui->sendFlags[kSendGainMatrix], 1);
}

TEST_F(ExecutorTest, UndoRestoresTheItemsTheLastCommandAddressed) {
    // Any command that names items stores them first, even one that fails.
    gui->executeCommandString("FOO S2 T1");
    gui->sources[1].level = 0.25f;
    gui->sources[1].name = "RENAMED";
    gui->targets[0].mute = 1;
    clearConsoleLog(*gui);
    EXPECT_EQ(gui->executeCommandString("UNDO"), 0);
    EXPECT_EQ(consoleLines(*gui)[1], "UNDO !");
    EXPECT_FLOAT_EQ(gui->sources[1].level, 1.0f);
    EXPECT_EQ(gui->sources[1].name, "S2");
    EXPECT_EQ(gui->targets[0].mute, 0);
    // One level only, and UNDO again writes the same values again.
    gui->sources[1].level = 0.5f;
    gui->executeCommandString("UNDO");
    EXPECT_FLOAT_EQ(gui->sources[1].level, 1.0f);
    // A command that names nothing empties the store.
    gui->executeCommandString("FOO BAR");
    gui->sources[1].level = 0.5f;
    gui->executeCommandString("UNDO");
    EXPECT_FLOAT_EQ(gui->sources[1].level, 0.5f);
}

TEST_F(ExecutorTest, VerboseModeDumpsTheParseInsteadOfTheEcho) {
    gui->console.verbose = 1;
    clearConsoleLog(*gui);
    gui->executeCommandString("FOO S2 X:5 -6");
    const std::vector<std::string> expected = {
        "",
        "CLI OBJECT >",
        "    > COMMAND STRING > FOO S2 X:5 -6",
        "    > ACTION > FOO",
        "    > ARGUMENTS > S2  -6 ",
        "    > MODE > 1",
        "    > START > -1",
        "    > NUM STARTS > 0",
        "    > STARTS > ",
        "    > END > -1",
        "    > NUM ENDS > 0",
        "    > ENDS > ",
        "    > VALUE > -6.000000",
        "    > STRING > -6",
        "    > VARS BY REF > 1",
        "    -> TYPE [1] INDEX [1] RANK[0] STRING [S2]",
        "",
        "COMMAND \"FOO\" NOT FOUND",
    };
    EXPECT_EQ(consoleLines(*gui), expected);
    EXPECT_EQ(gui->console.statusMessage, "    -> TYPE [1] INDEX [1] RANK[0] STRING [S2]");
}

TEST_F(ExecutorTest, IntroPrintsTheBanner) {
    gui->appendConsoleLine("OLD");
    gui->appendConsoleLine("OLDER");
    gui->executeCommandString("INTRO");
    // The console is cleared but the write position stays: the banner follows the old lines.
    EXPECT_EQ(gui->console.lines[0], "");
    EXPECT_EQ(gui->console.lines[1], "");
    const int32_t w = gui->console.writeIndex;
    EXPECT_EQ(gui->console.lines[w - 3], "VELTRAMONDIS 05/12/22");
    EXPECT_EQ(gui->console.lines[w - 2], "COMMAND LINE");
    EXPECT_EQ(gui->console.lines[w - 1], "");
}

} // namespace
