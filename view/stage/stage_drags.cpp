// One drag per interaction mode: moves write positions, levels, sizes and group motion straight
// into the model and raise the send flags; they run no command line. A drag whose picked item
// is no longer inside its table's count changes nothing.
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

namespace {

constexpr int32_t kCursorFourWay = 6;

bool inCount(int32_t index, int32_t count) {
    return index >= 0 && index < count;
}

float clampTo(float v, float lo, float hi) {
    return std::min(std::max(v, lo), hi);
}

} // namespace

void QX_GUI::dragInMode(int32_t x, int32_t y, StagePoint p) {
    const StageState& m = stage;
    switch (interaction.stageInteractionMode) {
    case kModeSourceMove:
        if (!inCount(m.pickedSource, sourceCount)) return;
        dragSourceTo(m.pickedSource, p);
        updateRoomMembership();
        return;
    case kModeGroupMove:
        if (!inCount(m.pickedGroup, groupCount)) return;
        if (!isKeyDownShift())
            dragGroupTo(m.pickedGroup, p, true, true);
        else
            dragGroupTo(m.pickedGroup, p, !isKeyDownCtrl(), false);
        updateRoomMembership();
        return;
    case kModeTargetMove:
        if (!inCount(m.pickedTarget, targetCount)) return;
        dragTargetTo(m.pickedTarget, p);
        updateRoomMembership();
        return;
    case kModeRoomMove:
        return dragRoomTo(p);
    case kModeSelectionMove:
        return dragMarqueeList(p);
    case kModeMarqueeMove:
        return dragMarquee(p);
    case kModeAnnotationMove:
        return dragAnnotation();
    case kModeCableLevel:
    case kModeSourceLevel:
    case kModeGroupLevel:
    case kModeRoomLevel:
    case kModeTargetLevel:
    case kModeFeedbackGain:
        return dragLevel(y);
    case kModeSourceSize:
        return dragSourceSize(y);
    case kModeGroupScale:
        return dragGroupScale(y, false);
    case kModeTargetRadius:
        return dragTargetRadius(y);
    case kModeGroupSpin:
        return dragGroupRotationSpeed(x);
    case kModeGroupRotate:
        return dragGroupRotate(x, false);
    case kModeGroupNudge:
        return dragGroupMovement(x, y);
    case kModeInfoBoxSpin:
        return dragGroupBoxSpeed(x);
    case kModeInfoBoxMovement:
        return dragGroupBoxMovement(x, y);
    case kModeMarqueeScale:
        return dragGroupScale(y, true);
    case kModeMarqueeRotate:
        return dragGroupRotate(x, true);
    case kModePan:
        return dragPan(x, y);
    default:
        return;
    }
}

// ---- Positions -----------------------------------------------------------------------------

void QX_GUI::dragSourceTo(int32_t s, StagePoint p) {
    sources[s].dragClamped(p.x, p.y);
    if (guiSnap == 1) sources[s].snapToGrid();
    raiseSendFlag(kSendSources);
}

void QX_GUI::dragTargetTo(int32_t t, StagePoint p) {
    targets[t].dragClamped(p.x, p.y);
    if (guiSnap == 1) targets[t].snapToGrid();
    raiseSendFlag(kSendTargets);
}

void QX_GUI::dragGroupTo(int32_t g, StagePoint p, bool membersFollow, bool membersClamped) {
    GroupRecord& group = groups[g];
    group.dragTo(p.x, p.y);
    if (guiSnap == 1) group.snapToGrid();
    for (int32_t k = 0; membersFollow && k < std::min(group.memberCount, kMaxLiveItems); ++k) {
        const int32_t s = group.memberList[k];
        if (!inCount(s, sourceCount)) continue;
        if (membersClamped)
            sources[s].dragClamped(p.x, p.y);
        else
            sources[s].dragTo(p.x, p.y);
        if (guiSnap == 1) sources[s].snapToGrid();
    }
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
}

void QX_GUI::dragRoomTo(StagePoint p) {
    setCursorById(kCursorFourWay);
    const int32_t r = stage.pickedRoom;
    if (!inCount(r, roomCount)) return;
    RoomRecord& room = rooms[r];
    room.dragTo(p.x, p.y);
    const bool membersStay = isKeyDownCtrl();
    for (int32_t s = 0; s < std::min(sourceCount, kMaxLiveItems); ++s) {
        if (room.sourceFlags[s] != 1) continue;
        SourceRecord& source = sources[s];
        if (membersStay) {
            source.dragOffsetX = room.x - source.x;
            source.dragOffsetY = room.y - source.y;
        } else {
            source.dragClamped(room.x, room.y);
        }
    }
    for (int32_t t = 0; t < std::min(targetCount, kMaxLiveItems); ++t) {
        if (room.targetFlags[t] != 1) continue;
        TargetRecord& target = targets[t];
        if (membersStay) {
            target.dragOffsetX = room.x - target.x;
            target.dragOffsetY = room.y - target.y;
        } else {
            target.dragClamped(room.x, room.y);
        }
    }
    currentRoom = r;
    for (int32_t flag : {kSendRooms, kSendSources, kSendTargets}) raiseSendFlag(flag);
}

