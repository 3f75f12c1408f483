// The patch writer's text for a small scene, section by section, and the save verbs: the
// patch path, tutorial protection, dialogs, auto-save and backups, and saves that fail.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <dirent.h>

#include "app/text_services.h"
#include "command_test_support.h"
#include "patch_round_trip_support.h"
#include "qxplatform/file_writer.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

using namespace patch_test;

namespace {

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.' || std::string(entry->d_name).size() > 2)
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    names.push_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

// The text between the line that starts a section and the line that starts the next one.
std::string section(const std::string& text, const std::string& from, const std::string& to) {
    const size_t start = text.find(from);
    if (start == std::string::npos) return "<missing " + from + ">";
    const size_t end = text.find(to, start + from.size());
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct PatchWriter : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    ScratchFolder scratch{"writer"};
    std::string folder = scratch.path;
    void run(const std::vector<std::string>& lines) {
        ASSERT_EQ(runLines(*gui, lines), std::vector<std::string>());
    }
    std::string patchPath() const { return std::string(gui->patchPath, gui->patchPathLength); }
};

TEST_F(PatchWriter, SmallSceneSectionBySection) {
    run({"HARD_RESET",
         "SET NUM_ROOM 1",
         "SET NUM_TARGET 2",
         "SET NUM_SOURCE 2",
         "SET NUM_GROUP 1",
         "POS S1 X:10 Y:20",
         "CABLE S1 T1 X:-6",
         "TOGGLE_CABLE_MUTE S1 T1 1",
         "GROUPIFY S1 S2 G1",
         "DELAY S1 OFF TIME:12.5",
         "FILTER T2 BAND:3 ENABLE TYPE:PEAK F:1200 G:3 BW:1.5",
         "FILTER T2 ON",
         "FEEDBACK T1 S1 0.25",
         "SEL X:2 S1 T1",
         "SYN_MODE MARQ",
         "TOUCH T2",
         "NOTE X:10 Y:20 S:2 RED:1 GREEN:0.5 BLUE:0 L:1 \"HELLO\"",
         "TOGGLE GRID_VISIBILITY",
         "ZOOM_LEVEL 2",
         "DISPLACE_STAGE X:30 Y:-15",
         "SHOW_PANEL DELAY",
         "AUTO_SAVE ON",
         "NAME S2 KICK",
         "SET_MASTER -6"});
    const std::string text = gui->composePatchText(0);

    EXPECT_EQ(section(text, "# RESET", "# ROOM"),
              "# RESET EVERYTHING\nHARD_RESET\n\n# SETUP BASICS\nSET NUM_ROOM 1\n"
              "SET NUM_TARGET 2\nSET NUM_SOURCE 2\nSET NUM_GROUP 1\n"
              "# GLOBAL ZEROPOINT RESPONSE\nSET_ZERO 75.00\n\n#SHOW_PANEL CLI\n");
    EXPECT_EQ(section(text, "# SOURCE : S2", "# GROUP"),
              "# SOURCE : S2\nPOS S2 X:0.00 y:0.00\nSET_SIZE S2 1.00\nLEVEL S2 0.0000\n"
              "RGB S2 RED:0.7529413 GREEN:0.7529413 BLUE:0.7529413\nNAME S2 KICK\n\n");
    EXPECT_EQ(section(text, "# GROUPIFICATION", "# INPUT PRE-MIXERS"),
              "# GROUPIFICATION\nGROUPIFY S1 KICK G1\n\n"
              "# CABLES\nCABLE S1 T1 X:-6.000\nTOGGLE_CABLE_MUTE S1 T1 1\n");
    EXPECT_EQ(section(text, "# INPUT PRE-MIXERS", "# INPUT DYNAMICS"),
              "# INPUT PRE-MIXERS\n# -> NO CHANGES FROM DEFAULT STATE\n\n"
              "# FEEDBACK\nFEEDBACK T1 S1 0.2500\n\n"
              "# INPUT DELAY\nDELAY S1 OFF TIME:12.50\n\n"
              "# INPUT FILTER\nFILTER S1 OFF\n\n");
    // SEL and TOUCH load the editors for S1 and T2, which takes their filters and dynamics
    // into use at the defaults: the filter bands need no lines, the dynamics are written.
    EXPECT_EQ(section(text, "# INPUT DYNAMICS", "SET_MASTER"),
              "# INPUT DYNAMICS\n"
              "DYNAMICS S1 OFF COMPRESSOR ATTACK:250 RELEASE:250 THRESHOLD:-30.000 RATIO:1.000 "
              "KNEE:18.000\nSIDECHAIN S1 INTERNAL POST_FILTER\n\n"
              "# OUTPUT DELAY\n# -> NO OUTPUT DELAYS\n\n"
              "# OUTPUT FILTER\n"
              "FILTER T2 BAND:3 ENABLE TYPE:PEAK F:1200.00 G:3.00 BW:1.50\nFILTER T2 ON\n\n"
              "# OUTPUT DYNAMICS\n"
              "DYNAMICS T2 OFF COMPRESSOR ATTACK:250 RELEASE:250 THRESHOLD:-30.000 RATIO:1.000 "
              "KNEE:18.000\nSIDECHAIN T2 INTERNAL POST_FILTER\n\n"
              "# OUTPUT POST-MIXERS\n# -> NO CHANGES FROM DEFAULT STATE\n");
    EXPECT_EQ(section(text, "SET_MASTER", "PANEL_SETUP VIRTUAL"),
              "SET_MASTER -6.0000\nTOGGLE GRID_VISIBILITY\nZOOM_LEVEL 2.00\n"
              "DISPLACE_STAGE X:30.00 Y:-15.00\nSHOW_PANEL TOOLBOX\nSHOW_PANEL DELAY\n"
              "SHOW_PANEL MASTER\n");
    EXPECT_EQ(section(text, "\n# SELECTIONS", "# AUTO SAVE"),
              "\n# SELECTIONS\nSEL X:2 S1 T1 \n\n# SYNDICATION\nSYN_MODE MARQ\n\n"
              "# TOUCH - REINSTATE MOST RECENTLY CLICKED NODE\nTOUCH T2\n\n# ANNOTATIONS\n"
              "NOTE X:10.00 Y:20.00 S:2.00 RED:1.00 GREEN:0.50 BLUE:0.00 L:1.00 \"HELLO\"\n");
    EXPECT_EQ(section(text, "# AUTO SAVE", "\n# SLICES"),
              "# AUTO SAVE & BACKUP\nAUTO_SAVE ON\nAUTO_BACKUP OFF\n");
    EXPECT_EQ(text.substr(text.size() - 10), "\n# SLICES\n");
}

TEST_F(PatchWriter, PanelGeometryFollowsInItsFixedOrder) {
    run({"HARD_RESET", "PANEL_SETUP FFT X:5 Y:6 W:70 H:80 S:2"});
    const std::string text = gui->composePatchText(0);
    EXPECT_NE(text.find("PANEL_SETUP ENVELOPES X:100 Y:100 W:600 H:200 S:1\n"
                        "PANEL_SETUP FFT X:5 Y:6 W:70 H:80 S:2\n"
                        "PANEL_SETUP SCOPE "),
              std::string::npos);
    EXPECT_NE(text.find("PANEL_SETUP CLI X:100 Y:100 W:300 H:433 S:1\nPANEL_SETUP MACRO "),
              std::string::npos);
}

// Every active band comes back active with its settings, and no switched-off band is switched
// on (the band count is a count, not the highest band number).
TEST_F(PatchWriter, FilterBandsComeBackWhereTheyWere) {
    run({"HARD_RESET", "FILTER S1 BAND:2 ENABLE TYPE:PEAK F:400 G:4.5 BW:1.25",
         "FILTER S1 BAND:5 ENABLE TYPE:HS F:8000 G:-3 BW:2", "FILTER S1 BAND:4 ENABLE G:2",
         "FILTER S1 BAND:4 DISABLE", "FILTER S1 ON"});
    const std::string path = folder + "/BANDS.txt";
    ASSERT_EQ(gui->writePatchFile(path, 0), 0);
    auto loaded = std::make_unique<QX_GUI>();
    loadPatch(*loaded, path);
    const FilterRecord& r = loaded->inputFilters[0];
    EXPECT_EQ(r.bands[0].enabled, 0);
    EXPECT_EQ(r.bands[1].enabled, 1);
    EXPECT_EQ(r.bands[1].frequency, 400.0f);
    EXPECT_EQ(r.bands[2].enabled, 0);
    EXPECT_EQ(r.bands[3].enabled, 0);
    EXPECT_EQ(r.bands[3].gain, 2.0f); // its settings kept while off
    EXPECT_EQ(r.bands[4].enabled, 1);
    EXPECT_EQ(r.bands[4].gain, -3.0f);
    EXPECT_EQ(r.activeBandCount, 2);
    EXPECT_EQ(r.enabled, 1);
}

TEST_F(PatchWriter, NumbersAreWrittenWithTheDigitsThatBringThemBack) {
    run({"HARD_RESET", "CABLE S1 T1 X:-6.02061", "DELAY S1 ON TIME:12.345",
         "FEEDBACK T1 S1 0.123456", "FLAT_ZOOM_IN", "FLAT_ZOOM_IN", "DISPLACE_STAGE X:10 Y:3"});
    const std::string path = folder + "/DIGITS.txt";
    ASSERT_EQ(gui->writePatchFile(path, 0), 0);
    auto loaded = std::make_unique<QX_GUI>();
    loadPatch(*loaded, path);
    EXPECT_EQ(loaded->cables[0].level, gui->cables[0].level);
    EXPECT_EQ(loaded->inputDelays[0].time, gui->inputDelays[0].time);
    EXPECT_EQ(loaded->feedbackMixes[0].gains[0], gui->feedbackMixes[0].gains[0]);
    EXPECT_EQ(loaded->view.viewZoom, gui->view.viewZoom);
    EXPECT_EQ(loaded->view.viewPanX, gui->view.viewPanX);
    EXPECT_EQ(loaded->view.viewPanY, gui->view.viewPanY);
}

TEST_F(PatchWriter, SavedStateTheReadersOnceLost) {
    // Hidden sources and groups, a hidden toolbox and MASTER box, a silent feedback path and the
    // marquee syndication.
    run({"HARD_RESET", "HIDE S2 G1", "HIDE_PANEL TOOLBOX", "HIDE_PANEL MASTER",
         "FEEDBACK T1 S1 0.5", "FEEDBACK_LEVEL T1 S1 -INF", "SYN_MODE MARQ", "SHOW_PANEL CLI"});
    gui->feedbackMixes[0].gains[0] = 0.0f;
    const std::string path = folder + "/LOST.txt";
    ASSERT_EQ(gui->writePatchFile(path, 0), 0);
    auto loaded = std::make_unique<QX_GUI>();
    loaded->chrome.toolboxFolded = 0;
    loadPatch(*loaded, path);
    EXPECT_EQ(loaded->sources[1].shown, 0);
    EXPECT_EQ(loaded->groups[0].shown, 0);
    EXPECT_EQ(loaded->chrome.toolboxFolded, 1);
    EXPECT_EQ(loaded->chrome.masterHidden, 1);
    EXPECT_EQ(loaded->feedbackMixes[0].gains[0], 0.0f);
    EXPECT_EQ(loaded->syndicationMode, 1);
    EXPECT_EQ(loaded->panelFrame.panels[0].shown, 1);
}

TEST_F(PatchWriter, TheCurrentSelectionSlotIsWrittenLastAndComesBackCurrent) {
    // Slot 3 is current though slots 2 and 5 hold names too; an empty current slot counts.
    struct Case {
        std::vector<std::string> lines;
        std::string expected;
        int32_t current;
    };
    const std::vector<Case> cases = {
        {{"HARD_RESET", "SEL X:2 S1 T1", "SEL X:5 S3", "SEL X:3 S2"},
         "SEL X:5 S3 \nSEL X:2 S1 T1 \nSEL X:3 S2 \n",
         3},
        {{"HARD_RESET", "SEL X:2 S1", "STORE_SELECT 7"}, "SEL X:2 S1 \nSEL X:7 S1 \n", 7},
        {{"HARD_RESET", "STORE_SELECT 4"}, "SEL X:4 \n", 4},
        {{"HARD_RESET"}, "# NO SELECTIONS\n", 1},
    };
    for (const Case& c : cases) {
        auto writer = std::make_unique<QX_GUI>();
        ASSERT_EQ(runLines(*writer, c.lines), std::vector<std::string>());
        const std::string path = folder + "/CURRENT.txt";
        ASSERT_EQ(writer->writePatchFile(path, 0), 0);
        EXPECT_EQ(section(readFile(path), "\n# SELECTIONS\n", "\n# SYNDICATION"),
                  "\n# SELECTIONS\n" + c.expected)
            << c.lines.back();
        auto loaded = std::make_unique<QX_GUI>();
        loadPatch(*loaded, path);
        EXPECT_EQ(loaded->storedSelectionNumber, c.current) << c.lines.back();
        EXPECT_EQ(loaded->storedSelectionCounts[c.current],
                  writer->storedSelectionCounts[c.current]);
    }
}

TEST_F(PatchWriter, BackupEndsWithTheConfirmLineAndNeverSwitchesBackupOn) {
    run({"HARD_RESET", "AUTO_BACKUP ON"});
    const std::string text = gui->composePatchText(1);
    EXPECT_NE(text.find("AUTO_BACKUP OFF\n"), std::string::npos);
    const std::string tail = "\n# THIS IS A BACKUP FILE - THE NEXT LINE PROMPTS TO RESAVE AS NEW "
                             "FILE\nCONFIRM 'YOU JUST LOADED A BACKUP FILE' 'TO SAVE AS NEW PATCH "
                             "FILE TYPE YES' 'SAVE_PATCH'\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_NE(gui->composePatchText(0).find("AUTO_BACKUP ON\n"), std::string::npos);
}

TEST_F(PatchWriter, ASaveBecomesThePatchUnlessItIsAMacroOrABackup) {
    const std::string path = folder + "/SHOW.txt";
    ASSERT_EQ(gui->writePatchFile(path, 0), 0);
    EXPECT_EQ(patchPath(), path);
    EXPECT_EQ(gui->sendFlags[kSendPatchRecord], 1);
    ::mkdir((folder + "/MACROS").c_str(), 0755);
    ASSERT_EQ(gui->writePatchFile(folder + "/MACROS/M.txt", 0), 0);
    ASSERT_EQ(gui->writePatchFile(folder + "/BACKUP.txt", 1), 0);
    EXPECT_EQ(patchPath(), path);
    EXPECT_EQ(command_test::consoleLines(*gui).back(), "SAVE COMPLETE");
}

TEST_F(PatchWriter, ARelativePatchPathIsSavedInTheModuleFolder) {
    const std::string name = "PATCHES/UNIT_RELATIVE_" + std::to_string(::getpid()) + ".txt";
    const std::string inModule = qxplatform::toHostPath(modulePath("")) + name;
    ::mkdir((qxplatform::toHostPath(modulePath("")) + "PATCHES").c_str(), 0755);
    const ScratchFolder cwd{"cwd"};
    const std::string& here = cwd.path;
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(here.c_str()), 0);
    std::snprintf(gui->patchPath, sizeof gui->patchPath, "%s", name.c_str());
    gui->patchPathLength = static_cast<int32_t>(name.size());
    const int32_t result = gui->executeCommandString("SAVE_NOW");
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_EQ(result, 0) << gui->console.lastError;
    EXPECT_NE(readFile(inModule).find("HARD_RESET"), std::string::npos);
    EXPECT_TRUE(filesIn(here + "/PATCHES").empty());
    std::remove(inModule.c_str());
}

