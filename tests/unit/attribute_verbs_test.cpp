// Item attribute verbs run as command lines: the model change, the console or error text and
// the send flags raised.
#include <cmath>
#include <functional>

#include "command/verb_table.h"
#include "edit_verbs_test_support.h"
#include "model/colour.h"
#include "qxplatform/test_hooks.h"

using namespace edit_verbs_test;

namespace {

using AttributeVerbs = EditVerbsTest;

struct Case {
    const char* line;
    std::function<void(AttributeVerbs&)> check;
};

void runTable(AttributeVerbs& test, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        test.runOk(c.line);
        c.check(test);
    }
}

TEST_F(AttributeVerbs, SwitchesReachEveryKindNamed) {
    runTable(
        *this,
        {
            {"MUTE S1 T1 G1 R1",
             [](AttributeVerbs& t) {
                 EXPECT_EQ(t.S(1).mute + t.T(1).mute + t.G(1).mute + t.R(1).mute, 4);
                 EXPECT_EQ(t.S(2).mute, 0);
                 EXPECT_EQ(t.S(1).groupMuted, 0); // S1 is no member of G1
             }},
            {"UNMUTE S1 R1", [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).mute + t.R(1).mute, 0); }},
            {"SOLO T2 G2",
             [](AttributeVerbs& t) {
                 EXPECT_EQ(t.T(2).solo, 1);
                 EXPECT_EQ(t.G(2).solo, 1);
                 EXPECT_EQ(t.gui->anyTargetSoloed, 1); // the summaries follow at once
             }},
            {"UNSOLO T2", [](AttributeVerbs& t) { EXPECT_EQ(t.gui->anyTargetSoloed, 0); }},
        });
}

TEST_F(AttributeVerbs, SwitchWithNothingNamedActsOnTheSelectionOrFails) {
    runFails("MUTE", "CAN'T MUTE - NO ITEMS SELECTED");
    runFails("UNMUTE", "CAN'T UNMUTE - NO ITEMS SELECTED");
    runFails("SOLO", "CAN'T SOLO - NO ITEMS SELECTED");
    runFails("UNSOLO", "CAN'T UNSOLO - NO ITEMS SELECTED");

    gui->selectedNames[0] = "S2";
    gui->selectedNames[1] = "T1";
    gui->selectedCount = 2;
    const Outcome outcome = run("MUTE");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.console, (std::vector<std::string>{"-> MUTE", "-> MUTE S2 T1"}));
    EXPECT_EQ(S(2).mute, 1);
    EXPECT_EQ(T(1).mute, 1);
    EXPECT_EQ(S(1).mute, 0);
    EXPECT_EQ(outcome.flags, kCommitFlags);
    runOk("SOLO");
    EXPECT_EQ(S(2).solo + T(1).solo, 2);
}

TEST_F(AttributeVerbs, SelectionOfVanishedItemsEndsWithoutEndlessNesting) {
    // Names left in the selection after their items went away, and an empty name.
    gui->selectedNames[0] = "S9";
    gui->selectedCount = 1;
    Outcome outcome = run("MUTE");
    EXPECT_EQ(outcome.console,
              (std::vector<std::string>{"-> MUTE", "-> MUTE S9", "ITEM \"S9\" NOT FOUND"}));
    gui->selectedNames[0] = "";
    outcome = run("SOLO");
    EXPECT_EQ(outcome.console.back(), "CAN'T SOLO - NO ITEMS SELECTED");
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(S(i).mute + S(i).solo, 0);
}

TEST_F(AttributeVerbs, MuteAllMutesWhatSelectAllSelectsAndRestoresAnEmptySelection) {
    bool selectBuilt = false;
    for (const VerbRow* row = verbTableBegin(); row != verbTableEnd(); ++row)
        if (std::string(row->verb) == "SELECT") selectBuilt = row->handler != nullptr;
    if (!selectBuilt) GTEST_SKIP() << "SELECT comes with the selection verbs";
    runOk("MUTE ALL");
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(S(i).mute, 1);
    EXPECT_EQ(T(1).mute + T(2).mute + G(1).mute + G(2).mute, 4);
    EXPECT_EQ(R(1).mute, 0); // SELECT ALL never selects rooms
    EXPECT_EQ(gui->selectedCount, 0);
    runOk("UNMUTE S1 ALL");
    EXPECT_EQ(S(1).mute, 0);
    EXPECT_EQ(S(2).mute, 1);
    EXPECT_GT(gui->selectedCount, 0);
}

