// Grouping verbs: memberships on both sides, the scan that stops at the first group, the
// toggle with its repeatable last command, and UNGROUP.
#include "edit_verbs_test_support.h"

using namespace edit_verbs_test;

namespace {

struct GroupingVerbs : EditVerbsTest {
    // "members of G1 / groups of S1" as text, from both sides of the membership.
    std::string membersOf(int g) {
        std::string text;
        for (int k = 0; k < G(g).memberCount; ++k)
            text += "S" + std::to_string(G(g).memberList[k] + 1) + " ";
        return text;
    }
    std::string groupsOf(int s) {
        std::string text;
        for (int k = 0; k < S(s).groupCount; ++k)
            text += "G" + std::to_string(S(s).groupList[k] + 1) + " ";
        return text;
    }
};

TEST_F(GroupingVerbs, GroupifyTakesTheSourcesBeforeTheFirstGroup) {
    runOk("GROUPIFY S1 S2 G1");
    EXPECT_EQ(membersOf(1), "S1 S2 ");
    EXPECT_EQ(groupsOf(1), "G1 ");
    EXPECT_EQ(groupsOf(2), "G1 ");
    runOk("GROUPIFY S3 T1 G2 S4 G1"); // T1 skipped, S4 after the group not taken
    EXPECT_EQ(membersOf(2), "S3 ");
    EXPECT_EQ(groupsOf(4), "");
    runOk("GROUPIFY S1 G2"); // a source may be in several groups
    EXPECT_EQ(groupsOf(1), "G1 G2 ");
    runOk("GROUPIFY S1 G2"); // already a member: stays one
    EXPECT_EQ(membersOf(2), "S1 S3 ");
    runOk("UNGROUPIFY S1 S4 G2"); // S4 was no member
    EXPECT_EQ(membersOf(2), "S3 ");
    EXPECT_EQ(groupsOf(1), "G1 ");
}

TEST_F(GroupingVerbs, MissingGroupOrSourcesFailBeforeAnyChange) {
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"GROUPIFY G1 S1 S2", "NO SOURCES SPECIFIED"},
        {"GROUPIFY S1 S2", "NO GROUP SPECIFIED"},
        {"GROUPIFY T1", "NO GROUP SPECIFIED"}, // the group test comes first
        {"UNGROUPIFY G1", "NO SOURCES SPECIFIED"},
        {"UNGROUPIFY S1", "NO GROUP SPECIFIED"},
        {"TOGGLE_GROUPIFY G1", "NO SOURCE SPECIFIED"},
        {"TOGGLE_GROUPIFY T1", "NO SOURCE SPECIFIED"},
        {"TOGGLE_GROUPIFY S1", "NO GROUP SPECIFIED"},
        {"GROUPIFY S1 S9 G1", "ITEM \"S9\" NOT FOUND"},
        {"GROUPIFY S1 G9", "ITEM \"G9\" NOT FOUND"},
        {"UNGROUP G1 X", "ITEM \"X\" NOT FOUND"},
    };
    runOk("GROUPIFY S1 G1");
    for (const Case& c : cases) runFails(c.line, c.message);
    EXPECT_EQ(membersOf(1), "S1 ");
    EXPECT_EQ(membersOf(2), "");
}

TEST_F(GroupingVerbs, ToggleFollowsTheFirstSourceAndRepeatsAsAToggle) {
    runOk("GROUPIFY S1 G1");
    const Outcome outcome = run("TOGGLE_GROUPIFY S1 S2 G1");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.console,
              (std::vector<std::string>{"-> TOGGLE_GROUPIFY S1 S2 G1", "-> UNGROUPIFY S1 S2 G1 "}));
    EXPECT_EQ(membersOf(1), "");
    EXPECT_EQ(gui->lastCommand, "TOGGLE_GROUPIFY S1 S2 G1 ");
    // Running the kept line again groups both.
    runOk(gui->lastCommand);
    EXPECT_EQ(membersOf(1), "S1 S2 ");
    EXPECT_EQ(gui->lastCommand, "TOGGLE_GROUPIFY S1 S2 G1 ");
}

TEST_F(GroupingVerbs, UngroupEmptiesGroupsAndTakesSourcesOutOfEveryGroup) {
    runOk("GROUPIFY S1 S2 G1");
    runOk("GROUPIFY S3 G1");
    runOk("GROUPIFY S3 S4 G2");
    runOk("UNGROUP G1 S3");
    EXPECT_EQ(membersOf(1), "");
    EXPECT_EQ(membersOf(2), "S4 ");
    EXPECT_EQ(groupsOf(3), "");
    EXPECT_EQ(groupsOf(1), "");
    EXPECT_EQ(G(1).name, "G1"); // the record stays
    runOk("UNGROUP T1");
    runOk("UNGROUP");
    EXPECT_EQ(membersOf(2), "S4 ");
}

TEST_F(GroupingVerbs, GroupMuteAndSoloReachNewMembersAtOnce) {
    runOk("MUTE G1");
    runOk("SOLO G2");
    runOk("GROUPIFY S4 G1");
    EXPECT_EQ(S(4).groupMuted, 1);
    runOk("GROUPIFY S2 G2");
    EXPECT_EQ(S(2).groupSoloed, 1);
    runOk("UNGROUPIFY S4 G1");
    EXPECT_EQ(S(4).groupMuted, 0);
}

TEST_F(GroupingVerbs, WhileAFileLoadsTheHookStillRunsButNothingIsSent) {
    gui->batch = 1;
    runFails("GROUPIFY S1", "NO GROUP SPECIFIED");
    G(1).mute = 1;
    const Outcome outcome = run("GROUPIFY S1 G1");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.flags.empty());
    EXPECT_EQ(S(1).groupMuted, 1);
    gui->batch = 0;
}

} // namespace
