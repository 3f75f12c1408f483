// The EQ preset file reader, applying stored and algorithmic presets, and the export.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/text_services.h"
#include "processing_test_support.h"
#include "qxplatform/file_writer.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

using namespace processing_test;

namespace {

// A preset file beside the module, removed after the test.
struct PresetFile {
    std::string name;
    std::string hostPath;
    PresetFile(const std::string& fileName, const std::string& text) : name(fileName) {
        hostPath = qxplatform::toHostPath(modulePath("")) + fileName;
        std::ofstream(hostPath, std::ios::binary) << text;
    }
    ~PresetFile() { std::remove(hostPath.c_str()); }
};

const char* const kFixture =
    "; presets for the tests\r\n"
    "EQ_PRESET|BEFORE_COMMENT ; opening after a comment mark is skipped whole\n"
    "EQ_PRESET|VOCAL\n"
    "NODE\n"
    "TYPE|5\n"
    "FREQUENCY|120\n"
    "GAIN|-3\n"
    "Q|1.5\n"
    "/NODE\n"
    "# a remark inside a block is skipped\n"
    "\n"
    "NODE\n"
    "TYPE|4\n"
    "FREQUENCY|3000\n"
    "GAIN|2.5\n"
    "Q|2\n"
    "/NODE\n"
    "/EQ_PRESET\n"
    "stray line outside any block\n"
    "EQ_PRESET|UNCLOSED\n"
    "NODE\n"
    "TYPE|1\n"
    "EQ_PRESET|NO_Q\n"
    "NODE\n"
    "TYPE|0\n"
    "FREQUENCY|800\n"
    "GAIN|4\n"
    "/NODE\n"
    "/EQ_PRESET\n"
    "EQ_PRESET|NEVER_CLOSED\n"
    "NODE\n";

struct EqPresetTest : ::testing::Test, ProcessingStage {
    // One file per process: ctest runs the cases in parallel, and each removes its file.
    PresetFile file{"EQ_PRESETS_TEST_FIXTURE_" + std::to_string(::getpid()) + ".txt", kFixture};
    void SetUp() override {
        gui->eqPresets = gui->readEqPresetFile(file.name);
        gui->loadFiltersPanel(1, 0);
    }
};

TEST_F(EqPresetTest, ReaderKeepsClosedBlocksOnly) {
    const EqPresetTable& table = gui->eqPresets;
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.entries[0].name, "VOCAL");
    EXPECT_EQ(table.entries[0].lines, "NODE\nTYPE|5\nFREQUENCY|120\nGAIN|-3\nQ|1.5\n/NODE\n"
                                      "NODE\nTYPE|4\nFREQUENCY|3000\nGAIN|2.5\nQ|2\n/NODE\n");
    // A block opened again before it closed restarts under the new name.
    EXPECT_EQ(table.entries[1].name, "NO_Q");
    EXPECT_EQ(table.entries[1].lines, "NODE\nTYPE|0\nFREQUENCY|800\nGAIN|4\n/NODE\n");
    EXPECT_EQ(gui->findEqPresetText("NEVER_CLOSED"), "-");
    EXPECT_EQ(gui->readEqPresetFile("NO_SUCH_PRESET_FILE.txt").count, 0);
}

TEST_F(EqPresetTest, StoredPresetSetsBandsStoresAndSwitchesOn) {
    gui->filtersEditor.eqEditBands[3].active = 1;
    clearFlags();
    gui->loadEqPreset("VOCAL");
    const EqBand* b = gui->filtersEditor.eqEditBands;
    EXPECT_EQ(b[0].type, 5);
    EXPECT_EQ(b[0].frequency, 120.0);
    EXPECT_EQ(b[0].gainDb, -3.0);
    EXPECT_EQ(b[0].width, 1.5);
    EXPECT_EQ(b[1].type, 4);
    EXPECT_EQ(b[1].gainDb, 2.5);
    // Bands the preset does not name are flat, inactive peaks at their old frequencies.
    for (int k = 2; k < 5; ++k) {
        EXPECT_EQ(b[k].active, 0);
        EXPECT_EQ(b[k].type, 4);
        EXPECT_EQ(b[k].gainDb, 0.0);
    }
    EXPECT_EQ(b[3].frequency, 3000.0);
    const FilterRecord& r = gui->inputFilters[0];
    EXPECT_EQ(r.enabled, 1);
    EXPECT_EQ(r.activeBandCount, 2);
    EXPECT_EQ(r.bands[0].frequency, 120.0f);
    EXPECT_TRUE(flag(kSendInputEq) && flag(kSendOutputEq));
    EXPECT_EQ(consoleLines(*gui).back(), "LOAD EQ PRESET : VOCAL");

    // A node without a Q line stays inactive.
    gui->loadEqPreset("NO_Q");
    EXPECT_EQ(gui->filtersEditor.eqEditBands[0].active, 0);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[0].type, 0);
    EXPECT_EQ(gui->inputFilters[0].activeBandCount, 0);
}

TEST_F(EqPresetTest, AlgorithmicNamesBuildFilters) {
    gui->loadEqPreset("BW_LP_4_1000");
    EXPECT_EQ(gui->console.statusMessage, "TRY TO MAKE 2 POLES");
    const EqBand* b = gui->filtersEditor.eqEditBands;
    EXPECT_EQ(b[0].type, 0);
    EXPECT_EQ(b[0].active, 1);
    EXPECT_EQ(b[0].frequency, 1000.0);
    EXPECT_FLOAT_EQ(static_cast<float>(b[0].width), 2.384808f);
    EXPECT_FLOAT_EQ(static_cast<float>(b[1].width), 1.078875f);
    EXPECT_EQ(b[0].gainDb, -3.0);
    EXPECT_EQ(b[1].gainDb, 0.0);
    EXPECT_EQ(b[2].active, 0);
    EXPECT_EQ(gui->inputFilters[0].activeBandCount, 2);
}

