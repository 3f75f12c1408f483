// A press on a source: focus, the cable keys, the key table, group toggles, preset colours,
// the analysis channel, then the level, spread and plain drags.
#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/stage/item_press_keys.h"

namespace {

const KeyLine kSourceKeys[] = {
    {isKeyDownA, "TOGGLE_MUTE ", PressArg::Item, ""},
    {isKeyDownS, "TOGGLE_SOLO ", PressArg::Item, ""},
    {isKeyDownP, "TOGGLE_PHASE ", PressArg::Item, ""},
    {isKeyDownZ, "LEVEL ", PressArg::Item, " 0.0"},
    {isKeyDownF, "UNGROUP ", PressArg::Item, ""},
    {isKeyDownB, "COLOUR ", PressArg::Covered, ""},
    {isKeyDownD, "TOGGLE_HIDE ", PressArg::Item, ""},
    {isKeyDownR, "RESET ", PressArg::Item, ""},
    {isKeyDownShiftX, "SIDECHAIN ", PressArg::Item, " INTERNAL"},
    {isKeyDownX, "UNCABLE ", PressArg::Item, ""},
};

} // namespace

bool QX_GUI::pressSource() {
    const int32_t s = hitSource(stage.pointerStageX, stage.pointerStageY);
    currentSource = s;
    if (s < 0 || s >= sourceCount) return false;
    SourceRecord& src = sources[s];
    focusPressedItem(kKindSource, s);
    const uint8_t d = isKeyDownD() ? 1 : 0;
    const std::string a = chooseSyndicationMode(src.name, kKindSource, s, d);
    const std::string b = selectSyndicationFromType(src.name, kKindSource, s, d);
    src.clip = 0;
    StageState& m = stage;
    m.pickedSource = src.shown ? s : StageState::kNothingPicked;
    if (!src.shown) interaction.stageInteractionMode = kModeIdle;
    if (stageView.cablesShown == 1 && isKeyDownCableKey() && pressSourceCableKeys(s)) return true;
    if (isKeyDownE()) listEnvelopeItem(kKindSource, s);
    if (isKeyDownAlt() && stageView.sourcesLocked == 0) {
        executeCommandString("TOGGLE_SELECT " + src.name);
        return true;
    }
    const std::string line = firstKeyLine(kSourceKeys, a, b);
    if (!line.empty()) {
        executeCommandString(line);
        return true;
    }
    if (isKeyDownBackslash()) {
        toggleHeldGroupsOf(b);
    } else if (const int32_t n = heldPresetColour()) {
        executeCommandString("PRESET_COLOUR " + a + " " + std::to_string(n));
        return true;
    }
    if (isKeyDownI()) {
        analyseChannel(src.virtualChannel, s);
        return true;
    }
    dragPressedSource(s);
    return true;
}

// C arms the source or wires it to a waiting target, or to a waiting source as its side chain;
// E and F with nothing waiting clear both partners. True when the press is done.
bool QX_GUI::pressSourceCableKeys(int32_t s) {
    const std::string& n = sources[s].name;
    const int32_t t = pendingCableTarget;
    const int32_t p = pendingCableSource;
    if (t >= 0 && t < targetCount) {
        pendingCableSource = s;
        if (isKeyDownE())
            executeCommandString("CABLE " + n + " " + targets[t].name + " EXCLUDE");
        else if (isKeyDownF())
            executeCommandString("FEEDBACK " + n + " " + targets[t].name + " -6.0");
        else
            executeCommandString("CABLE " + n + " " + targets[t].name);
        // The cabling verbs clear the pending pair; the target stays waiting for more sources,
        // this source does not (the pair is drawn as the cable it made, or not at all).
        pendingCableSource = -1;
        pendingCableTarget = t;
        return true;
    }
    if (p >= 0 && p < sourceCount && !isKeyDownF()) {
        executeCommandString("SIDECHAIN " + sources[p].name + " " + n);
        return true;
    }
    if (!isKeyDownE() && !isKeyDownF()) {
        pendingCableSource = s;
        pendingCableTarget = -1;
        return true;
    }
    pendingCableSource = pendingCableTarget = -1;
    stage.pickedSource = StageState::kNothingPicked;
    interaction.stageInteractionMode = kModeIdle;
    raiseSendFlag(kSendCables);
    raiseSendFlag(kSendInputDynamics);
    return false;
}

// Backslash with digits 1 .. 8 toggles the covered sources' membership of groups 0 .. 7, or of
// groups 8 .. 15 with SHIFT; each toggled group becomes current.
void QX_GUI::toggleHeldGroupsOf(const std::string& covered) {
    static bool (*const digits[])() = {isKeyDownDigit1, isKeyDownDigit2, isKeyDownDigit3,
                                       isKeyDownDigit4, isKeyDownDigit5, isKeyDownDigit6,
                                       isKeyDownDigit7, isKeyDownDigit8};
    const int32_t base = isKeyDownShift() ? 8 : 0;
    for (int32_t k = 0; k < 8; ++k) {
        const int32_t g = base + k;
        if (!digits[k]() || g >= groupCount) continue;
        executeCommandString("TOGGLE_GROUPIFY " + covered + " " + groups[g].name);
        currentGroup = g;
    }
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGroups);
}

void QX_GUI::dragPressedSource(int32_t s) {
    StageState& m = stage;
    const SourceRecord& src = sources[s];
    if (stageView.sourcesLocked != 1) {
        m.pickedSource = src.shown ? s : StageState::kNothingPicked;
        interaction.stageInteractionMode = src.shown ? kModeSourceMove : kModeIdle;
    }
    if (isKeyDownCtrl()) {
        m.pickedSource = s;
        beginValueDrag(isKeyDownShift() ? kModeSourceSize : kModeSourceLevel,
                       isKeyDownShift() ? src.size : src.level);
        return;
    }
    if (isKeyDownG()) {
        appendConsoleLine("OPEN FEEDBACK MASTER VOLUME FOR THIS SOURCE");
        m.pickedSource = StageState::kNothingPicked;
        interaction.stageInteractionMode = kModeSourceGHeld;
        return;
    }
    if (interaction.stageInteractionMode == kModeSourceMove && isInSelection(src.name)) {
        interaction.stageInteractionMode = kModeSelectionMove;
        beginDragItem(m.pointerStageX, m.pointerStageY);
        return;
    }
    if (m.pickedSource != StageState::kNothingPicked &&
        interaction.stageInteractionMode == kModeSourceMove) {
        beginDragSource(m.pickedSource, m.pointerStageX, m.pointerStageY);
        currentSource = m.pickedSource;
    }
}
