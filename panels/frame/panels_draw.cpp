// The floating panels, back to front, after the page and the top-line menus.
#include <algorithm>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "render/draw_layer.h"

void QX_GUI::drawPanelContent(int32_t id) {
    switch (id) {
    case kPanelCli:
        drawCliPanel();
        break;
    case kPanelScope:
        drawScopePanel();
        break;
    case kPanelEnvelopes:
        drawEnvelopesPanel();
        break;
    case kPanelMutes:
        drawMutesPanel();
        break;
    case kPanelFft:
        drawFftPanel();
        break;
    case kPanelDynamics:
        drawDynamicsPanel();
        break;
    case kPanelFilters:
        drawFiltersPanel();
        break;
    case kPanelDelay:
        drawDelayPanel();
        break;
    case kPanelVirtual:
        drawVirtualPanel();
        break;
    case kPanelMacros:
        drawMacroPanel();
        break;
    default:
        break;
    }
}

void QX_GUI::drawPanels() {
    // While a macro waits to be reloaded after a screen switch, nothing is drawn.
    if (reloadOnResizePending) return;
    font.setModes(2, -1);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    drawLayer->text(font, "PANELS", 1, windowWidth - 670.0f, 4.0f);
    for (int32_t i = std::min(panelFrame.panelOrderCount, kPanelOrderCapacity) - 1; i >= 0; --i) {
        const int32_t id = panelFrame.panelOrder[i];
        if (id < 0 || id >= kPanelCount) continue;
        drawLayer->pushMatrix();
        panelFrame.panels[id].draw(*drawLayer);
        if (panelFrame.panels[id].shown) drawPanelContent(id);
        drawLayer->popMatrix();
    }
}
