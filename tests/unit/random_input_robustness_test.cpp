// Seeded runs of the fuzz targets' generators: thousands of random command lines and hundreds
// of mutated patch files. Nothing crashes and the sanitizer build reports nothing; a fault the
// fuzzers found once shows here again.
#include <gtest/gtest.h>

#include "../fuzz/command_line_generator.h"
#include "../fuzz/patch_file_mutator.h"
#include "patch_round_trip_support.h"
#include "qxplatform/test_hooks.h"

namespace {

struct RandomInput : ::testing::Test {
    void SetUp() override { qxplatform::setShellOpensRecorded(true); }
    void TearDown() override {
        qxplatform::clearRecordedShellOpens();
        qxplatform::setShellOpensRecorded(false);
    }
    static void sendEverything(QX_GUI& gui) {
        for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui.sendFlags[flag] = 1;
        gui.sendStateToDsp();
    }
    static void expectCountsInRange(const QX_GUI& gui) {
        EXPECT_GE(gui.sourceCount, 0);
        EXPECT_LE(gui.sourceCount, 64);
        EXPECT_GE(gui.targetCount, 0);
        EXPECT_LE(gui.targetCount, 64);
        EXPECT_LE(gui.groupCount, 32);
        EXPECT_LE(gui.roomCount, 8);
        EXPECT_EQ(gui.macroLoadDepth, 0);
    }
};

TEST_F(RandomInput, ThousandsOfCommandLines) {
    auto gui = std::make_unique<QX_GUI>();
    fuzz_lines::prepareFuzzStage(*gui);
    FuzzChoices choices(20261210);
    for (int line = 1; line <= 3000; ++line) {
        gui->executeCommandString(fuzz_lines::randomCommandLine(choices));
        if (line % 50 == 0) {
            for (int tick = 0; tick < 8 && gui->queueActive; ++tick) gui->runNextQueuedLine();
            sendEverything(*gui);
        }
        // A fresh stage now and then, so the lines meet full tables and few items alike.
        if (line % 1000 == 0) fuzz_lines::prepareFuzzStage(*gui);
    }
    expectCountsInRange(*gui);
}

TEST_F(RandomInput, HundredsOfMutatedPatchFiles) {
    patch_test::ScratchFolder scratch("random_patches");
    auto gui = std::make_unique<QX_GUI>();
    ASSERT_EQ(patch_test::runLines(*gui, patch_test::fullLoadCommands()),
              std::vector<std::string>());
    const std::string rich = scratch.path + "/RICH.txt";
    ASSERT_EQ(gui->writePatchFile(rich, 0), 0);
    const std::vector<std::string> original = fuzz_patches::splitLines(patch_test::readFile(rich));
    ASSERT_GT(original.size(), 100u);

    FuzzChoices choices(20261211);
    const std::string path = scratch.path + "/MUTATED.txt";
    for (int file = 0; file < 150; ++file) {
        patch_test::writeFile(path, fuzz_patches::mutatePatch(original, choices));
        patch_test::loadPatch(*gui, path);
        if (file % 10 == 0) sendEverything(*gui);
    }
    expectCountsInRange(*gui);
}

} // namespace
