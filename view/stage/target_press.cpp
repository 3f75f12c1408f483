// A press on a target: focus, completing a cable or feedback send, the key table, the
// analysis channel, then the level, radius and plain drags.
#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "view/input/interaction_modes.h"
#include "view/stage/item_press_keys.h"

namespace {

const KeyLine kTargetKeys[] = {
    {isKeyDownS, "TOGGLE_SOLO ", PressArg::Item, ""},
    {isKeyDownA, "TOGGLE_MUTE ", PressArg::Item, ""},
    {isKeyDownB, "COLOUR ", PressArg::Covered, ""},
    {isKeyDownZ, "LEVEL ", PressArg::Item, " 0.0"},
    {isKeyDownP, "TOGGLE_PHASE ", PressArg::Item, ""},
    {isKeyDownR, "RESET ", PressArg::Item, ""},
    {isKeyDownD, "TOGGLE_HIDE ", PressArg::Item, ""},
    {isKeyDownPlainX, "UNCABLE ", PressArg::Item, ""},
    {isKeyDownShiftX, "SIDECHAIN ", PressArg::Item, " INTERNAL"},
};

// Virtual output channels follow the 64 input channels on the analysis pin.
constexpr int32_t kOutputChannelBase = 64;

} // namespace

bool QX_GUI::pressTarget() {
    const int32_t t = hitTarget(stage.pointerStageX, stage.pointerStageY);
    currentTarget = t;
    if (t < 0 || t >= targetCount) return false;
    TargetRecord& tgt = targets[t];
    focusPressedItem(kKindTarget, t);
    const uint8_t d = isKeyDownD() ? 1 : 0;
    const std::string a = chooseSyndicationMode(tgt.name, kKindTarget, t, d);
    const std::string b = selectSyndicationFromType(tgt.name, kKindTarget, t, d);
    tgt.clip = 0;
    if (stageView.cablesShown == 1 && isKeyDownCableKey() && pressTargetCableKeys(t)) return true;
    if (isKeyDownAlt() && stageView.targetsLocked == 0) {
        executeCommandString("TOGGLE_SELECT " + tgt.name);
        return true;
    }
    if (runTargetKeyLine(a, b)) return true;
    if (isKeyDownE()) listEnvelopeItem(kKindTarget, t);
    if (isKeyDownI()) {
        analyseChannel(tgt.virtualChannel + kOutputChannelBase, -1);
        return true;
    }
    dragPressedTarget(t);
    return true;
}

bool QX_GUI::runTargetKeyLine(const std::string& a, const std::string& b) {
    std::string line = firstKeyLine(kTargetKeys, a, b);
    if (line.empty()) {
        if (const int32_t n = heldPresetColour())
            line = "PRESET_COLOUR " + b + " " + std::to_string(n);
        else if (isKeyDownBackslash())
            line = "TOGGLE_USE_GLOBAL " + b;
    }
    if (line.empty()) return false;
    executeCommandString(line);
    return true;
}

// With a source waiting, C, E or F wires it to this target and the source stays waiting for
// more targets (this target does not: the pair is a cable now, or a removed one once UNCABLE
// runs); otherwise C or F makes the target wait. True when the press is done.
bool QX_GUI::pressTargetCableKeys(int32_t t) {
    StageState& m = stage;
    m.pickedTarget = t;
    const int32_t p = pendingCableSource;
    const std::string& n = targets[t].name;
    if (p >= 0 && p < sourceCount) {
        pendingCableTarget = t;
        if (isKeyDownE())
            executeCommandString("CABLE " + sources[p].name + " " + n + " EXCLUDE");
        else if (isKeyDownF())
            executeCommandString("FEEDBACK " + sources[p].name + " " + n + " -6.0");
        else
            executeCommandString("CABLE " + sources[p].name + " " + n);
        // The cabling verbs clear the pending pair; the source stays waiting for more targets.
        pendingCableSource = p;
        pendingCableTarget = -1;
        m.pickedSource = m.pickedTarget = StageState::kNothingPicked;
        interaction.stageInteractionMode = kModeIdle;
        return true;
    }
    if (isKeyDownE()) return false;
    pendingCableSource = -1;
    pendingCableTarget = t;
    return true;
}

void QX_GUI::dragPressedTarget(int32_t t) {
    StageState& m = stage;
    const TargetRecord& tgt = targets[t];
    if (isKeyDownCtrl() && !isKeyDownShift()) {
        m.pickedTarget = t;
        beginValueDrag(kModeTargetLevel, tgt.level);
        return;
    }
    if (isKeyDownCtrl()) {
        m.pickedTarget = t;
        currentTarget = t;
        beginValueDrag(kModeTargetRadius,
                       usesGlobalRadiusWhenOne(tgt) ? viewSettings.globalRadius : tgt.ownRadius);
        raiseSendFlag(kSendTargets);
        raiseSendFlag(kSendGainMatrix);
        return;
    }
    if (isKeyDownV()) return;
    if (stageView.targetsLocked != 1 && tgt.visible) {
        m.pickedTarget = t;
        interaction.stageInteractionMode = kModeTargetMove;
    }
    if (interaction.stageInteractionMode == kModeTargetMove && isInSelection(tgt.name)) {
        interaction.stageInteractionMode = kModeSelectionMove;
        beginDragItem(m.pointerStageX, m.pointerStageY);
        return;
    }
    if (m.pickedTarget != StageState::kNothingPicked &&
        interaction.stageInteractionMode == kModeTargetMove) {
        beginDragTarget(m.pickedTarget, m.pointerStageX, m.pointerStageY);
        currentTarget = m.pickedTarget;
    }
}
