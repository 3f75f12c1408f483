// The CLI panel: the console ring from the bottom up and the command line being typed.
#include <algorithm>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "render/draw_layer.h"

namespace {

constexpr int32_t kRows = 60;
constexpr const char* kInactive = "PANEL NOT ACTIVE - <SHIFT+C> OR CLICK IN WINDOW TO ACTIVATE";

} // namespace

void QX_GUI::drawCliPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelCli];
    const float w = panel.width;
    const float h = panel.height;
    font.setModes(0, -1);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, w, h);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawLayer->rect(0.0f, h - 11.0f, w, h - 9.0f);
    const float a = panel.focused ? 1.0f : 0.5f;
    const int32_t ring = std::clamp(console.ringSize, 1, ConsoleRing::kSlots);
    int32_t& viewed = consolePanel.cliViewIndex;
    // Row k shows the line k places before the viewed one; below 0 it wraps to the ring's end.
    for (int32_t k = 0; k < kRows; ++k) {
        const int32_t line = ((viewed - k) % ring + ring) % ring;
        if (console.lineNotice[line])
            drawLayer->colour(1.0f, 0.5f, 0.0f, 1.0f);
        else if (console.lineHighlight[line])
            drawLayer->colour(1.0f, 1.0f, 1.0f, a);
        else
            drawLayer->colour(0.0f, 1.0f, 1.0f, a);
        drawLayer->text(font, console.lines[line].c_str(), 1, 3.0f,
                        h - 18.0f - 7.0f * static_cast<float>(k));
    }
    // New lines scroll in one per frame.
    viewed = std::min(viewed + 1, console.writeIndex - 1);
    drawLayer->colour(0.0f, 1.0f, 1.0f, a);
    std::string command = kInactive;
    if (panel.focused) {
        command = "> " + consolePanel.cliLine;
        if (interaction.cursorBlinkCounter < 10) command += "1";
    }
    drawLayer->text(font, command.c_str(), 1, 3.0f, h - 7.0f);
}
