// A desk restored from its session still knows the patch file as it last loaded or saved it:
// SAVE_NOW keeps a file another program changed in between, where no box can ask.
#include <gtest/gtest.h>

#include <string>

#include "qxhost_in_folder.h"

namespace {

using host_test::readFile;
using host_test::writeFile;

struct QxhostChangedPatch : host_test::QxhostInFolder {
    int run(const std::string& arguments) {
        return runQxhost(arguments, "XDG_STATE_HOME='" + path("state") + "' ");
    }
    std::string errors() const { return readFile(path("stderr.txt")); }
};

TEST_F(QxhostChangedPatch, ARestoredSessionKeepsAPatchChangedSinceItsSave) {
    writeFile(path("m.txt"), "SET NUM_SOURCE 3\nNAME S2 KICK\n");
    for (const bool changed : {false, true}) {
        const std::string tag = changed ? "1" : "0";
        const std::string patch = path("p" + tag + ".txt");
        ASSERT_EQ(run("--headless --session s" + tag + " --load m.txt --save p" + tag + ".txt"), 0)
            << errors();
        if (changed) writeFile(patch, readFile(patch) + "NAME S3 SNARE\n");
        const std::string before = readFile(patch);
        ASSERT_EQ(run("--headless --session s" + tag +
                      " --send 'MUTE S1' --send SAVE_NOW --console c" + tag + ".txt"),
                  0)
            << errors();
        const std::string console = readFile(path("c" + tag + ".txt"));
        auto said = [&console](const std::string& line) {
            return console.find(line) != std::string::npos;
        };
        EXPECT_EQ(readFile(patch) == before, changed);
        EXPECT_EQ(said("-> THE FILE HAS CHANGED SINCE THIS STAGE LOADED OR SAVED IT"), changed);
        EXPECT_EQ(said("-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT"), changed);
        EXPECT_EQ(said("SAVE COMPLETE"), !changed);
    }
}

} // namespace
