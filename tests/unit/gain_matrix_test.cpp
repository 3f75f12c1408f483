// The gain matrix: distance law, rooms, mute and solo, groups and cables.
#include <gtest/gtest.h>

#include "stage_fixture.h"

namespace {

struct GainMatrixTest : ::testing::Test, StageFixture {
    GainMatrixTest() {
        gui->viewSettings.globalRadius = 100.0f;
        room(0, 0.0f, 0.0f, 500.0f, 500.0f);
        room(1, 600.0f, 0.0f, 500.0f, 500.0f);
        target(0, 100.0f, 100.0f);
        target(1, 700.0f, 100.0f);
    }
    void compute() {
        commit();
        gui->computeGainMatrix();
    }
};

TEST_F(GainMatrixTest, DistanceLawAndSpread) {
    const struct {
        float dx, size, expected;
    } cases[] = {{0.0f, 0.5f, 50.0f},   {0.0f, 1.0f, 100.0f},  {0.0f, 3.0f, 100.0f},
                 {60.0f, 1.0f, 40.0f},  {100.0f, 1.0f, 0.0f},  {150.0f, 1.0f, 0.0f},
                 {60.0f, 2.0f, 100.0f}, {150.0f, 2.0f, 50.0f}, {60.0f, 0.5f, 0.0f}};
    for (const auto& c : cases) {
        source(0, 100.0f + c.dx, 100.0f, c.size);
        compute();
        EXPECT_FLOAT_EQ(gain(0, 0), c.expected) << c.dx << " " << c.size;
        EXPECT_EQ(gain(0, 1), 0.0f); // other room
    }
}

TEST_F(GainMatrixTest, OwnRadiusLevelsPhasesRoomGroupAndMasterMultiply) {
    source(0, 100.0f, 160.0f);
    gui->targets[0].useGlobalRadius = 0;
    gui->targets[0].ownRadius = 80.0f; // reach 80, distance 60: 20
    gui->sources[0].level = 0.5f;
    gui->sources[0].phase = -1.0f;
    gui->rooms[0].level = 0.5f;
    gui->targets[0].level = 2.0f;
    gui->viewSettings.masterVolume = 0.25f;
    join(0, 3);
    gui->groups[3].level = 0.5f;
    compute();
    EXPECT_FLOAT_EQ(gain(0, 0), 20.0f * 0.5f * -1.0f * 0.5f * 0.5f * 2.0f * 0.25f);
}

TEST_F(GainMatrixTest, SourceOutsideEveryRoomIsSilentButItsCableSounds) {
    source(0, 100.0f, 100.0f);
    source(1, 5000.0f, 5000.0f);
    cable(1, 0);
    compute();
    EXPECT_EQ(gui->sources[1].room, -1);
    EXPECT_FLOAT_EQ(gain(1, 0), 0.5f); // cable level 0.5, room factor 1
}

} // namespace

