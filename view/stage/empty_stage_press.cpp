// A press that no item took: C cancels a waiting cable, a hovered room edge starts a resize,
// a press inside the marquee runs the marquee keys or drags the marquee, rooms run their keys
// or start their drags, and bare stage pans (CTRL) or starts a new marquee.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "app/qx_gui.h"
#include "model/checked_number.h"
#include "model/colour.h"
#include "view/input/interaction_modes.h"
#include "view/stage/item_press_keys.h"

namespace {

// A held key and the line it runs on what the marquee holds.
struct MarqueeLine {
    bool (*held)();
    const char* line;
};
const MarqueeLine kMarqueeSourceGroupLines[] = {
    {isKeyDownP, "TOGGLE_PHASE SOURCES GROUPS"}, {isKeyDownZ, "LEVEL SOURCES GROUPS 0.0"},
    {isKeyDownA, "TOGGLE_MUTE SOURCES GROUPS"},  {isKeyDownS, "TOGGLE_SOLO SOURCES GROUPS"},
    {isKeyDownF, "UNGROUP SOURCES GROUPS"},      {isKeyDownX, "UNCABLE SOURCES"},
    {isKeyDownB, "COLOUR SOURCES GROUPS"},       {isKeyDownQ, "TOGGLE_ROTATION GROUPS"},
    {isKeyDownW, "TOGGLE_MOVEMENT GROUPS"},
};
const MarqueeLine kMarqueeTargetLines[] = {
    {isKeyDownP, "TOGGLE_PHASE TARGETS"}, {isKeyDownZ, "LEVEL TARGETS 0.0"},
    {isKeyDownA, "TOGGLE_MUTE TARGETS"},  {isKeyDownS, "TOGGLE_SOLO TARGETS"},
    {isKeyDownB, "COLOUR TARGETS"},       {isKeyDownX, "UNCABLE TARGETS"},
};
// What each held key runs on a room named N: verb, then N, then the tail.
struct RoomLine {
    bool (*held)();
    const char* verb;
    const char* tail;
};
const RoomLine kRoomLines[] = {
    {isKeyDownZ, "LEVEL ", " 0.0"},    {isKeyDownR, "RESET ", ""},
    {isKeyDownP, "TOGGLE_PHASE ", ""}, {isKeyDownA, "TOGGLE_MUTE ", ""},
    {isKeyDownS, "TOGGLE_SOLO ", ""},  {isKeyDownB, "COLOUR ", ""},
};

bool strictlyInside(const int32_t rect[4], int32_t x, int32_t y) {
    return rect[0] < x && x < rect[2] && rect[1] < y && y < rect[3];
}

int32_t truncated(float v) {
    return saturatingInt(v);
}

constexpr int32_t kCursorHand = 5;

} // namespace

bool QX_GUI::pressEmptyStage(int32_t, int32_t) {
    StageState& m = stage;
    if ((pendingCableTarget >= 0 || pendingCableSource >= 0) && isKeyDownC()) {
        pendingCableSource = pendingCableTarget = -1;
        raiseSendFlag(kSendCables);
        return true;
    }
    if (pressRoomEdge()) return true;
    const int32_t px = truncated(m.pointerStageX);
    const int32_t py = truncated(m.pointerStageY);
    if (strictlyInside(marqueeRect, px, py)) {
        pressInsideMarquee();
        return true;
    }
    if (stageView.annotationVisibility == 1 && stageView.annotationLocks == 0 && pressNotes(px, py))
        return true;
    if (pressRooms()) return true;
    if (isKeyDownAlt()) executeCommandString("UNSELECT ALL");
    if (isKeyDownI()) m.analysisFollowsTargetBox = 0;
    if (isKeyDownU()) return true;
    if (isKeyDownCtrl() && view.stageLock != 1) {
        interaction.stageInteractionMode = kModePan;
        m.savedPanX = view.viewPanX;
        m.savedPanY = view.viewPanY;
        m.grabOffsetX = static_cast<float>(interaction.pointerPixelX);
        m.grabOffsetY = static_cast<float>(interaction.pointerPixelY);
        return true;
    }
    marqueeRubberBand = 1;
    marqueeRect[0] = marqueeRect[2] = px;
    marqueeRect[1] = marqueeRect[3] = py;
    captureMouse();
    return true;
}

