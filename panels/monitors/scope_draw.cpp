// The SCOPE panel: the monitored item's waveform over a zero line in its complement colour.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "qxplatform/runtime.h"
#include "render/draw_layer.h"

namespace {

constexpr int32_t kFreshMilliseconds = 100; // older meter data draws no curve

} // namespace

void QX_GUI::drawScopePanel() {
    PanelWindow& panel = panelFrame.panels[kPanelScope];
    drawLayer->scale(panel.scale, panel.scale);
    ColourQuad c;
    std::string name;
    int32_t kind = 0;
    const bool item = monitoredItem(c, name, kind);
    if (item) panel.subtitle = "SCOPE - " + name;
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, 300.0f, 200.0f);
    if (item) {
        drawLayer->colour(1.0f - c.red, 1.0f - c.green, 1.0f - c.blue, 0.2f);
        drawLayer->rect(0.0f, 100.0f, 300.0f, 101.0f);
        // A sample of 1.0 sits 95 pixels above the zero line; 512 samples span 300 pixels.
        drawLayer->pushMatrix();
        drawLayer->translate(0.0f, 100.0f);
        drawLayer->scale(300.0f / 512.0f, -95.0f);
        if (qxplatform::processClock() - dspLink.lastMeterTime < kFreshMilliseconds) {
            drawLayer->lineWidth(4.0f);
            drawLayer->colour(c.red, c.green, c.blue, 0.5f);
            drawLayer->vertices(Primitive::LineStrip, &dspLink.display->scopeTable[0][0],
                                MeterDisplayTables::kScopePoints, MeterDisplayTables::kScopePoints);
        }
        drawLayer->popMatrix();
        drawLayer->colour(c.red, c.green, c.blue, 1.0f);
    }
    drawLayer->scale(1.0f / panel.scale, 1.0f / panel.scale);
}
