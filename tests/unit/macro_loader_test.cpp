// Macro files: comments, deferred tab lines, one batch, failure reports, missing files,
// nested loads and the patch path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

#include "app/text_services.h"
#include "command_test_support.h"
#include "module_file.h"
#include "patch_round_trip_support.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "screen_fixture.h"

using namespace command_test;

namespace {

struct MacroLoaderTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override {
        gui->setSourceCount(4);
        // As in a window: the timer runs the deferred lines, one per tick.
        gui->timerStarted = 1;
        clearConsoleLog(*gui);
    }
    bool consoleHas(const std::string& line) {
        for (const std::string& l : consoleLines(*gui))
            if (l == line) return true;
        return false;
    }
};

TEST_F(MacroLoaderTest, RunsCommandsSkipsCommentsAndReportsSuccess) {
    TempFile file("MACROS/UNIT_FOUR.txt",
                  "set num_source 2\n; SET NUM_SOURCE 9\n# SET NUM_SOURCE 9\n\n"
                  "SET NUM_TARGET 3 ; the remark hides the whole line\r\n");
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO MACROS/UNIT_FOUR.txt"), 0);
    EXPECT_EQ(gui->sourceCount, 2); // upper-cased and run
    EXPECT_EQ(gui->targetCount, 0);
    const auto lines = consoleLines(*gui);
    const std::vector<std::string> expected = {
        "-> LOAD_MACRO MACROS/UNIT_FOUR.txt",
        "ATTEMPT TO LOAD MACRO : MACROS/UNIT_FOUR.txt",
        "-> SET NUM_SOURCE 2",
        "",
        "<< PATCH LOADING COMPLETE >>",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(gui->currentMacroName, "MACROS/UNIT_FOUR.txt");
    EXPECT_EQ(gui->patchPathLength, 0); // files under MACROS/ are not patches
}

TEST_F(MacroLoaderTest, TheWholeFileIsOneBatch) {
    TempFile file("MACROS/UNIT_BATCH.txt", "SET NUM_SOURCE 3\nINTRO\n");
    uint8_t batchSeen = 0;
    int commitsDuringLoad = 0;
    // The flags raised by commits inside the file would show here if any ran.
    command_test::clearFlags(*gui);
    gui->batch = 0;
    EXPECT_EQ(gui->runMacroLoad("MACROS/UNIT_BATCH.txt", true, true), 0);
    batchSeen = gui->batch;
    // (SET raises the sources and gain-matrix flags itself; these only a commit raises.)
    for (int i : {kSendPanelLayout, kSendOutputDelays, kSendFeedbackMixes, kSendNameLists})
        commitsDuringLoad += gui->sendFlags[i];
    EXPECT_EQ(batchSeen, 0);
    EXPECT_EQ(commitsDuringLoad, 0) << "a line of the file committed during the load";
    // The LOAD_MACRO line itself commits once the file has run.
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_BATCH.txt");
    EXPECT_EQ(gui->sendFlags[kSendViewState], 1);
    EXPECT_EQ(gui->sendFlags[kSendNameLists], 1);
}

TEST_F(MacroLoaderTest, FailuresAreCollectedAndReportedWithTheirLineNumbers) {
    TempFile file("MACROS/UNIT_FAIL.txt", "INTRO\nfoo s1\nSLICE_X\t1\t2\n\nSET NUM_SOURCE\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_FAIL.txt");
    EXPECT_EQ(gui->console.errorCount, 2);
    ASSERT_EQ(gui->failedLineCount, 2);
    EXPECT_EQ(gui->failedLineNumbers[0], 2);
    EXPECT_EQ(gui->failedLines[0], "foo s1 - COMMAND \"FOO\" NOT FOUND");
    // The tab line does not count: the fifth physical line is reported as line 4.
    EXPECT_EQ(gui->failedLineNumbers[1], 4);
    EXPECT_TRUE(consoleHas("<< 2 ERRORS IN MACRO >>"));
    EXPECT_TRUE(consoleHas("<< ON LINE 2 >> :: foo s1 - COMMAND \"FOO\" NOT FOUND - "));
    EXPECT_TRUE(consoleHas("<< ON LINE 4 >> :: SET NUM_SOURCE - NUMBER NOT SPECIFIED - "));
    EXPECT_FALSE(consoleHas("<< PATCH LOADING COMPLETE >>"));
}

TEST_F(MacroLoaderTest, TabLinesWaitForTheTimerOnePerTick) {
    TempFile file("MACROS/UNIT_TABS.txt", "FOO\tA\nINTRO\nBAR\tB\n#\tC\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_TABS.txt");
    EXPECT_EQ(gui->queuedLineCount, 3);
    EXPECT_EQ(gui->queueActive, 1);
    // The console cuts the announcement at 65 characters.
    EXPECT_TRUE(consoleHas(
        std::string("NOW WE'RE GONNA RUN A TIMER COMMAND TO SORT-OUT THE REMAINING STRINGS")
            .substr(0, 65) +
        " ..."));
    clearConsoleLog(*gui);
    gui->runNextQueuedLine();
    EXPECT_EQ(consoleLines(*gui)[0], "-> FOO\tA"); // run as stored, tab included
    gui->runNextQueuedLine();
    gui->runNextQueuedLine(); // the comment is skipped
    EXPECT_EQ(gui->queueActive, 0);
    EXPECT_EQ(consoleLines(*gui).back(), ">> END OF EXTENDED PARSING <<");
    const int32_t w = gui->console.writeIndex;
    gui->runNextQueuedLine();
    EXPECT_EQ(gui->console.writeIndex, w);
}

TEST_F(MacroLoaderTest, ALoadStopsTheQueueOfAnEarlierLoad) {
    TempFile tabs("MACROS/UNIT_TABS2.txt", "FOO\tA\nFOO\tB\n");
    TempFile plain("MACROS/UNIT_PLAIN.txt", "INTRO\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_TABS2.txt");
    EXPECT_EQ(gui->queueActive, 1);
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_PLAIN.txt");
    EXPECT_EQ(gui->queueActive, 0);
    EXPECT_EQ(gui->queuedLineCount, 0);
}

TEST_F(MacroLoaderTest, TheQueueHoldsAtMost200Lines) {
    std::string text;
    for (int i = 0; i < 230; ++i) text += "FOO\t" + std::to_string(i) + "\n";
    TempFile file("MACROS/UNIT_MANY.txt", text);
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_MANY.txt");
    EXPECT_EQ(gui->queuedLineCount, 200);
    EXPECT_EQ(gui->queuedLines[199], "FOO\t199");
}

TEST_F(MacroLoaderTest, StopMacroStopsTheLinesAfterIt) {
    TempFile file("MACROS/UNIT_STOP.txt", "SET NUM_SOURCE 1\nSTOP_MACRO\nSET NUM_SOURCE 7\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_STOP.txt");
    EXPECT_EQ(gui->sourceCount, 1);
}

TEST_F(MacroLoaderTest, AMissingFileIsReportedAsOneError) {
    gui->executeCommandString("LOAD_MACRO MACROS/NO_SUCH_FILE.txt");
    const std::vector<std::string> expected = {
        "-> LOAD_MACRO MACROS/NO_SUCH_FILE.txt",
        "ATTEMPT TO LOAD MACRO : MACROS/NO_SUCH_FILE.txt",
        "MACRO FILE NOT FOUND OUTSIDE OF LOCALITY",
        "<< 1 ERRORS IN MACRO >>",
        "<< ON LINE -1 >> :: FILE NOT FOUND - ",
    };
    EXPECT_EQ(consoleLines(*gui), expected);
    EXPECT_EQ(gui->console.statusMessage, "MACRO FILE NOT FOUND LOCALLY");
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO"), 1);
    EXPECT_EQ(gui->console.lastError, "NO MACRO SPECIFIED");
}

TEST_F(MacroLoaderTest, ANestedLoadKeepsTheOuterFilesFailuresAndQueue) {
    TempFile inner("MACROS/UNIT_INNER.txt", "BAD_INNER\nINNER\tLINE\n");
    TempFile outer("MACROS/UNIT_OUTER.txt",
                   "BAD_OUTER\nOUTER\tLINE\nLOAD_MACRO MACROS/UNIT_INNER.txt\nSET NUM_SOURCE 2\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_OUTER.txt");
    EXPECT_EQ(gui->console.errorCount, 1);
    ASSERT_EQ(gui->failedLineCount, 1);
    EXPECT_EQ(gui->failedLineNumbers[0], 1);
    EXPECT_EQ(gui->queuedLineCount, 2);
    EXPECT_EQ(gui->queuedLines[0], "OUTER\tLINE");
    EXPECT_EQ(gui->queuedLines[1], "INNER\tLINE");
    EXPECT_EQ(gui->sourceCount, 2);
    EXPECT_TRUE(consoleHas("<< ON LINE 1 >> :: BAD_INNER - COMMAND \"BAD_INNER\" NOT FOUND - "));
    EXPECT_TRUE(consoleHas("<< ON LINE 1 >> :: BAD_OUTER - COMMAND \"BAD_OUTER\" NOT FOUND - "));
}

TEST_F(MacroLoaderTest, AFileOutsideMacrosBecomesThePatch) {
    TempFile file("PATCHES/UNIT_PATCH.txt", "INTRO\n");
    gui->executeCommandString("LOAD_MACRO PATCHES/UNIT_PATCH.txt");
    EXPECT_EQ(std::string(gui->patchPath, gui->patchPathLength), "PATCHES/UNIT_PATCH.txt");
    EXPECT_EQ(gui->patchPath[gui->patchPathLength], '\0');
}

TEST_F(MacroLoaderTest, LoadMacroFileAsksTheOpenDialog) {
    TempFile file("PATCHES/UNIT_DIALOG.txt", "SET NUM_SOURCE 5\nBOGUS\n");
    qxplatform::clearDialogAnswers();
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Open, file.hostPath);
    gui->console.errorCount = 0;
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO_FILE"), 0);
    EXPECT_EQ(gui->sourceCount, 5);
    EXPECT_TRUE(consoleHas("<< 1 ERRORS IN MACRO >>"));
    const std::string patch(gui->patchPath, gui->patchPathLength);
    EXPECT_NE(patch.find("UNIT_DIALOG.txt"), std::string::npos);
    EXPECT_EQ(patch.find('\\'), std::string::npos); // stored with forward slashes
}

} // namespace