// The hovered room edge starts a resize that the move handler carries out.
bool QX_GUI::pressRoomEdge() {
    StageState& m = stage;
    m.resizeRoomX = m.resizeRoomY = 0;
    const int32_t r = m.stageHoverIndex;
    if (r < 0 || r >= roomCount || m.hoveredRoomHandle < 0) return false;
    m.resizeRoom = r;
    m.resizeHandle = m.hoveredRoomHandle;
    m.roomResizing = 1;
    m.resizeRoomX = static_cast<int32_t>(std::trunc(rooms[r].x));
    m.resizeRoomY = static_cast<int32_t>(std::trunc(rooms[r].y));
    setRoomHandleCursor(m.hoveredRoomHandle);
    currentRoom = r;
    return true;
}

void QX_GUI::pressInsideMarquee() {
    bool handled = false;
    auto runEach = [&](const MarqueeLine* rows, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            if (!rows[i].held()) continue;
            executeCommandString(rows[i].line);
            handled = true;
        }
    };
    if (isKeyDownE() && listMarqueeForEnvelopes()) handled = true;
    if (isKeyDownAlt()) executeCommandString("TOGGLE_SELECT TARGETS SOURCES GROUPS");
    if (isKeyDownD()) {
        executeCommandString("TOGGLE_HIDE_ALL");
        handled = true;
    }
    if (isKeyDownCtrl() && !isKeyDownShift()) {
        static bool (*const digits[])() = {isKeyDownDigit1, isKeyDownDigit2, isKeyDownDigit3,
                                           isKeyDownDigit4, isKeyDownDigit5, isKeyDownDigit6,
                                           isKeyDownDigit7, isKeyDownDigit8};
        for (int32_t k = 0; k < 8; ++k)
            if (digits[k]()) executeCommandString("ROOM_TO_MARQUEE " + std::to_string(k));
        handled = true;
    }
    const bool caps = isCapsLockOn();
    const bool shift = isKeyDownShift();
    if (caps && isKeyDownB()) {
        executeCommandString("COLOUR SOURCES GROUPS TARGETS");
        handled = true;
    }
    if (!shift || caps) runEach(kMarqueeSourceGroupLines, std::size(kMarqueeSourceGroupLines));
    if (isKeyDownR()) {
        executeCommandString("RESET SOURCES TARGETS GROUPS ROOMS");
        handled = true;
    }
    if (shift || caps) {
        if (shift && isKeyDownX()) keyTargetsInMarqueeOnThemselves();
        runEach(kMarqueeTargetLines, std::size(kMarqueeTargetLines));
    }
    if (!shift && (isKeyDownC() || isKeyDownV())) {
        StageState& m = stage;
        interaction.stageInteractionMode = isKeyDownV() ? kModeMarqueeRotate : kModeMarqueeScale;
        m.dragStartStageX = m.pointerStageX;
        m.dragStartStageY = m.pointerStageY;
        interaction.dragStartPixelX = static_cast<float>(interaction.pointerPixelX);
        interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
        handled = true;
    }
    if (handled) {
        applyGroupMuteSolo();
        updateMuteSoloSummary();
        raiseSendFlag(kSendGroups);
        raiseSendFlag(kSendGainMatrix);
        marqueeRubberBand = 0;
        return;
    }
    beginMarqueeDrag();
}

