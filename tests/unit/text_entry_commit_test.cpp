// The text entry's commit by action id, and ENTER and CONFIRM typed end to end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "screen_fixture.h"

namespace {

using Lines = std::vector<std::string>;

struct CommitFixture : ScreenFixture {
    void commit(int32_t id, const std::string& text) {
        gui->openTextEntry(100, 100, -1, -1, text, 16, 5, "T", "P", 0);
        gui->textEntry.textEntryId = id;
        tap(VK_RETURN);
    }
};

TEST(TextEntryCommit, CountsKeepTheirLimitsAndIgnoreTextsWithoutANumber) {
    struct Case {
        int32_t id;
        const char* text;
        int32_t sources, groups, rooms;
        const char* message;
    };
    const Case cases[] = {
        {29, "8", 3, 4, 8, nullptr}, {29, "9", 3, 4, 2, "MAXIMUM NUMBER OF ROOMS = 8"},
        {29, "0", 3, 4, 2, nullptr}, {28, "40", 3, 32, 2, "MAXIMUM NUMBER OF GROUPS = 32"},
        {28, " ", 3, 4, 2, nullptr}, {28, "1", 3, 1, 2, nullptr},
        {7, " ", 3, 4, 2, nullptr},  {7, "0", 3, 4, 2, nullptr},
        {7, "5", 5, 4, 2, nullptr},
    };
    for (const Case& c : cases) {
        CommitFixture f;
        for (int s = 0; s < 3; ++s) f.source(s, 10.0f * s, 0.0f);
        f.gui->groupCount = 4;
        f.join(2, 3);
        f.gui->roomCount = 2;
        f.commit(c.id, c.text);
        const std::string what = std::to_string(c.id) + " '" + c.text + "'";
        EXPECT_EQ(f.gui->sourceCount, c.sources) << what;
        EXPECT_EQ(f.gui->groupCount, c.groups) << what;
        EXPECT_EQ(f.gui->roomCount, c.rooms) << what;
        if (c.message) {
            EXPECT_TRUE(f.consoleHas(c.message)) << what;
        }
        EXPECT_EQ(f.gui->textEntry.textEntryId, 0) << what;
        if (c.id == 28 && c.groups == 1) {
            EXPECT_EQ(f.gui->sources[2].groupFlags[3], 0);
        }
    }
}

// Lines, patch files among them, reach items by name: a name that is empty or that another
// item holds would cut this item off from them, so the old name stays and the status says why.
TEST(TextEntryCommit, ANameNoLineCouldReachKeepsTheOldName) {
    struct Case {
        int32_t id;
        const char* text;
        const char* kept;
        const char* status;
    } cases[] = {
        {1, " ", "S1", "NAME NOT CHANGED : NO NAME GIVEN"},
        {1, " T1", "S1", "NAME NOT CHANGED : T1 IS IN USE"},
        {2, " S1", "T1", "NAME NOT CHANGED : S1 IS IN USE"},
        {1, " S2", "S1", "NAME NOT CHANGED : S2 IS IN USE"}, // another source's first name
        {2, " R1", "T1", "NAME NOT CHANGED : R1 IS IN USE"}, // a room's first name
        {1, " T12", "S1", "NAME NOT CHANGED : T12 IS IN USE"},
        {1, " S01", "S01", ""},             // no item's first name
        {1, " TWO WORDS", "TWO_WORDS", ""}, // a blank would split the name in a line
        {1, " S1", "S1", ""},               // its own name again
        {1, " KICK", "KICK", ""},           // a free name
    };
    for (const Case& c : cases) {
        CommitFixture f;
        f.source(0, 0.0f, 0.0f);
        f.target(0, 10.0f, 0.0f);
        f.gui->sources[0].name = "S1";
        f.gui->targets[0].name = "T1";
        f.gui->currentSource = 0;
        f.gui->currentTarget = 0;
        f.gui->console.statusMessage.clear();
        f.commit(c.id, c.text);
        EXPECT_EQ(c.id == 1 ? f.gui->sources[0].name : f.gui->targets[0].name, c.kept) << c.text;
        EXPECT_EQ(f.gui->console.statusMessage, c.status) << c.text;
    }
}

TEST(TextEntryCommit, AClockNoteIsAsWideAsItsLongestTimeAndCentredOnItsPoint) {
    CommitFixture f;
    f.gui->noteCount = 1;
    f.gui->notes[0].size = 4.0f;
    f.gui->annotations.noteEdit.index = 0;
    f.gui->textEntry.textEntryAnchorX = 300.0f;
    f.gui->textEntry.textEntryAnchorY = 200.0f;
    f.commit(32, "_CLOCK_");
    const NoteRecord& note = f.gui->notes[0];
    const float width = static_cast<float>(f.gui->font.textWidth("88.88", 4));
    EXPECT_STREQ(note.text, "_CLOCK_");
    EXPECT_EQ(note.width, width);
    EXPECT_EQ(note.height, 20.0f);
    EXPECT_EQ(note.x + width / 2.0f, 300.0f);
    EXPECT_EQ(note.y + 10.0f, 200.0f);
    EXPECT_EQ(f.gui->sendFlags[kSendNotes], 1);
}

TEST(TextEntryCommit, ANoteTypedOrWrittenAsALineTakesTheSameRoom) {
    for (const char* text : {"_CLOCK_", "_DATE_", "MIX 2"}) {
        SCOPED_TRACE(text);
        CommitFixture f;
        f.gui->textEntry.textEntryAnchorX = 40.0f;
        f.gui->textEntry.textEntryAnchorY = 30.0f;
        f.commit(31, text); // a new note: size 2, white
        ASSERT_EQ(
            f.run(std::string("NOTE X:40 Y:30 S:2 RED:1 GREEN:1 BLUE:1 L:1 \"") + text + "\""), 0);
        ASSERT_EQ(f.gui->noteCount, 2);
        const NoteRecord& typed = f.gui->notes[0];
        const NoteRecord& written = f.gui->notes[1];
        EXPECT_GT(typed.width, 0.0f);
        EXPECT_EQ(typed.width, written.width);
        EXPECT_EQ(typed.x, written.x);
        EXPECT_EQ(typed.y, written.y);
    }
}

// The keyboard types ";" (not "#"), and a saved line that holds either is a comment.
TEST(TextEntryCommit, ANameOrNoteThatWouldSaveAsACommentIsRefused) {
    {
        CommitFixture f;
        f.source(0, 0.0f, 0.0f);
        f.gui->sources[0].name = "S1";
        f.gui->currentSource = 0;
        f.commit(1, "KICK;1");
        EXPECT_EQ(f.gui->sources[0].name, "S1");
        EXPECT_TRUE(f.consoleHas("NAME NOT CHANGED : A NAME CANNOT HOLD ; OR #"));
    }
    {
        CommitFixture f;
        f.commit(31, "MIX #2");
        EXPECT_EQ(f.gui->noteCount, 0);
        EXPECT_TRUE(f.consoleHas("NOTE NOT CHANGED : A NOTE CANNOT HOLD ; OR #"));
    }
    {
        CommitFixture f;
        f.commit(31, "MIX 2");
        f.gui->annotations.noteEdit.index = 0;
        f.commit(32, "MIX;2");
        EXPECT_STREQ(f.gui->notes[0].text, "MIX 2");
        EXPECT_TRUE(f.consoleHas("NOTE NOT CHANGED : A NOTE CANNOT HOLD ; OR #"));
    }
}

TEST(TextEntryCommit, AFullNoteTableRefusesANewNote) {
    CommitFixture f;
    f.gui->noteCount = 256;
    f.commit(31, "HELLO");
    EXPECT_EQ(f.gui->noteCount, 256);
    EXPECT_TRUE(f.consoleHas("MAXIMUM NUMBER OF NOTES = 256"));
    f.gui->noteCount = 0;
    f.gui->annotations.noteEdit.index = 3; // no longer exists
    f.commit(34, "0.5");
    f.commit(33, "9");
    EXPECT_EQ(f.gui->noteCount, 0);
}

TEST(TextEntryCommit, AttackOfZeroMsGivesACoefficientOfZero) {
    CommitFixture f;
    f.source(0, 0.0f, 0.0f);
    f.gui->loadDynamicsPanel(kKindSource, 0);
    f.commit(23, "0");
    EXPECT_EQ(f.gui->dynamicsEditor.dynamicsEditCurve.attackMs, 0.0f);
    EXPECT_EQ(f.gui->dynamicsEditor.dynamicsEditCurve.attackCoefficient, 0.0f);
    EXPECT_EQ(f.gui->inputDynamics[0].attackCoefficient, 0.0f);
    f.commit(24, "5000"); // clamped to 2000 ms
    EXPECT_EQ(f.gui->dynamicsEditor.dynamicsEditCurve.releaseMs, 2000.0f);
    EXPECT_GT(f.gui->dynamicsEditor.dynamicsEditCurve.releaseCoefficient, 0.99f);
}

TEST(TextEntryCommit, EnterSourceCountEndToEnd) {
    ScreenFixture f;
    for (int s = 0; s < 3; ++s) f.source(s, 10.0f * s, 0.0f);
    f.run("ENTER SOURCE_COUNT");
    EXPECT_EQ(f.gui->textEntry.textEntryText, "3");
    EXPECT_EQ(f.gui->textEntry.textEntryId, 7);
    f.typeKeys({'5', VK_RETURN});
    EXPECT_EQ(f.gui->sourceCount, 5);
    EXPECT_EQ(f.gui->patchCheckPending, 1);
    f.run("ENTER SOURCE_COUNT");
    f.typeKeys({VK_BACK, VK_RETURN});
    EXPECT_EQ(f.gui->sourceCount, 5);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 0);
}

