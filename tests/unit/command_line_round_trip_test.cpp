// States made by command lines (and one typed note), saved, loaded into a fresh instance: the
// loaded instance sends the same state on every state pin. Each row is an edit that a saved
// patch once brought back different.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "patch_round_trip_support.h"
#include "screen_fixture.h"
#include "state_pins_round_trip.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kSmallStage = {"HARD_RESET", "SET NUM_ROOM 3", "SET NUM_TARGET 8", "SET NUM_SOURCE 8"};

// A note typed into a new note's text entry on the stage at (40, 30).
void typeNote(ScreenFixture& f, const char* text) {
    f.gui->openTextEntry(100, 100, -1, -1, text, -1, 0, "ADD NOTE", "TYPE YOUR TEXT", 0);
    f.gui->textEntry.textEntryId = 31;
    f.gui->textEntry.textEntryAnchorX = 40.0f;
    f.gui->textEntry.textEntryAnchorY = 30.0f;
    f.tap(VK_RETURN);
}

TEST(RoundTrip, StatesMadeByCommandLinesReloadTheSame) {
    using Typed = void (*)(ScreenFixture&);
    const struct {
        const char* what;
        Lines lines; // run after the small stage; a refused line must change nothing
        Typed typed = nullptr;
    } rows[] = {
        {"a source named with a semicolon after a delay and a cable",
         {"DELAY S1 ON TIME:12.5", "CABLE S1 T1 X:-6", "LEVEL S1 -3", "NAME S1 KICK;1"}},
        {"a target named with a hash", {"DELAY T2 ON TIME:20", "NAME T2 MIX#2"}},
        {"a note whose text holds a hash",
         {"NOTE X:10 Y:10 S:2 RED:1 GREEN:1 BLUE:1 L:1 \"MIX #2\""}},
        {"targets added by raising their count", {"SET NUM_TARGET 10"}},
        {"targets added after the global radius changed", {"SET_ZERO 90", "SET NUM_TARGET 10"}},
        {"a target reset after the global radius changed", {"SET_ZERO 90", "RESET T1"}},
        {"a target keyed after its dynamics, then on itself",
         {"DYNAMICS T1 COMPRESSOR ON", "SIDECHAIN S1 T1 POST_DYNAMICS", "SIDECHAIN T1 INTERNAL"}},
        {"a global radius between two hundredths: every uncabled gain divides by it",
         {"POS S1 X:-420 Y:-150", "POS T1 X:-400 Y:-150", "SET_ZERO 123.456"}},
        {"a note's colour and alpha between two hundredths",
         {"NOTE X:10 Y:20 S:2 RED:0.333 GREEN:0.5 BLUE:0.125 L:0.333 \"HI\""}},
        {"a clock note typed into the text entry",
         {},
         [](ScreenFixture& f) { typeNote(f, "_CLOCK_"); }},
    };
    patch_test::ScratchFolder scratch("lines");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ScreenFixture f;
        ASSERT_EQ(patch_test::runLines(*f.gui, kSmallStage), Lines());
        patch_test::runLines(*f.gui, row.lines);
        if (row.typed) row.typed(f);
        patch_test::expectTheSameStatePinsAfterReload(*f.gui, scratch.path);
    }
}

// What a patch does not carry of a new item (a target's own radius while it uses the global
// one, the side-chain location of a dynamics record not in use) is what a load gives it.
TEST(RoundTrip, ItemsAddedByRaisingACountHoldWhatALoadGivesThem) {
    patch_test::ScratchFolder scratch("counts");
    ScreenFixture f;
    ASSERT_EQ(patch_test::runLines(*f.gui, kSmallStage), Lines());
    ASSERT_EQ(
        patch_test::runLines(*f.gui, {"SET_ZERO 90", "SET NUM_TARGET 10", "SET NUM_SOURCE 10"}),
        Lines());
    const std::string path = scratch.path + "/COUNTS.txt";
    ASSERT_EQ(f.gui->writePatchFile(path, 0), 0);
    auto fresh = std::make_unique<QX_GUI>();
    QX_GUI& loaded = *fresh;
    patch_test::loadPatch(loaded, path);
    for (int i = 8; i < 10; ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        const TargetRecord& t = f.gui->targets[i];
        EXPECT_EQ(t.ownRadius, loaded.targets[i].ownRadius);
        EXPECT_EQ(t.colour, loaded.targets[i].colour);
        EXPECT_EQ(t.colourRed, loaded.targets[i].colourRed);
        EXPECT_EQ(f.gui->outputDynamics[i].sideChainLocation,
                  loaded.outputDynamics[i].sideChainLocation);
        EXPECT_EQ(f.gui->inputDynamics[i].sideChainLocation,
                  loaded.inputDynamics[i].sideChainLocation);
        EXPECT_EQ(f.gui->sources[i].colourBlue, loaded.sources[i].colourBlue);
    }
}

