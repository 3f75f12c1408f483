// The DYNAMICS panel's content: the field row, the transfer-curve plot with its grid, curve,
// handles and description, the ON/OFF box, and the input, gain and output meters.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/panel_ids.h"

namespace {

struct DynamicsView {
    QX_GUI& gui;
    DrawLayer& layer;
    StrokeFont& font;
    const DynamicsCurve& curve;
    ColourQuad c;  // the item's colour
    ColourQuad ic; // its inverse
    bool enabled;

    void colour(const ColourQuad& q, float alpha) { layer.colour(q.red, q.green, q.blue, alpha); }
    void hollow(float l, float t, float r, float b) {
        layer.rect(l, t, r, t + 2.0f);
        layer.rect(l, b - 2.0f, r, b);
        layer.rect(l, t + 2.0f, l + 2.0f, b - 2.0f);
        layer.rect(r - 2.0f, t + 2.0f, r, b - 2.0f);
    }
    // A meter bar of d dB (-60 .. 0) rising from y 291.
    void meterBar(float x0, float x1, float db) {
        layer.rect(x0, 291.0f - 264.0f * (1.0f + db / 60.0f), x1, 291.0f);
    }
};

float limitDb(float db) {
    return std::isnan(db) ? -60.0f : std::clamp(db, -60.0f, 0.0f);
}

std::string timeCaption(const char* name, float ms) {
    char text[48];
    if (ms < 1000.0f)
        std::snprintf(text, sizeof text, "%s %.0fMS", name, static_cast<double>(ms));
    else
        std::snprintf(text, sizeof text, "%s %.2fS", name, static_cast<double>(ms * 0.001f));
    return text;
}

void drawFieldsAndGrid(DynamicsView& v) {
    v.layer.colour(0.0f, 0.0f, 0.0f, 0.8f);
    const PanelWindow& panel = v.gui.panelFrame.panels[kPanelDynamics];
    v.layer.rect(0.0f, 0.0f, panel.width, panel.height);
    v.colour(v.c, 0.5f);
    static constexpr float kTopFields[8][2] = {{6, 48},    {54, 118},  {124, 190}, {196, 223},
                                               {229, 275}, {281, 326}, {332, 346}, {352, 394}};
    for (const auto& f : kTopFields) v.hollow(f[0], 5.0f, f[1], 18.0f);
    static constexpr float kColumns[4][2] = {{6, 48}, {54, 326}, {332, 346}, {352, 394}};
    for (const auto& f : kColumns) v.hollow(f[0], 23.0f, f[1], 295.0f);

    v.layer.pushMatrix();
    v.layer.translate(55.0f, 24.0f);
    v.layer.colour(1.0f, 1.0f, 1.0f, 0.1f);
    for (int32_t step = 6; step <= 54; step += 6) {
        const float p = static_cast<float>(step) / 60.0f * v.curve.plotWidth;
        v.layer.rect(p - 2.0f, 1.0f, p - 1.0f, 269.0f);
        v.layer.rect(0.0f, p - 1.0f, 268.0f, p);
    }
    v.colour(v.ic, v.enabled ? 0.3f : 0.1f);
    float area[271 * 12];
    for (int32_t i = 0; i <= 270; ++i) {
        const float top = 271.0f - std::max(271.0f * v.curve.table[i], 0.0f);
        const float x0 = static_cast<float>(i);
        const float q[12] = {x0, top, x0 + 1, top, x0 + 1, 271, x0 + 1, 271, x0, 271, x0, top};
        std::copy(q, q + 12, area + 12 * i);
    }
    v.layer.vertices(Primitive::Triangles, area, 271 * 6, 271 * 6);
    v.layer.colour(1.0f, 1.0f, 1.0f, 0.5f);
    char text[16];
    v.font.alignRight();
    for (int32_t step = 6; step <= 54; step += 6) {
        const float p = static_cast<float>(step) / 60.0f * v.curve.plotWidth;
        std::snprintf(text, sizeof text, "-%.0f", static_cast<double>(step));
        for (float x : {260.0f, -14.0f, 332.0f}) v.layer.text(v.font, text, 1, x, p - 3.0f);
    }
    v.font.alignCentre();
    for (int32_t step = 6; step <= 54; step += 6) {
        const float p = static_cast<float>(step) / 60.0f * v.curve.plotWidth;
        std::snprintf(text, sizeof text, "-%.0f", static_cast<double>(60 - step));
        v.layer.text(v.font, text, 1, p - 3.0f, 254.0f);
    }
    v.layer.popMatrix();

    v.colour(v.c, 0.5f);
    v.font.alignLeft();
    v.layer.text(v.font, "INPUT", 1, 17.0f, 9.0f);
    v.layer.text(v.font, timeCaption("ATTACK", v.curve.attackMs).c_str(), 1, 58.0f, 9.0f);
    v.layer.text(v.font, timeCaption("RELEASE", v.curve.releaseMs).c_str(), 1, 128.0f, 9.0f);
    v.layer.text(v.font, "MODE", 1, 200.0f, 9.0f);
    v.layer.text(v.font, "SIDECHAIN", 1, 233.0f, 9.0f);
    v.layer.text(v.font, "LOCATION", 1, 286.0f, 9.0f);
    v.layer.text(v.font, "OUTPUT", 1, 360.0f, 9.0f);
}

// The colour of the item keying the processor, by the stored side chain of the shown item.
ColourQuad sidechainColour(const DynamicsView& v, int32_t kind, int32_t index) {
    const DynamicsRecord& stored =
        kind == kKindSource ? v.gui.inputDynamics[index] : v.gui.outputDynamics[index];
    const int32_t key = stored.channelIndex;
    const bool known = key >= 0 && key < QX_GUI::kMaxLiveItems;
    if (kind == kKindTarget && stored.direction == 1)
        return known ? editorItemColour(v.gui, kKindSource, key) : v.c;
    if (key == index || !known) return v.c;
    return editorItemColour(v.gui, kind, key);
}

// The shown item's meters; with no valid item an input of 0.5 and no side chain.
struct ShownMeters {
    bool valid = false;
    bool muted = false;
    ItemMeters m;
    float sc = -60.0f; // side-chain level, limited to -60 .. 0 dB
};

ShownMeters shownMeters(const DynamicsView& v) {
    const int32_t kind = v.gui.dynamicsEditor.dynamicsPanelKind;
    const int32_t index = v.gui.dynamicsEditor.dynamicsPanelIndex;
    ShownMeters s;
    s.valid =
        (kind == kKindSource || kind == kKindTarget) && index >= 0 && index < QX_GUI::kMaxLiveItems;
    if (s.valid) {
        s.m = kind == kKindSource ? itemMeters(v.gui.sources[index])
                                  : itemMeters(v.gui.targets[index]);
        s.muted =
            (kind == kKindSource ? v.gui.sources[index].mute : v.gui.targets[index].mute) == 1;
    } else {
        s.m.meterInputLevel = 0.5f;
    }
    s.sc = limitDb(!s.valid || s.muted || !v.enabled ? -120.0f : s.m.meterSidechainDb);
    return s;
}

void drawMeters(DynamicsView& v) {
    const int32_t kind = v.gui.dynamicsEditor.dynamicsPanelKind;
    const int32_t index = v.gui.dynamicsEditor.dynamicsPanelIndex;
    const ShownMeters s = shownMeters(v);
    const bool valid = s.valid;
    const bool muted = s.muted;
    const ItemMeters& m = s.m;
    const float sc = s.sc;
    v.colour(v.ic, 0.2f);
    v.meterBar(10.0f, 44.0f, limitDb(20.0f * std::log10(m.meterInputLevel)));
    v.colour(valid ? sidechainColour(v, kind, index) : v.c, 0.5f);
    v.meterBar(18.5f, 35.5f, sc);

    v.colour(v.c, 0.5f);
    const float out = limitDb(20.0f * std::log10(m.meterOutputLevel));
    const float gainDb = muted ? -120.0f : m.meterGainDb;
    v.colour(v.ic, 0.2f);
    if (!v.enabled) {
        v.meterBar(356.0f, 390.0f, out);
    } else {
        v.meterBar(356.0f, 390.0f, limitDb(gainDb + sc));
        v.colour(v.c, 0.5f);
        v.meterBar(364.5f, 381.5f, out);
        const float g = std::isnan(m.meterGainDb) ? 0.0f : std::clamp(m.meterGainDb, -30.0f, 30.0f);
        v.layer.rect(336.0f, 159.0f - 4.4f * g, 342.0f, 159.0f);
    }
    v.layer.rect(336.0f, 158.0f, 342.0f, 160.0f);
    if (!v.enabled) v.layer.colour(1.0f, 1.0f, 1.0f, 0.2f);
    v.layer.rect(336.0f, 9.0f, 342.0f, 14.0f);
}

void handle(DrawLayer& layer, const CurvePoint& p) {
    const float x = 270.0f * p.x;
    const float y = 270.0f - 270.0f * p.y;
    layer.rect(x - 2.0f, y - 2.0f, x + 3.0f, y + 3.0f);
}

void guide(DrawLayer& layer, const CurvePoint& a, const CurvePoint& b) {
    const float v[4] = {270.0f * a.x, 270.0f - 270.0f * a.y, 270.0f * b.x, 270.0f - 270.0f * b.y};
    layer.vertices(Primitive::Lines, v, 2, 2);
}

void drawCurve(DynamicsView& v, DynamicsCurve& curve) {
    constexpr float W = 270.0f;
    constexpr float H = 270.0f;
    const CurvePoint* p = curve.points;
    curve.curveMidpoint = curve.evalBezier(0.5f);
    v.layer.lineWidth(0.5f);
    guide(v.layer, {0.0f, 0.0f}, {1.0f, 1.0f});
    float strip[2 * 275];
    for (int32_t k = 0; k < 272; ++k) {
        const CurvePoint q = curve.evalBezier(static_cast<float>(k) / 272.0f);
        strip[2 * k] = W * std::clamp(q.x, 0.0f, 1.0f);
        strip[2 * k + 1] = H - H * std::clamp(q.y, 0.0f, 1.0f);
    }
    const float tail[6] = {W, H - H * p[4].y, W, H, 0.0f, H};
    std::copy(tail, tail + 6, strip + 2 * 272);
    v.layer.lineWidth(1.0f);
    v.colour(v.c, v.enabled ? 0.5f : 0.2f);
    v.layer.vertices(Primitive::LineStrip, strip, 275, 275);
    v.layer.lineWidth(0.5f);

    const int32_t t = curve.dynamicsType;
    if (t == 2) guide(v.layer, p[1], p[3]);
    if (t == 3 || t == 7) {
        guide(v.layer, curve.curveMidpoint, p[2]);
        guide(v.layer, p[0], p[1]);
        guide(v.layer, p[3], p[4]);
    }
    if (t == 0 || t == 4) handle(v.layer, p[2]);
    if (t == 2) {
        v.layer.colour(1.0f, 1.0f, 0.0f, 1.0f);
        handle(v.layer, p[2]);
        v.layer.colour(1.0f, 0.0f, 0.0f, 1.0f);
        handle(v.layer, p[1]);
        v.layer.colour(0.0f, 1.0f, 0.0f, 1.0f);
        handle(v.layer, p[3]);
        v.colour(v.c, 0.5f);
    }
    if (t == 5) {
        handle(v.layer, p[0]);
        handle(v.layer, p[2]);
    }
    if (t == 7) v.layer.colour(1.0f, 1.0f, 1.0f, 0.5f);
    if (t == 3 || t == 7)
        for (int32_t k : {2, 1, 3}) handle(v.layer, p[k]);
    if (t != 6) handle(v.layer, p[4]);
}

std::string typeLabel(const DynamicsCurve& curve) {
    static const char* const kLabels[9] = {
        "",        "CONSTRAINED - ", "COMPANDER - ", "FREEFORM - ",  "LIMITER - ",
        "GATE - ", "FOLLOWER - ",    "SHAPER - ",    "DYNAMIC EQ - "};
    const int32_t t = curve.dynamicsType;
    if (t < 0 || t > 8) return "";
    if (t != 0) return kLabels[t];
    const CurvePoint* p = curve.points;
    const float r = (1.0f - p[2].x) / std::max(p[4].y - p[2].x, 0.00001f);
    if (r > 100.0f) return "CLASSIC inf:1 - ";
    char text[48];
    std::snprintf(text, sizeof text, "CLASSIC %.2f:1 - ", static_cast<double>(r));
    return text;
}

std::string sidechainText(const QX_GUI& gui) {
    const DynamicsCurve& curve = gui.dynamicsEditor.dynamicsEditCurve;
    const int32_t own = gui.dynamicsEditor.dynamicsPanelIndex;
    const int32_t key = curve.sidechainIndex;
    const auto nameOf = [&](int32_t kind) -> std::string {
        if (key >= QX_GUI::kMaxLiveItems) return "";
        return kind == kKindSource ? gui.sources[key].name : gui.targets[key].name;
    };
    std::string text = "SIDECHAIN - ";
    if (gui.dynamicsEditor.dynamicsPanelKind == kKindSource)
        text += key == own ? "INTERNAL" : nameOf(kKindSource);
    if (gui.dynamicsEditor.dynamicsPanelKind == kKindTarget) {
        if (curve.sidechainKind == 1) text += nameOf(kKindSource);
        if (curve.sidechainKind == 2) text += key == own ? "INTERNAL" : nameOf(kKindTarget);
    }
    static const char* const kLocations[4] = {" - PRE-DELAY", " - PRE-FILTER", " - POST-FILTER",
                                              " - POST-DYNAMICS"};
    if (curve.sidechainLocation < 4) text += kLocations[curve.sidechainLocation];
    return text;
}

// The gap between the diagonal and the curve at the side-chain level, then the ON/OFF box.
void drawMarkerAndSwitch(DynamicsView& v, const DynamicsCurve& curve) {
    const float f = 1.0f + shownMeters(v).sc / 60.0f;
    const float w = curve.plotWidth;
    const float h = curve.plotHeight;
    const float x = std::clamp(w * f, 0.0f, w);
    const float yd = std::clamp(h - h * f, 0.0f, h);
    const int32_t column = std::clamp(static_cast<int32_t>(x), 0, DynamicsCurve::kTableSize - 1);
    const float yc = h - h * curve.table[column];
    v.layer.colour(1.0f, 1.0f, 1.0f, 0.2f);
    v.layer.rect(x - 3.0f, yd - 2.0f, x, yd - 2.0f + (std::min(yc, h) - yd));

    v.layer.colour(1.0f, 1.0f, 1.0f, v.enabled ? 1.0f : 0.5f);
    v.layer.rect(4.0f, 4.0f, 32.0f, 13.0f);
    v.layer.colour(0.0f, 0.0f, 0.0f, 0.8f);
    v.font.alignCentre();
    v.layer.text(v.font, v.enabled ? "ON" : "OFF", 1, 18.0f, 6.0f);
}

void drawPlot(DynamicsView& v, DynamicsCurve& curve) {
    v.layer.pushMatrix();
    v.layer.translate(55.0f, 24.0f);
    drawCurve(v, curve);
    if (curve.dynamicsType >= 0 && curve.dynamicsType <= 8) {
        v.layer.colour(1.0f, 1.0f, 1.0f, 0.5f);
        v.font.alignLeft();
        const std::string line = typeLabel(curve) + sidechainText(v.gui);
        v.layer.text(v.font, line.c_str(), 1, 38.0f, 6.0f);
    }
    drawMarkerAndSwitch(v, curve);
    v.layer.popMatrix();
}

} // namespace

void QX_GUI::drawDynamicsPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelDynamics];
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    const ColourQuad c = editorItemColour(*this, dynamicsEditor.dynamicsPanelKind,
                                          dynamicsEditor.dynamicsPanelIndex);
    DynamicsView v{*this,
                   *drawLayer,
                   panelFrame.panels[kPanelDynamics].font,
                   curve,
                   c,
                   ColourQuad{1.0f - c.red, 1.0f - c.green, 1.0f - c.blue, 1.0f},
                   curve.enabled != 0};
    drawLayer->pushMatrix();
    drawLayer->scale(panel.scale, panel.scale);
    drawFieldsAndGrid(v);
    drawMeters(v);
    drawPlot(v, curve);
    drawLayer->popMatrix();
}
