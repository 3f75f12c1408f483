// The DYNAMICS editor's settings, the dynamics verbs and the dynamics patch section.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "processing_test_support.h"

using namespace processing_test;

namespace {

struct DynamicsTest : ::testing::Test, ProcessingStage {
    const DynamicsRecord& s(int i) const { return gui->inputDynamics[i]; }
    const DynamicsRecord& t(int i) const { return gui->outputDynamics[i]; }
};

// Every field of two records, the table included.
void expectSameRecord(const DynamicsRecord& a, const DynamicsRecord& b, const std::string& why) {
    EXPECT_EQ(a.channel, b.channel) << why;
    EXPECT_EQ(a.type, b.type) << why;
    EXPECT_EQ(a.mode, b.mode) << why;
    EXPECT_EQ(a.active, b.active) << why;
    EXPECT_EQ(a.attack, b.attack) << why;
    EXPECT_EQ(a.release, b.release) << why;
    EXPECT_EQ(a.thresholdX, b.thresholdX) << why;
    EXPECT_EQ(a.ratio, b.ratio) << why;
    EXPECT_EQ(a.knee, b.knee) << why;
    for (int k = 0; k < 10; ++k) EXPECT_EQ(a.points[k], b.points[k]) << why << " point " << k;
    EXPECT_EQ(a.attackCoefficient, b.attackCoefficient) << why;
    EXPECT_EQ(a.releaseCoefficient, b.releaseCoefficient) << why;
    EXPECT_EQ(std::memcmp(a.curve, b.curve, sizeof a.curve), 0) << why << " table";
    EXPECT_EQ(a.channelIndex, b.channelIndex) << why;
    EXPECT_EQ(a.direction, b.direction) << why;
    EXPECT_EQ(a.sideChainLocation, b.sideChainLocation) << why;
}

TEST_F(DynamicsTest, FirstLoadSetsUpTheDefaults) {
    gui->loadDynamicsPanel(1, 2);
    const DynamicsRecord& r = s(2);
    EXPECT_EQ(r.active, 1);
    EXPECT_EQ(r.mode, 0);
    EXPECT_EQ(r.type, 0);
    EXPECT_EQ(r.attack, 250.0f);
    EXPECT_EQ(r.release, 250.0f);
    EXPECT_EQ(r.attackCoefficient, 0.9995824f);
    const float line[10] = {0, 0, 0.45f, 0.45f, 0.5f, 0.5f, 0.55f, 0.55f, 1, 1};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(r.points[k], line[k]);
    EXPECT_EQ(r.channelIndex, 2);
    EXPECT_EQ(r.direction, 1);
    EXPECT_EQ(r.sideChainLocation, 2);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelKind, 1);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelIndex, 2);

    // A record in use keeps its switch.
    gui->inputDynamics[2].mode = 1;
    gui->loadDynamicsPanel(1, 2);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsEditCurve.enabled, 1);

    struct Refusal {
        int kind, index;
        const char* status;
    } refusals[] = {{3, 0, "CAN'T RETRIEVE DYNAMICS SETTINGS"},
                    {1, -1, "dynamics target not in range"},
                    {2, 64, "dynamics target not in range"}};
    for (const Refusal& r2 : refusals) {
        gui->loadDynamicsPanel(r2.kind, r2.index);
        EXPECT_EQ(gui->console.statusMessage, r2.status);
        EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelIndex, 2);
    }
    gui->sendDynamicsSettings(1, -1);
    EXPECT_EQ(gui->console.statusMessage, "dynamics source not in range");
}