TEST_F(AttributeVerbs, PhaseLevelAndTrimReadTheLastWord) {
    S(2).level = 0.0f;
    runTable(*this, {
                        {"PHASE S1 -1", [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).phase, -1.0f); }},
                        {"PHASE S1 -0.5", [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).phase, 1.0f); }},
                        {"PHASE S1 T1 -7",
                         [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).phase + t.T(1).phase, -2.0f); }},
                        {"PHASE S1 5", [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).phase, 1.0f); }},
                        {"LEVEL S1 G1 -6",
                         [](AttributeVerbs& t) {
                             EXPECT_NEAR(t.S(1).level, 0.501187f, 1e-6);
                             EXPECT_NEAR(t.G(1).level, 0.501187f, 1e-6);
                         }},
                        // A patch file writes a level of 0 as -INF.
                        {"LEVEL T2 -INF", [](AttributeVerbs& t) { EXPECT_EQ(t.T(2).level, 0.0f); }},
                        {"LEVEL S3 -6DB",
                         [](AttributeVerbs& t) { EXPECT_NEAR(t.S(3).level, 0.501187f, 1e-6); }},
                        {"TRIM S1 S2 6",
                         [](AttributeVerbs& t) {
                             EXPECT_NEAR(t.S(1).level, 1.0f, 1e-5);
                             EXPECT_EQ(t.S(2).level, 0.0f); // a level of 0 stays 0
                         }},
                        {"TRIM S4 -6",
                         [](AttributeVerbs& t) { EXPECT_NEAR(t.S(4).level, 0.501187f, 1e-6); }},
                    });
}

TEST_F(AttributeVerbs, AMissingOrUnreadableNumberChangesNothing) {
    struct Failure {
        const char* line;
        const char* message;
    } failures[] = {
        {"PHASE S1 X", "NO PHASE SPECIFIED"},
        {"PHASE S1", "NO PHASE SPECIFIED"},
        {"LEVEL S1 LOUD", "NO LEVEL SPECIFIED"},
        {"LEVEL S1", "NO LEVEL SPECIFIED"},
        {"LEVEL S1 1000", "LEVEL OUT OF RANGE"},
        {"TRIM S1", "NO TRIM SPECIFIED"},
        {"SET_SIZE S1", "NO SIZE PARAMETER SPECIFIED"},
        {"SET_SIZE S1 X:3", "NO SIZE PARAMETER SPECIFIED"},
        {"SET_ZERO T1", "NO ZERO PARAMETER SPECIFIED"},
        {"SET_ZERO T1 0", "ZERO PARAMETER MUST BE ABOVE 0"},
        {"SET_ZERO -5", "ZERO PARAMETER MUST BE ABOVE 0"},
        {"SET_MASTER", "MASTER VOLUME BAD LEVEL SPECIFICATION"},
        {"SET_MASTER LOUD", "MASTER VOLUME BAD LEVEL SPECIFICATION"},
        {"TRIM_MASTER", "MASTER VOLUME BAD TRIM SPECIFICATION"},
        {"VIRTUALISE S1", "NO VIRTUAL PARAMETER PROVIDED"},
        {"VIRTUALISE S1 T1 65", "VIRTUAL PARAMETER OUT OF RANGE"},
        {"VIRTUALISE S1 0", "VIRTUAL PARAMETER OUT OF RANGE"},
        {"PRESET_COLOUR S1 0", "COLOUR INDEX OUT OF RANGE 1 TO 20"},
        {"PRESET_COLOUR S1 21", "COLOUR INDEX OUT OF RANGE 1 TO 20"},
        {"PRESET_COLOUR S1 RED", "COLOUR INDEX OUT OF RANGE 1 TO 20"},
        {"RGB S1 RED:1 GREEN:0.5", "INCOMPLETE RGB SETTING"},
        {"NAME", "NO NAME SPECIFIED"},
        {"NAME S1 X:4", "NO NAME SPECIFIED"},
        {"GLOBALZ T1 X:1", "NO ZERPOINT USAGE TYPE SPECIFIED"},
        {"SPECTRUM", "NO NODES SPECIFIED"},
    };
    S(1).virtualChannel = 0;
    T(1).virtualChannel = 0;
    const float radius = gui->viewSettings.globalRadius;
    const float master = gui->viewSettings.masterVolume;
    for (const Failure& f : failures) runFails(f.line, f.message);
    EXPECT_EQ(S(1).phase, 1.0f);
    EXPECT_EQ(S(1).level, 1.0f);
    EXPECT_EQ(S(1).size, 1.0f);
    EXPECT_EQ(S(1).virtualChannel, 0);
    EXPECT_EQ(T(1).virtualChannel, 0);
    EXPECT_EQ(S(1).colour, 0u);
    EXPECT_EQ(S(1).name, "S1");
    EXPECT_EQ(T(1).useGlobalRadius, 1);
    EXPECT_EQ(gui->viewSettings.globalRadius, radius);
    EXPECT_EQ(gui->viewSettings.masterVolume, master);
}