TEST_F(EqPresetTest, UnknownNameChangesNothingAndSaysSo) {
    gui->loadEqPreset("VOCAL");
    const FilterRecord before = gui->inputFilters[0];
    for (const char* name : {"BW_LP_3_1000", "NOT_A_PRESET", "vocal"}) {
        EXPECT_EQ(gui->applyEqPresetByName(name), 1) << name;
        EXPECT_EQ(gui->console.pendingError, std::string("NO EQ PRESET NAMED ") + name);
        gui->loadEqPreset(name);
        EXPECT_EQ(gui->console.statusMessage, std::string("NO EQ PRESET NAMED ") + name);
    }
    EXPECT_EQ(gui->inputFilters[0].bands[0].frequency, before.bands[0].frequency);
    EXPECT_EQ(gui->inputFilters[0].enabled, 1);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[1].gainDb, 2.5);
}

TEST_F(EqPresetTest, ExportWritesTheActiveBandsAndReadsBack) {
    char folder[] = "/tmp/qx_eq_export_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(folder), 0);

    gui->loadEqPreset("VOCAL");
    gui->filtersEditor.eqEditBands[1].frequency = 12345.678;
    gui->filtersEditor.eqEditBands[1].width = 0.5;
    gui->executeCommandString("EXPORT_EQ_PRESET");
    std::ifstream in(std::string(folder) + "/EQ_PRESET.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "EQ_PRESET|XXX\n"
                          "NODE\nTYPE|5\nFREQUENCY|120\nGAIN|-3\nQ|1.5\n/NODE\n"
                          "NODE\nTYPE|4\nFREQUENCY|12345.7\nGAIN|2.5\nQ|0.5\n/NODE\n"
                          "/EQ_PRESET");

    // With no active band only the frame is written.
    for (int b = 0; b < 5; ++b) gui->filtersEditor.eqEditBands[b].active = 0;
    gui->saveEqPreset();
    std::ifstream empty(std::string(folder) + "/EQ_PRESET.txt", std::ios::binary);
    std::stringstream emptyText;
    emptyText << empty.rdbuf();
    EXPECT_EQ(emptyText.str(), "EQ_PRESET|XXX\n/EQ_PRESET");

    std::remove((std::string(folder) + "/EQ_PRESET.txt").c_str());
    ASSERT_EQ(::chdir(previous), 0);
    ::rmdir(folder);

    // The exported block reads back as a preset that a command line can name.
    PresetFile copy("EQ_PRESETS_TEST_EXPORT.txt", text.str() + "\n");
    gui->eqPresets = gui->readEqPresetFile(copy.name);
    EXPECT_TRUE(gui->isEqPresetName("XXX"));
    EXPECT_EQ(gui->findEqPresetText("XXX"),
              "NODE\nTYPE|5\nFREQUENCY|120\nGAIN|-3\nQ|1.5\n/NODE\n"
              "NODE\nTYPE|4\nFREQUENCY|12345.7\nGAIN|2.5\nQ|0.5\n/NODE\n");
}

// The export goes through the platform's writer: a link planted at a name beside it is never
// followed, the folder is synced after the rename, and a failed write keeps the old export
// and reports nothing.
TEST_F(EqPresetTest, ExportNeverFollowsALinkAndKeepsTheOldFileOnFailure) {
    char folder[] = "/tmp/qx_eq_safe_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string root = folder;
    const std::string exported = root + "/EQ_PRESET.txt";
    const std::string victim = root + "/victim.txt";
    auto readText = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    std::ofstream(victim) << "PRIVATE\n";
    ASSERT_EQ(::symlink(victim.c_str(), (exported + ".partial").c_str()), 0);
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(folder), 0);

    using qxplatform::WriteStep;
    std::vector<WriteStep> steps;
    qxplatform::setFileWriteStepRecorder([&steps](WriteStep step) { steps.push_back(step); });
    gui->saveEqPreset();
    qxplatform::setFileWriteStepRecorder(nullptr);
    EXPECT_EQ(readText(victim), "PRIVATE\n");
    EXPECT_EQ(readText(exported).rfind("EQ_PRESET|XXX\n", 0), 0u);
    ASSERT_GE(steps.size(), 2u);
    EXPECT_EQ(steps[steps.size() - 2], WriteStep::Rename);
    EXPECT_EQ(steps.back(), WriteStep::SyncFolder);

    const std::string before = readText(exported);
    gui->filtersEditor.eqEditBands[0].active = 0;
    gui->console.pendingError.clear();
    qxplatform::setFileWriteFault(WriteStep::Rename, EIO);
    gui->saveEqPreset();
    qxplatform::setFileWriteFault(WriteStep::NoFailure, 0);
    EXPECT_EQ(readText(exported), before);
    EXPECT_EQ(gui->console.pendingError, "");

    ASSERT_EQ(::chdir(previous), 0);
    for (const std::string& name : {exported, exported + ".partial", victim})
        std::remove(name.c_str());
    EXPECT_EQ(::rmdir(folder), 0); // nothing else, no temporary, was left there
}

} // namespace
