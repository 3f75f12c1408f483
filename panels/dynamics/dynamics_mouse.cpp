// The DYNAMICS panel's mouse: the ON/OFF box, the top-row fields (type, attack, release, side
// chain and its location), and the drags of the curve's control points by type.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr int32_t kHoldingDynamics = 3;

struct DynamicsLocal {
    float x;
    float y;
};

DynamicsLocal dynamicsLocal(const PanelWindow& panel, int32_t x, int32_t y) {
    const float s = panel.scale > 0.0f ? panel.scale : 1.0f;
    return {(static_cast<float>(x) - panel.positionX - panel.margin) / s,
            (static_cast<float>(y) - panel.positionY - panel.titleBarHeight) / s};
}

// The mouse normalised to the plot, each coordinate at least 0.0001.
CurvePoint plotPoint(const DynamicsCurve& curve, const DynamicsLocal& p) {
    return {std::max((p.x - curve.plotLeft) / curve.plotWidth, 0.0001f),
            std::max(1.0f - (p.y - curve.plotTop) / curve.plotHeight, 0.0001f)};
}

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

bool near(const CurvePoint& point, const CurvePoint& mouse) {
    return std::fabs(mouse.x - point.x) < 0.02f && std::fabs(mouse.y - point.y) < 0.02f;
}

// p2 and p4 pulled towards p1 and p5 from the middle point by the knee amount.
void kneeRule(DynamicsCurve& c) {
    CurvePoint* p = c.points;
    p[1] = {p[2].x + (p[0].x - p[2].x) * c.knee, p[2].y + (p[0].y - p[2].y) * c.knee};
    p[3] = {p[2].x + (p[4].x - p[2].x) * c.knee, p[2].y + (p[4].y - p[2].y) * c.knee};
}

// The point a press at `mouse` takes (1..5), 0 for none; later tests win.
int32_t grabAt(DynamicsCurve& c, const CurvePoint& mouse) {
    const int32_t t = c.dynamicsType;
    if (t == 6 || t == 8) return 0;
    int32_t grabbed = 0;
    if (t == 1 || t == 2 || t == 3 || t == 5 || t == 7) {
        if (near(c.points[1], mouse)) grabbed = 2;
        if (near(c.points[3], mouse)) grabbed = 4;
    }
    if (near(c.points[2], mouse)) {
        grabbed = 3;
        c.kneeAtGrab = c.knee;
    }
    if (near(c.points[4], mouse)) grabbed = 5;
    if ((t == 3 || t == 5) && near(c.points[0], mouse)) grabbed = 1;
    return grabbed;
}

void dragMiddle(DynamicsCurve& c, const CurvePoint& m, bool ctrl) {
    CurvePoint* p = c.points;
    const int32_t t = c.dynamicsType;
    if (ctrl) {
        float knee = m.y - p[2].y + c.kneeAtGrab;
        if (t == 0) knee = std::max(knee, -0.5f);
        if (t == 4 || t == 5) knee = std::max(knee, -0.2f);
        c.knee = std::min(knee, 1.0f);
    } else {
        c.previousMiddle = p[2];
        p[2] = {clamp01(m.x), clamp01(m.y)};
    }
    if (t == 0 || t == 4 || t == 5) {
        if (!ctrl && p[2].x != p[2].y) p[2].x = p[2].y = (p[2].x + p[2].y) / 2.0f;
        if (t == 5) {
            p[0].x = p[2].x - 0.01f;
            if (p[2].y > p[4].y) p[4].y = p[2].y;
        }
        if (t == 4) p[4].y = p[2].y;
        if (t == 0 && p[2].y > p[4].y) p[4].y = p[2].y;
        kneeRule(c);
    }
    if (t == 2 && !ctrl) {
        const float dx = p[2].x - c.previousMiddle.x;
        const float dy = p[2].y - c.previousMiddle.y;
        p[1].x += dx;
        p[1].y += dy;
        p[3].x += dx;
        p[3].y += dy;
    }
}

void dragPoint(DynamicsCurve& c, int32_t g, const CurvePoint& m, bool ctrl) {
    CurvePoint* p = c.points;
    const int32_t t = c.dynamicsType;
    const CurvePoint clamped{clamp01(m.x), clamp01(m.y)};
    if (g == 1 && t == 5) {
        const float x = std::min(m.x, 0.99f);
        p[0] = {x, 0.0f};
        p[4].y = 1.0f;
        p[2] = {x + 0.01f, x + 0.01f};
        kneeRule(c);
    } else if (g == 2 && t == 2) {
        p[1] = clamped;
        if (p[1].x - p[2].x > 0.24f) p[2].x = p[1].x - 0.24f;
        p[3] = {2.0f * p[2].x - p[1].x, 2.0f * p[2].y - p[1].y};
    } else if (g == 2 && (t == 3 || t == 7)) {
        p[1] = clamped;
        if (p[1].x - p[3].x > 0.44f) p[3].x = p[1].x - 0.44f;
    } else if (g == 3) {
        dragMiddle(c, m, ctrl);
    } else if (g == 4 && t == 2) {
        p[3] = clamped;
        if (p[3].x - p[2].x < -0.24f) {
            p[1].x = p[3].x + 0.48f;
            p[1].y = 2.0f * p[2].y - p[3].y;
        }
        p[2] = {(p[1].x + p[3].x) / 2.0f, (p[1].y + p[3].y) / 2.0f};
    } else if (g == 4 && (t == 3 || t == 7)) {
        p[3] = clamped;
        if (p[1].x - p[3].x > 0.44f) p[1].x = p[3].x + 0.44f;
    } else if (g == 5) {
        p[4].y = clamp01(m.y);
        if (t == 4) p[2] = {p[4].y, p[4].y};
        if (t == 0 && p[4].y < p[2].y) {
            p[2].y = p[4].y;
            if (p[2].x != p[2].y) p[2].x = p[2].y = (p[4].y + p[2].x) / 2.0f;
        }
        if (t == 0 || t == 4) kneeRule(c);
        if (t == 0) c.ratio = (1.0f - p[2].x) / std::max(p[4].y - p[2].x, 0.00001f);
    }
    for (int32_t k = 0; k < 5; ++k) p[k] = {clamp01(p[k].x), clamp01(p[k].y)};
}

} // namespace