// Every item of the selection list follows; a group's members follow clamped with no key,
// unclamped with CTRL, and stay with SHIFT alone.
void QX_GUI::dragMarqueeList(StagePoint p) {
    const bool shift = isKeyDownShift();
    const bool ctrl = isKeyDownCtrl();
    for (int32_t i = 0; i < std::min(selectedCount, 255); ++i) {
        const ItemSnapshot item = makeItemSnapshot(selectedNames[i]);
        if (item.type == kKindSource && inCount(item.index, sourceCount))
            dragSourceTo(item.index, p);
        if (item.type == kKindTarget && inCount(item.index, targetCount))
            dragTargetTo(item.index, p);
        if (item.type == kKindGroup && inCount(item.index, groupCount))
            dragGroupTo(item.index, p, ctrl || !shift, !ctrl);
    }
    updateRoomMembership();
}

// The marquee and the items taken at the press move by the pointer's travel; with SHIFT only
// the marquee moves.
void QX_GUI::dragMarquee(StagePoint p) {
    setCursorById(kCursorFourWay);
    const StageState& m = stage;
    const float dx = p.x - m.grabOffsetX;
    const float dy = p.y - m.grabOffsetY;
    if (!isKeyDownShift()) {
        for (int32_t i = 0; i < std::min(m.marqueeTargetCount, 64); ++i) {
            const int32_t t = m.marqueeTargetList[i];
            if (inCount(t, targetCount))
                targets[t].setPosition(m.marqueeTargetAnchors[i][0] + dx,
                                       m.marqueeTargetAnchors[i][1] + dy);
        }
        for (int32_t i = 0; i < std::min(m.marqueeSourceCount, 64); ++i) {
            const int32_t s = m.marqueeSourceList[i];
            if (inCount(s, sourceCount))
                sources[s].setPosition(m.marqueeSourceAnchors[i][0] + dx,
                                       m.marqueeSourceAnchors[i][1] + dy);
        }
        for (int32_t i = 0; i < std::min(m.marqueeGroupCount, 64); ++i) {
            const int32_t g = m.marqueeGroupList[i];
            if (!inCount(g, groupCount)) continue;
            groups[g].x = m.marqueeGroupAnchors[i][0] + dx;
            groups[g].y = m.marqueeGroupAnchors[i][1] + dy;
        }
    }
    const int32_t width = marqueeRect[2] - marqueeRect[0];
    const int32_t height = marqueeRect[3] - marqueeRect[1];
    marqueeRect[0] = static_cast<int32_t>(m.marqueeGrabCornerX + dx);
    marqueeRect[1] = static_cast<int32_t>(m.marqueeGrabCornerY + dy);
    marqueeRect[2] = marqueeRect[0] + width;
    marqueeRect[3] = marqueeRect[1] + height;
    updateRoomMembership();
    for (int32_t flag : {kSendSources, kSendTargets, kSendGroups, kSendRooms, kSendGainMatrix})
        raiseSendFlag(flag);
}

void QX_GUI::dragAnnotation() {
    const int32_t a = stage.pickedTarget;
    if (!inCount(a, std::min(noteCount, 256))) return;
    NoteRecord& note = notes[a];
    note.x = stage.pointerStageX - note.width / 2.0f - stage.grabOffsetX;
    note.y = stage.pointerStageY - note.height / 2.0f - stage.grabOffsetY;
    raiseSendFlag(kSendNotes);
}

// ---- Levels and sizes ----------------------------------------------------------------------

// The fader law on the total travel since the press: up raises the level; SHIFT is four times
// finer; the result stays in 0 .. 4.0 and snaps to unity just around it.
float QX_GUI::levelFromDrag(float startLevel, float dy) {
    interaction.dragFineFactor = isKeyDownShift() ? 4.0f : 1.0f;
    return faderLaw.levelAfterDrag(
        startLevel, dy / (stage.dragSensitivity * interaction.dragFineFactor) * faderLaw.dragSpeed);
}

