// The key operations of the object, routed from the window procedure and the full-screen scan.
// An open text entry takes every key; then nothing runs during a stage gesture; then the ALT
// shortcuts, the CLI focus switch and line, and the other shortcut blocks.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

int32_t QX_GUI::onKeyDown(HWND, UINT, WPARAM wParam, LPARAM) {
    if (textEntryTakesKeys()) {
        textEntryKeyDown(wParam);
        return 0;
    }
    if (interaction.stageInteractionMode != kModeIdle) return 0;
    if (isKeyDownAlt()) {
        runAltShortcuts();
        SetFocus(window_);
        return 0;
    }
    if (isKeyDownShift() && isKeyDownC() && !toggleCliFocus()) return 0;
    if (panelFrame.panels[kPanelCli].focused) {
        cliLineKeyDown(wParam);
        return 0;
    }
    if (!runShortcutBlocks()) return 0;
    if (view.currentPage == kPageStage &&
        (isKeyDownPageUp() || isKeyDownPageDown() || isKeyDownLeft() || isKeyDownRight() ||
         isKeyDownUp() || isKeyDownDown())) {
        nudgeSelectionWithArrows();
        raiseSendFlag(kSendSources);
        raiseSendFlag(kSendGroups);
        applyGroupMuteSolo();
        raiseSendFlag(kSendTargets);
    }
    raiseSendFlag(kSendGainMatrix);
    return 0;
}

// A release changes nothing itself; the move the window procedure replays after it does.
int32_t QX_GUI::onKeyUp(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
