// Which file becomes the patch path. The dialogs tell a path too long or a name that is not
// UTF-8 from a cancel.
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
         "FILE REFUSED, ITS PATH IS LONGER THAN 255 CHARACTERS",
         "-> PATH TOO LONG (255 CHARACTERS AT MOST)"},
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
