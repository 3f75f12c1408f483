// SAVE_NOW, the SAVE cell and the timer's auto save replace a file only when the patch writer
// made it; another file is replaced only after a yes in the yes/no box, and where no box can
// be shown it is kept. An untitled stage is saved as a new patch.
#include <gtest/gtest.h>

#include <optional>

#include "command/patch_file_io.h"
#include "command_test_support.h"
#include "patch_round_trip_support.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

using namespace patch_test;

namespace {

const char kNotes[] = "buy milk\ncall the venue\n";

struct SaveGuard : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    ScratchFolder scratch{"save_guard"};
    std::string file = scratch.path + "/F.txt";
    void SetUp() override {
        qxplatform::setMessageBoxesQuiet(true);
        qxplatform::clearMessageBoxes();
        qxplatform::clearMessageBoxAnswers();
        qxplatform::clearDialogAnswers();
        ASSERT_EQ(runLines(*gui, {"SET NUM_SOURCE 3", "MUTE S2"}), std::vector<std::string>());
        setPatchPath(file);
        command_test::clearConsoleLog(*gui);
    }
    void TearDown() override {
        qxplatform::clearMessageBoxAnswers();
        qxplatform::clearDialogAnswers();
        qxplatform::releaseManualClock();
    }
    // A path given by hand: the stage knows nothing of the file there, as after a restore of a
    // record kept before file stamps were.
    void setPatchPath(const std::string& path) {
        std::snprintf(gui->patchPath, sizeof gui->patchPath, "%s", path.c_str());
        gui->patchPathLength = static_cast<int32_t>(path.size());
        gui->saveState.patchFileStamp = FileStamp{};
    }
    bool consoleHas(const std::string& line) const {
        const auto lines = command_test::consoleLines(*gui);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    size_t questionsAsked() const {
        size_t n = 0;
        for (const auto& box : qxplatform::recentMessageBoxes()) n += (box.type & 0x0F) == MB_YESNO;
        return n;
    }
};

TEST_F(SaveGuard, TheWritersHeadIsWhatTheCheckLooksFor) {
    EXPECT_EQ(gui->composePatchText(0).rfind(std::string(kPatchHeadLine) + "\n", 0), 0u);
}

// What is in the file decides whether SAVE_NOW asks; the answer whether it writes.
TEST_F(SaveGuard, SaveNowAsksBeforeReplacingAFileTheWriterDidNotMake) {
    enum Answer { None, Yes, No };
    struct Case {
        const char* what;
        std::optional<std::string> content; // none: no file yet
        Answer answer;
        bool asks;
        bool writes;
        const char* told; // a console line, or the error
    };
    const Case cases[] = {
        {"no file yet", std::nullopt, None, false, true, "SAVE COMPLETE"},
        {"a patch", "# RESET EVERYTHING\nHARD_RESET\n", None, false, true, "SAVE COMPLETE"},
        {"a patch with CR LF", "# RESET EVERYTHING\r\nHARD_RESET\r\n", None, false, true,
         "SAVE COMPLETE"},
        {"notes, no", kNotes, No, true, false, ">> SAVE CANCELLED, THE FILE IS KEPT"},
        {"notes, yes", kNotes, Yes, true, true, "SAVE COMPLETE"},
        {"notes, no box", kNotes, None, true, false,
         "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"},
        {"an empty file", "", None, true, false,
         "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"},
        {"a longer first line", "# RESET EVERYTHING ELSE\nHARD_RESET\n", No, true, false,
         ">> SAVE CANCELLED, THE FILE IS KEPT"},
        {"commands by hand", "HARD_RESET\nSET NUM_SOURCE 2\n", No, true, false,
         ">> SAVE CANCELLED, THE FILE IS KEPT"},
    };
    for (const Case& c : cases) {
        setPatchPath(file);
        std::remove(file.c_str());
        if (c.content) writeFile(file, *c.content);
        qxplatform::clearMessageBoxes();
        qxplatform::clearMessageBoxAnswers();
        if (c.answer != None) qxplatform::queueMessageBoxAnswer(c.answer == Yes ? IDYES : IDNO);
        command_test::clearConsoleLog(*gui);

        EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), c.writes ? 0 : 1) << c.what;
        EXPECT_EQ(questionsAsked(), c.asks ? 1u : 0u) << c.what;
        const std::string now = readFile(file);
        if (c.writes)
            EXPECT_EQ(now, gui->composePatchText(0)) << c.what;
        else
            EXPECT_EQ(now, *c.content) << c.what;
        EXPECT_TRUE(consoleHas(c.told)) << c.what;
        EXPECT_EQ(consoleHas("-> NOT A PATCH FILE: ITS FIRST LINE IS NOT # RESET EVERYTHING"),
                  c.asks)
            << c.what;
        EXPECT_EQ(std::string(gui->patchPath, gui->patchPathLength), file) << c.what;
    }
}