TEST_F(PatchWriter, SaveNowRefusesTutorialFilesAndAsksANameForAnEmptyPath) {
    const std::string tutorial = "TUTORIAL/HOME.txt";
    std::snprintf(gui->patchPath, sizeof gui->patchPath, "%s", tutorial.c_str());
    gui->patchPathLength = static_cast<int32_t>(tutorial.size());
    const std::string shipped = qxplatform::toHostPath(modulePath(tutorial));
    const std::string before = readFile(shipped);
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 1);
    EXPECT_EQ(gui->console.lastError, "SAVE FUNCTION CAN NOT OVERWRITE TUTORIAL FILES");
    EXPECT_EQ(readFile(shipped), before);

    // An untitled stage is saved as a new patch: the save dialog, here cancelled.
    gui->patchPathLength = 0;
    gui->patchPath[0] = '\0';
    qxplatform::clearDialogAnswers();
    gui->clearConsole();
    gui->console.writeIndex = 0;
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 1);
    const std::vector<std::string> lines(gui->console.lines, gui->console.lines + 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"-> SAVE_NOW",
                                               "THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH",
                                               ">> SAVE FILE DIALOG CANCELLED"}));
}

TEST_F(PatchWriter, AFailedOpenKeepsThePatchPathAndReportsIt) {
    gui->writePatchFile(folder + "/KEEP.txt", 0);
    EXPECT_EQ(gui->executeCommandString("SAVE_NOW"), 0);
    EXPECT_EQ(gui->writePatchFile(folder + "/NO_SUCH_FOLDER/X.txt", 0), 1);
    EXPECT_EQ(gui->console.pendingError, "-> FILE IS READ ONLY");
    EXPECT_EQ(patchPath(), folder + "/KEEP.txt");
    EXPECT_EQ(gui->writePatchFile(folder, 0), 1); // a folder is no file
    EXPECT_EQ(gui->writePatchFile(std::string(300, 'A'), 0), 1);
    EXPECT_EQ(gui->console.pendingError, "-> PATH TOO LONG (255 CHARACTERS AT MOST)");
}

