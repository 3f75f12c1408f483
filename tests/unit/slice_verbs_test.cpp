// Slices: storing the sources inside the marquee, the drift towards a stored slice run by the
// timer tick on the settable clock, and the row verbs of a patch file.
#include <gtest/gtest.h>

#include "command_test_support.h"
#include "qxplatform/test_hooks.h"

using namespace command_test;

namespace {

struct SliceVerbs : ::testing::Test, LineRunner<> {
    void SetUp() override {
        placeSources(*gui, {{"S1", 10, 10}, {"S2", 20, -5}, {"S3", -8, 0}, {"S4", 500, 500}});
        for (int32_t i = 0; i < 4; ++i) {
            gui->sources[i].size = 0.5f + 0.1f * static_cast<float>(i);
            gui->sources[i].level = 0.25f * static_cast<float>(i + 1);
        }
        setMarquee(*gui, -10, -10, 20, 10);
        qxplatform::setManualClock(100000);
        qxplatform::setMessageBoxesQuiet(true);
        gui->lastTickTime = 100000;
        gui->autoLastClock = 100000;
    }
    void TearDown() override { qxplatform::releaseManualClock(); }
    // One 10 ms timer tick.
    void tick() {
        qxplatform::advanceManualClock(10);
        gui->onTimer();
    }
    // Ticks until the drift stops; the count of ticks that ran.
    int32_t ticksUntilStopped() {
        int32_t ticks = 0;
        while (gui->sliceDrift.drifting && ticks < 1000) {
            tick();
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(SliceVerbs, StoreTakesTheSourcesInsideTheMarqueeEdgesIncluded) {
    gui->sources[1].x = 20.9f;  // truncates to 20, on the edge
    gui->sources[2].x = -10.5f; // truncates to -10
    gui->sendFlags[kSendSlices] = 0;
    EXPECT_EQ(run("STORE_SLICE 0"), 0);
    const SliceRecord& slice = gui->slices[0];
    ASSERT_EQ(slice.memberCount, 3);
    EXPECT_EQ(slice.sourceIndex[2], 2);
    EXPECT_EQ(slice.x[1], 20.9f);
    EXPECT_FLOAT_EQ(slice.size[0], 0.5f);
    EXPECT_FLOAT_EQ(slice.level[2], 0.75f);
    EXPECT_EQ(gui->sendFlags[kSendSlices], 1);

    gui->stageView.sourcesShown = 0;
    gui->sendFlags[kSendSlices] = 0;
    run("STORE_SLICE 0");
    EXPECT_EQ(gui->slices[0].memberCount, 0) << "hidden sources store an empty slice";
    EXPECT_EQ(gui->sendFlags[kSendSlices], 1);
}

TEST_F(SliceVerbs, JumpReachesTheStoredValuesExactlyAfter21Ticks) {
    run("STORE_SLICE 0");
    for (int32_t i = 0; i < 3; ++i) {
        gui->sources[i].x += 100.0f;
        gui->sources[i].y -= 40.0f;
        gui->sources[i].size = 2.0f;
        gui->sources[i].level = 0.0f;
    }
    EXPECT_EQ(run("JUMP_TO_SLICE 0"), 0);
    EXPECT_EQ(gui->sliceDrift.drifting, 1);
    for (int32_t i = 0; i < 20; ++i) tick();
    EXPECT_EQ(gui->sliceDrift.drifting, 1);
    EXPECT_NE(gui->sources[0].x, 10.0f);
    tick();
    EXPECT_EQ(gui->sliceDrift.drifting, 0);
    EXPECT_EQ(gui->sources[0].x, 10.0f);
    EXPECT_EQ(gui->sources[1].y, -5.0f);
    EXPECT_FLOAT_EQ(gui->sources[2].size, 0.7f);
    EXPECT_FLOAT_EQ(gui->sources[2].level, 0.75f);
    EXPECT_EQ(gui->sources[3].x, 500.0f) << "not a member";
}

TEST_F(SliceVerbs, DriftSpeedSetsTheNumberOfTicks) {
    run("STORE_SLICE 1");
    struct Case {
        const char* line;
        int32_t ticks;
    };
    for (const Case& c : {Case{"DRIFT_TO_SLICE S:0.25 1", 5}, Case{"DRIFT_TO_SLICE S:1 1", 2},
                          Case{"DRIFT_TO_SLICE S:3 1", 2}, Case{"JUMP_TO_SLICE 1", 21}}) {
        EXPECT_EQ(run(c.line), 0) << c.line;
        EXPECT_EQ(ticksUntilStopped(), c.ticks) << c.line;
    }
}

TEST_F(SliceVerbs, FirstTickAppliesTheStartAndTheMidpointIsHalfWay) {
    run("STORE_SLICE 0");
    gui->sources[0].x = 30.0f;
    run("DRIFT_TO_SLICE S:0.25 0");
    tick();
    EXPECT_EQ(gui->sources[0].x, 30.0f);
    tick();
    tick();
    EXPECT_FLOAT_EQ(gui->sources[0].x, 20.0f);
}

TEST_F(SliceVerbs, RefusedLinesChangeNothing) {
    struct Case {
        const char* line;
        const char* error;
    };
    for (const Case& c :
         {Case{"DRIFT_TO_SLICE 2", "DRIFT TO SLICE : NO DRIFT SPEED SPECIFIED"},
          Case{"DRIFT_TO_SLICE S:0 2", "DRIFT TO SLICE : NO DRIFT SPEED SPECIFIED"},
          Case{"STORE_SLICE 20", "SLICE INDEX OUT OF RANGE (0-19)"},
          Case{"JUMP_TO_SLICE -1", "SLICE INDEX OUT OF RANGE (0-19)"},
          Case{"SLICE_X S:1\t1\t2", "SLICE INPUT -> NOSLICE INDEX OR NUMBER OF MEMBERS"},
          Case{"SLICE_X X:2\t1\t2", "SLICE INPUT -> NOSLICE INDEX OR NUMBER OF MEMBERS"},
          Case{"SLICE_X S:21 X:1\t1",
               "SLICE INPUT -> SLICE INDEX (1-20) OR MEMBERS (0-64) OUT OF RANGE"},
          Case{"SLICE_X S:1 X:65\t1",
               "SLICE INPUT -> SLICE INDEX (1-20) OR MEMBERS (0-64) OUT OF RANGE"}}) {
        EXPECT_EQ(run(c.line), 1) << c.line;
        EXPECT_EQ(gui->console.lastError, c.error) << c.line;
    }
    EXPECT_EQ(gui->sliceDrift.drifting, 0);
    EXPECT_EQ(gui->slices[0].memberCount, 0);
}

TEST_F(SliceVerbs, AnEmptySliceStartsNothingAndLeavesARunningDrift) {
    run("STORE_SLICE 0");
    run("DRIFT_TO_SLICE S:0.5 0");
    tick();
    EXPECT_EQ(run("JUMP_TO_SLICE 5"), 0);
    EXPECT_EQ(gui->sliceDrift.driftSlice, 0);
    EXPECT_EQ(gui->sliceDrift.driftStep, 0.5f);
    EXPECT_EQ(gui->sliceDrift.drifting, 1);
}

TEST_F(SliceVerbs, RowVerbsRebuildASliceAndUnknownMembersMoveNothing) {
    clearConsoleLog(*gui);
    EXPECT_EQ(run("SLICE_M S:2 X:3\tS2\tT9\tS1"), 0);
    EXPECT_EQ(run("SLICE_X S:2 X:3\t1.50\t2.50\t3.50\t99"), 0);
    EXPECT_EQ(run("SLICE_Y S:2 X:3\t-1\t-2\t-3"), 0);
    EXPECT_EQ(run("SLICE_S S:2 X:3\t0.10\t0.20\t0.30"), 0);
    EXPECT_EQ(run("SLICE_L S:2 X:2\t0.90\t0.80"), 0);
    const SliceRecord& slice = gui->slices[1];
    EXPECT_EQ(slice.memberCount, 2) << "the last row's X: sets the count";
    EXPECT_EQ(slice.sourceIndex[0], 1);
    EXPECT_EQ(slice.sourceIndex[1], -1);
    EXPECT_EQ(slice.sourceIndex[2], 0);
    EXPECT_FLOAT_EQ(slice.x[2], 3.5f);
    EXPECT_FLOAT_EQ(slice.y[1], -2.0f);
    EXPECT_FLOAT_EQ(slice.size[0], 0.1f);
    EXPECT_FLOAT_EQ(slice.level[1], 0.8f);
    const auto lines = consoleLines(*gui);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 8),
              (std::vector<std::string>{"ROGUE INDEX AT ARRAY POSITION : 0", "SLICE_M S:2 X:3",
                                        "ROGUE INDEX AT ARRAY POSITION : 2", "T9",
                                        "S1 FOUnd AT COunTER : 3", "COUNTER GOT AS FAR AS 4",
                                        "-> SLICE_X S:2 X:3\t1.50\t2.50\t3.50\t99"}));

    gui->slices[1].memberCount = 3;
    const float before = gui->sources[1].x;
    gui->beginSliceDrift(1, 1.0f);
    while (gui->sliceDrift.drifting) tick();
    EXPECT_FLOAT_EQ(gui->sources[1].x, 1.5f);
    EXPECT_FLOAT_EQ(gui->sources[0].x, 3.5f);
    EXPECT_NE(before, 1.5f);
}

TEST_F(SliceVerbs, HardResetEmptiesAllSlicesAndARunningDriftMovesNothingMore) {
    run("STORE_SLICE 0");
    gui->sources[0].x = 99.0f;
    run("DRIFT_TO_SLICE S:0.5 0");
    run("HARD_RESET");
    for (const SliceRecord& slice : gui->slices) EXPECT_EQ(slice.memberCount, 0);
    gui->sources[0].x = 42.0f;
    EXPECT_EQ(ticksUntilStopped(), 3);
    EXPECT_EQ(gui->sources[0].x, 42.0f);
}

} // namespace
