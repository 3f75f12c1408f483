// Temporary bodies of calls whose screens are built elsewhere; they are replaced by their
// screens.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawHorizontalCableCurve(float x0, float y0, float x1, float y1, float width) {
    const float xm = x0 + (x1 - x0) * 0.5f;
    const float ym = y0 + (y1 - y0) * 0.5f;
    cableCurve.pointCount = 5;
    const float p[5][2] = {{x0, y0}, {xm, y0}, {xm, ym}, {xm, y1}, {x1, y1}};
    for (int i = 0; i < 5; ++i) {
        cableCurve.points[i].x = p[i][0];
        cableCurve.points[i].y = p[i][1];
    }
    float v[202];
    v[0] = x0;
    v[1] = y0;
    float t = 0.0f;
    for (int k = 0; k < 50; ++k) {
        t += 0.02f;
        const CurvePoint b = cableCurve.evalBezier(t);
        v[2 + 4 * k] = b.x;
        v[3 + 4 * k] = b.y;
        if (k < 49) {
            v[4 + 4 * k] = b.x;
            v[5 + 4 * k] = b.y;
        }
    }
    drawLayer->lineWidth(width);
    drawLayer->vertices(Primitive::Lines, v, 100, 100);
}
