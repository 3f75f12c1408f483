// The DELAY panel's mouse: the switch, the typed time and the time drag.
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "view/input/interaction_modes.h"

namespace {

constexpr int32_t kHoldingDelay = 4;

struct DelayLocal {
    int32_t x;
    int32_t y;
};

// Window pixels to unscaled content pixels, each step truncated toward zero.
DelayLocal delayLocal(const PanelWindow& panel, int32_t x, int32_t y) {
    const float s = panel.scale > 0.0f ? panel.scale : 1.0f;
    const auto step = [s](float offset, float inset) {
        const float shifted = std::trunc(std::trunc(offset) - inset);
        return static_cast<int32_t>(std::trunc(shifted / s));
    };
    return {step(static_cast<float>(x) - panel.positionX, panel.margin),
            step(static_cast<float>(y) - panel.positionY, panel.titleBarHeight)};
}

} // namespace

int32_t QX_GUI::delayPanelLButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelDelay];
    const DelayLocal p = delayLocal(panel, x, y);
    const float w = panel.width;
    const float h = panel.height;
    if (p.x > 2 && p.x <= 30 && p.y > 2 && p.y <= 11) {
        delayEditor.delayEnabled = delayEditor.delayEnabled ? 0 : 1;
        storeDelaySettings(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
        markDelayDirty(delayEditor.delayPanelKind);
        return 0;
    }
    if (p.x > w / 2.0f - 21.0f && p.x <= w / 2.0f + 21.0f && p.y > 2 && p.y <= 11) {
        textEntry.textEntryId = 3001;
        char text[48];
        std::snprintf(text, sizeof text, "%.2f",
                      static_cast<double>(delayEditor.delayTime * 1000.0f));
        openTextEntry(static_cast<int32_t>(panel.positionX + (w / 2.0f) * panel.scale),
                      static_cast<int32_t>(panel.positionY + panel.titleBarHeight + 2.0f), 71, 20,
                      text, 8, 2, "DELAY TIME", "milliseconds", 1);
        return 0;
    }
    if (p.y > 15 && p.y < h - 4.0f && p.x > 6 && p.x < w - 6.0f) {
        interaction.stageInteractionMode = kModeDelayValue;
        delayEditor.delayDragStartTime = delayEditor.delayTime;
        delayEditor.delayDragStartX = static_cast<float>(p.x);
        interaction.controlDragPanel = kHoldingDelay;
        interaction.controlDragActive = 1;
    }
    return 0;
}

int32_t QX_GUI::delayPanelMouseMove(WPARAM, int32_t x, int32_t y) {
    if (interaction.stageInteractionMode != kModeDelayValue) return 0;
    const PanelWindow& panel = panelFrame.panels[kPanelDelay];
    const bool ctrl = isKeyDownCtrl();
    const bool shift = isKeyDownShift();
    float span = panel.width - 12.0f;
    if (span <= 0.0f) return 0; // a panel too narrow for a time bar
    if (ctrl) span *= 2.0f;
    const DelayLocal p = delayLocal(panel, x, y);
    float t = delayEditor.delayDragStartTime +
              (static_cast<float>(p.x) - delayEditor.delayDragStartX) / span;
    t = std::fmax(-1.0f, std::fmin(1.0f, t));
    if (shift)
        t = std::trunc(t * 10.0f) * 0.1f;
    else if (!ctrl)
        t = std::trunc(t * 1000.0f) * 0.001f;
    delayEditor.delayTime = t;
    storeDelaySettings(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
    syndicateDelay();
    markDelayDirty(delayEditor.delayPanelKind);
    return 0;
}

int32_t QX_GUI::delayPanelLButtonUp(WPARAM, int32_t, int32_t) {
    interaction.controlDragPanel = -1;
    interaction.stageInteractionMode = kModeIdle;
    return 0;
}

// A right click is not the panel's: it passes to what lies behind.
int32_t QX_GUI::delayPanelRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}

int32_t QX_GUI::delayPanelRButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