// The SAVE cell and the timer's auto save go through the same question as SAVE_NOW.
TEST_F(SaveGuard, TheSaveCellAndAutoSaveKeepAFileThatIsNotAPatch) {
    writeFile(file, kNotes);
    gui->runPatchFileCell(40);
    EXPECT_EQ(readFile(file), kNotes);
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_EQ(gui->console.lastError, "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT");

    qxplatform::setManualClock(100000);
    gui->autoSave = 1;
    gui->autoLastClock = 100000 - gui->autoSaveInterval;
    gui->onTimer();
    EXPECT_EQ(readFile(file), kNotes);
    EXPECT_EQ(questionsAsked(), 2u);
}

// After a no, or where no box can be shown, the auto save says once that it skips the file and
// asks no more; a save by hand still asks, and once it has written, auto save goes on.
TEST_F(SaveGuard, AutoSaveAsksOnceAndSkipsTheFileUntilASaveByHand) {
    writeFile(file, kNotes);
    qxplatform::setManualClock(100000);
    gui->autoSave = 1;
    gui->autoLastClock = 100000 - gui->autoSaveInterval;
    auto autoSaveNow = [&] {
        qxplatform::advanceManualClock(gui->autoSaveInterval);
        gui->onTimer();
    };
    qxplatform::queueMessageBoxAnswer(IDNO);
    autoSaveNow();
    EXPECT_TRUE(consoleHas("[AUTO SAVE] SKIPS THIS FILE UNTIL A SAVE BY HAND"));
    autoSaveNow();
    autoSaveNow();
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_EQ(readFile(file), kNotes);

    qxplatform::queueMessageBoxAnswer(IDYES);
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 0);
    EXPECT_EQ(questionsAsked(), 2u);
    gui->executeCommandString("MUTE S3");
    autoSaveNow();
    EXPECT_EQ(readFile(file), gui->composePatchText(0)) << "auto save goes on after the save";
    EXPECT_EQ(questionsAsked(), 2u);
}

// The timer ticks on while the yes/no box waits; no second box opens over it, and a save by
// hand in that time says why it does not save.
TEST_F(SaveGuard, NoSecondQuestionWhileTheFirstIsOpen) {
    writeFile(file, kNotes);
    qxplatform::setManualClock(100000);
    gui->autoSave = 1;
    gui->autoLastClock = 100000 - gui->autoSaveInterval;
    gui->saveState.replaceQuestionOpen = 1; // as inside the box's modal loop
    gui->onTimer();
    EXPECT_EQ(questionsAsked(), 0u);
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 1);
    EXPECT_EQ(gui->console.lastError,
              "-> NOT SAVED: THE QUESTION OF THE SAVE BEFORE IS STILL OPEN");
    EXPECT_EQ(readFile(file), kNotes);
    gui->saveState.replaceQuestionOpen = 0;
    qxplatform::queueMessageBoxAnswer(IDNO);
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 1);
    EXPECT_EQ(gui->saveState.replaceQuestionOpen, 0) << "the box closed";
}

// A patch record restored from an earlier, longer run carries that run's clock: the auto save
// starts its interval again rather than waiting for this run's clock to catch up.
TEST_F(SaveGuard, AutoSaveAfterARestoredClockSavesWithinAnInterval) {
    qxplatform::setManualClock(1000);
    gui->autoSave = 1;
    gui->autoLastClock = 3600 * 1000; // an hour into the run before
    gui->onTimer();
    qxplatform::advanceManualClock(gui->autoSaveInterval);
    gui->onTimer();
    EXPECT_EQ(readFile(file), gui->composePatchText(0));
}

// SAVE AS writes the file chosen: the save dialog has asked about replacing it.
TEST_F(SaveGuard, SaveAsDoesNotAskAgain) {
    const std::string other = scratch.path + "/NOTES.txt";
    writeFile(other, kNotes);
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Save, other);
    EXPECT_EQ(gui->executeCommandString("SAVE_PATCH"), 0);
    EXPECT_EQ(questionsAsked(), 0u);
    EXPECT_EQ(readFile(other), gui->composePatchText(0));
}

// An untitled stage is saved as a new patch: SAVE_NOW opens the save dialog. The auto save
// opens no dialog: it says once that the stage is untitled.
TEST_F(SaveGuard, AnUntitledStageIsSavedAsANewPatch) {
    setPatchPath("");
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Save, file);
    qxplatform::setManualClock(100000);
    gui->autoSave = 1;
    gui->autoLastClock = 100000 - gui->autoSaveInterval;
    gui->onTimer();
    qxplatform::advanceManualClock(gui->autoSaveInterval);
    gui->onTimer();
    const auto lines = command_test::consoleLines(*gui);
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "[AUTO SAVE] THE STAGE IS UNTITLED: SAVE AS FIRST"),
        1);
    EXPECT_EQ(readFile(file), "") << "the auto save took the dialog's answer";

    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 0);
    EXPECT_TRUE(consoleHas("THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH"));
    EXPECT_EQ(readFile(file), gui->composePatchText(0));
    EXPECT_EQ(std::string(gui->patchPath, gui->patchPathLength), qxplatform::toModulePath(file));
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 0) << "the new patch saves over itself";
}

} // namespace