void QX_GUI::dragLevel(int32_t y) {
    const StageState& m = stage;
    const float start = interaction.dragStartValue;
    const float dy = static_cast<float>(y) - interaction.dragStartPixelY;
    switch (interaction.stageInteractionMode) {
    case kModeCableLevel:
        if (!inCount(m.pickedCable, cableCount)) return;
        cables[m.pickedCable].level = levelFromDrag(start, dy);
        raiseSendFlag(kSendCables);
        break;
    case kModeSourceLevel:
        if (!inCount(m.pickedSource, sourceCount)) return;
        sources[m.pickedSource].level = levelFromDrag(start, dy);
        raiseSendFlag(kSendSources);
        break;
    case kModeGroupLevel:
        if (!inCount(m.pickedGroup, groupCount)) return;
        groups[m.pickedGroup].level = levelFromDrag(start, dy);
        raiseSendFlag(kSendGroups);
        break;
    case kModeRoomLevel:
        if (!inCount(m.pickedRoom, roomCount)) return;
        rooms[m.pickedRoom].level = levelFromDrag(start, dy);
        raiseSendFlag(kSendRooms);
        break;
    case kModeTargetLevel:
        if (!inCount(m.pickedTarget, targetCount)) return;
        targets[m.pickedTarget].level = levelFromDrag(start, dy);
        raiseSendFlag(kSendTargets);
        break;
    case kModeFeedbackGain: {
        // The entry belongs to the mix of the source's virtual input channel, as drawn.
        const int32_t channel = feedbackMixChannelOf(m.pickedSource);
        if (channel < 0 || !inCount(m.pickedFeedbackEntry, 64)) return;
        const float fy = static_cast<float>(y - m.feedbackPressPixelY);
        feedbackMixes[channel].gains[m.pickedFeedbackEntry] = levelFromDrag(start, fy);
        raiseSendFlag(kSendFeedbackMixes);
        return;
    }
    default:
        return;
    }
    raiseSendFlag(kSendGainMatrix);
}

void QX_GUI::dragSourceSize(int32_t y) {
    const StageState& m = stage;
    if (!inCount(m.pickedSource, sourceCount)) return;
    const float fine = isKeyDownShift() ? 2.0f : 1.0f;
    const float dy = static_cast<float>(y) - interaction.dragStartPixelY;
    const float size = interaction.dragStartValue + dy / (fine * m.dragSensitivity) * 3.0f;
    sources[m.pickedSource].size = clampTo(size, 0.0f, 3.0f);
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGainMatrix);
}

void QX_GUI::dragTargetRadius(int32_t y) {
    const StageState& m = stage;
    if (!inCount(m.pickedTarget, targetCount)) return;
    const float fine = isKeyDownShift() ? 4.0f : 2.0f;
    const float dy = static_cast<float>(y) - interaction.dragStartPixelY;
    const float radius = clampTo(
        interaction.dragStartValue + dy * 500.0f / (fine * m.dragSensitivity), 0.0f, 1000.0f);
    TargetRecord& target = targets[m.pickedTarget];
    if (usesGlobalRadiusWhenOne(target)) {
        viewSettings.globalRadius = radius;
        raiseSendFlag(kSendViewState);
    } else {
        target.ownRadius = radius;
        raiseSendFlag(kSendTargets);
    }
    raiseSendFlag(kSendGainMatrix);
}

// ---- Groups --------------------------------------------------------------------------------

// Members move about the group position: SHIFT scales x only, CTRL y only, neither both.
void QX_GUI::scaleGroupMembers(int32_t g, float factor) {
    const GroupRecord& group = groups[g];
    const bool shift = isKeyDownShift();
    const bool ctrl = isKeyDownCtrl();
    const bool scaleX = shift || !ctrl;
    const bool scaleY = ctrl || !shift;
    for (int32_t k = 0; k < std::min(group.memberCount, kMaxLiveItems); ++k) {
        const int32_t s = group.memberList[k];
        if (!inCount(s, sourceCount)) continue;
        if (scaleX) sources[s].x = (sources[s].x - group.x) * factor + group.x;
        if (scaleY) sources[s].y = (sources[s].y - group.y) * factor + group.y;
    }
}

// Each event grows the members when the pointer rose by a pixel or more, else shrinks them.
void QX_GUI::dragGroupScale(int32_t y, bool wholeMarquee) {
    StageState& m = stage;
    if (!wholeMarquee && !inCount(m.pickedGroup, groupCount)) return;
    const float factor =
        interaction.dragStartPixelY - static_cast<float>(y) >= 1.0f ? 1.0309278f : 0.97f;
    if (wholeMarquee) {
        for (int32_t g = 0; g < std::min(groupCount, kMaxGroups); ++g) {
            const int32_t gx = static_cast<int32_t>(groups[g].x);
            const int32_t gy = static_cast<int32_t>(groups[g].y);
            if (marqueeRect[0] < gx && gx < marqueeRect[2] && marqueeRect[1] < gy &&
                gy < marqueeRect[3])
                scaleGroupMembers(g, factor);
        }
    } else {
        scaleGroupMembers(m.pickedGroup, factor);
    }
    interaction.dragStartPixelY = static_cast<float>(y);
    updateRoomMembership();
    for (int32_t flag : {kSendGainMatrix, kSendGroups, kSendSources}) raiseSendFlag(flag);
}

