// The panels' names, PANELS-bar buttons and default sizes, and what their frames draw with.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr float kKeep = -1.0f; // the value stays as it is

struct PanelDefaults {
    int32_t id;
    const char* title;
    float barOffset; // the button stands this far left of the window's right edge
    float width, height;
    int resizable; // 0, 1, or -1 to keep
    uint8_t hasScaleButton;
    bool resetScale;
    bool clearFocus;
};

// In the order they are applied.
constexpr PanelDefaults kDefaults[] = {
    {kPanelEnvelopes, "ENVELOPES", 308, kKeep, kKeep, -1, 0, false, false},
    {kPanelScope, "SCOPE", 248, 300, 200, -1, 1, true, false},
    {kPanelFft, "FFT", 188, 300, 200, 0, 1, true, false},
    {kPanelCli, "CLI", 128, 300, 433, 0, 0, false, true},
    {kPanelMutes, "MUTES", 368, 336, 218, 0, 1, true, false},
    {kPanelDynamics, "DYNAMICS", 428, 400, 300, 0, 1, true, true},
    {kPanelFilters, "FILTERS", 488, 400, 250, 0, 1, true, true},
    {kPanelDelay, "DELAY", 548, 207, 32, 0, 1, true, true},
    {kPanelVirtual, "VIRTUAL", 608, 250, 250, 0, 1, true, true},
    {kPanelMacros, "MACROS", 668, kKeep, kKeep, 0, 1, true, true},
};

} // namespace

void QX_GUI::initPanelWindows() {
    for (const PanelDefaults& d : kDefaults) {
        PanelWindow& panel = panelFrame.panels[d.id];
        panel.title = d.title;
        panel.barButtonX = windowWidth - d.barOffset;
        panel.barButtonY = 0.0f;
        if (d.width != kKeep) {
            panel.width = d.width;
            panel.height = d.height;
        }
        if (d.resizable >= 0) panel.resizable = static_cast<uint8_t>(d.resizable);
        panel.hasScaleButton = d.hasScaleButton;
        if (d.resetScale) panel.scale = 1.0f;
        if (d.clearFocus) panel.focused = 0;
        if (d.id == kPanelEnvelopes) {
            envelopeList.sourceCount = 1;
            envelopeList.sources[0] = 0;
            envelopeList.targetCount = 1;
            envelopeList.targets[0] = 0;
        } else if (d.id == kPanelFilters) {
            for (int b = 0; b < 5; ++b) filtersEditor.eqEditBands[b].updateTypeNames();
        } else if (d.id == kPanelVirtual) {
            loadVirtualPanel(1, 0);
        }
    }
    panelFrame.panelOrderCount = 10;
}

// Each panel draws its frame with the user-interface program and a copy of the main font; the
// copies share the font's glyph textures, so dropping one leaves the main font intact.
void QX_GUI::bindPanelsToShader() {
    for (PanelWindow& panel : panelFrame.panels) {
        panel.program = uiProgram;
        panel.colourUniform = rgbLocation;
        panel.font = font;
    }
}
