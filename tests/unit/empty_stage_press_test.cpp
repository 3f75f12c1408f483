// Presses on the empty stage: the marquee's keys and what they change, rooms, notes and the
// room drags, through the mouse and the key state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "qxplatform/test_hooks.h"
#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

using Lines = std::vector<std::string>;

// Two sources and a group inside the marquee (300, 300)-(400, 400), one of each kind
// outside it, two targets inside and one outside.
struct MarqueeStage : ScreenFixture {
    MarqueeStage() {
        gui->graphicsReady = 1;
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        const float xs[3] = {320.0f, 360.0f, -300.0f};
        for (int i = 0; i < 3; ++i) {
            source(i, xs[i], 320.0f);
            gui->sources[i].name = "S" + std::to_string(i + 1);
            target(i, xs[i], 380.0f);
            gui->targets[i].name = "T" + std::to_string(i + 1);
        }
        gui->groupCount = 2;
        gui->groups[0].name = "G1";
        gui->groups[0].x = gui->groups[0].y = 390.0f;
        gui->groups[1].name = "G2";
        gui->groups[1].x = gui->groups[1].y = -390.0f;
        for (int g = 0; g < 2; ++g) gui->groups[g].level = 0.25f;
        setMarquee(300, 300, 400, 400);
        lines.clear();
    }
    void setMarquee(int x0, int y0, int x1, int y1) {
        const int r[4] = {x0, y0, x1, y1};
        std::memcpy(gui->marqueeRect, r, sizeof r);
    }
    Lines pressAt(float sx, float sy, std::initializer_list<int> keys = {}) {
        advanceClock(1000);
        hold(keys);
        lines.clear();
        const ScreenPoint p = stageToPixel(sx, sy);
        press(p.x, p.y);
        release(p.x, p.y);
        letGoAll();
        return takeLines();
    }
};

TEST(MarqueePress, ZLevelsTheSourcesAndGroupsInside) {
    MarqueeStage f;
    const Lines got = f.pressAt(350.0f, 350.0f, {'Z'});
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), "LEVEL SOURCES GROUPS 0.0");
    EXPECT_EQ(f.gui->groups[0].level, 1.0f);
    EXPECT_EQ(f.gui->groups[1].level, 0.25f) << "the group outside keeps its level";
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
}

// SHIFT+X keys the output dynamics of the targets inside on themselves and touches no input
// record; the record of the target outside stays as it was.
TEST(MarqueePress, ShiftXKeysTheTargetsInsideOnThemselves) {
    MarqueeStage f;
    for (int i = 0; i < 3; ++i) {
        f.gui->outputDynamics[i].channelIndex = 7;
        f.gui->outputDynamics[i].direction = kKindSource;
        f.gui->inputDynamics[i].channelIndex = 7;
        f.gui->inputDynamics[i].direction = kKindSource;
        f.gui->inputDynamics[i].sideChainLocation = 0;
    }
    const Lines got = f.pressAt(350.0f, 350.0f, {VK_SHIFT, 'X'});
    EXPECT_EQ(got, (Lines{"UNCABLE TARGETS"}));
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(f.gui->outputDynamics[t].channelIndex, t);
        EXPECT_EQ(f.gui->outputDynamics[t].direction, kKindTarget);
    }
    EXPECT_EQ(f.gui->outputDynamics[2].channelIndex, 7);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.gui->inputDynamics[i].channelIndex, 7);
        EXPECT_EQ(f.gui->inputDynamics[i].direction, kKindSource);
        EXPECT_EQ(f.gui->inputDynamics[i].sideChainLocation, 0);
    }
}

TEST(MarqueePress, EListsTheItemsInsideForTheEnvelopes) {
    MarqueeStage f;
    f.gui->envelopeList.total = 5;
    f.pressAt(350.0f, 350.0f, {'E'});
    const EnvelopeList& list = f.gui->envelopeList;
    ASSERT_EQ(list.sourceCount, 2);
    EXPECT_EQ(list.sources[0], 0);
    EXPECT_EQ(list.sources[1], 1);
    ASSERT_EQ(list.targetCount, 2);
    EXPECT_EQ(list.targets[1], 1);
    EXPECT_EQ(list.spec, "MARQUEE SELECTION");
    EXPECT_EQ(list.total, 5) << "the marquee leaves the total";
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle) << "handled: no marquee drag";

    // With no target inside, E is not handled and the marquee is dragged.
    MarqueeStage g;
    g.setMarquee(300, 300, 400, 350);
    g.advanceClock(1000);
    g.hold({'E'});
    const ScreenPoint p = g.stageToPixel(350.0f, 330.0f);
    g.press(p.x, p.y);
    EXPECT_EQ(g.gui->envelopeList.sourceCount, 2);
    EXPECT_EQ(g.gui->envelopeList.targetCount, 0);
    EXPECT_EQ(g.gui->interaction.stageInteractionMode, kModeMarqueeMove);
    g.release(p.x, p.y);
}

