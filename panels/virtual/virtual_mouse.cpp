// The VIRTUAL panel's mouse: the four buttons, the pin wheel's handles and dots, the centre,
// and the level drags of a pin or of the master.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "panels/virtual/virtual_wheel.h"
#include "view/input/interaction_modes.h"

namespace {

constexpr int32_t kHoldingVirtual = 8;

bool outputMode(int32_t mode) {
    return mode == 2 || mode == 12;
}

struct Local {
    int32_t x;
    int32_t y;
};

Local virtualLocal(const PanelWindow& panel, int32_t x, int32_t y) {
    const float s = panel.scale > 0.0f ? panel.scale : 1.0f;
    const auto step = [s](float offset) {
        return static_cast<int32_t>(std::trunc(std::trunc(offset) / s));
    };
    return {step(static_cast<float>(x) - panel.positionX - panel.margin),
            step(static_cast<float>(y) - panel.positionY - panel.titleBarHeight)};
}

bool inside(const Local& p, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return p.x > x0 && p.x < x1 && p.y > y0 && p.y < y1;
}

// The lowest pin number no active slot takes.
int32_t lowestFreePin(const MixRecord& mix) {
    const int32_t n = activeSlots(mix);
    for (int32_t pin = 0;; ++pin) {
        bool taken = false;
        for (int32_t k = 0; k < n; ++k) taken = taken || mix.pinNumbers[k] == pin;
        if (!taken) return pin;
    }
}

} // namespace

int32_t QX_GUI::virtualPanelLButtonDown(WPARAM, int32_t x, int32_t y) {
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr) return 0; // no mix to edit: the press changes nothing
    const PanelWindow& panel = panelFrame.panels[kPanelVirtual];
    const Local p = virtualLocal(panel, x, y);
    const int32_t mode = virtualEditor.virtualEditMode;
    const int32_t n = activeSlots(*mix);
    if (inside(p, 3, 3, outputMode(mode) ? 56 : 50, 16) && n < 64) {
        mix->pinCount = n;
        mix->pinNumbers[n] = lowestFreePin(*mix);
        mix->gains[n] = 1.0f;
        mix->phases[n] = 1.0f;
        mix->mutes[n] = 0;
        mix->routed[n] = 1;
        mix->pinCount = n + 1;
    } else if (inside(p, 208, 3, 248, 14)) {
        setStatusMessage("ALL TO ZERO");
        for (int32_t k = 0; k < n; ++k) mix->gains[k] = 1.0f;
    } else if (inside(p, 198, 234, 248, 248)) {
        setStatusMessage("ALL TO NORMALISE");
        for (int32_t k = 0; k < n; ++k) mix->gains[k] = 1.0f / static_cast<float>(n);
    } else if (inside(p, 3, 234, 31, 248)) {
        resetMixRecord(mode, virtualEditor.virtualEditIndex);
    } else {
        bool handled = false;
        bool stored = true;
        forEachSpoke(*mix, [&](int32_t k, const WheelSpoke& spoke, float) {
            if (handled) return;
            const auto near = [&](float r, float reach) {
                return std::fabs(spoke.x(r) - static_cast<float>(p.x)) < reach &&
                       std::fabs(spoke.y(r) - static_cast<float>(p.y)) < reach;
            };
            if (near(110.0f, 10.0f)) {
                if (isKeyDownX()) {
                    compactVirtualChannel(mode, virtualEditor.virtualEditIndex, k);
                    handled = true;
                    return;
                }
                if (isKeyDownZ()) {
                    mix->gains[k] = 1.0f;
                    handled = true;
                    return;
                }
                if (isKeyDownCtrl()) {
                    interaction.dragStartPixelX = static_cast<float>(x);
                    interaction.dragStartPixelY = static_cast<float>(y);
                    interaction.dragStartValue = virtualEditor.virtualDragStartLevel =
                        mix->gains[k];
                    virtualEditor.virtualSelectedPin = k;
                    interaction.stageInteractionMode = kModeVirtualPinLevel;
                    interaction.controlDragPanel = kHoldingVirtual;
                    interaction.controlDragActive = 1;
                    virtualEditor.virtualHandleX = std::trunc(spoke.x(110.0f));
                    virtualEditor.virtualHandleY = std::trunc(spoke.y(110.0f));
                    handled = true;
                    stored = false;
                    return;
                }
                if (mode == 1 || mode == 2 || mode == 11 || mode == 12) {
                    textEntry.textEntryId = 26;
                    virtualEditor.virtualSelectedPin = k;
                    char text[16];
                    std::snprintf(text, sizeof text, "%i", mix->pinNumbers[k] + 1);
                    const bool out = outputMode(mode);
                    openTextEntry(
                        x, y, 71, 20, text, 2, 3, out ? "CHANGE OUTPUT SOURCE" : "CHANGE INPUT PIN",
                        out ? "MIX VIRTUAL OUTPUT CHANNEL" : "DSP-SIDE INPUT PIN NUMBER", 1);
                    handled = true;
                    stored = false;
                    return;
                }
            }
            interaction.stageInteractionMode = kModeIdle;
            if (near(55.0f, 8.0f)) {
                mix->phases[k] = -mix->phases[k];
                handled = true;
            } else if (near(80.0f, 8.0f)) {
                mix->mutes[k] = mix->mutes[k] ? 0 : 1;
                handled = true;
            }
        });
        if (!stored) return 0;
        if (!handled && inside(p, 110, 110, 140, 140)) {
            if (isKeyDownCtrl()) {
                interaction.dragStartPixelX = static_cast<float>(x);
                interaction.dragStartPixelY = static_cast<float>(y);
                interaction.dragStartValue = virtualEditor.virtualDragStartLevel = mix->masterLevel;
                virtualEditor.virtualHandleX = virtualEditor.virtualHandleY = 125.0f;
                virtualEditor.virtualSelectedPin = 0;
                interaction.stageInteractionMode = kModeVirtualMasterLevel;
                interaction.controlDragPanel = kHoldingVirtual;
                interaction.controlDragActive = 1;
                return 0;
            }
            if (isKeyDownZ()) mix->masterLevel = 1.0f;
        }
    }
    storeVirtualChannel(mode, virtualEditor.virtualEditIndex);
    return 0;
}