void QX_GUI::dragGroupRotationSpeed(int32_t x) {
    StageState& m = stage;
    if (!inCount(m.pickedGroup, groupCount)) return;
    GroupRecord& group = groups[m.pickedGroup];
    group.rotationSpeed += (static_cast<float>(x) - interaction.dragStartPixelX) * 0.0001f;
    group.rotationSpeed = clampTo(group.rotationSpeed, -0.05f, 0.05f);
    interaction.dragStartPixelX = static_cast<float>(x);
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendGainMatrix);
}

void QX_GUI::dragGroupRotate(int32_t x, bool wholeMarquee) {
    StageState& m = stage;
    if (!wholeMarquee && !inCount(m.pickedGroup, groupCount)) return;
    const float px = static_cast<float>(x);
    const int32_t sign =
        px > interaction.dragStartPixelX ? 1 : (px < interaction.dragStartPixelX ? -1 : 0);
    if (wholeMarquee) {
        for (int32_t g = 0; g < std::min(groupCount, kMaxGroups); ++g) {
            const int32_t gx = static_cast<int32_t>(groups[g].x);
            const int32_t gy = static_cast<int32_t>(groups[g].y);
            if (marqueeRect[0] < gx && gx < marqueeRect[2] && marqueeRect[1] < gy &&
                gy < marqueeRect[3])
                rotateGroup(g, static_cast<float>(sign * 50));
        }
    } else {
        rotateGroup(m.pickedGroup, static_cast<float>(sign * 50));
    }
    interaction.dragStartPixelX = px;
    for (int32_t flag : {kSendGainMatrix, kSendGroups, kSendSources}) raiseSendFlag(flag);
}

void QX_GUI::dragGroupMovement(int32_t x, int32_t y) {
    setCursorById(kCursorFourWay);
    StageState& m = stage;
    if (!inCount(m.pickedGroup, groupCount)) return;
    GroupRecord& group = groups[m.pickedGroup];
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    group.movementX = clampTo(
        group.movementX + (px >= interaction.dragStartPixelX ? 0.05f : -0.05f), -4.0f, 4.0f);
    group.movementY = clampTo(
        group.movementY + (py >= interaction.dragStartPixelY ? 0.05f : -0.05f), -4.0f, 4.0f);
    interaction.dragStartPixelX = px;
    interaction.dragStartPixelY = py;
    for (int32_t flag : {kSendGainMatrix, kSendGroups, kSendSources}) raiseSendFlag(flag);
}

void QX_GUI::dragGroupBoxSpeed(int32_t x) {
    if (!inCount(currentGroup, groupCount)) return;
    const StageState& m = stage;
    groups[currentGroup].rotationSpeed = clampTo(
        m.groupSpeedStart + static_cast<float>(x - m.groupSpeedPressX) * 0.00025f, -0.1f, 0.1f);
    raiseSendFlag(kSendGainMatrix);
    raiseSendFlag(kSendGroups);
}

void QX_GUI::dragGroupBoxMovement(int32_t x, int32_t y) {
    if (!inCount(currentGroup, groupCount)) return;
    const StageState& m = stage;
    GroupRecord& group = groups[currentGroup];
    group.movementX =
        clampTo(m.groupMoveStartX + static_cast<float>(x - m.groupMovePressX) * 0.02f, -4.0f, 4.0f);
    group.movementY =
        clampTo(m.groupMoveStartY + static_cast<float>(y - m.groupMovePressY) * 0.02f, -4.0f, 4.0f);
    for (int32_t flag : {kSendGainMatrix, kSendGroups, kSendSources}) raiseSendFlag(flag);
}

// ---- The view ------------------------------------------------------------------------------

void QX_GUI::dragPan(int32_t x, int32_t y) {
    setCursorById(kCursorFourWay);
    const StageState& m = stage;
    view.viewPanX = heldPan(m.savedPanX + (static_cast<float>(x) - m.grabOffsetX) / view.viewZoom,
                            view.viewPanX);
    view.viewPanY = heldPan(m.savedPanY + (static_cast<float>(y) - m.grabOffsetY) / view.viewZoom,
                            view.viewPanY);
    char line[96];
    std::snprintf(line, sizeof line, "OFFSET = X%.2f Y%.2f", view.viewPanX, view.viewPanY);
    setStatusMessage(line);
}
