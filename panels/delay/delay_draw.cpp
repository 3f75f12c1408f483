// The DELAY panel's content: the switch, the time in milliseconds and the time bar.
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/panel_ids.h"

void QX_GUI::drawDelayPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelDelay];
    const float w = panel.width;
    const float h = panel.height;
    ColourQuad c = editorItemColour(*this, delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
    c.alpha = delayEditor.delayEnabled ? 0.5f : 0.2f;
    drawLayer->pushMatrix();
    drawLayer->scale(panel.scale, panel.scale);

    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, w, h);
    drawLayer->colour(1.0f, 1.0f, 1.0f, delayEditor.delayEnabled ? 1.0f : 0.5f);
    drawLayer->rect(2.0f, 2.0f, 30.0f, 11.0f);

    drawLayer->colour(c.red, c.green, c.blue, c.alpha);
    drawLayer->rect(2.0f, 13.0f, w - 2.0f, 15.0f);
    drawLayer->rect(2.0f, 15.0f, 4.0f, h - 4.0f);
    drawLayer->rect(2.0f, h - 4.0f, w - 2.0f, h - 2.0f);
    drawLayer->rect(w - 4.0f, 15.0f, w - 2.0f, h - 4.0f);
    const float boxLeft = (w - 1.0f) / 2.0f - 21.0f;
    drawLayer->rect(boxLeft, 2.0f, boxLeft + 43.0f, h - 21.0f);

    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    font.alignCentre();
    drawLayer->text(font, delayEditor.delayEnabled ? "ON" : "OFF", 1, 16.0f, 4.0f);
    char text[48];
    std::snprintf(text, sizeof text, "%.2fMS",
                  static_cast<double>(delayEditor.delayTime * 1000.0f));
    drawLayer->text(font, text, 1, w / 2.0f, 4.0f);

    drawLayer->colour(c.red, c.green, c.blue, c.alpha);
    const float centre = (w - 1.0f) / 2.0f + (delayEditor.delayTime < 0.0f ? 1.0f : 0.0f);
    const float reach = ((w - 13.0f) / 2.0f + 1.0f) * delayEditor.delayTime;
    drawLayer->rect(centre, 17.0f, centre + reach, h - 6.0f);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    drawLayer->rect((w - 1.0f) / 2.0f, 17.0f, (w - 1.0f) / 2.0f + 1.0f, h - 6.0f);
    drawLayer->popMatrix();
}