// The keys of the marquee, each alone, with SHIFT, with Caps Lock: the lines in order.
TEST(MarqueePress, EveryKeyRunsItsLines) {
    struct Case {
        std::vector<int> keys;
        bool caps;
        Lines lines;
    } cases[] = {
        {{'P'}, false, {"TOGGLE_PHASE SOURCES GROUPS"}},
        {{'A'}, false, {"TOGGLE_MUTE SOURCES GROUPS"}},
        {{'S'}, false, {"TOGGLE_SOLO SOURCES GROUPS"}},
        {{'F'}, false, {"UNGROUP SOURCES GROUPS"}},
        {{'X'}, false, {"UNCABLE SOURCES"}},
        {{'B'}, false, {"COLOUR SOURCES GROUPS"}},
        {{'Q'}, false, {"TOGGLE_ROTATION GROUPS"}},
        {{'W'}, false, {"TOGGLE_MOVEMENT GROUPS"}},
        {{'R'}, false, {"RESET SOURCES TARGETS GROUPS ROOMS"}},
        {{'D'}, false, {"TOGGLE_HIDE_ALL"}},
        {{VK_SHIFT, 'P'}, false, {"TOGGLE_PHASE TARGETS"}},
        {{VK_SHIFT, 'Z'}, false, {"LEVEL TARGETS 0.0"}},
        {{VK_SHIFT, 'A'}, false, {"TOGGLE_MUTE TARGETS"}},
        {{VK_SHIFT, 'S'}, false, {"TOGGLE_SOLO TARGETS"}},
        {{VK_SHIFT, 'B'}, false, {"COLOUR TARGETS"}},
        {{'P'}, true, {"TOGGLE_PHASE SOURCES GROUPS", "TOGGLE_PHASE TARGETS"}},
        {{'B'}, true, {"COLOUR SOURCES GROUPS TARGETS", "COLOUR SOURCES GROUPS", "COLOUR TARGETS"}},
        {{VK_CONTROL, '2', '5'}, false, {"ROOM_TO_MARQUEE 1", "ROOM_TO_MARQUEE 4"}},
        {{VK_MENU}, false, {"TOGGLE_SELECT TARGETS SOURCES GROUPS"}},
        {{VK_CONTROL}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? std::string("CTRL") : c.lines.front());
        MarqueeStage f;
        qxplatform::setCapsLock(c.caps);
        f.advanceClock(1000);
        for (int k : c.keys) qxplatform::setKeyDown(k, true);
        const ScreenPoint p = f.stageToPixel(350.0f, 350.0f);
        f.press(p.x, p.y);
        // The lines the press runs itself, not those its verbs run in turn.
        Lines got;
        for (const std::string& line : f.takeLines())
            if (line.find("SOURCES") != std::string::npos ||
                line.find("TARGETS") != std::string::npos ||
                line.find("GROUPS") != std::string::npos || line.rfind("ROOM_TO_MARQUEE", 0) == 0 ||
                line == "TOGGLE_HIDE_ALL")
                got.push_back(line);
        EXPECT_EQ(got, c.lines);
        const bool dragsMarquee = c.keys == std::vector<int>{VK_MENU};
        EXPECT_EQ(f.gui->interaction.stageInteractionMode,
                  dragsMarquee ? kModeMarqueeMove : kModeIdle);
        f.release(p.x, p.y);
    }
}

TEST(MarqueePress, CAndVStartTheGroupDragsOfTheMarquee) {
    for (const auto& [key, mode] :
         {std::pair<int, int32_t>{'C', kModeMarqueeScale}, {'V', kModeMarqueeRotate}}) {
        MarqueeStage f;
        f.hold({key});
        const ScreenPoint p = f.stageToPixel(350.0f, 350.0f);
        f.press(p.x, p.y);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, mode);
        EXPECT_EQ(f.gui->stage.dragStartStageX, 350.0f);
        EXPECT_EQ(f.gui->interaction.dragStartPixelY, static_cast<float>(p.y));
        f.release(p.x, p.y);
    }
}

