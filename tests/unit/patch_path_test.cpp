// Which file becomes the patch path: a load in which a line ran makes the file the patch, one
// in which none ran leaves the patch as it was, a load cut at its time limit leaves the stage
// untitled, and a name the patch path cannot hold whole is refused. The dialogs tell a path
// too long or a name that is not UTF-8 from a cancel.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "command_test_support.h"
#include "patch_round_trip_support.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

using namespace patch_test;

namespace {

const std::string kPrevious = "Z:\\SHOWS\\PREVIOUS.txt";

struct PatchPath : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    ScratchFolder scratch{"patch_path"};
    void SetUp() override {
        qxplatform::clearDialogAnswers();
        std::snprintf(gui->patchPath, sizeof gui->patchPath, "%s", kPrevious.c_str());
        gui->patchPathLength = static_cast<int32_t>(kPrevious.size());
        command_test::clearConsoleLog(*gui);
    }
    void TearDown() override { qxplatform::clearDialogAnswers(); }
    std::string patchPath() const { return std::string(gui->patchPath, gui->patchPathLength); }
    bool consoleHas(const std::string& line) const {
        const auto lines = command_test::consoleLines(*gui);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(PatchPath, ALoadMakesTheFileThePatchOnlyWhenALineRanAndItRanToTheEnd) {
    enum Becomes { Previous, TheFile, Untitled };
    struct Case {
        const char* what;
        std::string text;
        int32_t timeLimit;
        Becomes becomes;
        const char* told;
    };
    const char* notRun = "NO LINE OF THE FILE RAN: IT IS NOT TAKEN AS THE PATCH TO SAVE";
    const char* cut = "THE LOAD WAS CUT SHORT: THE STAGE IS NOW UNTITLED";
    const Case cases[] = {
        {"a patch", "# RESET EVERYTHING\nHARD_RESET\nSET NUM_SOURCE 2\n", 3000, TheFile, ""},
        {"a patch with a failing line", "HARD_RESET\nBOGUS\n", 3000, TheFile, ""},
        {"notes", "buy milk\ncall the venue\nnew cables: 4 x 10 m\n", 3000, Previous, notRun},
        {"an empty file", "", 3000, Previous, notRun},
        {"comments only", "# a patch to come\n; one day\n", 3000, Previous, notRun},
        {"a patch cut at its first line", "HARD_RESET\nSET NUM_SOURCE 2\n", 0, Untitled, cut},
        {"notes cut", "buy milk\n", 0, Untitled, cut},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::string file = scratch.path + "/F.txt";
        writeFile(file, c.text);
        gui->macroLoadTimeLimit = c.timeLimit;
        EXPECT_EQ(gui->runMacroLoad(file, false, false), 0) << c.what;
        const std::string expected = c.becomes == Previous  ? kPrevious
                                     : c.becomes == TheFile ? file
                                                            : "";
        EXPECT_EQ(patchPath(), expected) << c.what;
        EXPECT_EQ(gui->sendFlags[kSendPatchRecord], c.becomes != Previous) << c.what;
        EXPECT_EQ(consoleHas(notRun), c.told == notRun) << c.what;
        EXPECT_EQ(consoleHas(cut), c.told == cut) << c.what;
        gui->sendFlags[kSendPatchRecord] = 0;
    }
}

// A patch that loads another: the one that ran last is the patch; a cut anywhere in the loads
// leaves the stage untitled, whichever file was cut.
TEST_F(PatchPath, NestedLoadsEndWithTheLastPatchOrUntitled) {
    const std::string inner = scratch.path + "/INNER.txt";
    const std::string outer = scratch.path + "/OUTER.txt";
    writeFile(inner, "SET NUM_TARGET 2\n");
    writeFile(outer, "SET NUM_SOURCE 2\nLOAD_MACRO " + inner + "\n");
    EXPECT_EQ(gui->runMacroLoad(outer, false, false), 0);
    EXPECT_EQ(patchPath(), outer);

    SetUp();
    gui->macroLoadTimeLimit = 0;
    EXPECT_EQ(gui->runMacroLoad(outer, false, false), 0);
    EXPECT_EQ(patchPath(), "");
    const auto lines = command_test::consoleLines(*gui);
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "SAVE WILL ASK FOR A FILE NAME, AS FOR A NEW PATCH"),
        1);
}