TEST_F(DynamicsTest, DynamicsLinesShapeTheCurve) {
    struct Case {
        const char* line;
        float p[10]; // expected points of S1
        int type;
        float attack;
    } cases[] = {
        {"DYNAMICS S1 COMPRESSOR THRESHOLD:-30",
         {0, 0, 0.45f, 0.45f, 0.5f, 0.5f, 0.55f, 0.55f, 1, 1},
         0,
         250},
        {"DYNAMICS S1 COMPRESSOR THRESHOLD:-12",
         {0, 0, 0.72f, 0.72f, 0.8f, 0.8f, 0.82f, 0.82f, 1, 1},
         0,
         250},
        {"DYNAMICS S1 ON ATTACK:5000",
         {0, 0, 0.45f, 0.45f, 0.5f, 0.5f, 0.55f, 0.55f, 1, 1},
         0,
         2000},
        {"DYNAMICS S1 LIMITER THRESHOLD:-20 LIMIT:-6",
         {0, 0, 0.81f, 0.81f, 0.9f, 0.9f, 0.91f, 0.9f, 1, 0.9f},
         4,
         250},
        {"DYNAMICS S1 SHAPER X2:-30 Y2:-45",
         {0, 0, 0.5f, 0.25f, 0.5f, 0.5f, 0.8f, 0.8f, 1, 1},
         7,
         250},
    };
    for (const Case& c : cases) {
        gui->inputDynamics[0] = DynamicsRecord();
        run(c.line);
        for (int k = 0; k < 10; ++k)
            EXPECT_NEAR(s(0).points[k], c.p[k], 1e-5) << c.line << " " << k;
        EXPECT_EQ(s(0).type, c.type) << c.line;
        EXPECT_EQ(s(0).attack, c.attack) << c.line;
        EXPECT_TRUE(flag(kSendInputDynamics)) << c.line;
    }
    // X2: means nothing to a compressor; the later type word wins.
    gui->inputDynamics[0] = DynamicsRecord();
    run("DYNAMICS S1 COMPRESSOR X2:-30");
    EXPECT_NEAR(s(0).points[2], 0.45f, 1e-6);
    run("DYNAMICS S1 COMPRESSOR GATE");
    EXPECT_EQ(s(0).type, 5);
}

TEST_F(DynamicsTest, RatioIsKeptAndReadableFromTheCurve) {
    run("DYNAMICS S1 ON COMPRESSOR THRESHOLD:-20 RATIO:4");
    const DynamicsRecord& r = s(0);
    EXPECT_EQ(r.ratio, 4.0f);
    // The editor reads a compressor's ratio back as (1 - p2.x) / (p4.y - p2.x).
    EXPECT_NEAR((1.0f - r.points[4]) / (r.points[9] - r.points[4]), 4.0f, 1e-4);
    EXPECT_EQ(r.mode, 1);
}

TEST_F(DynamicsTest, TypeWordsRunOneModeLinePerItem) {
    const auto lines = run("DYNAMICS S1 S2 GATE");
    int modeLines = 0;
    for (const std::string& l : lines) modeLines += l == "-> DYNAMICS_MODE GATE" ? 1 : 0;
    EXPECT_EQ(modeLines, 2);
    EXPECT_EQ(s(0).type, 5);
    EXPECT_EQ(s(1).type, 5);
    // The editor is back on the item it showed before (none: it stays so).
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelIndex, 1);
}

// The editor's drawing table is built once, after all records: it must be the table of the
// curve the editor ends on, whether it goes back to a shown item or stays on the last one.
TEST_F(DynamicsTest, AManyItemLineLeavesTheEditorTableOfItsFinalCurve) {
    for (bool shown : {true, false}) {
        if (shown)
            gui->loadDynamicsPanel(1, 1);
        else
            gui->dynamicsEditor.dynamicsPanelKind = 0; // the editor shows nothing
        run("DYNAMICS S1 S2 S3 T1 COMPRESSOR ON THRESHOLD:-20 RATIO:4 KNEE:30");
        DynamicsCurve& curve = gui->dynamicsEditor.dynamicsEditCurve;
        std::vector<float> after(curve.table, curve.table + DynamicsCurve::kTableSize);
        curve.buildTable(static_cast<int32_t>(curve.plotWidth));
        EXPECT_EQ(after, std::vector<float>(curve.table, curve.table + DynamicsCurve::kTableSize))
            << (shown ? "shown item" : "last item");
        EXPECT_EQ(curve.tableSize, curve.plotWidth);
    }
}