TEST_F(AttributeVerbs, AWordThatNamesNoItemFailsTheWholeLine) {
    gui->selectedNames[0] = "S2";
    gui->selectedCount = 1;
    for (const char* line : {"MUTE S9", "MUTE S1 S9", "SOLO S1 kick", "LEVEL S1 S9 -6",
                             "HIDE S1 S9", "NAME S1 S9 DRUM", "SPECTRUM S1 FOO", "RESET S1 T9",
                             "SET_ROTATION G1 G9 ON", "UNHIDE S9 ALL"})
        runFails(line, std::string("ITEM \"") +
                           (std::string(line).find("kick") != std::string::npos  ? "kick"
                            : std::string(line).find("FOO") != std::string::npos ? "FOO"
                            : std::string(line).find("T9") != std::string::npos  ? "T9"
                            : std::string(line).find("G9") != std::string::npos  ? "G9"
                                                                                 : "S9") +
                           "\" NOT FOUND");
    EXPECT_EQ(S(1).mute + S(2).mute + S(1).solo, 0);
    EXPECT_EQ(S(1).level, 1.0f);
    EXPECT_EQ(S(1).shown, 1);
    EXPECT_EQ(S(1).name, "S1");
}

TEST_F(AttributeVerbs, RadiusSizeVisibilityAndChannel) {
    runTable(
        *this,
        {
            {"USE_GLOBAL T1 LOCAL",
             [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).useGlobalRadius, 0); }},
            {"GLOBALZ T1 TRUE", [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).useGlobalRadius, 1); }},
            {"USE_GLOBAL T1 MAYBE",
             [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).useGlobalRadius, 0); }},
            {"USE_GLOBAL T1 GLOBAL",
             [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).useGlobalRadius, 1); }},
            {"USE_GLOBAL S1 FALSE",
             [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).useGlobalRadius, 1); }},
            {"SET_SIZE S1 T1 2.5",
             [](AttributeVerbs& t) {
                 EXPECT_EQ(t.S(1).size, 2.5f);
                 EXPECT_EQ(t.T(1).ownRadius, 0.0f); // a target takes no size
             }},
            {"SET_ZERO 50",
             [](AttributeVerbs& t) { EXPECT_EQ(t.gui->viewSettings.globalRadius, 50.0f); }},
            {"SET_ZERO T1 40",
             [](AttributeVerbs& t) {
                 EXPECT_EQ(t.T(1).ownRadius, 40.0f);
                 EXPECT_EQ(t.T(1).useGlobalRadius, 1);
                 EXPECT_EQ(t.gui->viewSettings.globalRadius, 50.0f);
             }},
            {"HIDE S1 T1 G1 R1",
             [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).shown + t.T(1).visible + t.G(1).shown, 0); }},
            {"UNHIDE S1", [](AttributeVerbs& t) { EXPECT_EQ(t.S(1).shown, 1); }},
            {"UNHIDE G2 ALL",
             [](AttributeVerbs& t) { EXPECT_EQ(t.T(1).visible + t.G(1).shown, 2); }},
            {"VIRTUALISE S1 T2 64",
             [](AttributeVerbs& t) {
                 EXPECT_EQ(t.S(1).virtualChannel, 63);
                 EXPECT_EQ(t.T(2).virtualChannel, 63);
             }},
        });
}