int32_t QX_GUI::virtualPanelMouseMove(WPARAM, int32_t, int32_t y) {
    if (interaction.stageInteractionMode != kModeVirtualPinLevel &&
        interaction.stageInteractionMode != kModeVirtualMasterLevel)
        return 0;
    MixRecord* mix = virtualEditMix();
    if (mix == nullptr) return 0;
    interaction.controlDragActive = 1;
    const float dy = interaction.dragStartPixelY - static_cast<float>(y);
    interaction.dragFineFactor = isKeyDownShift() ? 4.0f : 1.0f;
    const float level =
        faderLaw.levelAfterDrag(virtualEditor.virtualDragStartLevel,
                                (0.005f / interaction.dragFineFactor) * dy * faderLaw.dragSpeed);
    if (interaction.stageInteractionMode == kModeVirtualPinLevel) {
        if (virtualEditor.virtualSelectedPin < 0 || virtualEditor.virtualSelectedPin >= 64)
            return 0;
        mix->gains[virtualEditor.virtualSelectedPin] = level;
    } else {
        mix->masterLevel = level;
    }
    storeVirtualChannel(virtualEditor.virtualEditMode, virtualEditor.virtualEditIndex);
    return 0;
}

int32_t QX_GUI::virtualPanelLButtonUp(WPARAM, int32_t, int32_t) {
    interaction.stageInteractionMode = kModeIdle;
    interaction.controlDragActive = 0;
    return 0;
}

int32_t QX_GUI::virtualPanelRButtonDown(WPARAM, int32_t, int32_t) {
    setStatusMessage("R BUTTON DOWN V-PANEL NOT IMPLEMENTED YET");
    return 0;
}

int32_t QX_GUI::virtualPanelRButtonUp(WPARAM, int32_t, int32_t) {
    setStatusMessage("R BUTTON UP V-PANEL NOT IMPLEMENTED YET");
    return 0;
}
