// The move's layers before the page: the annotation buttons of the top layer, then every shown
// panel in z-order (the walk does not stop at a panel that takes the move).
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"

namespace {

// The drag codes the editor panels set while one of their controls is dragged.
int32_t controlDragCode(int32_t id) {
    switch (id) {
    case kPanelDynamics:
        return 3;
    case kPanelFilters:
        return 2;
    case kPanelDelay:
        return 4;
    case kPanelVirtual:
        return 8;
    default:
        return -1;
    }
}

} // namespace

bool QX_GUI::hoverAnnotationButtons(int32_t x, int32_t y) {
    for (int32_t i = 0; i < annotations.stageAnnotations.buttonCount; ++i) {
        AnnotationButton& b = annotations.stageAnnotations.buttons[i];
        b.hover = 0;
        const int32_t left = static_cast<int32_t>(b.x);
        const int32_t top = static_cast<int32_t>(b.y);
        const int32_t right = static_cast<int32_t>(b.x + b.width);
        const int32_t bottom = static_cast<int32_t>(b.y + b.height);
        if (left < x && x < right && top < y && y < bottom) {
            b.hover = 1;
            setCursorById(5);
            return true;
        }
    }
    return false;
}

bool QX_GUI::offerMoveToPanels(WPARAM flags, int32_t x, int32_t y, bool& endMove) {
    bool taken = false;
    const int32_t count = std::min(panelFrame.panelOrderCount, 10);
    for (int32_t k = 0; k < count; ++k) {
        const int32_t id = panelFrame.panelOrder[k];
        if (id < 0 || id >= 10 || !panelFrame.panels[id].shown) continue;
        if (offerMoveToPanel(id, flags, x, y, endMove)) {
            taken = true;
            stage.stageHoverIndex = -1;
        }
        if (endMove) return taken;
    }
    return taken;
}

bool QX_GUI::offerMoveToPanel(int32_t id, WPARAM flags, int32_t x, int32_t y, bool& endMove) {
    PanelWindow& panel = panelFrame.panels[id];
    if (id == kPanelEnvelopes) setEnvelopesResizeCursor(panel, x, y);
    panel.onMouseMove(flags, x, y);
    const bool claimed = panel.mouseInside != 0;
    switch (id) {
    case kPanelMutes:
        if (!claimed) {
            stage.highlightSource = stage.highlightTarget = stage.highlightGroup = -1;
            return false;
        }
        mutesPanelMouseMove(flags, static_cast<int32_t>(x - panel.positionX - panel.contentOffsetX),
                            static_cast<int32_t>(y - panel.positionY - panel.contentOffsetY));
        return true;
    case kPanelDynamics:
    case kPanelFilters:
    case kPanelDelay:
    case kPanelVirtual: {
        const bool dragged =
            interaction.controlDragActive && interaction.controlDragPanel == controlDragCode(id);
        if (!claimed && !dragged) return false;
        if (id == kPanelDynamics) dynamicsPanelMouseMove(flags, x, y);
        if (id == kPanelFilters) filtersPanelMouseMove(flags, x, y);
        if (id == kPanelDelay) delayPanelMouseMove(flags, x, y);
        if (id == kPanelVirtual) virtualPanelMouseMove(flags, x, y);
        return true;
    }
    case kPanelMacros:
        if (!claimed) return false;
        if (macrosPanelMouseMove(flags, x, y) == 0) endMove = true;
        return true;
    default:
        return claimed;
    }
}

// The ENVELOPES panel shows the vertical-resize cursor on the band below its content.
void QX_GUI::setEnvelopesResizeCursor(const PanelWindow& panel, int32_t x, int32_t y) {
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    const float right = panel.positionX + panel.scale * panel.width + 2.0f * panel.margin;
    const float bottom = panel.positionY + panel.titleBarHeight + panel.scale * panel.height;
    const bool inBand = panel.positionX <= px && px <= right && bottom - 5.0f <= py &&
                        py <= bottom + panel.margin + 5.0f;
    setCursorById(inBand ? 2 : 0);
}
