// The left press on the STAGE page: the head regions (SLICES strip, annotation buttons,
// selection-set strip, syndication menu, zoom drag), the press record, then the item presses
// in order. The first region that takes the press ends it.
#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

namespace {

constexpr int32_t kBottomBar = 13;
constexpr int32_t kSliceCount = 20;
constexpr float kSliceWidth = 15.0f;
constexpr float kDefaultDriftSpeed = 0.05f;

// The digit keys in polling order with the drift step each gives; the last held one wins.
struct DigitStep {
    bool (*held)();
    float step;
};
constexpr DigitStep kDigitSteps[] = {
    {isKeyDownDigit1, 0.01f}, {isKeyDownDigit2, 0.02f}, {isKeyDownDigit3, 0.03f},
    {isKeyDownDigit4, 0.04f}, {isKeyDownDigit5, 0.05f}, {isKeyDownDigit6, 0.06f},
    {isKeyDownDigit7, 0.07f}, {isKeyDownDigit8, 0.08f}, {isKeyDownDigit9, 0.09f},
    {isKeyDownDigit0, 0.1f},
};

} // namespace

int32_t QX_GUI::stagePageLButtonDown(WPARAM, int32_t x, int32_t y) {
    bool digitHeld = false;
    const float step = readDriftStep(digitHeld);
    if (pressSlicesStrip(x, y, step, digitHeld)) return 0;
    const StagePoint p = screenToStage(x, y);
    stage.pointerStageX = p.x;
    stage.pointerStageY = p.y;
    if (pressStageAnnotationButton() || pressSelectionStrip(x, y) || pressSyndicationMenu(x, y) ||
        pressZoomDrag(x, y))
        return 0;
    recordStagePress(x, y);
    if (pressToolboxOrMasterBox(x, y) || pressInfoBoxes(x, y) || pressFeedbackOrCableHandle(x, y))
        return 0;
    if (stageView.sourcesShown == 1 && pressSource()) return 0;
    if (stageView.groupsShown == 1 && pressGroup()) return 0;
    if (stageView.targetsShown == 1 && pressTarget()) return 0;
    pressEmptyStage(x, y);
    return 0;
}

float QX_GUI::readDriftStep(bool& digitHeld) {
    float step = 1.0f;
    digitHeld = false;
    for (const DigitStep& digit : kDigitSteps) {
        if (!digit.held()) continue;
        step = digit.step;
        digitHeld = true;
    }
    if (isKeyDownCtrl()) step = static_cast<float>(static_cast<double>(step) * 0.1);
    return step;
}

// Twenty cells of 15 pixels centred on the bottom edge. A digit drifts at its step, SHIFT
// stores, CTRL alone passes the press on to the next cells, a plain press drifts at 0.05.
bool QX_GUI::pressSlicesStrip(int32_t x, int32_t y, float step, bool digitHeld) {
    if (!(static_cast<float>(y) > windowHeight - kBottomBar)) return false;
    float left = windowWidth * 0.5f - 150.0f;
    for (int32_t i = 0; i < kSliceCount; ++i, left += kSliceWidth) {
        const int32_t l = static_cast<int32_t>(left);
        if (!(l < x && x < l + static_cast<int32_t>(kSliceWidth))) continue;
        if (digitHeld) {
            beginSliceDrift(i, step);
            return true;
        }
        if (isKeyDownShift()) {
            storeSlice(i);
            return true;
        }
        if (isKeyDownCtrl()) continue;
        beginSliceDrift(i, kDefaultDriftSpeed);
        return true;
    }
    return false;
}

// With the annotation buttons drawn with the stage, the hovered one runs its command here.
bool QX_GUI::pressStageAnnotationButton() {
    if (annotations.annotationButtonLayer != 0) return false;
    for (int32_t i = 0; i < annotations.stageAnnotations.buttonCount; ++i) {
        if (!annotations.stageAnnotations.buttons[i].hover) continue;
        executeCommandString(annotations.stageAnnotations.buttons[i].command);
        return true;
    }
    return false;
}

// Ten cells of 20 pixels from x = 110; the last cell's box ends at 311.
bool QX_GUI::pressSelectionStrip(int32_t x, int32_t y) {
    if (!(y < 12 && x >= 111 && x <= 311)) return false;
    const int32_t set = std::min((x - 110) / 20 + 1, 10);
    executeCommandString("SWITCH_SELECT " + std::to_string(set));
    return true;
}

bool QX_GUI::pressSyndicationMenu(int32_t x, int32_t y) {
    if (!(y < 12 && x >= 365 && x <= 405)) return false;
    chrome.popupSubmenuLevel = 0;
    setStatusMessage("GET SYNDICATION MODE MENU");
    chrome.popupMenus[0] = fillPopupMenuFromUserMenu("SYNDICATION_MODE");
    chrome.popupMenus[0].x = 384;
    chrome.popupMenus[0].y = 13;
    chrome.popupMenus[0].open = 1;
    chrome.popupLayerOpen = 1;
    return true;
}

// While F9 is held the press starts a zoom by the vertical travel from this point.
bool QX_GUI::pressZoomDrag(int32_t x, int32_t y) {
    if (!isKeyDownF9()) return false;
    stage.zoomDragLastX = x;
    stage.zoomDragLastY = y;
    captureMouse();
    interaction.pageMouseHold = 1;
    return true;
}

void QX_GUI::recordStagePress(int32_t x, int32_t y) {
    interaction.pageMouseHold = 1;
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    StageState& m = stage;
    m.pickedSource = m.pickedGroup = m.pickedTarget = m.pickedRoom = StageState::kNothingPicked;
    stageView.highlightSize = 5;
    interaction.stageInteractionMode = kModeIdle;
}