// The patch path holds 255 bytes. A longer name is refused before any line runs, never cut.
TEST_F(PatchPath, ANameThePatchPathCannotHoldIsRefusedAtTheLoad) {
    for (const size_t length : {size_t{255}, size_t{256}, size_t{300}}) {
        SetUp();
        // Two folders, so that no name in the path is longer than a file system allows.
        std::string folder = scratch.path + "/" + std::to_string(length);
        ::mkdir(folder.c_str(), 0755);
        folder += "/" + std::string(120, 'd');
        ::mkdir(folder.c_str(), 0755);
        const std::string file =
            folder + "/" + std::string(length - folder.size() - 5, 'n') + ".txt";
        ASSERT_EQ(file.size(), length);
        writeFile(file, "SET NUM_SOURCE 7\n");
        const int32_t sourcesBefore = gui->sourceCount;
        gui->runMacroLoad(file, false, false);
        const bool fits = length <= 255;
        EXPECT_EQ(patchPath(), fits ? file : kPrevious) << length;
        EXPECT_EQ(gui->sourceCount, fits ? 7 : sourcesBefore) << length;
        const auto lines = command_test::consoleLines(*gui);
        const bool refused = std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
            return l.rfind("-> PATH TOO LONG (255 CHARACTERS AT MOST) : /tmp/", 0) == 0;
        });
        EXPECT_EQ(refused, !fits) << length;
        EXPECT_EQ(consoleHas("<< ON LINE -1 >> :: FILE REFUSED - "), !fits) << length;
    }
}

// What the open and save dialogs answer, and what the verbs say: a path too long or a name
// that is not UTF-8 is an error that says so, not a cancel, and nothing is written.
TEST_F(PatchPath, TheDialogsTellWhyNoFileWasChosen) {
    struct Case {
        const char* what;
        std::string answer; // empty: nothing queued, the dialog is cancelled
        const char* openError;
        const char* saveError;
    };
    const std::string longFolder = scratch.path + "/" + std::string(200, 'f');
    ::mkdir(longFolder.c_str(), 0755);
    const Case cases[] = {
        {"258 bytes", longFolder + "/" + std::string(258 - longFolder.size() - 1, 'n'),
         "-> PATH TOO LONG (255 CHARACTERS AT MOST)", "-> PATH TOO LONG (255 CHARACTERS AT MOST)"},
        {"latin-1", scratch.path + "/caf\xe9.txt", "FILE REFUSED, ITS NAME IS NOT UTF-8 TEXT",
         "-> NOT SAVED: THE NAME CHOSEN IS NOT UTF-8 TEXT"},
        {"cancelled", "", "", ""},
    };
    for (const Case& c : cases) {
        for (const bool save : {false, true}) {
            SetUp();
            if (!c.answer.empty())
                qxplatform::queueDialogAnswer(
                    save ? qxplatform::DialogKind::Save : qxplatform::DialogKind::Open, c.answer);
            EXPECT_EQ(gui->executeCommandString(save ? "SAVE_PATCH" : "LOAD_MACRO_FILE"), 1)
                << c.what;
            EXPECT_EQ(gui->console.lastError, save ? c.saveError : c.openError) << c.what;
            const char* cancelled =
                save ? ">> SAVE FILE DIALOG CANCELLED" : ">> OPEN FILE DIALOG CANCELLED";
            EXPECT_EQ(consoleHas(cancelled), c.answer.empty()) << c.what;
            EXPECT_EQ(patchPath(), kPrevious) << c.what;
        }
    }
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path))
        if (entry.is_regular_file()) written.push_back(entry.path().string());
    EXPECT_TRUE(written.empty()) << written.front();
    EXPECT_TRUE(std::filesystem::is_empty(longFolder));
}

} // namespace
