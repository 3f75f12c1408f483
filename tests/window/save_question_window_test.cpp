// The SAVE cell on a file that the patch writer did not make, as a person meets it: qxhost in
// its window asks with the desktop's yes/no box; "No" keeps the file byte for byte, "Yes"
// writes the patch. And a save right after a load, before the timer has run the deferred
// slice lines, holds them all.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qxhost_desktop_fixture.h"

namespace {

class SaveQuestion : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no box to answer";
        QxhostOnDesktop::SetUp();
    }
    // A file of commands written by hand: one line runs, so it is the patch, but not the
    // writer's.
    std::string writeHandMade() {
        const std::string path = folder + "/hand.txt";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(kHandMade, 1, sizeof kHandMade - 1, file);
        std::fclose(file);
        return path;
    }
    // The SAVE cell, the answer to its question, and the end of the run.
    void saveAnswerAndClose(bool yes) {
        dd::clickAt(kSaveX, kBarY);
        const std::string box = dd::awaitWindow("Save patch");
        ASSERT_FALSE(box.empty()) << "no question before replacing the file";
        dd::typeInto(box, "", {yes ? "alt+y" : "alt+n"});
        ASSERT_TRUE(dd::awaitNoWindow("Save patch"));
        dd::pause(300);
        EXPECT_EQ(close(), 0) << stderrText();
    }
    static constexpr char kHandMade[] = "SET NUM_SOURCE 2\nmy notes on the show\n";
};

TEST_F(SaveQuestion, NoKeepsTheFileAndYesWritesThePatch) {
    for (const bool yes : {false, true}) {
        const std::string path = writeHandMade();
        start({"--load", path});
        ASSERT_NO_FATAL_FAILURE(saveAnswerAndClose(yes));
        const std::string now = dd::fileText(path);
        if (yes) {
            EXPECT_EQ(now.rfind("# RESET EVERYTHING\n", 0), 0u) << now.substr(0, 200);
            EXPECT_TRUE(consoleHas("SAVE COMPLETE"));
        } else {
            EXPECT_EQ(now, kHandMade);
            EXPECT_TRUE(consoleHas(">> SAVE CANCELLED, THE FILE IS KEPT"));
        }
    }
}

// A patch that another program changes after the load: the SAVE cell asks, "No" keeps the
// other program's bytes, "Yes" writes the stage.
TEST_F(SaveQuestion, APatchChangedAfterTheLoadIsReplacedOnlyOnAYes) {
    for (const bool yes : {false, true}) {
        const std::string path = folder + "/p.txt";
        const std::string patch = "# RESET EVERYTHING\nHARD_RESET\nSET NUM_SOURCE 3\n";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(patch.data(), 1, patch.size(), file);
        std::fclose(file);
        start({"--load", path});
        dd::pause(300);
        file = std::fopen(path.c_str(), "ab");
        std::fputs("NAME S3 SNARE\n", file);
        std::fclose(file);
        const std::string theirs = dd::fileText(path);
        ASSERT_NO_FATAL_FAILURE(saveAnswerAndClose(yes));
        const std::string now = dd::fileText(path);
        EXPECT_TRUE(consoleHas("-> THE FILE HAS CHANGED SINCE THIS STAGE LOADED OR SAVED IT"));
        if (yes) {
            EXPECT_EQ(now.find("SNARE"), std::string::npos) << now.substr(0, 200);
            EXPECT_TRUE(consoleHas("SAVE COMPLETE"));
        } else {
            EXPECT_EQ(now, theirs);
            EXPECT_TRUE(consoleHas(">> SAVE CANCELLED, THE FILE IS KEPT"));
        }
    }
}

// The save comes in the same moment as the load, before any timer tick.
TEST_F(SaveQuestion, ASaveRightAfterALoadHoldsEverySlice) {
    const std::string slices = "SLICE_M S:1 X:2\tS1\tS3\n"
                               "SLICE_X S:1 X:2\t10.50\t-20.00\n"
                               "SLICE_Y S:1 X:2\t1.00\t2.00\n"
                               "SLICE_S S:1 X:2\t0.50\t1.00\n"
                               "SLICE_L S:1 X:2\t1.00\t0.50\n";
    const std::string loaded = folder + "/f.txt";
    std::FILE* file = std::fopen(loaded.c_str(), "wb");
    const std::string text = "# RESET EVERYTHING\nHARD_RESET\nSET NUM_SOURCE 3\n" + slices;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    start({"--load", loaded, "--save", folder + "/g.txt"});
    EXPECT_EQ(close(), 0) << stderrText();
    const std::string saved = dd::fileText(folder + "/g.txt");
    EXPECT_NE(saved.find(slices), std::string::npos) << saved;
}

} // namespace