TEST_F(DynamicsTest, DynamicsModeTemplatesAndMarqueeCopy) {
    gui->loadDynamicsPanel(2, 0);
    run("DYNAMICS_MODE LIMITER"); // only LIMIT means the limiter
    EXPECT_EQ(gui->dynamicsEditor.dynamicsEditCurve.dynamicsType, 0);
    EXPECT_EQ(t(0).type, 0);
    run("DYNAMICS_MODE FOLLOW");
    EXPECT_EQ(t(0).type, 6);
    EXPECT_EQ(t(0).points[2], 0.2f);
    // Shown items strictly inside the marquee take the type, table and points.
    setMarquee(*gui, 305, 290, 325, 310); // S2 and S3
    gui->inputDynamics[0] = DynamicsRecord();
    run("DYNAMICS_MODE EQ");
    EXPECT_EQ(s(1).type, 8);
    EXPECT_EQ(s(2).type, 8);
    EXPECT_EQ(s(0).type, 255);
    EXPECT_EQ(std::memcmp(s(1).curve, t(0).curve, sizeof s(1).curve), 0);
}

TEST_F(DynamicsTest, CopyPasteAndReset) {
    auto lines = run("PASTE_DYNAMIC");
    EXPECT_TRUE(printed(lines, "NO DYNAMICS IN CLIPBOARD!"));
    lines = run("PASTE_DYNAMICS S1");
    EXPECT_TRUE(printed(lines, "NO DYNAMICS IN CLIPBOARD!"));

    // A source keyed on a target, pasted onto a source, is keyed on itself after filtering.
    run("DYNAMICS S1 ON GATE THRESHOLD:-40");
    gui->inputDynamics[0].direction = 2;
    gui->inputDynamics[0].channelIndex = 1;
    gui->loadDynamicsPanel(1, 0);
    run("COPY_DYNAMICS");
    gui->inputDynamics[2].ratio = 3.0f;
    run("PASTE_DYNAMICS S3");
    EXPECT_EQ(s(2).type, 5);
    EXPECT_EQ(s(2).channelIndex, 2);
    EXPECT_EQ(s(2).direction, 1);
    EXPECT_EQ(s(2).sideChainLocation, 2);
    EXPECT_EQ(s(2).channel, 2);

    // Pasting through the editor keeps the shown item's ratio.
    gui->loadDynamicsPanel(1, 3);
    gui->inputDynamics[3].ratio = 2.0f;
    gui->loadDynamicsPanel(1, 3);
    run("PASTE_DYNAMIC");
    EXPECT_EQ(s(3).ratio, 2.0f);
    EXPECT_EQ(s(3).type, 5);

    run("RESETDYNAMICS S4");
    EXPECT_EQ(s(3).type, 0);
    EXPECT_EQ(s(3).mode, 0);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsEditCurve.points[2].x, 0.5f); // the editor was reloaded

    gui->resetDynamics(2);
    EXPECT_EQ(t(5).channel, 255);
    EXPECT_EQ(gui->console.statusMessage, "RESETTING OUTPUT DYNAMICS");
}

TEST_F(DynamicsTest, SyndicationKeepsMembersSideChains) {
    run("DYNAMICS S1 S2 S3 ON");
    run("SIDECHAIN S4 S2 PRE_DELAY");
    gui->loadDynamicsPanel(1, 0);
    run("DYNAMICS S1 COMPANDER X3:-10");
    setMarquee(*gui, 290, 290, 315, 310); // S1, S2
    gui->syndicationMode = 1;
    gui->loadDynamicsPanel(1, 0);
    clearFlags();
    gui->syndicateDynamics(false, false, false);
    EXPECT_EQ(s(1).type, 2);
    EXPECT_EQ(s(1).channelIndex, 3);
    EXPECT_EQ(s(1).sideChainLocation, 0);
    EXPECT_EQ(s(2).type, 0); // outside the marquee
    EXPECT_TRUE(flag(kSendInputDynamics) && flag(kSendOutputDynamics));
    gui->syndicateDynamics(false, false, true);
    EXPECT_EQ(s(1).channelIndex, 1);
}