// ---- Rooms ----------------------------------------------------------------------------

struct RoomStage : MarqueeStage {
    RoomStage() {
        setMarquee(0, 0, 0, 0);
        room(0, -400.0f, -100.0f, 200.0f, 200.0f);
        room(1, -350.0f, -50.0f, 200.0f, 200.0f);
        gui->rooms[0].name = "R1";
        gui->rooms[1].name = "R2";
    }
};

TEST(RoomPress, OverlappingRoomsRunFromTheHigherIndexAndRIsAReset) {
    RoomStage f;
    const Lines got = f.pressAt(-300.0f, 0.0f, {'A'});
    EXPECT_EQ(got, (Lines{"TOGGLE_MUTE R2", "TOGGLE_MUTE R1"}));
    EXPECT_EQ(f.gui->rooms[0].mute, 1);
    EXPECT_EQ(f.gui->rooms[1].mute, 1);
    EXPECT_EQ(f.gui->currentRoom, 0);

    f.gui->rooms[0].level = 0.3f;
    const int32_t errors = f.gui->console.errorCount;
    EXPECT_EQ(f.pressAt(-390.0f, -90.0f, {'R'}), (Lines{"RESET R1"}));
    EXPECT_EQ(f.gui->console.errorCount, errors);
    EXPECT_EQ(f.gui->rooms[0].level, 1.0f);
    EXPECT_EQ(f.gui->rooms[0].mute, 0);
}

// The level drag keeps its start at the press point for the readout.
TEST(RoomPress, CtrlStartsTheLevelDragAtThePressPoint) {
    RoomStage f;
    f.hold({VK_CONTROL});
    const ScreenPoint p = f.stageToPixel(-390.0f, -80.0f);
    f.press(p.x, p.y);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeRoomLevel);
    EXPECT_EQ(f.gui->stage.pickedRoom, 0);
    EXPECT_EQ(f.gui->stage.dragStartStageX, -390.0f);
    EXPECT_EQ(f.gui->stage.dragStartStageY, -80.0f);
    f.move(p.x, p.y - 30);
    EXPECT_GT(f.gui->rooms[0].level, 1.0f);
    f.release(p.x, p.y - 30);
}

// SHIFT drags the room; its members move by the room's travel and keep their places in it.
TEST(RoomPress, ShiftDragsTheRoomWithItsMembers) {
    RoomStage f;
    f.source(0, -380.0f, 0.0f);
    f.target(0, -250.0f, 40.0f);
    f.gui->rooms[0].sourceFlags[0] = 1;
    f.gui->rooms[0].targetFlags[0] = 1;
    f.gui->rooms[0].sourceFlags[1] = f.gui->rooms[0].targetFlags[1] = 0;
    f.gui->rooms[0].sourceFlags[2] = f.gui->rooms[0].targetFlags[2] = 0;
    f.hold({VK_SHIFT});
    const ScreenPoint p = f.stageToPixel(-390.0f, -90.0f);
    f.press(p.x, p.y);
    ASSERT_EQ(f.gui->interaction.stageInteractionMode, kModeRoomMove);
    f.letGo({VK_SHIFT});
    f.move(p.x + 30, p.y + 20);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].x, -370.0f);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].y, -80.0f);
    EXPECT_FLOAT_EQ(f.gui->sources[0].x, -350.0f);
    EXPECT_FLOAT_EQ(f.gui->sources[0].y, 20.0f);
    EXPECT_FLOAT_EQ(f.gui->targets[0].x, -220.0f);
    EXPECT_FLOAT_EQ(f.gui->targets[0].y, 60.0f);
    f.release(p.x + 30, p.y + 20);
}

// ---- Notes ----------------------------------------------------------------------------

