// Toggle and clean-up verbs: switch words, flips, visibility with the targets' per-source
// flags, the marquee flip and the name resets.
#include "edit_verbs_test_support.h"

using namespace edit_verbs_test;

namespace {

using ToggleVerbs = EditVerbsTest;

TEST_F(ToggleVerbs, LastWordSetsClearsOrFlips) {
    struct Case {
        const char* line;
        int s1Mute, s2Mute, s1Solo;
    } cases[] = {
        {"TOGGLE_MUTE S1 S2", 0, 1, 0}, // S1 was muted
        {"TOGGLE_MUTE S1 S2 ON", 1, 1, 0},     {"TOGGLE_MUTE S1 S2 ON", 1, 1, 0},
        {"TOGGLE_MUTE S1 S2 UNMUTE", 0, 0, 0}, {"TOGGLE_MUTE S1 YES", 1, 0, 0},
        {"TOGGLE_MUTE S1 0", 0, 0, 0},         {"TOGGLE_SOLO S1 SOLO", 0, 0, 1},
        {"TOGGLE_SOLO S1", 0, 0, 0},           {"TOGGLE_SOLO S1 TRUE", 0, 0, 1},
        {"TOGGLE_SOLO S1 OFF", 0, 0, 0},
    };
    S(1).mute = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        runOk(c.line);
        EXPECT_EQ(S(1).mute, c.s1Mute);
        EXPECT_EQ(S(2).mute, c.s2Mute);
        EXPECT_EQ(S(1).solo, c.s1Solo);
    }
    // A word that is neither an item nor a switch word of the verb.
    runFails("TOGGLE_SOLO S1 MUTE", "ITEM \"MUTE\" NOT FOUND");
    runFails("TOGGLE_MUTE S1 S9", "ITEM \"S9\" NOT FOUND");
    EXPECT_EQ(S(1).solo + S(1).mute, 0);
}

TEST_F(ToggleVerbs, PhaseWords) {
    runOk("TOGGLE_PHASE T1 ANTIPHASE");
    EXPECT_EQ(T(1).phase, -1.0f);
    runOk("TOGGLE_PHASE T1 REVERSE");
    EXPECT_EQ(T(1).phase, -1.0f);
    runOk("TOGGLE_PHASE T1");
    EXPECT_EQ(T(1).phase, 1.0f);
    runOk("TOGGLE_PHASE T1 R1 G1 S1");
    EXPECT_EQ(T(1).phase + R(1).phase + G(1).phase + S(1).phase, -4.0f);
    runOk("TOGGLE_PHASE T1 NORMAL");
    EXPECT_EQ(T(1).phase, 1.0f);
    runOk("TOGGLE_PHASE T1 -1");
    EXPECT_EQ(T(1).phase, -1.0f);
}

TEST_F(ToggleVerbs, FlipsReachOnlyTheirKind) {
    runOk("TOGGLE_USE_GLOBAL S1 T1");
    EXPECT_EQ(T(1).useGlobalRadius, 0);
    EXPECT_EQ(T(2).useGlobalRadius, 1);
    runOk("TOGGLE_MOVEMENT S1 G1");
    EXPECT_EQ(G(1).movementOn, 1);
    EXPECT_EQ(G(2).movementOn, 0);
    runOk("TOGGLE_ROTATION G2 T1");
    EXPECT_EQ(G(2).rotationOn, 1);
    EXPECT_EQ(T(1).useGlobalRadius, 0);
    runOk("TOGGLE_ROTATION G2");
    EXPECT_EQ(G(2).rotationOn, 0);
}

TEST_F(ToggleVerbs, HideKeepsTheTargetsPerSourceFlagsInStep) {
    runOk("TOGGLE_HIDE S2");
    EXPECT_EQ(S(2).shown, 0);
    EXPECT_EQ(T(1).sourceShown[1], 0); // entry of source index 1
    EXPECT_EQ(T(2).sourceShown[1], 0);
    EXPECT_EQ(T(1).sourceShown[0], 1);
    runOk("TOGGLE_HIDE S2");
    EXPECT_EQ(S(2).shown, 1);
    EXPECT_EQ(T(1).sourceShown[1] + T(2).sourceShown[1], 2);

    runOk("GROUPIFY S3 S4 G1");
    runOk("TOGGLE_HIDE G1 T2");
    EXPECT_EQ(G(1).shown, 0);
    EXPECT_EQ(S(3).shown + S(4).shown, 0);
    EXPECT_EQ(T(1).sourceShown[2] + T(1).sourceShown[3], 0);
    EXPECT_EQ(T(2).visible, 0);
    runOk("TOGGLE_HIDE G1 R1");
    EXPECT_EQ(G(1).shown + S(3).shown + S(4).shown, 3);
    EXPECT_EQ(T(2).sourceShown[3], 1);
    // A member named in the same line ends with its flags in step either way.
    runOk("TOGGLE_HIDE G1 S3");
    EXPECT_EQ(S(3).shown, T(1).sourceShown[2]);
    runOk("TOGGLE_HIDE S4 G1");
    EXPECT_EQ(S(4).shown, T(1).sourceShown[3]);
}

TEST_F(ToggleVerbs, HideAllFlipsWhatLiesStrictlyInsideTheMarquee) {
    command_test::setMarquee(*gui, 50, 50, 300, 350);
    // S1 (100,100), S2 (200,100), T1 (100,300), G1 (150,150) inside; S3 on the right edge.
    runOk("TOGGLE_HIDE_ALL");
    EXPECT_EQ(S(1).shown + S(2).shown + T(1).visible + G(1).shown, 0);
    EXPECT_EQ(S(3).shown + S(4).shown + T(2).visible + G(2).shown, 4);
    gui->stageView.sourcesLocked = 1;
    runOk("TOGGLE_HIDE_ALL");
    EXPECT_EQ(S(1).shown, 0);
    EXPECT_EQ(T(1).visible + G(1).shown, 2);
}

TEST_F(ToggleVerbs, NamesAreResetOrCleaned) {
    S(1).name = "KICK-IN";
    R(1).name = "BIG ROOM";
    runOk("CLEANUP");
    EXPECT_EQ(S(1).name, "KICK_IN");
    EXPECT_EQ(R(1).name, "BIGROOM");
    runOk("RESETALLNAMES");
    EXPECT_EQ(S(1).name, "S1");
    EXPECT_EQ(gui->sources[63].name, "S64");
    EXPECT_EQ(gui->targets[63].name, "T64");
    EXPECT_EQ(gui->groups[15].name, "G16");
    EXPECT_EQ(gui->rooms[7].name, "R8");
    EXPECT_EQ(R(1).name, "R1");
    runOk("RESET_ALL_NAMES");
}

TEST_F(ToggleVerbs, WhileAFileLoadsTogglesSendNothing) {
    gui->batch = 1;
    const Outcome outcome = run("TOGGLE_MUTE S1");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.flags.empty());
    EXPECT_EQ(S(1).mute, 1);
    gui->batch = 0;
}

} // namespace
