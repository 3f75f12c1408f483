// Cable list verbs: switches and levels of existing cables by pair, exclusion, removal and
// the listing.
#include "edit_verbs_test_support.h"

using namespace edit_verbs_test;

namespace {

struct CableListVerbs : EditVerbsTest {
    void SetUp() override {
        EditVerbsTest::SetUp();
        runOk("CABLE S1 T1 X:-6");
        runOk("CABLE S2 T1 X:0");
    }
    CableRecord& cable(int s, int t) {
        const int32_t c = gui->findCableIndex(s - 1, t - 1);
        EXPECT_NE(c, -1);
        return gui->cables[c < 0 ? 0 : c];
    }
};

TEST_F(CableListVerbs, SwitchWordsSetClearOrToggle) {
    struct Case {
        const char* line;
        int mute, solo, useGroups;
        float phase;
    } cases[] = {
        {"TOGGLE_CABLE_MUTE S1 T1", 1, 0, 1, 1.0f},
        {"TOGGLE_CABLE_MUTE S1 T1", 0, 0, 1, 1.0f},
        {"TOGGLE_CABLE_MUTE S1 T1 YES", 1, 0, 1, 1.0f},
        {"TOGGLE_CABLE_MUTE S1 T1 YES", 1, 0, 1, 1.0f},
        {"TOGGLE_CABLE_MUTE S1 T1 -1", 0, 0, 1, 1.0f},
        {"TOGGLE_CABLE_SOLO S1 T1 TRUE", 0, 1, 1, 1.0f},
        {"TOGGLE_CABLE_PHASE S1 T1 NO", 0, 1, 1, -1.0f},
        {"TOGGLE_CABLE_PHASE S1 T1", 0, 1, 1, 1.0f},
        {"TOGGLE_CABLE_PHASE S1 T1 0", 0, 1, 1, -1.0f},
        {"TOGGLE_CABLE_PHASE S1 T1 YES", 0, 1, 1, 1.0f},
        {"TOGGLE_CABLE_USE_GROUP S1 T1 0", 0, 1, 0, 1.0f},
        {"TOGGLE_CABLE_USE_GROUP S1 T1", 0, 1, 1, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        runOk(c.line);
        EXPECT_EQ(cable(1, 1).mute, c.mute);
        EXPECT_EQ(cable(1, 1).solo, c.solo);
        EXPECT_EQ(cable(1, 1).useGroups, c.useGroups);
        EXPECT_EQ(cable(1, 1).phase, c.phase);
    }
    EXPECT_EQ(cable(2, 1).mute + cable(2, 1).solo, 0); // the other cable untouched
}

TEST_F(CableListVerbs, LevelsAreDecibels) {
    runOk("CABLE_LEVEL S1 S2 T1 -12");
    EXPECT_NEAR(cable(1, 1).level, 0.251189f, 1e-6);
    EXPECT_NEAR(cable(2, 1).level, 0.251189f, 1e-6);
    runOk("CABLE_LEVEL S1 T1 -INF");
    EXPECT_EQ(cable(1, 1).level, 0.0f);
    runFails("CABLE_LEVEL S1 T1", "NO CABLE LEVEL SPECIFIED");
    runFails("CABLE_LEVEL S1 T1 LOUD", "NO CABLE LEVEL SPECIFIED");
    EXPECT_EQ(cable(1, 1).level, 0.0f);
}

TEST_F(CableListVerbs, PairsWithoutCablesAndLinesWithoutPairs) {
    // Only S2-T1 exists among S3-T1 and S2-T1.
    runOk("TOGGLE_CABLE_SOLO S3 S2 T1");
    EXPECT_EQ(cable(2, 1).solo, 1);
    struct Case {
        const char* line;
        const char* message;
    } failures[] = {
        {"TOGGLE_CABLE_SOLO S3 S4 T1", "NO CABLES IMPACTED"},
        {"TOGGLE_CABLE_MUTE G1 T1", "EITHER NO SOURCES OR NO TARGETS SPECIFIED"},
        {"CABLE_LEVEL S1 -6", "EITHER NO SOURCES OR NO TARGETS SPECIFIED"},
        {"TOGGLE_CABLE_MUTE S1 T1 S9", "ITEM \"S9\" NOT FOUND"},
        {"EXCLUDE_CABLES T1", "MUST SPECIFY BOTH SOURCE AND TARGET NODES TO EXCLUDE CABLES"},
        {"EXCLUDE_CABLE S1 S2 T1",
         "MUST SPECIFY EXACTLY ONE CABLE THROUGH SOURCE AND TARGET NAMES"},
        {"EXCLUDE_CABLE S1 T2", "CABLE DOES NOT EXIST BETWEEN SPECIFIED NODES"},
        {"REMOVE_CABLES S1", "MUST SPECIFY BOTH SOURCE AND TARGET NODES TO REMOVE CABLES FROM"},
        {"REMOVE_CABLE S1 T1 T2", "MUST SPECIFY EXACTLY ONE CABLE THROUGH SOURCE AND TARGET NAMES"},
        {"REMOVE_CABLE S3 T1", "CABLE DOES NOT EXIST BETWEEN SPECIFIED NODES"},
        {"REMOVE_CABLE S1 T9", "ITEM \"T9\" NOT FOUND"},
    };
    for (const auto& f : failures) runFails(f.line, f.message);
    EXPECT_EQ(gui->cableCount, 2);
    EXPECT_EQ(cable(1, 1).mute, 0);
    EXPECT_EQ(gui->cmdCableMode(CliObject(), "BOGUS"), 1);
    EXPECT_EQ(gui->console.pendingError, "BAD CABLE MODE SPECIFIED");
}

TEST_F(CableListVerbs, ExclusionZeroesAndRestores) {
    runOk("EXCLUDE_CABLES S1 S2 T1");
    EXPECT_EQ(cable(1, 1).level + cable(2, 1).level, 0.0f);
    cable(2, 1).level = 0.8f;
    runOk("EXCLUDE_CABLES S1 S2 T1 NO");
    EXPECT_EQ(cable(1, 1).level, 0.5f);
    EXPECT_EQ(cable(2, 1).level, 0.8f);
    // Any last word but YES, TRUE, 1, NO, FALSE or 0 excludes, as does none.
    for (const char* line : {"EXCLUDE_CABLE S2 T1 MAYBE", "EXCLUDE_CABLE S2 T1 -INF",
                             "EXCLUDE_CABLES S2 T1 -INF", "EXCLUDE_CABLE S2 T1"}) {
        cable(2, 1).level = 0.5f;
        runOk(line);
        EXPECT_EQ(cable(2, 1).level, 0.0f) << line;
    }
    runOk("EXCLUDE_CABLE S2 T1 FALSE");
    EXPECT_EQ(cable(2, 1).level, 0.5f);
    runOk("EXCLUDE_CABLES S3 T2"); // no cable between them: still a success
}

TEST_F(CableListVerbs, RemovalClosesTheTableAndKeepsTheFlagOfAPairStillJoined) {
    // A second cable for S1-T1, as drawing on the stage can make.
    gui->cables[gui->cableCount] = gui->cables[0];
    gui->cables[gui->cableCount].level = 0.9f;
    gui->cableCount += 1;
    runOk("REMOVE_CABLE S1 T1");
    EXPECT_EQ(gui->cableCount, 2);
    EXPECT_EQ(gui->cables[0].source, 1); // S2-T1 moved to the front
    EXPECT_NEAR(cable(1, 1).level, 0.9f, 1e-6);
    EXPECT_EQ(T(1).cabled[0], 1);
    runOk("REMOVE_CABLES S1 S2 T1 T2");
    EXPECT_EQ(gui->cableCount, 0);
    EXPECT_EQ(T(1).cabled[0] + T(1).cabled[1], 0);
}

TEST_F(CableListVerbs, ListPrintsEveryCableInDecibels) {
    cable(2, 1).level = 0.5f;
    S(2).name = "KICK";
    const Outcome outcome = run("LIST_CABLES S3");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.console, (std::vector<std::string>{"-> LIST_CABLES S3",
                                                         "CABLES :", "   FROM S1 TO T1 AT -6.00dB",
                                                         "   FROM KICK TO T1 AT -6.02dB"}));
    runOk("REMOVE_CABLES S1 KICK T1");
    EXPECT_EQ(run("LIST_CABLES").console, (std::vector<std::string>{"-> LIST_CABLES", "CABLES :"}));
}

} // namespace
