// The FFT panel: the monitored item's spectrum as a fading trail of four curves over a
// frequency grid; 0 dB is the top edge and each decibel below it 4 pixels down.
#include <algorithm>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "qxplatform/runtime.h"
#include "render/draw_layer.h"

namespace {

constexpr int32_t kFreshMilliseconds = 100;
constexpr const char* kLabels[10] = {"31", "63", "125", "250", "500",
                                     "1k", "2k", "4k",  "8k",  "16k"};

float gridX(int32_t k) {
    return 19.0f + 30.0f * static_cast<float>(k);
}

} // namespace

void QX_GUI::drawFftPanel() {
    PanelWindow& panel = panelFrame.panels[kPanelFft];
    drawLayer->scale(panel.scale, panel.scale);
    ColourQuad c;
    std::string name;
    int32_t kind = 0;
    const bool item = monitoredItem(c, name, kind);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, 300.0f, 200.0f);
    if (item) {
        panel.subtitle = (kind == kKindSource ? "SOURCE - " : "TARGET - ") + name;
        drawLayer->lineWidth(1.0f);
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.1f);
        for (int32_t k = 0; k < 10; ++k) drawLayer->rect(gridX(k), 0.0f, gridX(k) + 1.0f, 200.0f);
        drawLayer->pushMatrix();
        drawLayer->scale(1.0f, -4.0f);
        drawLayer->translate(-2.0f, 0.0f);
        if (qxplatform::processClock() - dspLink.lastMeterTime < kFreshMilliseconds) {
            // Oldest first: wider and fainter.
            const int32_t count = std::clamp(dspLink.display->spectrumLength / 4, 0,
                                             MeterDisplayTables::kSpectrumPoints);
            for (int32_t layer = 0; layer < MeterDisplayTables::kSpectrumCurves; ++layer) {
                const int32_t curve = MeterDisplayTables::kSpectrumCurves - 1 - layer;
                drawLayer->lineWidth(4.0f - static_cast<float>(layer));
                drawLayer->colour(c.red, c.green, c.blue, 0.05f * static_cast<float>(layer + 1));
                drawLayer->vertices(Primitive::LineStrip,
                                    &dspLink.display->spectrumCurves[curve][0][0],
                                    MeterDisplayTables::kSpectrumPoints, count);
            }
        }
        drawLayer->popMatrix();
        font.setModes(1, -1);
        drawLayer->colour(1.0f, 1.0f, 1.0f, 0.8f);
        for (int32_t k = 0; k < 10; ++k) {
            drawLayer->text(font, kLabels[k], 1, gridX(k), 7.0f);
            drawLayer->text(font, kLabels[k], 1, gridX(k), 188.0f);
        }
        drawLayer->colour(c.red, c.green, c.blue, 1.0f);
    }
    drawLayer->scale(1.0f / panel.scale, 1.0f / panel.scale);
}