// A write that fails half-way (the file size limit stands in for a full disk) leaves the old
// file whole, removes the temporary file and is reported, for a save and for a backup.
TEST_F(PatchWriter, AWriteThatFailsKeepsTheOldFileAndLeavesNoTemporaryFile) {
    ASSERT_EQ(runLines(*gui, fullLoadCommands()), std::vector<std::string>());
    const std::string path = folder + "/OLD.txt";
    writeFile(path, "OLD CONTENT\n");
    for (uint8_t backup : {0, 1}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const int32_t result = gui->writePatchFile(path, backup);
            const bool reported =
                gui->console.pendingError == "-> SAVE FAILED - THE OLD FILE IS KEPT";
            const bool kept = gui->patchPathLength == 0;
            ::_exit(result == 1 && reported && kept ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "backup " << int(backup);
        EXPECT_EQ(readFile(path), "OLD CONTENT\n");
        EXPECT_EQ(filesIn(folder), std::vector<std::string>{"OLD.txt"});
    }
}

// Each step of the platform's writer failed in turn: the console keeps the writer's own two
// messages and the reason's words, the old file stays, and the patch path is not changed.
TEST_F(PatchWriter, EachFailedStepOfTheFileWriterGivesTheWritersOwnMessage) {
    using qxplatform::WriteStep;
    const std::string path = folder + "/OLD.txt";
    const std::string readOnly = "-> FILE IS READ ONLY";
    const std::string failed = "-> SAVE FAILED - THE OLD FILE IS KEPT";
    struct Case {
        WriteStep step;
        int error;
        std::string message, reason;
    } cases[] = {
        {WriteStep::OpenFolder, ENOENT, readOnly, "-> NO SUCH FILE OR DIRECTORY"},
        {WriteStep::CheckTarget, EACCES, readOnly, "-> PERMISSION DENIED"},
        {WriteStep::CreateTemporary, EROFS, readOnly, "-> READ-ONLY FILE SYSTEM"},
        {WriteStep::Write, ENOSPC, failed, "-> NO SPACE LEFT ON DEVICE"},
        {WriteStep::SyncFile, EIO, failed, "-> INPUT/OUTPUT ERROR"},
        {WriteStep::SetMode, EPERM, failed, "-> OPERATION NOT PERMITTED"},
        {WriteStep::Close, EDQUOT, failed, "-> DISK QUOTA EXCEEDED"},
        {WriteStep::Rename, EXDEV, failed, "-> INVALID CROSS-DEVICE LINK"},
    };
    for (const Case& c : cases) {
        writeFile(path, "OLD CONTENT\n");
        command_test::clearConsoleLog(*gui);
        gui->console.pendingError.clear();
        qxplatform::setFileWriteFault(c.step, c.error);
        EXPECT_EQ(gui->writePatchFile(path, 0), 1) << c.reason;
        qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
        EXPECT_EQ(gui->console.pendingError, c.message) << c.reason;
        EXPECT_EQ(command_test::consoleLines(*gui).back(), c.reason);
        EXPECT_EQ(readFile(path), "OLD CONTENT\n") << c.reason;
        EXPECT_EQ(filesIn(folder), std::vector<std::string>{"OLD.txt"}) << c.reason;
        EXPECT_EQ(patchPath(), "") << c.reason;
    }
}

// A save and a backup go through the platform's writer: the folder is synced after the
// rename, and a folder sync that fails leaves the saved file in place and the save complete.
TEST_F(PatchWriter, SavesAndBackupsSyncTheFolderAfterTheRename) {
    using qxplatform::WriteStep;
    for (uint8_t backup : {0, 1}) {
        std::vector<WriteStep> steps;
        qxplatform::setFileWriteStepRecorder([&steps](WriteStep step) { steps.push_back(step); });
        EXPECT_EQ(gui->writePatchFile(folder + "/SYNCED.txt", backup), 0);
        qxplatform::setFileWriteStepRecorder(nullptr);
        ASSERT_GE(steps.size(), 2u);
        EXPECT_EQ(steps[steps.size() - 2], WriteStep::Rename) << int(backup);
        EXPECT_EQ(steps.back(), WriteStep::SyncFolder) << int(backup);
    }
    qxplatform::setFileWriteFault(WriteStep::SyncFolder, EIO);
    EXPECT_EQ(gui->writePatchFile(folder + "/LATE.txt", 0), 0);
    qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
    EXPECT_EQ(command_test::consoleLines(*gui).back(), "SAVE COMPLETE");
    EXPECT_NE(readFile(folder + "/LATE.txt").find("HARD_RESET"), std::string::npos);
}

TEST_F(PatchWriter, SavePatchWritesTheFileTheDialogNames) {
    const std::string path = folder + "/CHOSEN.txt";
    qxplatform::clearDialogAnswers();
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Save, path);
    EXPECT_EQ(gui->executeCommandString("SAVE_PATCH"), 0);
    EXPECT_NE(readFile(path).find("HARD_RESET"), std::string::npos);
    // The module receives the chosen name in its own form; it becomes the patch path.
    EXPECT_EQ(qxplatform::toHostPath(patchPath()), path);

    command_test::clearConsoleLog(*gui);
    EXPECT_EQ(gui->executeCommandString("SAVE_PATCH"), 1); // empty queue: cancelled
    const auto lines = command_test::consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), ">> SAVE FILE DIALOG CANCELLED"), lines.end());
}

