// A load that replaces a stage holding changes no file holds writes that stage as a backup
// first and names it; loading the backup gives the stage back. A stage a file holds as it is
// (just loaded or saved, or restored so) is not written again.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <set>

#include "app/text_services.h"
#include "command_test_support.h"
#include "dsp_link/state_pins.h"
#include "dsp_link_recording_gui.h"
#include "patch_round_trip_support.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "state_pins_round_trip.h"

using namespace patch_test;

namespace {

constexpr const char* kKept = "THE STAGE BEFORE THE LOAD IS KEPT AS ";

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.') names.insert(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

struct StageBeforeLoad : ::testing::Test {
    ScratchFolder scratch{"stage_before_load"};
    std::string other = scratch.path + "/OTHER.txt";
    // The unit tests' module folder is the test binary's: the backups this test makes there
    // are removed after it.
    std::string backups = qxplatform::toHostPath(modulePath("BACKUPS"));
    std::set<std::string> backupsBefore = filesIn(backups);

    void SetUp() override {
        qxplatform::setDebugOutputSink([this](const std::string& line) { said.push_back(line); });
        qxplatform::setMessageBoxesQuiet(true);
        qxplatform::clearDialogAnswers();
        auto writer = std::make_unique<QX_GUI>();
        runLines(*writer, {"SET NUM_SOURCE 2", "NAME S1 OTHER"});
        ASSERT_EQ(writer->writePatchFile(other, 0), 0);
    }
    void TearDown() override {
        qxplatform::setDebugOutputSink(nullptr);
        qxplatform::clearDialogAnswers();
        for (const std::string& name : newBackups()) std::remove((backups + "/" + name).c_str());
    }
    std::vector<std::string> newBackups() const {
        std::vector<std::string> added;
        for (const std::string& name : filesIn(backups))
            if (backupsBefore.count(name) == 0) added.push_back(name);
        return added;
    }
    // Every console line, whole: a load's report may wrap the console's ring.
    std::vector<std::string> said;
    // The backup the console names, as a path of this machine; "" when none is named.
    std::string keptAs() const {
        const auto line = std::find_if(said.begin(), said.end(),
                                       [](const std::string& l) { return l.rfind(kKept, 0) == 0; });
        if (line == said.end()) return "";
        std::string name = line->substr(std::string(kKept).size());
        for (auto next = line;
             next->size() == ConsoleRing::kMaxLineLength && next + 1 != said.end();)
            name += *++next;
        return qxplatform::toHostPath(modulePath(name));
    }
};

// The changed stage: the rich state of the round trips.
void changeTheStage(QX_GUI& gui) {
    EXPECT_EQ(runLines(gui, fullLoadCommands()), std::vector<std::string>());
}

struct Load {
    const char* what;
    std::string line;     // run as a command line
    std::string openPath; // the open dialog's answer, for the PATCH FILE cell
};

TEST_F(StageBeforeLoad, OpenTutorialAndBlankKeepAChangedStageThatComesBackWhole) {
    const Load loads[] = {
        {"OPEN", "LOAD_MACRO_FILE", other},
        {"TUTORIAL", "LOAD_MACRO TUTORIAL/HOME.txt", ""},
        {"BLANK", "LOAD_MACRO PATCHES/BLANK.txt", ""},
    };
    for (const Load& load : loads) {
        auto gui = std::make_unique<QX_GUI>();
        auto twin = std::make_unique<QX_GUI>(); // the stage before the load, kept aside
        changeTheStage(*gui);
        changeTheStage(*twin);
        said.clear();
        if (!load.openPath.empty())
            qxplatform::queueDialogAnswer(qxplatform::DialogKind::Open, load.openPath);
        gui->executeCommandString(load.line);

        const std::string backup = keptAs();
        ASSERT_FALSE(backup.empty()) << load.what << ": no backup named";
        EXPECT_EQ(backup.rfind(backups + "/", 0), 0u) << load.what << ": " << backup;
        EXPECT_FALSE(readFile(backup).empty()) << load.what;
        EXPECT_EQ(gui->sourceCount, load.openPath.empty() ? gui->sourceCount : 2) << load.what;

        auto back = std::make_unique<QX_GUI>();
        loadPatch(*back, backup);
        sendEverything(*twin);
        sendEverything(*back);
        for (const patch_test::StatePin& pin : kStatePins)
            EXPECT_EQ(firstDifference(pin, *twin, *back), "") << load.what << ": " << pin.name;
        // Not in the round trips' list: the panel layout and the stored selections.
        EXPECT_EQ(held(twin->pinPanelLayout), held(back->pinPanelLayout)) << load.what;
        EXPECT_EQ(held(twin->pinNameLists), held(back->pinNameLists)) << load.what;
    }
}

// What the stage was just before the load decides: only a stage that holds more than a file
// does is written.
TEST_F(StageBeforeLoad, AStageAFileHoldsIsNotBackedUpAgain) {
    const std::string mine = scratch.path + "/MINE.txt";
    struct Case {
        const char* what;
        std::function<void(QX_GUI&)> before;
        bool keeps;
    };
    const Case cases[] = {
        {"a fresh stage", [](QX_GUI&) {}, false},
        {"just loaded", [&](QX_GUI& gui) { loadPatch(gui, other); }, false},
        {"loaded with deferred lines still to run",
         [&](QX_GUI& gui) {
             writeFile(mine, "# RESET EVERYTHING\nSET NUM_SOURCE 3\n"
                             "SLICE_M S:1 X:1\tS1\nSLICE_X S:1 X:1\t10.5\n");
             gui.runMacroLoad(mine, false, false);
             gui.commitModelChange();
         },
         false},
        {"just saved",
         [&](QX_GUI& gui) {
             changeTheStage(gui);
             gui.writePatchFile(mine, 0);
         },
         false},
        {"changed after the load",
         [&](QX_GUI& gui) {
             loadPatch(gui, other);
             EXPECT_EQ(gui.executeCommandString("MUTE OTHER"), 0);
         },
         true},
        {"changed after the save",
         [&](QX_GUI& gui) {
             gui.writePatchFile(mine, 0);
             EXPECT_EQ(gui.executeCommandString("SET NUM_SOURCE 3"), 0);
         },
         true},
        {"a load cut short",
         [&](QX_GUI& gui) {
             gui.macroLoadTimeLimit = 0;
             gui.runMacroLoad(other, false, false);
             gui.macroLoadTimeLimit = 3000;
         },
         true},
    };
    for (const Case& c : cases) {
        auto gui = std::make_unique<QX_GUI>();
        c.before(*gui);
        said.clear();
        const size_t backupsMade = newBackups().size();
        gui->runMacroLoad(other, false, false);
        EXPECT_EQ(!keptAs().empty(), c.keeps) << c.what;
        EXPECT_EQ(newBackups().size(), backupsMade + (c.keeps ? 1 : 0)) << c.what;
    }
}

// A macro file (a MACROS/ button) that loads a patch replaces the stage as OPEN does: the
// stage before it is kept, and the patch then holds the stage, so a second load keeps nothing.
TEST_F(StageBeforeLoad, APatchLoadedByAMacroKeepsTheStageBeforeIt) {
    ASSERT_EQ(::mkdir((scratch.path + "/MACROS").c_str(), 0755), 0);
    const std::string macro = scratch.path + "/MACROS/SCENE.txt";
    writeFile(macro, "LOAD_MACRO " + other + "\n");
    auto gui = std::make_unique<QX_GUI>();
    ASSERT_EQ(gui->executeCommandString("SET NUM_SOURCE 5"), 0);
    said.clear();
    gui->runMacroLoad(macro, false, false);
    EXPECT_EQ(gui->sourceCount, 2);
    ASSERT_FALSE(keptAs().empty());
    EXPECT_NE(readFile(keptAs()).find("SET NUM_SOURCE 5"), std::string::npos);

    said.clear();
    const size_t backupsMade = newBackups().size();
    gui->runMacroLoad(other, false, false);
    EXPECT_EQ(keptAs(), "");
    EXPECT_EQ(newBackups().size(), backupsMade);
}

// A restored desk keeps whether its stage held changes: the state pins a host hands back say
// so.
TEST_F(StageBeforeLoad, ARestoredStageKeepsWhetherItHeldChanges) {
    for (const bool changed : {false, true}) {
        auto first = makeGui();
        loadPatch(*first, other);
        if (changed) {
            ASSERT_EQ(first->executeCommandString("MUTE S2"), 0);
        }
        sendEverything(*first);
        auto restored = makeGui();
        for (const ::StatePin& pin : kStatePinsInRestoreOrder)
            restored->deliver(pin.pinId, first->lastSent(pin.pinId));
        said.clear();
        restored->runMacroLoad(other, false, false);
        EXPECT_EQ(!keptAs().empty(), changed) << changed;
    }
}

// A backup that cannot be written stops the load: the stage stays as it is.
TEST_F(StageBeforeLoad, ALoadWaitsForTheBackupItNeeds) {
    auto gui = std::make_unique<QX_GUI>();
    gui->executeCommandString("SET NUM_SOURCE 5");
    const std::string blocked = backups + "-blocked";
    ASSERT_EQ(std::rename(backups.c_str(), blocked.c_str()), 0);
    writeFile(backups, "a file where the folder was\n");
    command_test::clearConsoleLog(*gui);
    gui->runMacroLoad(other, false, false);
    std::remove(backups.c_str());
    ASSERT_EQ(std::rename(blocked.c_str(), backups.c_str()), 0);
    EXPECT_EQ(gui->sourceCount, 5);
    const auto lines = command_test::consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "THE FILE IS NOT LOADED: THE STAGE BEFORE IT COULD NOT BE KEPT"),
              lines.end());
}

} // namespace