namespace {

TEST_F(GainMatrixTest, OneSoloedCableSilencesEverythingElse) {
    source(0, 100.0f, 100.0f);
    source(1, 120.0f, 100.0f);
    cable(0, 1);
    cable(1, 0);
    gui->cables[1].solo = 1;
    compute();
    EXPECT_EQ(gui->anyCableSoloed, 1);
    EXPECT_EQ(gain(0, 0), 0.0f); // uncabled pair
    EXPECT_EQ(gain(0, 1), 0.0f); // the other cable
    EXPECT_FLOAT_EQ(gain(1, 0), 0.5f);
    gui->cables[1].solo = 0;
    compute();
    EXPECT_EQ(gui->anyCableSoloed, 0);
    EXPECT_FLOAT_EQ(gain(0, 0), 100.0f);
}

TEST_F(GainMatrixTest, SourceSoloThenGroupSolo) {
    for (int s = 0; s < 4; ++s) source(s, 100.0f, 100.0f);
    gui->sources[1].solo = 1;
    compute();
    EXPECT_EQ(gain(0, 0), 0.0f);
    EXPECT_EQ(gain(1, 0), 100.0f);
    EXPECT_EQ(gain(2, 0), 0.0f);
    // Once a group is soloed, its members and the directly soloed sources sound.
    join(2, 0);
    gui->groups[0].solo = 1;
    compute();
    EXPECT_EQ(gain(0, 0), 0.0f);
    EXPECT_EQ(gain(1, 0), 100.0f);
    EXPECT_EQ(gain(2, 0), 100.0f);
    EXPECT_EQ(gain(3, 0), 0.0f);
}

TEST_F(GainMatrixTest, MutesOfSourcesGroupsAndTargetsAndTargetSolo) {
    source(0, 100.0f, 100.0f);
    source(1, 100.0f, 100.0f);
    target(2, 100.0f, 110.0f);
    join(1, 2);
    gui->groups[2].mute = 1;
    gui->sources[0].mute = 1;
    compute();
    EXPECT_EQ(gain(0, 0), 0.0f);
    EXPECT_EQ(gain(1, 0), 0.0f);
    gui->groups[2].mute = 0;
    gui->sources[0].mute = 0;
    gui->targets[0].mute = 1;
    gui->targets[2].solo = 1;
    compute();
    EXPECT_EQ(gain(0, 0), 0.0f);
    EXPECT_EQ(gain(0, 2), 90.0f);
}

TEST_F(GainMatrixTest, TargetOutsideEveryRoomGetsItsCablesAtRoomFactorOne) {
    source(0, 100.0f, 100.0f);
    target(2, 9000.0f, 9000.0f);
    gui->rooms[0].level = 0.5f;
    cable(0, 2);
    compute();
    EXPECT_EQ(gui->targets[2].room, -1);
    EXPECT_FLOAT_EQ(gain(0, 2), 0.5f);
    EXPECT_FLOAT_EQ(gain(0, 0), 50.0f); // the pair in the room takes the room level
}

TEST_F(GainMatrixTest, MutedAndSoloedRooms) {
    source(0, 100.0f, 100.0f);
    source(1, 700.0f, 100.0f);
    cable(0, 1); // a cable into room 1 from room 0
    gui->rooms[1].mute = 1;
    compute();
    EXPECT_EQ(gain(1, 1), 0.0f);
    EXPECT_EQ(gain(0, 1), 0.0f); // the cable's target room is muted
    EXPECT_EQ(gain(0, 0), 100.0f);
    gui->rooms[1].mute = 0;
    gui->rooms[1].solo = 1;
    compute();
    EXPECT_EQ(gain(0, 0), 0.0f);
    EXPECT_EQ(gain(1, 1), 100.0f);
    EXPECT_FLOAT_EQ(gain(0, 1), 0.5f);
}

TEST_F(GainMatrixTest, TheLaterOfTwoCablesForAPairDecides) {
    source(0, 100.0f, 100.0f);
    cable(0, 1);
    cable(0, 1);
    gui->cables[0].level = 0.25f;
    gui->cables[1].level = 0.75f;
    gui->cables[1].phase = -1.0f;
    compute();
    EXPECT_FLOAT_EQ(gain(0, 1), -0.75f);
}

TEST_F(GainMatrixTest, CableTakesGroupGainsOnlyWhenItUsesGroups) {
    source(0, 100.0f, 100.0f);
    join(0, 1);
    gui->groups[1].level = 0.5f;
    gui->groups[1].phase = -1.0f;
    cable(0, 1);
    compute();
    EXPECT_FLOAT_EQ(gain(0, 1), -0.25f);
    gui->cables[0].useGroups = 0;
    compute();
    EXPECT_FLOAT_EQ(gain(0, 1), 0.5f);
}

TEST_F(GainMatrixTest, EntriesBeyondTheCountsAreLeftAlone) {
    source(0, 100.0f, 100.0f);
    gui->targets[0].gainRow[5] = 7.0f;
    gui->targets[10].gainRow[0] = 9.0f;
    compute();
    EXPECT_EQ(gui->targets[0].gainRow[5], 7.0f);
    EXPECT_EQ(gui->targets[10].gainRow[0], 9.0f);
}

TEST_F(GainMatrixTest, PairGainAndApplyCableGainsAloneWriteTheirEntries) {
    source(0, 100.0f, 140.0f);
    commit();
    gui->pairGain(0, 0);
    EXPECT_FLOAT_EQ(gain(0, 0), 60.0f);
    cable(0, 1);
    gui->targets[1].gainRow[0] = 3.0f;
    // A cable whose source lies beyond the count still writes its own entry.
    gui->cables[gui->cableCount].source = 70;
    gui->cables[gui->cableCount].target = 1;
    gui->cables[gui->cableCount].level = 0.5f;
    ++gui->cableCount;
    gui->sources[70].level = 1.0f;
    gui->applyCableGains();
    EXPECT_FLOAT_EQ(gain(0, 1), 0.5f);
    EXPECT_FLOAT_EQ(gain(70, 1), 0.5f);
    EXPECT_FLOAT_EQ(gain(0, 0), 60.0f);
}

} // namespace
