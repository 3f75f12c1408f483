// Presses on the open info boxes, in the order group, source, target: group membership, the
// group's rotation speed and movement, a source's groups and virtual channel, a target's
// virtual channel. A press that misses a box's controls closes the box and goes on.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"
#include "view/stage/info_box_press_geometry.h"

namespace ibp = info_box_press;

namespace {

bool inCount(int32_t index, int32_t count) {
    return index >= 0 && index < count;
}

bool inRect(ScreenPoint corner, const ibp::PixelRect& r, int32_t x, int32_t y) {
    return isPointInRect(corner.x + r.left, corner.y + r.top, r.width, r.height, x, y);
}

int32_t cellIn(ScreenPoint corner, const ibp::PixelRect& r, int32_t rows, int32_t x, int32_t y) {
    return QX_GUI::gridCellAt(corner.x + r.left, corner.y + r.top, r.width, r.height, x, y,
                              ibp::kGridColumns, rows);
}

} // namespace

int32_t QX_GUI::gridCellAt(int32_t left, int32_t top, int32_t, int32_t height, int32_t x, int32_t y,
                           int32_t, int32_t rows) {
    const double row = std::trunc(static_cast<double>(y - top) / height * rows);
    const double column = std::trunc(static_cast<double>(x - left) / ibp::kGridColumnWidth);
    return static_cast<int32_t>(row) * ibp::kGridColumns + static_cast<int32_t>(column);
}

// The box keeps its pixel size at the item's place on the screen.
ScreenPoint QX_GUI::infoBoxCorner(float itemX, float itemY, float up) const {
    const float ax = std::trunc(view.viewZoom * (view.viewPanX + itemX) - ibp::kCornerLeft);
    const float ay = std::trunc(view.viewZoom * (view.viewPanY + itemY) - up);
    return {static_cast<int32_t>(ax + windowWidth * 0.5f),
            static_cast<int32_t>(ay + windowHeight * 0.5f)};
}

bool QX_GUI::pressInfoBoxes(int32_t x, int32_t y) {
    StageState& m = stage;
    if (m.groupInfoBoxOpen == 1 || m.sourceInfoBoxOpen == 1 || m.targetInfoBoxOpen == 1)
        stageView.highlightSize = 50;
    if (m.groupInfoBoxOpen == 1) {
        if (pressGroupInfoBox(x, y)) return true;
        m.groupInfoBoxOpen = 0;
    }
    if (m.sourceInfoBoxOpen == 1) {
        if (pressSourceInfoBox(x, y)) return true;
        m.sourceInfoBoxOpen = 0;
    }
    if (m.targetInfoBoxOpen == 1) {
        if (pressTargetInfoBox(x, y)) return true;
        m.targetInfoBoxOpen = 0;
    }
    return false;
}

// Adds source s to group g or takes it out, on both sides of the membership.
void QX_GUI::toggleGroupMembership(int32_t s, int32_t g) {
    if (sources[s].groupFlags[g] == 1) {
        sources[s].removeFromGroup(g);
        groups[g].removeMember(s);
    } else {
        sources[s].addToGroup(g);
        groups[g].addMember(s);
    }
    applyGroupMuteSolo();
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGroups);
}

bool QX_GUI::pressGroupInfoBox(int32_t x, int32_t y) {
    const int32_t g = currentGroup;
    if (!inCount(g, std::min(groupCount, kMembershipSlots))) return false;
    GroupRecord& group = groups[g];
    const ScreenPoint corner = infoBoxCorner(group.x, group.y, ibp::kGroupCornerUp);
    if (inRect(corner, ibp::kGroupBox, x, y) && inRect(corner, ibp::kGroupMembers, x, y)) {
        const int32_t cell = cellIn(corner, ibp::kGroupMembers, 8, x, y);
        if (inCount(cell, std::min(sourceCount, kMembershipSlots))) toggleGroupMembership(cell, g);
        return true;
    }
    if (inRect(corner, ibp::kGroupSlider, x, y)) {
        if (isKeyDownCtrl()) {
            group.rotationSpeed = 0.0f;
            raiseSendFlag(kSendGroups);
            return true;
        }
        interaction.stageInteractionMode = kModeInfoBoxSpin;
        stage.groupSpeedStart = group.rotationSpeed;
        stage.groupSpeedPressX = x;
        stage.groupSpeedPressY = y;
        captureMouse();
        return true;
    }
    interaction.stageInteractionMode = kModeIdle;
    if (!inRect(corner, ibp::kGroupPad, x, y)) return false;
    pressMovementPad(g, x - (corner.x + ibp::kGroupPad.left), y - (corner.y + ibp::kGroupPad.top),
                     x, y);
    return true;
}