TEST_F(MacroLoaderTest, ALoadHandsButtonsTextsAndRectanglesBackToTheStage) {
    const TempFile panel("MACROS/UNIT_PANEL.txt", "DRAW_IN_MACRO\nRECT X:1 Y:2 W:3 H:4\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_PANEL.txt");
    EXPECT_EQ(gui->annotations.macroAnnotations.rectCount, 1);
    const TempFile stage("MACROS/UNIT_STAGE.txt", "RECT X:1 Y:2 W:3 H:4\n");
    gui->executeCommandString("LOAD_MACRO MACROS/UNIT_STAGE.txt");
    EXPECT_EQ(gui->annotations.macroAnnotations.rectCount, 1);
    EXPECT_EQ(gui->annotations.stageAnnotations.rectCount, 1);
}

namespace {

// The texts, buttons and rectangles of the stage set, and how the stage draws them.
struct PlacedAnnotations {
    std::vector<std::array<float, 4>> places; // x, y, width, height of each, in set order
    std::vector<std::vector<float>> drawn;    // the vertices of every draw of the stage page
};

PlacedAnnotations loadAndDraw(const std::vector<std::string>& lines) {
    ScreenFixture f;
    for (const std::string& line : lines) f.run(line);
    PlacedAnnotations out;
    const AnnotationSet& set = f.gui->annotations.stageAnnotations;
    for (int i = 0; i < set.textCount; ++i)
        out.places.push_back({set.texts[i].x, set.texts[i].y, 0.0f, 0.0f});
    for (int i = 0; i < set.buttonCount; ++i) {
        const AnnotationButton& b = set.buttons[i];
        out.places.push_back({b.x, b.y, b.width, b.height});
    }
    for (int i = 0; i < set.rectCount; ++i) {
        const AnnotationRect& r = set.rects[i];
        out.places.push_back({r.x, r.y, r.width, r.height});
    }
    for (const RecordedDraw& draw : f.drawStage().draws) out.drawn.push_back(draw.xy);
    return out;
}

// A file places its annotations from the origin whatever an earlier file's "_AT" left: loaded
// after such a file, or from inside it, it draws exactly as when loaded alone.
TEST(MacroLoaderOrigin, EveryLoadPlacesAnnotationsFromTheOrigin) {
    const TempFile placed("MACROS/UNIT_PLACED.txt", "TEXT X:10 Y:10 HELLO\n"
                                                    "BUTTON X:20 Y:30 W:40 H:12 \"INTRO\"\n"
                                                    "RECT X:5 Y:6 W:7 H:8\n");
    const TempFile moved("MACROS/UNIT_MOVED.txt", "_AT X:300 Y:200\n");
    const TempFile nesting("MACROS/UNIT_NESTING.txt",
                           "_AT X:300 Y:200\nLOAD_MACRO MACROS/UNIT_PLACED.txt\n");
    const PlacedAnnotations alone = loadAndDraw({"LOAD_MACRO MACROS/UNIT_PLACED.txt"});
    ASSERT_EQ(alone.places.size(), 3u);
    EXPECT_EQ(alone.places[0][0], 10.0f);
    EXPECT_EQ(alone.places[0][1], 10.0f);
    const std::vector<std::string> scripts[] = {
        {"LOAD_MACRO MACROS/UNIT_MOVED.txt", "LOAD_MACRO MACROS/UNIT_PLACED.txt"},
        {"LOAD_MACRO MACROS/UNIT_NESTING.txt"},
    };
    for (const std::vector<std::string>& script : scripts) {
        const PlacedAnnotations after = loadAndDraw(script);
        EXPECT_EQ(after.places, alone.places) << script.back();
        EXPECT_EQ(after.drawn, alone.drawn) << script.back();
    }
}

TEST(MacroLoaderOrigin, ALoadClearsTheLitButtonsAndAFailedOneKeepsTheHighlight) {
    const TempFile failing("MACROS/UNIT_FAILING.txt", "BOGUS\n");
    ScreenFixture f;
    f.run("BUTTON X:20 Y:30 W:40 H:12 \"INTRO\"");
    f.gui->annotations.stageAnnotations.buttons[0].hover = 1;
    f.gui->console.highlight = 0;
    f.run("LOAD_MACRO MACROS/UNIT_FAILING.txt");
    EXPECT_EQ(f.gui->annotations.stageAnnotations.buttons[0].hover, 0);
    EXPECT_EQ(f.gui->console.highlight, 1) << "the error report leaves the highlight raised";
}

} // namespace

