// The panels' share of left presses, right presses and left releases, front to back: a panel
// that takes the message returns 0, otherwise it travels on (-1) to the menus and the page.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr const char* kLoadMacroPanel = "LOAD_MACRO MACROS/MACRO_PANEL.txt";

bool isPanelId(int32_t id) {
    return id >= 0 && id < kPanelCount;
}

// The content-relative coordinates a handler is given.
int32_t contentX(const PanelWindow& panel, int32_t x) {
    return static_cast<int32_t>(static_cast<float>(x) - panel.positionX - panel.contentOffsetX);
}
int32_t contentY(const PanelWindow& panel, int32_t y) {
    return static_cast<int32_t>(static_cast<float>(y) - panel.positionY - panel.contentOffsetY);
}

// The panel whose control holds the mouse, by its drag code.
int32_t panelOfDragCode(int32_t code) {
    switch (code) {
    case 2:
        return kPanelFilters;
    case 3:
        return kPanelDynamics;
    case 4:
        return kPanelDelay;
    case 8:
        return kPanelVirtual;
    default:
        return -1;
    }
}

} // namespace

void QX_GUI::loadMacroPanelFileOnce() {
    PanelWindow& macros = panelFrame.panels[kPanelMacros];
    if (macros.macroFileLoaded) return;
    executeCommandString(kLoadMacroPanel);
    macros.macroFileLoaded = 1;
}

// Only a press inside the content reaches an editor's handler, so moving or closing an
// editor never stores or copies its settings.
void QX_GUI::pressPanelFrame(int32_t id, WPARAM flags, int32_t x, int32_t y) {
    PanelWindow& panel = panelFrame.panels[id];
    if (id == kPanelMacros) loadMacroPanelFileOnce();
    const bool inContent = panel.hitContent(x, y);
    bringPanelToFront(id);
    panel.onMouseDown(flags, x, y);
    switch (id) {
    case kPanelVirtual:
        if (inContent) virtualPanelLButtonDown(flags, x, y);
        break;
    case kPanelDynamics:
        if (inContent) dynamicsPanelLButtonDown(flags, x, y);
        break;
    case kPanelFilters:
        if (inContent) filtersPanelLButtonDown(flags, x, y);
        break;
    case kPanelDelay:
        if (inContent) delayPanelLButtonDown(flags, x, y);
        break;
    case kPanelMutes:
        if (panel.mouseInside) mutesPanelLButtonDown(flags, contentX(panel, x), contentY(panel, y));
        break;
    case kPanelMacros:
        runLitMacroButtons();
        break;
    case kPanelCli:
        panel.focused = 0;
        break;
    default:
        break;
    }
}

// A shown panel's button closes it (the press goes on, except for MACROS); a hidden one's
// opens it at its stored place, in front.
bool QX_GUI::pressBarButton(int32_t id) {
    PanelWindow& panel = panelFrame.panels[id];
    if (panel.shown) {
        panel.shown = 0;
        return id == kPanelMacros;
    }
    if (id == kPanelDynamics)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    if (id == kPanelMacros) loadMacroPanelFileOnce();
    bringPanelToFront(id);
    panel.dragging = 0;
    panel.shown = 1;
    return true;
}

int32_t QX_GUI::panelsLButtonDown(WPARAM flags, int32_t x, int32_t y) {
    interaction.redrawFlag = 1;
    // A press may bring a panel to the front; the walk goes on over the list as it stands.
    for (int32_t i = 0; i < panelFrame.panelOrderCount && i < kPanelOrderCapacity; ++i) {
        const int32_t id = panelFrame.panelOrder[i];
        if (!isPanelId(id)) continue;
        PanelWindow& panel = panelFrame.panels[id];
        if (panel.shown) {
            if (id == kPanelCli) {
                if (panel.hitContent(x, y)) {
                    bringPanelToFront(kPanelCli);
                    panel.focused = 1;
                    return 0;
                }
                panel.focused = 0;
            }
            if (panel.hitFrame(x, y)) {
                pressPanelFrame(id, flags, x, y);
                return 0;
            }
        }
        if (panel.hitBarButton(x, y) && pressBarButton(id)) return 0;
    }
    return -1;
}