TEST_F(AttributeVerbs, MasterLevelIsClampedInDecibels) {
    runOk("SET_MASTER 20");
    EXPECT_NEAR(gui->viewSettings.masterVolume, dbToGain(12.0f), 1e-6);
    runOk("SET_MASTER -6");
    // The trim is held to 60 dB and the trimmed level to SET_MASTER's 12 dB, which a saved
    // patch can give back.
    runOk("TRIM_MASTER 100");
    EXPECT_NEAR(gainToDb(gui->viewSettings.masterVolume), 12.0f, 1e-3);
    runOk("TRIM_MASTER -6");
    EXPECT_NEAR(gainToDb(gui->viewSettings.masterVolume), 6.0f, 1e-3);
    runOk("SET_MASTER -150");
    runOk("TRIM_MASTER -60");
    EXPECT_NEAR(gainToDb(gui->viewSettings.masterVolume), -200.0f, 1e-3);
    runOk("SET_MASTER -1000");
    EXPECT_NEAR(gainToDb(gui->viewSettings.masterVolume), -200.0f, 1e-3);
    runOk("SET_MASTER -INF");
    EXPECT_EQ(gui->viewSettings.masterVolume, 0.0f);
}

TEST_F(AttributeVerbs, ColoursSetPackedValueAndComponents) {
    auto components = [](uint32_t packed) {
        float r, g, b;
        unpackColour(r, g, b, packed);
        return std::vector<float>{r, g, b};
    };
    auto of = [](const auto& record) {
        return std::vector<float>{record.colourRed, record.colourGreen, record.colourBlue};
    };
    runOk("PRESET_COLOUR R1 S1 3");
    EXPECT_EQ(R(1).colour, 0x003232u);
    EXPECT_EQ(S(1).colour, 0x00FFFFu);
    EXPECT_EQ(of(S(1)), (std::vector<float>{1.0f, 1.0f, 0.0f}));
    EXPECT_EQ(of(R(1)), components(0x003232));

    runOk("RGB S1 T1 RED:1 GREEN:0.5 BLUE:0");
    EXPECT_EQ(S(1).colour, 0x007FFFu);
    EXPECT_EQ(T(1).colour, 0x007FFFu);
    EXPECT_EQ(of(S(1)), components(0x007FFF));
    // Fractions outside 0..1 are held at the ends instead of carrying into the next byte.
    runOk("RGB S2 RED:2 GREEN:-1 BLUE:1");
    EXPECT_EQ(S(2).colour, 0xFF00FFu);

    runOk("SPECTRUM S1 S2 S3 S4");
    const uint32_t expected[] = {hslToRgb(0.0f, 1.0f, 0.5f), hslToRgb(0.25f, 1.0f, 0.5f),
                                 hslToRgb(0.5f, 1.0f, 0.5f), hslToRgb(0.75f, 1.0f, 0.5f)};
    EXPECT_EQ(S(1).colour, 0x0000FFu);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(S(i).colour, expected[i - 1]) << i;
        EXPECT_EQ(of(S(i)), components(expected[i - 1])) << i;
    }
    runOk("SPECTRUM T1 T2 H:0.5 S:0.5 L:0.25");
    EXPECT_EQ(T(1).colour, hslToRgb(0.5f, 0.5f, 0.25f));
    EXPECT_EQ(T(2).colour, hslToRgb(1.0f, 0.5f, 0.25f));
}