namespace {

// A file that loads itself reads no more than 8 MB with all its nested loads: the third 3 MB
// read is refused with a note, and the loads before it finish.
TEST(MacroLoaderBounds, NestedLoadsReadEightMegabytesBetweenThem) {
    std::string text = "LOAD_MACRO MACROS/UNIT_SELF.TXT\n";
    text.resize(3u << 20, '\n');
    const TempFile self("MACROS/UNIT_SELF.TXT", text);
    auto owned = std::make_unique<QX_GUI>();
    QX_GUI& gui = *owned;
    clearConsoleLog(gui);
    EXPECT_EQ(gui.executeCommandString("LOAD_MACRO MACROS/UNIT_SELF.TXT"), 0);
    const std::vector<std::string> lines = consoleLines(gui);
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "ATTEMPT TO LOAD MACRO : MACROS/UNIT_SELF.TXT"), 3);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.rfind("FILE REFUSED, THE LOADS IN PROGRESS WOULD READ "
                                                  "MORE THAN 8 MB : ",
                                                  0) == 0;
                            }),
              1);
    EXPECT_EQ(gui.macroLoadDepth, 0);
    // The next load has the whole allowance again.
    EXPECT_EQ(gui.executeCommandString("LOAD_MACRO MACROS/UNIT_SELF.TXT"), 0);
    const std::vector<std::string> again = consoleLines(gui);
    EXPECT_EQ(
        std::count(again.begin(), again.end(), "ATTEMPT TO LOAD MACRO : MACROS/UNIT_SELF.TXT"), 6);
}

} // namespace