TEST_F(DynamicsTest, SidechainLines) {
    run("DYNAMICS S1 S2 S3 T1 T2 ON");
    struct Case {
        const char* line;
        int kind, index; // the record checked
        int key, keyKind, location;
        const char* error;
    } cases[] = {
        {"SIDECHAIN S1 S2 S3 PRE_FILTER", 1, 2, 0, 1, 1, nullptr},
        {"SIDECHAIN T1 S1 T2", 2, 1, 0, 2, 2, nullptr},
        {"SIDECHAIN S1 T1 POST_DYNAMICS", 2, 0, 0, 1, 3, nullptr},
        {"SIDECHAIN T1 INTERNAL", 2, 0, 0, 2, 2, nullptr}, // never after its own dynamics
        {"SIDECHAIN S1 S2 POST_DYNAMICS", 1, 1, 0, 1, 1, nullptr},
        {"SIDECHAIN S1 S2 INTERNAL", 1, 1, 1, 1, 1, nullptr},
        {"SIDECHAIN T1 S1", 1, 0, 0, 1, 2, "NO COMPATIBLE NODES SEPCIFIED FOR THIS SIDECHAIN TYPE"},
        {"SIDECHAIN S1", 1, 0, 0, 1, 2, "NOT ENOUGH NODES SPECIFIED"},
    };
    for (const Case& c : cases) {
        const auto lines = run(c.line);
        const DynamicsRecord& r = c.kind == 1 ? s(c.index) : t(c.index);
        EXPECT_EQ(r.channelIndex, c.key) << c.line;
        EXPECT_EQ(r.direction, c.keyKind) << c.line;
        EXPECT_EQ(r.sideChainLocation, c.location) << c.line;
        if (c.error) {
            EXPECT_TRUE(printed(lines, c.error)) << c.line;
        } else {
            EXPECT_TRUE(flag(kSendInputDynamics) && flag(kSendOutputDynamics)) << c.line;
        }
    }
}

TEST_F(DynamicsTest, PatchSectionTexts) {
    EXPECT_EQ(gui->writeDynamicsPatchSection(0, 1), ""); // never loaded
    gui->loadDynamicsPanel(1, 0);
    EXPECT_EQ(gui->writeDynamicsPatchSection(0, 1),
              "DYNAMICS S1 OFF COMPRESSOR ATTACK:250 RELEASE:250 THRESHOLD:-30.000 "
              "RATIO:1.000 KNEE:18.000\n"
              "SIDECHAIN S1 INTERNAL POST_FILTER\n");

    run("DYNAMICS T2 ON GATE ATTACK:12.9 THRESHOLD:-40 LIMIT:-3");
    run("SIDECHAIN S3 T2 PRE_DELAY");
    EXPECT_EQ(gui->writeDynamicsPatchSection(1, 2),
              "DYNAMICS T2 ON GATE ATTACK:12.9 RELEASE:250 THRESHOLD:-40.000 KNEE:18.000 "
              "LIMIT:-3.000 \n"
              "SIDECHAIN S3 T2 PRE_DELAY\n");

    run("DYNAMICS S2 ON FOLLOWER RELEASE:100");
    EXPECT_EQ(gui->writeDynamicsPatchSection(1, 1),
              "DYNAMICS S2 ON FOLLOWER ATTACK:250 RELEASE:100\n"
              "SIDECHAIN S2 INTERNAL POST_FILTER\n");

    run("DYNAMICS S3 OFF COMPANDER X4:-6 Y4:-9");
    EXPECT_EQ(gui->writeDynamicsPatchSection(2, 1),
              "DYNAMICS S3 OFF COMPANDER ATTACK:250 RELEASE:250 X1:-60.000 Y1:-60.000 "
              "X2:-33.000 Y2:-33.000 X3:-30.000 Y3:-30.000 X4:-6.000 Y4:-9.000 X5:0.000 "
              "Y5:0.000\n"
              "SIDECHAIN S3 INTERNAL POST_FILTER\n");
    EXPECT_EQ(gui->writeDynamicsPatchSection(0, 3), "");
}