TEST_F(AttributeVerbs, ColourAsksTheDialogAndCancelKeepsTheFirstItemsColour) {
    qxplatform::clearDialogAnswers();
    S(1).setColour(0x102030);
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "0x00ABCDEF");
    runOk("COLOUR S1 G1");
    EXPECT_EQ(S(1).colour, 0xABCDEFu);
    EXPECT_EQ(G(1).colour, 0xABCDEFu);
    EXPECT_FLOAT_EQ(G(1).colourRed, 0xEF / 255.0f);
    // Cancelled: the first item's colour, packed from its components, goes to every item.
    runOk("COLOUR S2 G1");
    EXPECT_EQ(G(1).colour, S(2).colour);
    // Nothing named: the dialog still opens, nothing changes.
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "0x000000FF");
    EXPECT_EQ(run("COLOUR").result, 0);
    EXPECT_EQ(S(1).colour, 0xABCDEFu);
    qxplatform::clearDialogAnswers();
}

TEST_F(AttributeVerbs, NamesAreNumberedForSeveralItems) {
    runOk("NAME S1 S2 S3 DRUM");
    EXPECT_EQ(S(1).name + " " + S(2).name + " " + S(3).name, "DRUM DRUM1 DRUM2");
    runOk("NAME DRUM DRUM1 DR_");
    EXPECT_EQ(S(1).name + " " + S(2).name, "DR_1 DR_2");
    runOk("NAME T1 KICK");
    EXPECT_EQ(T(1).name, "KICK");
    // The last word is always the new name, also when an item carries it.
    runOk("NAME S4 T2");
    EXPECT_EQ(S(4).name, "T2");
    EXPECT_EQ(T(2).name, "T2");
    runOk("NAME NEWNAME"); // nothing named: nothing changes
    EXPECT_EQ(S(3).name, "DRUM2");
}

TEST_F(AttributeVerbs, GroupMotionSettings) {
    Outcome outcome = run("SET_ROTATION G1 S:30 ON");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(G(1).rotationOn, 1);
    EXPECT_FLOAT_EQ(G(1).rotationSpeed, 0.5f);
    EXPECT_EQ(gui->console.statusMessage, "SWITCH ROTATION ON");
    outcome = run("SET_ROTATION G1 OFF");
    EXPECT_EQ(G(1).rotationOn, 0);
    EXPECT_EQ(gui->console.statusMessage, "SWITCH ROTATION OFF");
    runOk("SET_ROTATION G1 ON");
    gui->console.statusMessage = "";
    runOk("SET_ROTATION G1 MAYBE");
    EXPECT_EQ(G(1).rotationOn, 0);
    EXPECT_EQ(gui->console.statusMessage, "");
    EXPECT_FLOAT_EQ(G(1).rotationSpeed, 0.5f);

    runOk("SET_MOVEMENT G2 X:2 Y:-1.5 YES");
    EXPECT_EQ(G(2).movementOn, 1);
    EXPECT_EQ(G(2).movementX, 2.0f);
    EXPECT_EQ(G(2).movementY, -1.5f);
    runOk("SET_MOVEMENT G2 S1 NO");
    EXPECT_EQ(G(2).movementOn, 0);
    EXPECT_EQ(G(2).movementX, 2.0f);
}

TEST_F(AttributeVerbs, ResetGivesDefaultsBackAndUndoRestoresAnEdit) {
    runOk("NAME S2 PAD");
    runOk("LEVEL PAD -12");
    runOk("UNDO");
    EXPECT_EQ(S(2).level, 1.0f);
    runOk("RESET PAD T1");
    EXPECT_EQ(S(2).name, "S2");
    EXPECT_EQ(S(2).colour, 0xC0C0C0u);
    EXPECT_EQ(T(1).name, "T1");
    EXPECT_EQ(S(2).x, 200.0f); // the item keeps its place
}

} // namespace
