// The ENVELOPES panel: one row per listed source, then per listed target, each the item's
// level history as bars, oldest at the left; the panel only grows to fit its rows.
#include <algorithm>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "render/draw_layer.h"

namespace {

constexpr int32_t kHistoryCapacity = 800;

struct EnvelopeRow {
    const float* history = nullptr;
    int32_t writeIndex = 0;
    int32_t length = 0;
    float level = 1.0f; // sources scale their bars by their level
    float shade = 0.0f; // the row background's level
    ColourQuad colour;
    const std::string* name = nullptr;
};

} // namespace

void QX_GUI::drawEnvelopeRow(int32_t row, float rowHeight, int32_t kind, int32_t index) {
    EnvelopeRow r;
    if (kind == kKindSource) {
        if (index < 0 || index >= sourceCount || index >= kMaxSources) return;
        const SourceRecord& s = sources[index];
        r = {s.envelope, s.envelopeWrite,      s.envelopeLength,
             s.level,    s.meter[2] * s.level, {s.colourRed, s.colourGreen, s.colourBlue, 1.0f},
             &s.name};
    } else {
        if (index < 0 || index >= targetCount || index >= kMaxTargets) return;
        const TargetRecord& t = targets[index];
        r = {t.envelope, t.envelopeWrite, t.envelopeLength,
             1.0f,       t.meter[0],      {t.colourRed, t.colourGreen, t.colourBlue, 1.0f},
             &t.name};
    }
    const PanelWindow& panel = panelFrame.panels[kPanelEnvelopes];
    const float h = rowHeight;
    const float y0 = static_cast<float>(row) * h;
    const float ym = (static_cast<float>(row) + 0.5f) * h;
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->mode(7);
    drawLayer->metrics(1.0f, 1.0f, 1.0f, r.shade);
    drawLayer->rect(0.0f, y0, panel.width, y0 + h);
    if (r.length > 0 && r.length <= kHistoryCapacity) {
        drawLayer->colour(r.colour.red, r.colour.green, r.colour.blue, 1.0f);
        drawLayer->pushMatrix();
        drawLayer->scale(panel.width / static_cast<float>(r.length), 1.0f);
        drawLayer->mode(6);
        drawLayer->lineWidth(1.0f);
        const int32_t start = std::clamp(r.writeIndex, 0, r.length - 1);
        for (int32_t j = 0; j < r.length; ++j) {
            const float v = r.history[(start + j) % r.length];
            const float b = std::min(h * v * r.level, h);
            drawLayer->metrics(1.0f, 1.0f, 1.0f, v * r.level);
            const float x = static_cast<float>(j);
            drawLayer->rect(x, ym - b / 2.0f, x + 1.0f, ym + b / 2.0f);
        }
        drawLayer->popMatrix();
    }
    drawLayer->mode(0);
    font.setModes(0, -1);
    drawLayer->colour(r.colour.red, r.colour.green, r.colour.blue, 1.0f);
    drawLayer->text(font, r.name->c_str(), 1, 2.0f, y0 + 2.0f);
}

void QX_GUI::drawEnvelopesPanel() {
    PanelWindow& panel = panelFrame.panels[kPanelEnvelopes];
    const int32_t sourceRows = std::clamp(envelopeList.sourceCount, 0, EnvelopeList::kCapacity);
    const int32_t targetRows = std::clamp(envelopeList.targetCount, 0, EnvelopeList::kCapacity);
    const int32_t n = sourceRows + targetRows;
    monitorPanels.envelopeRowCount = n;
    if (n == 0) return;
    // Every row gets at least 9 pixels; the height never shrinks here.
    panel.growHeightTo(9 * n);
    const float h = panel.height / static_cast<float>(n);
    for (int32_t i = 0; i < sourceRows; ++i)
        drawEnvelopeRow(i, h, kKindSource, envelopeList.sources[i]);
    for (int32_t j = 0; j < targetRows; ++j)
        drawEnvelopeRow(sourceRows + j, h, kKindTarget, envelopeList.targets[j]);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    for (int32_t k = 1; k < n; ++k) {
        const float y = static_cast<float>(k) * h;
        drawLayer->rect(0.0f, y, panel.width, y + 1.0f);
    }
}