TEST_F(PatchWriter, AutoSaveAndBackupSwitches) {
    qxplatform::setManualClock(1000);
    struct Case {
        const char* line;
        uint8_t save;
        uint8_t backup;
    };
    for (const Case& c : {Case{"AUTO_SAVE ON", 1, 0}, Case{"AUTO_SAVE OFF", 0, 0},
                          Case{"AUTO_BACKUP ONCE", 0, 1}, Case{"AUTO_BACKUP NO", 0, 0}}) {
        EXPECT_EQ(gui->executeCommandString(c.line), 0) << c.line;
        EXPECT_EQ(gui->autoSave, c.save) << c.line;
        EXPECT_EQ(gui->autoBackupOn, c.backup) << c.line;
    }
    qxplatform::setManualClock(7000);
    gui->executeCommandString("AUTO_SAVE ON");
    EXPECT_EQ(gui->autoLastClock, 7000); // the interval starts again
    qxplatform::releaseManualClock();
}

TEST_F(PatchWriter, TheTimersBackupGoesToTheBackupsFolderMadeWhenMissing) {
    const std::string backups = folder + "/BACKUPS";
    gui->writeBackupFile(qxplatform::toModulePath(backups + "/01-02-2024--03-04-05--SHOW.txt"));
    const std::string text = readFile(backups + "/01-02-2024--03-04-05--SHOW.txt");
    EXPECT_NE(text.find("CONFIRM 'YOU JUST LOADED A BACKUP FILE'"), std::string::npos);

    command_test::clearConsoleLog(*gui);
    gui->writeBackupFile(folder + "/NO/SUCH/FOLDER/B.txt");
    const auto lines = command_test::consoleLines(*gui);
    EXPECT_EQ(lines.back(), "BACKUP FAILED -> FILE IS READ ONLY");
}

TEST_F(PatchWriter, ReloadOnResizeRemembersTheMacroThatAskedForIt) {
    gui->currentMacroName = "MACROS/LAYOUT.txt";
    EXPECT_EQ(gui->executeCommandString("RELOAD_ON_RESIZE TRUE"), 0);
    EXPECT_EQ(gui->reloadMacroName, "MACROS/LAYOUT.txt");
    gui->currentMacroName = "OTHER";
    EXPECT_EQ(gui->executeCommandString("RELOAD_ON_RESIZE FALSE"), 0);
    EXPECT_EQ(gui->reloadMacroName, "MACROS/LAYOUT.txt");
}

} // namespace
