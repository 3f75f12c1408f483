// A patch that another program changed after this stage loaded or saved it is replaced only
// after a yes in the yes/no box, and kept where no box can be shown; a stage restored from the
// patch record its host kept still knows the file as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "command/patch_file_io.h"
#include "command_test_support.h"
#include "patch_round_trip_support.h"
#include "qxplatform/test_hooks.h"
#include "state_pins_round_trip.h"

using namespace patch_test;

namespace {

enum class Took { Loaded, Saved, Restored };
enum class Change { None, Appended, Touched };
enum class Answer { None, Yes, No };

struct ChangedPatch : ::testing::Test {
    ScratchFolder scratch{"changed_patch"};
    std::string file = scratch.path + "/P.txt";
    void SetUp() override {
        qxplatform::setMessageBoxesQuiet(true);
        qxplatform::clearMessageBoxes();
        qxplatform::clearMessageBoxAnswers();
    }
    void TearDown() override {
        qxplatform::clearMessageBoxAnswers();
        qxplatform::releaseManualClock();
    }

    // A stage that holds the file as it took it, with one change of its own to save.
    std::unique_ptr<QX_GUI> stageThatTook(Took took) {
        auto writer = std::make_unique<QX_GUI>();
        EXPECT_EQ(runLines(*writer, {"SET NUM_SOURCE 3", "MUTE S2"}), std::vector<std::string>());
        EXPECT_EQ(writer->writePatchFile(file, 0), 0);
        if (took == Took::Saved) return writer;
        auto loaded = std::make_unique<QX_GUI>();
        loadPatch(*loaded, file);
        if (took == Took::Loaded) return loaded;
        // The host hands the stored patch record back to a new instance.
        sendEverything(*loaded);
        const std::vector<uint8_t> record = held(loaded->pinPatchRecord);
        auto restored = std::make_unique<QX_GUI>();
        restored->setPin(30, 0, static_cast<int32_t>(record.size()), record.data());
        restored->notifyPin(30, 0);
        return restored;
    }

    // What another program does to the file: a line added, or the same bytes written again a
    // second later.
    void change(Change how) {
        if (how == Change::Appended) writeFile(file, readFile(file) + "MUTE S1\n");
        if (how != Change::Touched) return;
        struct stat info;
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        struct timespec times[2] = {info.st_atim, info.st_mtim};
        times[1].tv_sec += 1;
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    }

    static size_t questionsAsked() {
        size_t n = 0;
        for (const auto& box : qxplatform::recentMessageBoxes()) n += (box.type & 0x0F) == MB_YESNO;
        return n;
    }
};

bool consoleHas(QX_GUI& gui, const std::string& line) {
    const auto lines = command_test::consoleLines(gui);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

constexpr const char* kChanged = "-> THE FILE HAS CHANGED SINCE THIS STAGE LOADED OR SAVED IT";

TEST_F(ChangedPatch, SaveNowAsksBeforeReplacingAPatchChangedSinceItWasTaken) {
    struct Case {
        const char* what;
        Took took;
        Change change;
        Answer answer;
        bool asks;
        bool writes;
        const char* told; // a console line, or the error
    };
    const Case cases[] = {
        {"loaded, unchanged", Took::Loaded, Change::None, Answer::None, false, true,
         "SAVE COMPLETE"},
        {"saved, unchanged", Took::Saved, Change::None, Answer::None, false, true, "SAVE COMPLETE"},
        {"loaded, appended, no", Took::Loaded, Change::Appended, Answer::No, true, false,
         ">> SAVE CANCELLED, THE FILE IS KEPT"},
        {"loaded, appended, yes", Took::Loaded, Change::Appended, Answer::Yes, true, true,
         "SAVE COMPLETE"},
        {"loaded, appended, no box", Took::Loaded, Change::Appended, Answer::None, true, false,
         "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"},
        {"saved, touched, no", Took::Saved, Change::Touched, Answer::No, true, false,
         ">> SAVE CANCELLED, THE FILE IS KEPT"},
        {"restored, unchanged", Took::Restored, Change::None, Answer::None, false, true,
         "SAVE COMPLETE"},
        {"restored, appended, no box", Took::Restored, Change::Appended, Answer::None, true, false,
         "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"},
        {"restored, touched, yes", Took::Restored, Change::Touched, Answer::Yes, true, true,
         "SAVE COMPLETE"},
    };
    for (const Case& c : cases) {
        auto gui = stageThatTook(c.took);
        gui->executeCommandString("MUTE S3");
        change(c.change);
        const std::string theirs = readFile(file);
        qxplatform::clearMessageBoxes();
        qxplatform::clearMessageBoxAnswers();
        if (c.answer != Answer::None)
            qxplatform::queueMessageBoxAnswer(c.answer == Answer::Yes ? IDYES : IDNO);
        command_test::clearConsoleLog(*gui);

        EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), c.writes ? 0 : 1) << c.what;
        EXPECT_EQ(questionsAsked(), c.asks ? 1u : 0u) << c.what;
        EXPECT_EQ(consoleHas(*gui, kChanged), c.asks) << c.what;
        EXPECT_TRUE(consoleHas(*gui, c.told)) << c.what;
        EXPECT_EQ(readFile(file), c.writes ? gui->composePatchText(0) : theirs) << c.what;
    }
}

// After a yes the stage holds the file as it wrote it: the next save does not ask again. After
// a no the file is still the other program's: the next save asks again.
TEST_F(ChangedPatch, TheAnswerDecidesWhetherTheNextSaveAsks) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        auto gui = stageThatTook(Took::Loaded);
        change(Change::Appended);
        qxplatform::clearMessageBoxes();
        qxplatform::queueMessageBoxAnswer(answer == Answer::Yes ? IDYES : IDNO);
        gui->executeCommandString("SAVE_NOW");
        gui->executeCommandString("SAVE_NOW");
        EXPECT_EQ(questionsAsked(), answer == Answer::Yes ? 1u : 2u);
    }
}

// The SAVE cell and the timer's auto save ask as SAVE_NOW does; the auto save then skips the
// file until a save by hand.
TEST_F(ChangedPatch, TheSaveCellAndAutoSaveAskToo) {
    auto gui = stageThatTook(Took::Loaded);
    change(Change::Appended);
    const std::string theirs = readFile(file);
    gui->runPatchFileCell(40);
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_EQ(readFile(file), theirs);

    qxplatform::setManualClock(100000);
    gui->autoSave = 1;
    gui->autoLastClock = 100000 - gui->autoSaveInterval;
    qxplatform::queueMessageBoxAnswer(IDNO);
    gui->onTimer();
    EXPECT_EQ(questionsAsked(), 2u);
    EXPECT_TRUE(consoleHas(*gui, "[AUTO SAVE] SKIPS THIS FILE UNTIL A SAVE BY HAND"));
    qxplatform::advanceManualClock(gui->autoSaveInterval);
    gui->onTimer();
    EXPECT_EQ(questionsAsked(), 2u);
    EXPECT_EQ(readFile(file), theirs);
}

} // namespace