namespace {

// A load runs lines for a limited time, the loads inside it included; past it the remaining
// lines are skipped and the stop is reported as a failed line. (A limit of 0 stops it before
// its first line; the clock stands still in the tests.)
TEST(MacroLoaderBounds, ALoadStopsRunningLinesPastItsTimeLimit) {
    const TempFile inner("MACROS/UNIT_TIMED_INNER.TXT", "SET NUM_TARGET 3\nSET NUM_TARGET 4\n");
    const TempFile outer(
        "MACROS/UNIT_TIMED_OUTER.TXT",
        "SET NUM_SOURCE 2\nLOAD_MACRO MACROS/UNIT_TIMED_INNER.TXT\nSET NUM_SOURCE 5\n");
    for (const int32_t limit : {3000, 0}) {
        auto gui = std::make_unique<QX_GUI>();
        const int32_t sourcesBefore = gui->sourceCount;
        const int32_t targetsBefore = gui->targetCount;
        gui->macroLoadTimeLimit = limit;
        clearConsoleLog(*gui);
        gui->executeCommandString("LOAD_MACRO MACROS/UNIT_TIMED_OUTER.TXT");
        const std::vector<std::string> lines = consoleLines(*gui);
        const auto stops = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.rfind("LOAD STOPPED AFTER 0 SECONDS, THE LINES FROM HERE ON ARE NOT RUN",
                              0) == 0;
        });
        EXPECT_EQ(stops, limit == 0 ? 1 : 0) << limit;
        EXPECT_EQ(gui->sourceCount, limit == 0 ? sourcesBefore : 5) << limit;
        EXPECT_EQ(gui->targetCount, limit == 0 ? targetsBefore : 4) << limit;
        EXPECT_EQ(gui->console.errorCount, limit == 0 ? 1 : 0) << limit;
        EXPECT_EQ(gui->failedLineCount, limit == 0 ? 1 : 0) << limit;
    }
}

} // namespace