TEST_F(DynamicsTest, PatchSectionsComeBackThroughTheExecutor) {
    const char* setups[] = {
        "DYNAMICS S1 ON COMPRESSOR ATTACK:5 RELEASE:80 THRESHOLD:-17.3 RATIO:3.7 KNEE:25",
        "DYNAMICS S2 OFF LIMITER ATTACK:0.7 KNEE:14 LIMIT:-1.1",
        "DYNAMICS S3 ON GATE THRESHOLD:-47.7 LIMIT:-2",
        "DYNAMICS S4 ON SHAPER X2:-51.3 Y2:-40.1 X3:-29.9 Y3:-33.3 X4:-7.7 Y4:-12.2 Y5:-0.5",
        "DYNAMICS T1 ON FREEFORM ATTACK:1.25 X1:-55 Y1:-59 Y5:-0.1",
        "DYNAMICS T2 ON FOLLOWER ATTACK:33 RELEASE:700",
        "DYNAMICS T3 OFF EQ RELEASE:1999",
        "SIDECHAIN S4 S1 PRE_FILTER",
        "SIDECHAIN S2 T1 POST_DYNAMICS",
        "SIDECHAIN T1 T3 PRE_DELAY",
    };
    for (const char* line : setups) ASSERT_EQ(gui->executeCommandString(line), 0) << line;

    struct Item {
        int kind, index;
    } items[] = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}};
    for (const Item& item : items) {
        DynamicsRecord* table = item.kind == 1 ? gui->inputDynamics : gui->outputDynamics;
        const DynamicsRecord saved = table[item.index];
        const std::string section = gui->writeDynamicsPatchSection(item.index, item.kind);
        table[item.index] = DynamicsRecord(); // as a patch load finds it after its reset
        size_t start = 0;
        while (start < section.size()) {
            const size_t end = section.find('\n', start);
            const std::string line = section.substr(start, end - start);
            EXPECT_EQ(gui->executeCommandString(line), 0) << line;
            start = end + 1;
        }
        expectSameRecord(table[item.index], saved, section);
        EXPECT_EQ(gui->writeDynamicsPatchSection(item.index, item.kind), section);
    }
}

TEST_F(DynamicsTest, EditorSendsItsTableAtOnce) {
    struct Case {
        int kind, index, pin, otherPin;
        size_t records;
    } cases[] = {{1, 2, 14, 17, 4}, {2, 1, 17, 14, 3}};
    for (const Case& c : cases) {
        gui->loadDynamicsPanel(c.kind, c.index);
        gui->dynamicsEditor.dynamicsEditCurve.attackMs = 12.5f;
        gui->dynamicsEditor.dynamicsEditCurve.points[2].x = 0.375f;
        gui->sent.clear();
        clearFlags();
        gui->sendDynamicsSettings(c.kind, c.index);
        EXPECT_FALSE(gui->wasSent(c.otherPin)) << c.kind;
        EXPECT_FALSE(flag(kSendInputDynamics) || flag(kSendOutputDynamics)) << c.kind;
        const std::vector<uint8_t> bytes = gui->lastSent(c.pin);
        ASSERT_EQ(bytes.size(), c.records * 860) << c.kind;
        const size_t at = static_cast<size_t>(c.index) * 860;
        EXPECT_EQ(bytes[at], c.index) << c.kind;
        EXPECT_EQ(bytes[at + 3], 1) << c.kind; // in use
        EXPECT_EQ(wireF32(bytes, at + 4), 12.5f) << c.kind;
        EXPECT_EQ(wireF32(bytes, at + 12), 0.375f) << c.kind;         // threshold x
        EXPECT_EQ(wireF32(bytes, at + 28 + 4 * 4), 0.375f) << c.kind; // third point's x
        EXPECT_EQ(wireI32(bytes, at + 848), c.index) << c.kind;
        EXPECT_EQ(wireI32(bytes, at + 852), c.kind) << c.kind;
    }
}

TEST_F(DynamicsTest, DynamicsLineReachesThePinThroughTheSender) {
    gui->sent.clear();
    run("DYNAMICS T3 ON GATE ATTACK:20");
    gui->sendStateToDsp();
    const std::vector<uint8_t> bytes = gui->lastSent(17);
    ASSERT_EQ(bytes.size(), 3u * 860);
    const size_t at = 2 * 860;
    EXPECT_EQ(bytes[at + 1], t(2).type);
    EXPECT_EQ(bytes[at + 2], 1); // switched on
    EXPECT_EQ(wireF32(bytes, at + 4), 20.0f);
    EXPECT_EQ(wireF32(bytes, at + 80 + 4 * 191), t(2).curve[191]);
}

} // namespace
