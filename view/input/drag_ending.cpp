// Input taken from the window ends every drag under way: a text entry opens, a box or a dialog
// opens, another window takes the capture, or a move comes with no button held (the release
// never arrived). Each layer ends its drag as its own release would.
#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"

bool QX_GUI::isDragUnderWay() const {
    const int32_t mode = interaction.stageInteractionMode;
    if (mode != kModeIdle && mode != kModeAfterRightRelease) return true;
    if (interaction.leftButtonHeld || interaction.pageMouseHold || interaction.controlDragActive ||
        interaction.controlDragPanel != -1)
        return true;
    if (stage.roomResizing || marqueeRubberBand) return true;
    if (mixerPages.draggedStrip != -1 || mixerPages.trimDragActive) return true;
    if (dynamicsEditor.grabbedPoint != 0 || filtersEditor.filterDragActive) return true;
    for (const PanelWindow& panel : panelFrame.panels)
        if (panel.dragging) return true;
    return false;
}

void QX_GUI::endEveryDrag() {
    if (!isDragUnderWay()) return;
    endPanelDrags();
    endMixerPageDrag();
    endStageDrag();
    interaction.leftButtonHeld = 0;
    raiseRedrawFlags();
}