int32_t QX_GUI::panelsRButtonDown(WPARAM flags, int32_t x, int32_t y) {
    interaction.redrawFlag = 1;
    for (int32_t i = 0; i < panelFrame.panelOrderCount && i < kPanelOrderCapacity; ++i) {
        const int32_t id = panelFrame.panelOrder[i];
        if (!isPanelId(id) || !panelFrame.panels[id].shown) continue;
        const PanelWindow& panel = panelFrame.panels[id];
        int32_t taken = -1;
        switch (id) {
        case kPanelMacros:
            if (panel.hitFrame(x, y)) bringPanelToFront(kPanelMacros);
            break;
        case kPanelVirtual:
            if (panel.hitFrame(x, y)) {
                bringPanelToFront(kPanelVirtual);
                taken = virtualPanelRButtonDown(flags, contentX(panel, x), contentY(panel, y));
            }
            break;
        // These decide themselves whether the point concerns them.
        case kPanelFilters:
            taken = filtersPanelRButtonDown(flags, x, y);
            break;
        case kPanelDynamics:
            taken = dynamicsPanelRButtonDown(flags, x, y);
            break;
        case kPanelDelay:
            taken = delayPanelRButtonDown(flags, x, y);
            break;
        default:
            break;
        }
        if (taken == 0) return 0;
    }
    return -1;
}

// Every drag ends at the release, wherever the pointer is: a held control's panel gets the
// release first, then the walk; a frame drag still running afterwards ends too.
int32_t QX_GUI::panelsLButtonUp(WPARAM flags, int32_t x, int32_t y) {
    interaction.redrawFlag = 1;
    int32_t result = -1;
    const int32_t held =
        interaction.controlDragActive ? panelOfDragCode(interaction.controlDragPanel) : -1;
    if (held >= 0) {
        panelFrame.panels[held].endDrag(flags, x, y);
        releaseEditorPanel(held, flags, x, y);
        result = 0;
    }
    for (int32_t i = 0; result != 0 && i < panelFrame.panelOrderCount && i < kPanelOrderCapacity;
         ++i) {
        const int32_t id = panelFrame.panelOrder[i];
        if (!isPanelId(id) || !panelFrame.panels[id].shown) continue;
        PanelWindow& panel = panelFrame.panels[id];
        const bool holds = interaction.controlDragActive && id != kPanelCli && id != kPanelScope &&
                           id != kPanelEnvelopes && id != kPanelFft && id != kPanelMutes;
        if (!panel.hitFrame(x, y) && !holds) continue;
        panel.endDrag(flags, x, y);
        if (id == kPanelMutes) {
            result = mutesPanelLButtonUp(flags, x, y);
        } else {
            releaseEditorPanel(id, flags, x, y);
            result = 0;
        }
        break;
    }
    for (PanelWindow& panel : panelFrame.panels) {
        if (!panel.dragging) continue;
        panel.endDrag(flags, x, y);
        result = 0;
    }
    return result;
}

// Every panel drag ends as its release would: the editor control held, the MUTES master and
// every frame move or resize.
void QX_GUI::endPanelDrags() {
    const int32_t x = interaction.pointerPixelX, y = interaction.pointerPixelY;
    const int32_t held = panelOfDragCode(interaction.controlDragPanel);
    if (held >= 0) releaseEditorPanel(held, 0, x, y);
    if (dynamicsEditor.grabbedPoint != 0) releaseEditorPanel(kPanelDynamics, 0, x, y);
    if (filtersEditor.filterDragActive) releaseEditorPanel(kPanelFilters, 0, x, y);
    if (interaction.stageInteractionMode == kModeMutesMaster) mutesPanelLButtonUp(0, x, y);
    for (PanelWindow& panel : panelFrame.panels)
        if (panel.dragging) panel.endDrag(0, x, y);
    interaction.controlDragActive = 0;
    interaction.controlDragPanel = -1;
}

// The release handler of DYNAMICS, FILTERS, DELAY or VIRTUAL (MACROS and the displays have
// none); the mouse is no longer held.
void QX_GUI::releaseEditorPanel(int32_t id, WPARAM flags, int32_t x, int32_t y) {
    switch (id) {
    case kPanelDynamics:
        dynamicsPanelLButtonUp(flags, x, y);
        break;
    case kPanelFilters:
        filtersPanelLButtonUp(flags, x, y);
        break;
    case kPanelDelay:
        delayPanelLButtonUp(flags, x, y);
        break;
    case kPanelVirtual:
        virtualPanelLButtonUp(flags, x, y);
        break;
    default:
        break;
    }
    interaction.controlDragActive = 0;
}
