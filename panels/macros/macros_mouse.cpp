// The MACROS panel under the mouse: the button under the pointer lights, and a click runs the
// commands of the lit buttons.
#include <algorithm>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"

int32_t QX_GUI::macrosPanelMouseMove(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelMacros];
    float fx = static_cast<float>(x) - panel.positionX - panel.margin;
    float fy = static_cast<float>(y) - panel.positionY - panel.titleBarHeight;
    if (panel.scale > 1.0f) {
        fx *= 1.0f / panel.scale;
        fy *= 1.0f / panel.scale;
    }
    const int32_t lx = static_cast<int32_t>(fx);
    const int32_t ly = static_cast<int32_t>(fy);
    AnnotationSet& set = annotations.macroAnnotations;
    const int32_t count = std::min(set.buttonCount, AnnotationSet::kCapacity);
    for (int32_t i = 0; i < count; ++i) set.buttons[i].hover = 0;
    // Strict on all four sides; the first button under the pointer wins.
    for (int32_t i = 0; i < count; ++i) {
        AnnotationButton& b = set.buttons[i];
        const int32_t bx = static_cast<int32_t>(b.x);
        const int32_t by = static_cast<int32_t>(b.y);
        const int32_t bw = static_cast<int32_t>(b.width);
        const int32_t bh = static_cast<int32_t>(b.height);
        if (bx < lx && lx < bx + bw && by < ly && ly < by + bh) {
            b.hover = 1;
            SetCursor(cursors[5]);
            return 0;
        }
    }
    interaction.redrawFlag = 1;
    return -1;
}

// The count is read again before every step: a command that rebuilds the panel (DRAW_IN_MACRO
// empties the tables) ends or shortens the loop.
void QX_GUI::runLitMacroButtons() {
    for (int32_t i = 0;
         i < annotations.macroAnnotations.buttonCount && i < AnnotationSet::kCapacity; ++i) {
        const AnnotationButton& b = annotations.macroAnnotations.buttons[i];
        if (b.hover) executeCommandString(std::string(b.command));
    }
}
