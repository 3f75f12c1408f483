// The eight mouse operations of the object: which layer of the frame gets a press, a release,
// a move or a wheel turn. A left press tries, in order, the patch check, the annotation
// buttons, the top bar, the ready gate, an open text entry, the panels, the open popup menus,
// the page tabs and last the current page.
#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

int32_t QX_GUI::onLButtonDown(WPARAM flags, int32_t x, int32_t y) {
    if (isKeyDownDigit1() && isKeyDownDigit2()) {
        checkPatch();
        return 0;
    }
    if (annotations.annotationButtonLayer == 1) {
        for (int32_t i = 0; i < annotations.stageAnnotations.buttonCount; ++i) {
            if (!annotations.stageAnnotations.buttons[i].hover) continue;
            executeCommandString(annotations.stageAnnotations.buttons[i].command);
            return 0;
        }
    }
    if (pressTopBar(x, y)) return 0;
    if (!graphicsReady) return 0;
    if (isTextEntryOpen()) {
        commitTextEntry();
        return 0;
    }
    interaction.leftButtonHeld = 1;
    if (!chrome.popupLayerOpen && panelsLButtonDown(flags, x, y) == 0) {
        raiseRedrawFlags();
        return 0;
    }
    if (pressOpenPopupMenus()) return 0;
    if (pressPageTab(x, y)) return 0;
    return pageLButtonDown(flags, x, y);
}

int32_t QX_GUI::onLButtonUp(WPARAM flags, int32_t x, int32_t y) {
    if (!graphicsReady) {
        interaction.controlDragPanel = -1;
        return 0;
    }
    interaction.leftButtonHeld = 0;
    // A cable or feedback level drag ends at its page's release wherever the pointer is.
    const bool pageLevelDrag =
        (view.currentPage == kPageMatrix && interaction.stageInteractionMode == kModeCableLevel) ||
        (view.currentPage == kPageFeedback &&
         (interaction.stageInteractionMode == kModeFeedbackPathLevel ||
          interaction.stageInteractionMode == kModeFeedbackMasterLevel));
    if (pageLevelDrag) return pageLButtonUp(flags, x, y);
    if (interaction.pageMouseHold == 0 && panelsLButtonUp(flags, x, y) == 0) {
        raiseRedrawFlags();
        raiseSendFlag(kSendPanelLayout);
        return 0;
    }
    return pageLButtonUp(flags, x, y);
}

int32_t QX_GUI::onMouseMove(WPARAM flags, int32_t x, int32_t y) {
    if (!graphicsReady) return 0;
    if (annotations.annotationButtonLayer == 1 && hoverAnnotationButtons(x, y)) return 0;
    bool panelTook = false;
    if (chrome.popupLayerOpen) {
        interaction.pointerPixelX = x;
        interaction.pointerPixelY = y;
    } else if (interaction.pageMouseHold == 0) {
        bool endMove = false;
        panelTook = offerMoveToPanels(flags, x, y, endMove);
        if (endMove) return 0;
    }
    pageMouseMove(flags, x, y);
    if (panelTook) {
        setCursorById(0);
        stage.stageHoverIndex = -1;
    } else if (interaction.leftButtonHeld) {
        raiseRedrawFlags();
    }
    return 0;
}

int32_t QX_GUI::onMButtonDown(WPARAM flags, int32_t x, int32_t y) {
    if (view.currentPage == kPageStage) stagePageMButtonDown(flags, x, y);
    return 0;
}

int32_t QX_GUI::onMButtonUp(WPARAM flags, int32_t x, int32_t y) {
    if (view.currentPage == kPageStage) stagePageMButtonUp(flags, x, y);
    return 0;
}

int32_t QX_GUI::onRButtonDown(WPARAM flags, int32_t x, int32_t y) {
    if (!graphicsReady) return 0;
    if (panelsRButtonDown(flags, x, y) == 0) return 0;
    switch (view.currentPage) {
    case kPageStage:
        return stagePageRButtonDown(flags, x, y);
    case kPageMatrix:
        return matrixPageRButtonDown(flags, x, y);
    case kPageFeedback:
        return feedbackPageRButtonDown(flags, x, y);
    default:
        return 0;
    }
}

int32_t QX_GUI::onRButtonUp(WPARAM flags, int32_t x, int32_t y) {
    if (!graphicsReady) return 0;
    if (view.currentPage == kPageStage) return stagePageRButtonUp(flags, x, y);
    raiseRedrawFlags();
    return 0;
}

int32_t QX_GUI::onMouseWheel(WPARAM flags, int32_t delta, int32_t delta2) {
    if (!graphicsReady) return 0;
    if (view.currentPage == kPageStage) stagePageMouseWheel(flags, delta, delta2);
    if (view.currentPage == kPageInputs) inputsPageMouseWheel(flags, delta, delta2);
    if (view.currentPage == kPageOutputs) outputsPageMouseWheel(flags, delta, delta2);
    raiseSendFlag(kSendGainMatrix);
    return 0;
}