struct NoteStage : MarqueeStage {
    NoteStage() {
        setMarquee(0, 0, 0, 0);
        gui->stageView.annotationVisibility = 1;
        gui->stageView.annotationLocks = 0;
        for (int i = 0; i < 3; ++i) {
            NoteRecord& n = gui->notes[i];
            n.x = -300.0f + 100.0f * i;
            n.y = -50.0f;
            n.width = 40.0f;
            n.height = 10.0f;
            n.size = 2.0f + i;
            n.alpha = 0.5f;
            n.red = 1.0f;
            std::snprintf(n.text, sizeof n.text, "N%d", i + 1);
        }
        gui->noteCount = 3;
    }
    // A point inside note i.
    float noteX(int i) const { return -280.0f + 100.0f * i; }
};

TEST(NotePress, XDeletesThePressedNote) {
    NoteStage f;
    f.gui->annotations.noteEdit.index = -1; // no current note
    EXPECT_TRUE(f.pressAt(f.noteX(1), -45.0f, {'X'}).empty());
    ASSERT_EQ(f.gui->noteCount, 2);
    EXPECT_STREQ(f.gui->notes[0].text, "N1");
    EXPECT_STREQ(f.gui->notes[1].text, "N3");
}

TEST(NotePress, AAndSEditThePressedNote) {
    struct Case {
        int key;
        int32_t id;
        const char* title;
        const char* text;
        int32_t kind;
    } cases[] = {
        {'A', 34, "EDIT ANNOTATION ALPHA", "0.50", 4},
        {'S', 33, "EDIT ANNOTATION SIZE", "4", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        NoteStage f;
        f.gui->annotations.noteEdit.index = 0; // a stale note from before
        f.pressAt(f.noteX(2), -45.0f, {c.key});
        EXPECT_EQ(f.gui->textEntry.textEntryId, c.id);
        EXPECT_EQ(f.gui->textEntry.textEntryTitle, c.title);
        EXPECT_EQ(f.gui->textEntry.textEntryText, c.text);
        EXPECT_EQ(f.gui->textEntry.textEntryKind, c.kind);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
        f.gui->textEntry.textEntryText = c.key == 'A' ? "0.8" : "7";
        f.gui->commitTextEntry();
        if (c.key == 'A') {
            EXPECT_EQ(f.gui->notes[2].alpha, 0.8f);
            EXPECT_EQ(f.gui->notes[0].alpha, 0.5f);
        } else {
            EXPECT_EQ(f.gui->notes[2].size, 7.0f);
            EXPECT_EQ(f.gui->notes[0].size, 2.0f);
        }
    }
}

TEST(NotePress, CPicksThePressedNotesColourAndAPlainPressDragsIt) {
    NoteStage f;
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "0x00FF0000"); // blue
    f.pressAt(f.noteX(1), -45.0f, {'C'});
    EXPECT_EQ(f.gui->notes[1].red, 0.0f);
    EXPECT_EQ(f.gui->notes[1].blue, 1.0f);
    EXPECT_EQ(f.gui->notes[0].red, 1.0f);
    qxplatform::clearDialogAnswers();

    f.advanceClock(1000);
    const ScreenPoint p = f.stageToPixel(f.noteX(1), -45.0f);
    f.press(p.x, p.y);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeAnnotationMove);
    EXPECT_EQ(f.gui->stage.pickedTarget, 1);
    f.move(p.x + 10, p.y);
    EXPECT_FLOAT_EQ(f.gui->notes[1].x, -190.0f);
    f.release(p.x + 10, p.y);
}

// A double click on a note opens its text, and the commit rewrites that note.
TEST(NotePress, ADoubleClickEditsTheNoteClicked) {
    NoteStage f;
    f.gui->annotations.noteEdit.index = -1;
    const ScreenPoint p = f.stageToPixel(f.noteX(2), -45.0f);
    f.click(p.x, p.y);
    f.click(p.x, p.y);
    ASSERT_EQ(f.gui->textEntry.textEntryId, 32);
    f.gui->textEntry.textEntryText = "HELLO";
    f.gui->commitTextEntry();
    EXPECT_STREQ(f.gui->notes[2].text, "HELLO");
    EXPECT_STREQ(f.gui->notes[0].text, "N1");
}

TEST(NotePress, LockedOrHiddenNotesTakeNoPress) {
    for (int locked = 0; locked < 2; ++locked) {
        NoteStage f;
        if (locked)
            f.gui->stageView.annotationLocks = 1;
        else
            f.gui->stageView.annotationVisibility = 0;
        f.pressAt(f.noteX(1), -45.0f, {'X'});
        EXPECT_EQ(f.gui->noteCount, 3);
    }
}

} // namespace
