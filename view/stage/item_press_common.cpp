// Pieces the source, group and target presses share: the focus on the pressed item, the
// analysis channel, and the start of a value drag.
#include "app/qx_gui.h"

void QX_GUI::focusPressedItem(int32_t kind, int32_t index) {
    stage.focusItemKind = kind;
    stage.focusItemIndex = index;
    raiseSendFlag(kSendTextEntry);
    if (kind == kKindGroup) return;
    loadFiltersPanel(kind, index);
    loadDynamicsPanel(kind, index);
    loadDelayPanel(kind, index);
    loadVirtualPanel(kind, index);
}

// A second I press on the analysed channel swaps the two analysis toggles.
void QX_GUI::analyseChannel(int32_t channel, int32_t item) {
    StageState& m = stage;
    if (monitorChannel == channel) {
        const bool wasA = m.analysisToggleA == 1;
        m.analysisToggleA = wasA ? 0 : 1;
        m.analysisToggleB = wasA ? 1 : 0;
        m.analysisFollowsTargetBox = 1;
    }
    if (m.analysisToggleA == 0 && m.analysisToggleB == 0) {
        m.analysisToggleA = 1;
        m.analysisFollowsTargetBox = 1;
    }
    setPin60Value(channel, item);
}

void QX_GUI::beginValueDrag(int32_t mode, float startValue) {
    interaction.stageInteractionMode = mode;
    stage.dragStartStageY = stage.pointerStageY;
    interaction.dragStartValue = startValue;
    interaction.dragStartPixelX = static_cast<float>(interaction.pointerPixelX);
    interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
    captureMouse();
}

void QX_GUI::listEnvelopeItem(int32_t kind, int32_t index) {
    envelopeList.total = 1;
    envelopeList.sourceCount = 0;
    envelopeList.targetCount = 0;
    if (kind == kKindSource) envelopeList.sources[envelopeList.sourceCount++] = index;
    if (kind == kKindTarget) envelopeList.targets[envelopeList.targetCount++] = index;
    envelopeList.spec.clear();
}