TEST(TextEntryCommit, ConfirmRunsTheStoredLineOnlyForYes) {
    ScreenFixture f;
    const std::string line = "CONFIRM 'A' 'B' 'LOAD_MACRO PATCHES/BLANK.txt'";
    f.run(line);
    EXPECT_TRUE(f.consoleHas("CONFIRM STRING 1 : A"));
    EXPECT_TRUE(f.consoleHas("CONFIRM STRING 2 : B"));
    EXPECT_TRUE(f.consoleHas("COMMAND STRING : LOAD_MACRO PATCHES/BLANK.txt"));
    EXPECT_EQ(f.gui->pendingConfirm, 1);
    f.takeLines();
    f.typeKeys({'Y', 'E', 'S', VK_RETURN});
    const Lines ran = f.takeLines();
    ASSERT_GT(ran.size(), 1u); // the stored line, then the blank patch's own lines
    EXPECT_EQ(ran[0], "LOAD_MACRO PATCHES/BLANK.txt");
    EXPECT_EQ(f.gui->pendingConfirm, 0);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 0);

    f.run(line);
    f.takeLines();
    f.typeKeys({'Y', 'E', VK_RETURN});
    EXPECT_TRUE(f.takeLines().empty());
    EXPECT_EQ(f.gui->pendingConfirm, 0);
}

} // namespace
