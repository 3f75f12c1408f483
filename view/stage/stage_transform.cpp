// The stage view: window pixel = zoom x (stage + pan) + half the window, per axis, and back.
#include "app/qx_gui.h"

namespace {

// Pixels far outside any window are held at a bound, so the conversion stays defined.
int32_t toPixel(float value) {
    if (!(value > -1.0e9f)) return value != value ? 0 : -1000000000;
    if (value > 1.0e9f) return 1000000000;
    return static_cast<int32_t>(value);
}

} // namespace

StagePoint QX_GUI::screenToStage(int32_t px, int32_t py) const {
    const float inv = 1.0f / view.viewZoom;
    StagePoint p;
    p.x = (static_cast<float>(px) - windowWidth * 0.5f - view.viewZoom * view.viewPanX) * inv;
    p.y = (static_cast<float>(py) - windowHeight * 0.5f - view.viewZoom * view.viewPanY) * inv;
    return p;
}

ScreenPoint QX_GUI::stageToScreen(float sx, float sy) const {
    ScreenPoint p;
    p.x = toPixel(view.viewZoom * (sx + view.viewPanX) + 0.5f * windowWidth);
    p.y = toPixel(view.viewZoom * (sy + view.viewPanY) + 0.5f * windowHeight);
    return p;
}

bool QX_GUI::isPointInMarquee(int32_t x, int32_t y) const {
    return marqueeRect[0] <= x && x <= marqueeRect[2] && marqueeRect[1] <= y && y <= marqueeRect[3];
}