// A saved line that holds ";" or "#" reads as a comment: a name or a note text with one is
// refused, with a message, and the stage stays as it was.
TEST(RoundTrip, NamesAndNotesThatWouldSaveAsCommentsAreRefused) {
    const struct {
        const char* line;
        const char* message;
    } rows[] = {
        {"NAME S1 KICK;1", "A NAME CANNOT HOLD ; OR #"},
        {"NAME T2 MIX#2", "A NAME CANNOT HOLD ; OR #"},
        {"NAME S1 S2 PAD;", "A NAME CANNOT HOLD ; OR #"},
        {"NOTE X:10 Y:10 S:2 RED:1 GREEN:1 BLUE:1 L:1 \"MIX #2\"", "A NOTE CANNOT HOLD ; OR #"},
        {"NOTE X:10 Y:10 S:2 \"A;B\"", "A NOTE CANNOT HOLD ; OR #"},
    };
    patch_test::ScratchFolder scratch("refused");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        ScreenFixture f;
        ASSERT_EQ(patch_test::runLines(*f.gui, kSmallStage), Lines());
        ASSERT_EQ(f.gui->writePatchFile(scratch.path + "/BEFORE.txt", 0), 0);
        EXPECT_EQ(f.run(row.line), 1);
        EXPECT_EQ(f.gui->console.lastError, row.message);
        ASSERT_EQ(f.gui->writePatchFile(scratch.path + "/AFTER.txt", 0), 0);
        EXPECT_EQ(patch_test::readFile(scratch.path + "/BEFORE.txt"),
                  patch_test::readFile(scratch.path + "/AFTER.txt"));
    }
}

} // namespace

namespace {

// Lines run on a stage of their own (the project's full-load stage, or a small one), saved and
// loaded into a fresh instance: the same state on every state pin.
TEST(RoundTrip, EditorAndSliceLinesReloadTheSame) {
    const Lines fullLoad = patch_test::fullLoadCommands();
    const Lines smallStage = {"HARD_RESET", "SET NUM_ROOM 3", "SET NUM_TARGET 8",
                              "SET NUM_SOURCE 8"};
    const struct {
        const char* what;
        const Lines* stage;
        Lines lines;
        void (*edit)(QX_GUI&) = nullptr; // run after the lines
    } rows[] = {
        // Not a number: read as slice 0, which the empty marquee empties, so the patch holds no
        // slice and its load no deferred line.
        {"a slice stored under a word that is not a number", &fullLoad, {"STORE_SLICE INF"}},
        // The editor stores the item it shows: its record keeps its own level table.
        {"the side chain taken before the delay", &fullLoad, {"SIDE_CHAIN_PRE_DELAY"}},
        {"the side chain taken before the filter", &fullLoad, {"SIDE_CHAIN_PRE_FILTER"}},
        {"the side chain taken after the filter", &fullLoad, {"SIDE_CHAIN_POST_FILTER"}},
        {"the side chain moved on an item shown after another one's dynamics",
         &smallStage,
         {"DYNAMICS T2 GATE ON", "DYNAMICS T1 COMPRESSOR ON", "SELECT T2", "SIDE_CHAIN_PRE_DELAY"}},
        {"the side chain of a target keyed on a target taken after its dynamics",
         &fullLoad,
         {"SIDE_CHAIN_POST_DYNAMICS"}},
        {"the side chain of a source keyed on itself taken after its dynamics",
         &smallStage,
         {"DYNAMICS S1 COMPRESSOR ON", "SELECT S1", "SIDE_CHAIN_POST_DYNAMICS"}},
        {"a compressor reset to its straight line", &fullLoad, {"RESETDYNAMICS S1"}},
        {"a compressor copied in the editor and pasted",
         &fullLoad,
         {"SELECT S1", "COPY_DYNAMICS", "PASTE_DYNAMICS S14 T5"}},
        {"the master trimmed past what SET_MASTER sets",
         &smallStage,
         {"SET_MASTER 6", "TRIM_MASTER 60", "TRIM_MASTER 3.5e38"}},
        // The master drag sets any gain from 0 to 4.
        {"the master dragged down to silence",
         &smallStage,
         {},
         [](QX_GUI& gui) { gui.viewSettings.masterVolume = 0.0f; }},
        {"a gate turned into a compressor in the editor",
         &fullLoad,
         {"SELECT T2", "DYNAMICS_MODE COMPRESSOR"}},
        {"notes unlocked", &smallStage, {"TOGGLE ANNOTATION_LOCKS"}},
        {"slices emptied by a hard reset",
         &smallStage,
         {"SLICE_M S:2 X:2\tS1\tS2", "SLICE_X S:2 X:2\t10\t20", "SLICE_L S:2 X:2\t1\t0.5",
          "HARD_RESET", "SET NUM_SOURCE 8"}},
    };
    patch_test::ScratchFolder scratch("editor_lines");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ScreenFixture f;
        ASSERT_EQ(patch_test::runLines(*f.gui, *row.stage), Lines());
        patch_test::runLines(*f.gui, row.lines);
        if (row.edit) row.edit(*f.gui);
        patch_test::expectTheSameStatePinsAfterReload(*f.gui, scratch.path);
    }
}

} // namespace