int32_t QX_GUI::dynamicsPanelLButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelDynamics];
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    const DynamicsLocal p = dynamicsLocal(panel, x, y);
    const CurvePoint mouse = plotPoint(curve, p);
    const float bx = p.x - curve.plotLeft;
    const float by = p.y - curve.plotTop;
    if (bx >= 4.0f && bx <= 32.0f && by >= 4.0f && by <= 13.0f)
        curve.enabled = curve.enabled ? 0 : 1;
    dynamicsEditor.grabbedPoint = 0;
    interaction.controlDragActive = 0;
    dynamicsEditor.grabX = mouse.x;
    dynamicsEditor.grabY = mouse.y;
    dynamicsEditor.grabbedPoint = grabAt(curve, mouse);
    if (dynamicsEditor.grabbedPoint != 0) {
        interaction.controlDragActive = 1;
        interaction.controlDragPanel = kHoldingDynamics;
    }

    const int32_t lx = static_cast<int32_t>(p.x);
    const int32_t ly = static_cast<int32_t>(p.y);
    const float s = panel.scale;
    const int32_t menuY = static_cast<int32_t>(panel.positionY + panel.titleBarHeight + 18.0f * s);
    const auto atX = [&](float offset) {
        return static_cast<int32_t>(panel.positionX + offset * s);
    };
    if (ly >= 5 && ly <= 18) {
        char text[16];
        if (lx >= 197 && lx <= 224) {
            setStatusMessage("DYNAMICS TYPE MENU");
            openEditorMenu("DYNAMICS_TYPE", atX(210.0f), menuY);
            return 0;
        }
        if (lx >= 54 && lx <= 118) {
            textEntry.textEntryId = 23;
            std::snprintf(text, sizeof text, "%i", static_cast<int>(curve.attackMs));
            openTextEntry(atX(90.0f), static_cast<int32_t>(panel.positionY + 21.0f * s), 71, 20,
                          text, 4, 3, "ATTACK TIME", "0 - 2000 MS", 1);
            return 0;
        }
        if (lx >= 124 && lx <= 190) {
            setStatusMessage("DIALOG RELEASE TIME");
            textEntry.textEntryId = 24;
            std::snprintf(text, sizeof text, "%i", static_cast<int>(curve.releaseMs));
            openTextEntry(atX(161.0f), static_cast<int32_t>(panel.positionY + 21.0f * s), 71, 20,
                          text, 4, 3, "RELEASE TIME", "0 - 2000 MS", 1);
            return 0;
        }
        if (lx >= 229 && lx <= 275) {
            setStatusMessage("MENU SIDECHAIN");
            openEditorMenu("SIDECHAIN", atX(252.0f), menuY);
            return 0;
        }
        if (lx >= 281 && lx <= 326) {
            setStatusMessage("MENU SIDECHAIN LOCATION");
            const int32_t i = dynamicsEditor.dynamicsPanelIndex;
            const bool keyedBySource = dynamicsEditor.dynamicsPanelKind == kKindTarget && i >= 0 &&
                                       i < kChannels && outputDynamics[i].direction == 1;
            openEditorMenu(keyedBySource ? "SIDECHAIN_LOCATION2" : "SIDECHAIN_LOCATION",
                           atX(303.0f), menuY);
            return 0;
        }
    }
    curve.buildTable60();
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    syndicateDynamics(false, false, false);
    return 0;
}

int32_t QX_GUI::dynamicsPanelMouseMove(WPARAM, int32_t x, int32_t y) {
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    const CurvePoint mouse =
        plotPoint(curve, dynamicsLocal(panelFrame.panels[kPanelDynamics], x, y));
    dynamicsEditor.grabX = mouse.x;
    dynamicsEditor.grabY = mouse.y;
    if (dynamicsEditor.grabbedPoint == 0) return 0;
    dragPoint(curve, dynamicsEditor.grabbedPoint, mouse, isKeyDownCtrl());
    curve.buildTable60();
    curve.buildTable(static_cast<int32_t>(curve.plotWidth));
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    syndicateDynamics(false, false, false);
    return 0;
}

int32_t QX_GUI::dynamicsPanelLButtonUp(WPARAM, int32_t, int32_t) {
    dynamicsEditor.grabbedPoint = 0;
    dynamicsEditor.dynamicsEditCurve.buildTable60();
    loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    return 0;
}

int32_t QX_GUI::dynamicsPanelRButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelDynamics];
    const DynamicsLocal p = dynamicsLocal(panel, x, y);
    const int32_t lx = static_cast<int32_t>(p.x);
    const int32_t ly = static_cast<int32_t>(p.y);
    if (!(lx > 0 && lx < panel.width && ly > 0 && ly < panel.height)) return -1;
    openEditorMenu("DYNAMICS", x, y);
    return 0;
}