// The marquee drag takes along every unlocked shown item inside it, edges included.
void QX_GUI::beginMarqueeDrag() {
    StageState& m = stage;
    m.grabOffsetX = m.pointerStageX;
    m.grabOffsetY = m.pointerStageY;
    m.marqueeGrabCornerX = static_cast<float>(marqueeRect[0]);
    m.marqueeGrabCornerY = static_cast<float>(marqueeRect[1]);
    for (int32_t i = 0; i < 64; ++i)
        m.marqueeSourceList[i] = m.marqueeTargetList[i] = m.marqueeGroupList[i] = -1;
    m.marqueeSourceCount = m.marqueeTargetCount = m.marqueeGroupCount = 0;
    auto inside = [&](float x, float y) {
        return isPointInMarquee(static_cast<int32_t>(x), static_cast<int32_t>(y));
    };
    auto take = [](int32_t* list, float(*anchors)[2], int32_t& count, int32_t i, float x, float y) {
        if (count >= 64) return;
        list[count] = i;
        anchors[count][0] = x;
        anchors[count][1] = y;
        ++count;
    };
    for (int32_t s = 0; stageView.sourcesLocked != 1 && s < sourceCount; ++s)
        if (sources[s].shown && inside(sources[s].x, sources[s].y))
            take(m.marqueeSourceList, m.marqueeSourceAnchors, m.marqueeSourceCount, s, sources[s].x,
                 sources[s].y);
    for (int32_t t = 0; stageView.targetsLocked != 1 && t < targetCount; ++t)
        if (targets[t].visible && inside(targets[t].x, targets[t].y))
            take(m.marqueeTargetList, m.marqueeTargetAnchors, m.marqueeTargetCount, t, targets[t].x,
                 targets[t].y);
    for (int32_t g = 0; stageView.groupsLocked != 1 && g < groupCount && g < kMaxGroups; ++g)
        if (groups[g].shown && inside(groups[g].x, groups[g].y))
            take(m.marqueeGroupList, m.marqueeGroupAnchors, m.marqueeGroupCount, g, groups[g].x,
                 groups[g].y);
    interaction.stageInteractionMode = kModeMarqueeMove;
    marqueeRubberBand = 0;
}

// Rooms under the press from the highest index down run their keys; a digit, CTRL, SHIFT or U
// ends the press. True when the press is done.
bool QX_GUI::pressRooms() {
    StageState& m = stage;
    for (int32_t r = std::min(roomCount, kMaxRooms) - 1; r >= 0; --r) {
        RoomRecord& room = rooms[r];
        if (!room.containsPoint(m.pointerStageX, m.pointerStageY)) continue;
        currentRoom = r;
        m.resizeRoom = m.resizeHandle = -1;
        if (isKeyDownAlt()) executeCommandString("UNSELECT ALL");
        for (const RoomLine& row : kRoomLines)
            if (row.held()) executeCommandString(row.verb + room.name + row.tail);
        if (isKeyDownE()) m.analysisFollowsTargetBox = 0;
        if (const int32_t n = heldPresetColour()) {
            executeCommandString("PRESET_COLOUR " + room.name + " " + std::to_string(n));
            return true;
        }
        if (isKeyDownCtrl() && !isKeyDownShift()) {
            m.pickedRoom = r;
            beginValueDrag(kModeRoomLevel, room.level);
            // The level readout stands at the press point.
            m.dragStartStageX = m.pointerStageX;
            m.dragStartStageY = m.pointerStageY;
            raiseSendFlag(kSendRooms);
            return true;
        }
        if (stageView.roomsLocked != 1 && isKeyDownShift() && !isKeyDownAlt()) {
            beginRoomDrag(r);
            return true;
        }
        raiseSendFlag(kSendRooms);
        if (isKeyDownU()) {
            room.reservedText.clear(); // the room's tag text
            return true;
        }
    }
    return false;
}

// SHIFT on a room drags it with every item flagged in it, unbounded within the stage.
void QX_GUI::beginRoomDrag(int32_t r) {
    StageState& m = stage;
    const float x = m.pointerStageX;
    const float y = m.pointerStageY;
    RoomRecord& room = rooms[r];
    interaction.stageInteractionMode = kModeRoomMove;
    m.pickedRoom = r;
    room.beginDrag(x, y);
    // The drag places each member at the room's position minus its offset, so the offsets
    // are taken from the room's position: the members keep their places within the room.
    for (int32_t t = 0; t < targetCount && t < kMembershipSlots; ++t) {
        if (!room.targetFlags[t]) continue;
        targets[t].beginDrag(room.x, room.y);
        targets[t].setBounds(-5000, -5000, 5000, 5000);
    }
    for (int32_t s = 0; s < sourceCount && s < kMembershipSlots; ++s) {
        if (!room.sourceFlags[s]) continue;
        sources[s].beginDrag(room.x, room.y);
        sources[s].setBoundsFromFloats(-5000.0f, -5000.0f, 5000.0f, 5000.0f);
    }
    for (int32_t g = 0; g < groupCount && g < 64; ++g) {
        if (!room.groupFlags[g]) continue;
        groups[g].beginDrag(x, y);
        groups[g].resetBounds();
    }
    raiseSendFlag(kSendRooms);
    captureMouse();
}

