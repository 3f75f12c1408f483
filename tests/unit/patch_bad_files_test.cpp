// Bad patch files: each gets a clear message and changes nothing it should not.
#include <gtest/gtest.h>

#include <random>

#include "command_test_support.h"
#include "patch_round_trip_support.h"

using namespace patch_test;

namespace {

struct BadPatchFiles : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    ScratchFolder scratch{"badfiles"};
    std::string folder = scratch.path;
    std::string reference;

    void SetUp() override {
        ASSERT_EQ(runLines(*gui, {"HARD_RESET", "SET NUM_SOURCE 4", "SET NUM_TARGET 3",
                                  "POS S1 X:10 Y:20", "CABLE S1 T1 X:-3", "SET_MASTER -1"}),
                  std::vector<std::string>());
        reference = gui->composePatchText(0);
        command_test::clearConsoleLog(*gui);
        gui->console.errorCount = 0;
    }
    // Loads the file through LOAD_MACRO_FILE's path; returns the console lines it printed.
    std::vector<std::string> load(const std::string& name, const std::string* text) {
        const std::string path = folder + "/" + name;
        if (text) writeFile(path, *text);
        loadPatch(*gui, path);
        return command_test::consoleLines(*gui);
    }
    static bool has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The state as a patch, leaving out the lines a failed load may rightly change.
    std::string state() { return gui->composePatchText(0); }
};

TEST_F(BadPatchFiles, AMissingFileIsReportedAndRunsNothing) {
    const auto lines = load("NOT_THERE.txt", nullptr);
    EXPECT_TRUE(has(lines, "MACRO FILE NOT FOUND OUTSIDE OF LOCALITY"));
    EXPECT_TRUE(has(lines, "<< 1 ERRORS IN MACRO >>"));
    EXPECT_TRUE(has(lines, "<< ON LINE -1 >> :: FILE NOT FOUND - "));
    EXPECT_EQ(state(), reference);
    EXPECT_EQ(gui->patchPathLength, 0); // a file that is not there is not the patch
}

TEST_F(BadPatchFiles, AnEmptyFileLoadsNothingAndSaysSo) {
    const std::string empty;
    const auto lines = load("EMPTY.txt", &empty);
    EXPECT_TRUE(has(lines, "<< PATCH LOADING COMPLETE >>"));
    EXPECT_EQ(state(), reference);
}

TEST_F(BadPatchFiles, ABinaryFileFailsLineByLineAndChangesNothing) {
    std::string binary = "\x89PNG\r\n\x1a\n";
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) binary += static_cast<char>(random() & 0xff);
    const auto lines = load("IMAGE.txt", &binary);
    EXPECT_GT(gui->console.errorCount, 0);
    EXPECT_LE(gui->failedLineCount, 128);
    EXPECT_EQ(state(), reference);
}

TEST_F(BadPatchFiles, ALineOf100000CharactersIsRefused) {
    const std::string text = "SET_MASTER " + std::string(100000, '7') + "\nLEVEL S1 " +
                             std::string(100000, 'A') + "\n" + std::string(100000, 'B') + "\n";
    const auto lines = load("LONG.txt", &text);
    EXPECT_EQ(gui->console.errorCount, 2); // the master line clamps to its range
    EXPECT_EQ(gui->sources[0].level, dbToGain(0.0f));
    EXPECT_EQ(gui->viewSettings.masterVolume, dbToGain(12.0f));
}

TEST_F(BadPatchFiles, AFileOf200000LinesRunsWithBoundedReports) {
    std::string text;
    text.reserve(200000 * 12);
    for (int i = 0; i < 199400; ++i) text += "# COMMENT\n";
    for (int i = 0; i < 300; ++i) text += "BOGUS_VERB S1\n";
    for (int i = 0; i < 299; ++i) text += "SLICE_X S:1 X:1\t5\n";
    text += "SET_MASTER -2\n";
    const auto lines = load("HUGE.txt", &text);
    EXPECT_EQ(gui->console.errorCount, 300);
    EXPECT_EQ(gui->failedLineCount, 128); // the rest only counted
    EXPECT_EQ(gui->failedLineNumbers[127], 199400 + 128);
    EXPECT_EQ(gui->queuedLineCount, 200);
    EXPECT_EQ(gui->viewSettings.masterVolume, dbToGain(-2.0f));
}

TEST_F(BadPatchFiles, UnknownVerbsAndOutOfRangeNumbersAreReportedAndChangeNothing) {
    const std::string text = "FROBNICATE S1\n"
                             "SET NUM_SOURCE -5\n"
                             "SEL X:40 S1\n"
                             "SLICE_M S:25 X:3\tS1\tS2\tS3\n"
                             "SLICE_M S:2 X:900\tS1\n"
                             "NOTE X:1 Y:2 S:1 RED:1 GREEN:1 BLUE:1 L:1\n";
    const auto lines = load("RANGES.txt", &text);
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {1, "FROBNICATE S1 - COMMAND \"FROBNICATE\" NOT FOUND"},
        {2, "SET NUM_SOURCE -5 - NEGATIVE NUMBER SPECIFIED"},
        {3, "SEL X:40 S1 - SELECTION INDEX OUT OF RANGE (1-10)"}};
    ASSERT_GE(gui->failedLineCount, 3);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(gui->failedLineNumbers[i], expected[i].first);
        EXPECT_EQ(gui->failedLines[i], expected[i].second);
    }
    EXPECT_EQ(gui->sourceCount, 4);
    for (const SliceRecord& slice : gui->slices) EXPECT_EQ(slice.memberCount, 0);
    EXPECT_EQ(gui->cableCount, 1);
    EXPECT_EQ(gui->sources[0].x, 10.0f);
}

} // namespace
