// A press that no item took: C cancels a waiting cable, a hovered room edge starts a resize,
// a press inside the marquee runs the marquee keys or drags the marquee, rooms run their keys
// or start their drags, and bare stage pans (CTRL) or starts a new marquee.
#include <cmath>
#include <iterator>

#include "app/qx_gui.h"
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

} // namespace

bool QX_GUI::pressEmptyStage(int32_t, int32_t) {
    StageState& m = stage;
    if ((pendingCableTarget >= 0 || pendingCableSource >= 0) && isKeyDownC()) {
        pendingCableSource = pendingCableTarget = -1;
        raiseSendFlag(kSendCables);
        return true;
    }
    if (pressRoomEdge()) return true;
    const int32_t px = static_cast<int32_t>(std::trunc(m.pointerStageX));
    const int32_t py = static_cast<int32_t>(std::trunc(m.pointerStageY));
    if (strictlyInside(marqueeRect, px, py)) {
        pressInsideMarquee();
        return true;
    }
    if (pressRooms()) return true;
    if (isKeyDownAlt()) executeCommandString("UNSELECT ALL");
    if (isKeyDownI()) m.analysisFollowsTargetBox = 0;
    if (isKeyDownU()) return true;
    if (isKeyDownCtrl() && view.stageLock != 1) {
        stageInteractionMode = 4444;
        m.savedPanX = viewPanX;
        m.savedPanY = viewPanY;
        m.grabOffsetX = static_cast<float>(pointerPixelX);
        m.grabOffsetY = static_cast<float>(pointerPixelY);
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
    if (shift || caps) runEach(kMarqueeTargetLines, std::size(kMarqueeTargetLines));
    if (!shift && (isKeyDownC() || isKeyDownV())) {
        StageState& m = stage;
        stageInteractionMode = isKeyDownV() ? 2022 : 1022;
        m.dragStartStageX = m.pointerStageX;
        m.dragStartStageY = m.pointerStageY;
        dragStartPixelX = static_cast<float>(pointerPixelX);
        dragStartPixelY = static_cast<float>(pointerPixelY);
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
    for (int32_t s = 0; sourcesLocked != 1 && s < sourceCount; ++s)
        if (sources[s].shown && inside(sources[s].x, sources[s].y))
            take(m.marqueeSourceList, m.marqueeSourceAnchors, m.marqueeSourceCount, s, sources[s].x,
                 sources[s].y);
    for (int32_t t = 0; targetsLocked != 1 && t < targetCount; ++t)
        if (targets[t].visible && inside(targets[t].x, targets[t].y))
            take(m.marqueeTargetList, m.marqueeTargetAnchors, m.marqueeTargetCount, t, targets[t].x,
                 targets[t].y);
    for (int32_t g = 0; groupsLocked != 1 && g < groupCount && g < kMaxGroups; ++g)
        if (groups[g].shown && inside(groups[g].x, groups[g].y))
            take(m.marqueeGroupList, m.marqueeGroupAnchors, m.marqueeGroupCount, g, groups[g].x,
                 groups[g].y);
    stageInteractionMode = 7;
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
            beginValueDrag(105, room.level);
            m.dragStartStageY = static_cast<float>(pointerPixelY);
            raiseSendFlag(kSendRooms);
            return true;
        }
        if (roomsLocked != 1 && isKeyDownShift() && !isKeyDownAlt()) {
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
    stageInteractionMode = 5;
    m.pickedRoom = r;
    room.beginDrag(x, y);
    for (int32_t t = 0; t < targetCount && t < kMembershipSlots; ++t) {
        if (!room.targetFlags[t]) continue;
        targets[t].beginDrag(x, y);
        targets[t].boundsXMin = targets[t].boundsYMin = -5000;
        targets[t].boundsXMax = targets[t].boundsYMax = 5000;
    }
    for (int32_t s = 0; s < sourceCount && s < kMembershipSlots; ++s) {
        if (!room.sourceFlags[s]) continue;
        sources[s].beginDrag(x, y);
        sources[s].setBoundsFromFloats(-5000.0f, -5000.0f, 5000.0f, 5000.0f);
    }
    for (int32_t g = 0; g < groupCount && g < 64; ++g) {
        if (!room.groupFlags[g]) continue;
        groups[g].beginDrag(x, y);
        groups[g].boundsXMin = groups[g].boundsYMin = -5000;
        groups[g].boundsXMax = groups[g].boundsYMax = 5000;
    }
    raiseSendFlag(kSendRooms);
    captureMouse();
}