// E inside the marquee lists the sources and targets strictly inside it for the envelopes;
// true when both lists have items.
bool QX_GUI::listMarqueeForEnvelopes() {
    EnvelopeList& list = envelopeList;
    list.sourceCount = list.targetCount = 0;
    for (int32_t s = 0; s < sourceCount && s < kMaxSources; ++s)
        if (list.sourceCount < EnvelopeList::kCapacity &&
            strictlyInside(marqueeRect, truncated(sources[s].x), truncated(sources[s].y)))
            list.sources[list.sourceCount++] = s;
    for (int32_t t = 0; t < targetCount && t < kMaxTargets; ++t)
        if (list.targetCount < EnvelopeList::kCapacity &&
            strictlyInside(marqueeRect, truncated(targets[t].x), truncated(targets[t].y)))
            list.targets[list.targetCount++] = t;
    list.spec = "MARQUEE SELECTION";
    return list.sourceCount > 0 && list.targetCount > 0;
}

// SHIFT+X inside the marquee keys the output dynamics of each target strictly inside it on
// the target itself.
void QX_GUI::keyTargetsInMarqueeOnThemselves() {
    for (int32_t t = 0; t < targetCount && t < kChannels; ++t) {
        if (!strictlyInside(marqueeRect, truncated(targets[t].x), truncated(targets[t].y)))
            continue;
        outputDynamics[t].channelIndex = t;
        outputDynamics[t].direction = kKindTarget;
    }
    raiseSendFlag(kSendOutputDynamics);
}

// A press on a note: X deletes it, C picks its colour, A and S edit its alpha and size, and a
// plain press drags it. The keys act on the note pressed. True when a note took the press.
bool QX_GUI::pressNotes(int32_t px, int32_t py) {
    for (int32_t i = 0; i < std::min(noteCount, 256); ++i) {
        NoteRecord& note = notes[i];
        const int64_t x = truncated(note.x), y = truncated(note.y);
        const int64_t right = truncated(note.width) + x + 4;
        const int64_t bottom = truncated(note.height) + y + 4;
        note.boxed = 0;
        if (!(x - 2 < px && px < right && y - 2 < py && py < bottom)) continue;
        note.boxed = 1;
        pressNote(i);
        return true;
    }
    return false;
}

void QX_GUI::pressNote(int32_t i) {
    NoteRecord& note = notes[i];
    if (isKeyDownX()) {
        std::copy(notes + i + 1, notes + noteCount, notes + i);
        notes[--noteCount] = NoteRecord{};
        if (annotations.noteEdit.index == i) annotations.noteEdit.index = -1;
        if (annotations.noteEdit.index > i) --annotations.noteEdit.index;
        raiseSendFlag(kSendNotes);
        return;
    }
    if (isKeyDownC()) {
        const uint32_t chosen =
            pickColour(packColour(truncated(note.red * 255.0f), truncated(note.green * 255.0f),
                                  truncated(note.blue * 255.0f)));
        unpackColour(note.red, note.green, note.blue, chosen);
        raiseSendFlag(kSendNotes);
        return;
    }
    if (isKeyDownA() || isKeyDownS()) {
        editNoteNumber(i, isKeyDownA());
        return;
    }
    setCursorById(kCursorHand);
    interaction.stageInteractionMode = kModeAnnotationMove;
    stage.pickedTarget = i;
    stage.grabOffsetX = stage.pointerStageX - (note.x + note.width * 0.5f);
    stage.grabOffsetY = stage.pointerStageY - (note.y + note.height * 0.5f);
}

// Opens the entry for the alpha (A) or the size (S) of note i, which the commit then edits.
void QX_GUI::editNoteNumber(int32_t i, bool alpha) {
    const NoteRecord& note = notes[i];
    char text[64];
    std::snprintf(text, sizeof text, alpha ? "%.2f" : "%.0f",
                  static_cast<double>(alpha ? note.alpha : note.size));
    annotations.noteEdit.index = i;
    openTextEntry(truncated(windowWidth * 0.5f), truncated(windowHeight * 0.5f), -1, -1, text, -1,
                  alpha ? 4 : 3, alpha ? "EDIT ANNOTATION ALPHA" : "EDIT ANNOTATION SIZE",
                  alpha ? "ENTER A NUMBER BETWEEN 0.1 AND 1.0" : "ENTER A NUMBER BETWEEN 1 AND 20",
                  1);
    textEntry.textEntryId = alpha ? 34 : 33;
    raiseSendFlag(kSendNotes);
}
