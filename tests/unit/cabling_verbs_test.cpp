// CABLE and UNCABLE: pairs made in order, levels from the key or the geometry, the console
// lines, the targets' cabled flags, and removal.
#include "edit_verbs_test_support.h"

using namespace edit_verbs_test;

namespace {

struct CablingVerbs : EditVerbsTest {
    std::vector<std::pair<int, int>> pairs() {
        std::vector<std::pair<int, int>> out;
        for (int c = 0; c < gui->cableCount; ++c)
            out.push_back({gui->cables[c].source + 1, gui->cables[c].target + 1});
        return out;
    }
    float levelOf(int s, int t) { return gui->cables[gui->findCableIndex(s - 1, t - 1)].level; }
};

TEST_F(CablingVerbs, EverySourceMeetsEveryTargetInLineOrder) {
    const Outcome outcome = run("CABLE S1 S2 T1 T2");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.flags, kCommitFlags);
    EXPECT_EQ(pairs(), (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    // S1 on x 100 lies 200 below T1: out of reach of the radius 75, so 0.5.
    EXPECT_EQ(outcome.console,
              (std::vector<std::string>{"-> CABLE S1 S2 T1 T2", "NEW CABLE LEVEL = 0.50",
                                        "NEW CABLE LEVEL = 0.50", "NEW CABLE LEVEL = 0.50",
                                        "NEW CABLE LEVEL = 0.50"}));
    EXPECT_EQ(T(1).cabled[0] + T(1).cabled[1] + T(2).cabled[0] + T(2).cabled[1], 4);
    EXPECT_EQ(T(1).cabled[2], 0);

    // The same line again makes nothing and prints nothing; an existing cable keeps its level.
    gui->cables[0].level = 0.8f;
    const Outcome again = run("CABLE S1 S2 T1 T2");
    EXPECT_EQ(again.console, (std::vector<std::string>{"-> CABLE S1 S2 T1 T2"}));
    EXPECT_EQ(gui->cableCount, 4);
    EXPECT_EQ(gui->cables[0].level, 0.8f);
}

TEST_F(CablingVerbs, LevelFromTheKeyOrTheWordExclude) {
    struct Case {
        const char* line;
        float level;
        std::vector<std::string> console;
    } cases[] = {
        {"CABLE S1 T1 X:-6", 0.501187f, {"-> CABLE S1 T1 X:-6"}},
        {"CABLE S2 T1 X:0", 1.0f, {"-> CABLE S2 T1 X:0"}},
        // A patch writes a level of 0 as -inf, which upper-casing makes -INF.
        {"CABLE S3 T1 X:-INF", 0.0f, {"-> CABLE S3 T1 X:-INF", "EXCLUSION CABLE"}},
        {"CABLE S4 T1 EXCLUDE", 0.0f, {"-> CABLE S4 T1 EXCLUDE", "NEW CABLE LEVEL = 0.00"}},
    };
    int s = 1;
    for (const Case& c : cases) {
        const Outcome outcome = run(c.line);
        EXPECT_EQ(outcome.result, 0) << c.line;
        EXPECT_NEAR(levelOf(s, 1), c.level, 1e-6) << c.line;
        EXPECT_EQ(outcome.console, c.console) << c.line;
        ++s;
    }
}

TEST_F(CablingVerbs, GeometricLevelFollowsTheGainLawDividedByTheRadius) {
    struct Case {
        float dx, dy; // source position relative to T1
        float size;
        float level;
        int ownRadius; // 0: the global radius 75
        float expected;
    } cases[] = {
        {30, 0, 1.0f, 1.0f, 0, 0.6f},       // (75 - 30) / 75
        {0, 40, 1.0f, 0.5f, 0, 0.233333f},  // the source's level scales it
        {60, 80, 2.0f, 1.0f, 0, 0.666667f}, // reach 150, 150 - 100 = 50 of 75
        {30, 0, 1.0f, 1.0f, 50, 0.4f},      // the target's own radius
        {100, 0, 1.0f, 1.0f, 0, 0.5f},      // out of reach
        // On the target: what the law gives at distance 0, never the radius itself.
        {0, 0, 2.0f, 1.0f, 0, 1.0f},
        {0, 0, 0.5f, 0.8f, 0, 0.4f},
        {0, 0, 1.0f, 1.0f, 50, 1.0f},
    };
    for (const Case& c : cases) {
        gui->cableCount = 0;
        T(1).cabled[0] = 0;
        S(1).x = T(1).x + c.dx;
        S(1).y = T(1).y + c.dy;
        S(1).size = c.size;
        S(1).level = c.level;
        T(1).useGlobalRadius = c.ownRadius == 0 ? 1 : 0;
        T(1).ownRadius = static_cast<float>(c.ownRadius);
        runOk("CABLE S1 T1");
        EXPECT_NEAR(levelOf(1, 1), c.expected, 1e-5) << c.dx << "," << c.dy << " size " << c.size;
    }
}

TEST_F(CablingVerbs, LinesThatNameNoPairOrAMissingItemMakeNothing) {
    runOk("CABLE S1 S2");
    runOk("CABLE T1 G1 R1");
    EXPECT_EQ(gui->cableCount, 0);
    runFails("CABLE S1 T9", "ITEM \"T9\" NOT FOUND");
    runFails("CABLE S1 T1 T9 EXCLUDE", "ITEM \"T9\" NOT FOUND");
    EXPECT_EQ(gui->cableCount, 0);
    EXPECT_EQ(T(1).cabled[0], 0);
}

TEST_F(CablingVerbs, AFullTableRefusesTheWholeLine) {
    gui->cableCount = QX_GUI::kMaxCables - 1;
    for (int c = 0; c < gui->cableCount; ++c) {
        gui->cables[c].source = 3;
        gui->cables[c].target = 1;
    }
    runFails("CABLE S1 S2 T1", "NO ROOM FOR 2 MORE CABLES - THE TABLE HOLDS 4096");
    EXPECT_EQ(gui->cableCount, QX_GUI::kMaxCables - 1);
    runOk("CABLE S1 T1");
    EXPECT_EQ(gui->cableCount, QX_GUI::kMaxCables);
}

TEST_F(CablingVerbs, SummariesFollowTheCables) {
    runOk("CABLE S1 T1");
    gui->cables[0].mute = 1;
    runOk("CABLE S2 T1");
    EXPECT_EQ(gui->anyCableMuted, 1);
    runOk("UNCABLE S1");
    EXPECT_EQ(gui->anyCableMuted, 0);
}

TEST_F(CablingVerbs, UncableFreesEveryCableOfEachNamedSourceAndTarget) {
    runOk("CABLE S1 S2 S3 T1 T2");
    gui->cables[5].level = 0.25f; // S3-T2
    const Outcome outcome = run("UNCABLE T1");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.flags, kCommitFlags);
    EXPECT_EQ(pairs(), (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(T(1).cabled[0] + T(1).cabled[1] + T(1).cabled[2], 0);
    EXPECT_EQ(gui->cables[2].level, 0.25f); // the rest moved down in order

    runOk("UNCABLE G1 R1");
    EXPECT_EQ(gui->cableCount, 3);
    // Not paired: every cable of S1 and every cable of T2 go.
    runOk("CABLE S1 T1");
    runOk("UNCABLE S1 T2");
    EXPECT_EQ(gui->cableCount, 0);
    runFails("UNCABLE S1 S9", "ITEM \"S9\" NOT FOUND");
}

} // namespace