namespace {

// The slice lines hold tabs: a load defers them to the timer. Without a window no timer runs,
// so the load runs them itself at its end; a save runs those still waiting before it writes.
struct DeferredLines : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override {
        qxplatform::clearDialogAnswers();
        clearConsoleLog(*gui);
    }
    void TearDown() override { qxplatform::clearDialogAnswers(); }
};

const char kSliceLines[] = "SLICE_M S:1 X:2\tS1\tS3\n"
                           "SLICE_X S:1 X:2\t10.50\t-20.00\n"
                           "SLICE_Y S:1 X:2\t1.00\t2.00\n"
                           "SLICE_S S:1 X:2\t0.50\t1.00\n"
                           "SLICE_L S:1 X:2\t1.00\t0.50\n";

std::vector<std::string> tabLinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (line.find('\t') != std::string::npos) lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

TEST_F(DeferredLines, WithoutATimerALoadRunsThemAtItsEnd) {
    TempFile file("MACROS/UNIT_SLICES.txt", std::string("SET NUM_SOURCE 3\n") + kSliceLines);
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO MACROS/UNIT_SLICES.txt"), 0);
    EXPECT_EQ(gui->queueActive, 0);
    EXPECT_EQ(gui->slices[0].memberCount, 2);
    EXPECT_EQ(gui->slices[0].x[1], -20.0f);
    const std::vector<std::string> lines = consoleLines(*gui);
    const auto complete = std::find(lines.begin(), lines.end(), "<< PATCH LOADING COMPLETE >>");
    const auto firstSlice = std::find(lines.begin(), lines.end(), "-> SLICE_M S:1 X:2\tS1\tS3");
    EXPECT_LT(complete, firstSlice) << "the load's report comes first, as with the timer";
    EXPECT_EQ(lines.back(), ">> END OF EXTENDED PARSING <<");
}

// A window's timer has not ticked yet: the save holds every slice all the same.
TEST_F(DeferredLines, ASaveRunsThoseStillWaitingFirst) {
    gui->timerStarted = 1;
    for (const char* verb : {"SAVE_NOW", "SAVE_PATCH"}) {
        TempFile loaded("PATCHES/UNIT_SLICES.txt",
                        std::string("# RESET EVERYTHING\nSET NUM_SOURCE 3\n") + kSliceLines);
        TempFile saved("PATCHES/UNIT_SAVED.txt", "");
        gui->executeCommandString("HARD_RESET");
        gui->executeCommandString("LOAD_MACRO PATCHES/UNIT_SLICES.txt");
        ASSERT_EQ(gui->queueActive, 1) << verb;
        const bool asNew = std::string(verb) == "SAVE_PATCH";
        if (asNew) qxplatform::queueDialogAnswer(qxplatform::DialogKind::Save, saved.hostPath);
        EXPECT_EQ(gui->executeCommandString(verb), 0) << verb << " " << gui->console.lastError;
        EXPECT_EQ(gui->queueActive, 0) << verb;
        const std::string text = patch_test::readFile(asNew ? saved.hostPath : loaded.hostPath);
        EXPECT_EQ(tabLinesOf(text), tabLinesOf(kSliceLines)) << verb;
    }
}

// A deferred line that loads its own file restarts the queue each time (a name may end in a
// tab): without a timer the load still ends, after a bounded number of rounds.
TEST_F(DeferredLines, ADeferredLineThatLoadsItsOwnFileEnds) {
    const std::string name = "MACROS/UNIT_AGAIN.txt\t";
    TempFile file(name, "LOAD_MACRO " + name + "\n");
    EXPECT_EQ(gui->executeCommandString("LOAD_MACRO " + name), 0);
    EXPECT_EQ(gui->macroLoadDepth, 0);
    EXPECT_EQ(gui->queueFlushing, 0);
    int loads = 0;
    for (const std::string& line : gui->console.lines)
        loads += line.rfind("ATTEMPT TO LOAD MACRO : MACROS/UNIT_AGAIN", 0) == 0;
    EXPECT_GT(loads, 2) << "the file loaded itself";
}

} // namespace
