// A press on a group's handle: focus, the key table, removing the members' cables, listing
// the members for the envelopes, then the group drags.
#include <algorithm>

#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/stage/item_press_keys.h"

namespace {

const KeyLine kGroupKeys[] = {
    {isKeyDownZ, "LEVEL ", PressArg::Item, " 0.0"},
    {isKeyDownS, "TOGGLE_SOLO ", PressArg::Item, ""},
    {isKeyDownA, "TOGGLE_MUTE ", PressArg::Item, ""},
    {isKeyDownB, "COLOUR ", PressArg::Covered, ""},
    {isKeyDownD, "TOGGLE_HIDE ", PressArg::Item, ""},
    {isKeyDownQ, "TOGGLE_ROTATION ", PressArg::Item, ""},
    {isKeyDownW, "TOGGLE_MOVEMENT ", PressArg::Item, ""},
    {isKeyDownF, "UNGROUP ", PressArg::Item, ""},
    {isKeyDownP, "TOGGLE_PHASE ", PressArg::Item, ""},
    {isKeyDownR, "RESET ", PressArg::Item, ""},
};

// The group drags a key starts; each records the press pixel and captures the mouse.
struct GroupDrag {
    bool (*held)();
    int32_t mode;
};
inline bool isKeyDownPlainCtrl() {
    return isKeyDownCtrl() && !isKeyDownShift();
}
const GroupDrag kGroupDrags[] = {
    {isKeyDownPlainCtrl, kModeGroupLevel}, {isKeyDownE, kModeGroupSpin},
    {isKeyDownC, kModeGroupScale},         {isKeyDownV, kModeGroupRotate},
    {isKeyDownT, kModeGroupNudge},
};

} // namespace

bool QX_GUI::pressGroup() {
    const int32_t g = hitGroup(stage.pointerStageX, stage.pointerStageY);
    currentGroup = g;
    if (g < 0 || g >= groupCount) return false;
    const GroupRecord& grp = groups[g];
    focusPressedItem(kKindGroup, g);
    const uint8_t d = isKeyDownD() ? 1 : 0;
    const std::string a = chooseSyndicationMode(grp.name, kKindGroup, g, d);
    const std::string b = selectSyndicationFromType(grp.name, kKindGroup, g, d);
    if (isKeyDownAlt() && stageView.groupsLocked == 0) {
        executeCommandString("TOGGLE_SELECT " + grp.name);
        return true;
    }
    if (runGroupKeyLine(a, b)) return true;
    StageState& m = stage;
    if (isKeyDownX()) {
        uncableGroupMembers(g);
        m.pickedGroup = StageState::kNothingPicked;
        return true;
    }
    if (isKeyDownI()) {
        listGroupMembersForEnvelopes(g);
        m.pickedGroup = StageState::kNothingPicked;
        return true;
    }
    dragPressedGroup(g);
    return true;
}

bool QX_GUI::runGroupKeyLine(const std::string& a, const std::string& b) {
    std::string line = firstKeyLine(kGroupKeys, a, b);
    if (!line.empty()) {
        executeCommandString(line);
        if (isKeyDownQ() && isKeyDownW()) executeCommandString("TOGGLE_MOVEMENT " + a);
        return true;
    }
    if (const int32_t n = heldPresetColour()) {
        executeCommandString("PRESET_COLOUR " + b + " " + std::to_string(n));
        return true;
    }
    return false;
}

// Removes every cable that leaves a member of the group; no command line is run.
void QX_GUI::uncableGroupMembers(int32_t g) {
    const GroupRecord& grp = groups[g];
    const int32_t members = std::min(grp.memberCount, kMembershipSlots);
    for (int32_t i = 0; i < members; ++i) {
        const int32_t source = grp.memberList[i];
        for (int32_t c = 0; c < cableCount && c < kMaxCables;) {
            if (cables[c].source == source)
                removeCable(c);
            else
                ++c;
        }
    }
    updateCableMuteSummary();
    updateCableSoloSummary();
    compactCables();
    raiseSendFlag(kSendCables);
    raiseSendFlag(kSendGainMatrix);
}

void QX_GUI::listGroupMembersForEnvelopes(int32_t g) {
    const GroupRecord& grp = groups[g];
    const int32_t members =
        std::max(0, std::min({grp.memberCount, kMembershipSlots, EnvelopeList::kCapacity}));
    for (int32_t i = 0; i < members; ++i) envelopeList.sources[i] = grp.memberList[i];
    envelopeList.sourceCount = members;
    envelopeList.targetCount = 0;
    envelopeList.total = members;
    envelopeList.spec = "IN GROUP " + grp.name;
}

void QX_GUI::dragPressedGroup(int32_t g) {
    StageState& m = stage;
    if (stageView.groupsLocked != 1) {
        m.pickedGroup = g;
        interaction.stageInteractionMode = kModeGroupMove;
    }
    for (const GroupDrag& drag : kGroupDrags) {
        if (!drag.held()) continue;
        m.pickedGroup = g;
        interaction.stageInteractionMode = drag.mode;
        interaction.dragStartPixelX = static_cast<float>(interaction.pointerPixelX);
        interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
        if (drag.mode != kModeGroupLevel) m.dragStartStageX = m.pointerStageX;
        m.dragStartStageY = m.pointerStageY;
        if (drag.mode == kModeGroupLevel) interaction.dragStartValue = groups[g].level;
        captureMouse();
        return;
    }
    if (isKeyDownG()) return;
    m.groupInfoBoxOpen = 0;
    if (interaction.stageInteractionMode == kModeGroupMove && isInSelection(groups[g].name)) {
        interaction.stageInteractionMode = kModeSelectionMove;
        beginDragItem(m.pointerStageX, m.pointerStageY);
        return;
    }
    if (m.pickedGroup != StageState::kNothingPicked) {
        beginDragGroup(m.pickedGroup, m.pointerStageX, m.pointerStageY);
        currentGroup = m.pickedGroup;
    }
}