// (px, py) is the press relative to the pad's corner; (x, y) the press pixel.
void QX_GUI::pressMovementPad(int32_t g, int32_t px, int32_t py, int32_t x, int32_t y) {
    GroupRecord& group = groups[g];
    const int32_t hx =
        static_cast<int32_t>(group.movementX * ibp::kHandleScale + ibp::kHandleCentre);
    const int32_t hy =
        static_cast<int32_t>(group.movementY * ibp::kHandleScale + ibp::kHandleCentre);
    if (!isPointInRect(hx, hy, ibp::kHandleSize, ibp::kHandleSize, px, py)) return;
    const bool ctrl = isKeyDownCtrl();
    const bool shift = isKeyDownShift();
    if (ctrl) group.movementX = 0.0f;
    if (shift) group.movementY = 0.0f;
    if (ctrl || shift) {
        raiseSendFlag(kSendGroups);
        return;
    }
    StageState& m = stage;
    m.groupMoveStartX = group.movementX;
    m.groupMoveStartY = group.movementY;
    m.groupMovePressX = x;
    m.groupMovePressY = y;
    interaction.stageInteractionMode = kModeInfoBoxMovement;
    captureMouse();
}

bool QX_GUI::pressSourceInfoBox(int32_t x, int32_t y) {
    const int32_t s = currentSource;
    if (!inCount(s, std::min(sourceCount, kMembershipSlots))) return false;
    SourceRecord& source = sources[s];
    const ScreenPoint corner = infoBoxCorner(source.x, source.y, ibp::kSourceCornerUp);
    if (inRect(corner, ibp::kSourceBox, x, y) && inRect(corner, ibp::kSourceGroups, x, y)) {
        const int32_t g = cellIn(corner, ibp::kSourceGroups, 2, x, y);
        if (inCount(g, std::min(groupCount, kMembershipSlots))) {
            toggleGroupMembership(s, g);
            raiseSendFlag(kSendGainMatrix);
        }
        return true;
    }
    if (!inRect(corner, ibp::kSourceChannels, x, y)) return false;
    const int32_t channel = cellIn(corner, ibp::kSourceChannels, 8, x, y);
    if (!inCount(channel, kChannels)) return true;
    source.virtualChannel = channel;
    if (s == monitorSource) setPin60Value(channel, s);
    raiseSendFlag(kSendGainMatrix);
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendMixers);
    return true;
}

bool QX_GUI::pressTargetInfoBox(int32_t x, int32_t y) {
    const int32_t t = currentTarget;
    if (!inCount(t, targetCount)) return false;
    TargetRecord& target = targets[t];
    const ScreenPoint corner = infoBoxCorner(target.x, target.y, ibp::kTargetCornerUp);
    if (!inRect(corner, ibp::kTargetBox, x, y) || !inRect(corner, ibp::kTargetChannels, x, y))
        return false;
    const int32_t channel = cellIn(corner, ibp::kTargetChannels, 8, x, y);
    if (!inCount(channel, kChannels)) return true;
    target.virtualChannel = channel;
    raiseSendFlag(kSendGainMatrix);
    raiseSendFlag(kSendTargets);
    raiseSendFlag(kSendMixers);
    if (stage.analysisFollowsTargetBox == 1) setPin60Value(channel + kChannels, t + kChannels);
    return true;
}
