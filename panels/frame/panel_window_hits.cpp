// A panel's hit tests (both bounds included), its geometry line and small setters.
#include <algorithm>
#include <cstdio>

#include "panels/frame/panel_window.h"

namespace {

bool within(float value, float low, float high) {
    return low <= value && value <= high;
}

} // namespace

bool PanelWindow::hitWindow(int32_t x, int32_t y) const {
    return within(static_cast<float>(x), positionX, positionX + frameWidth()) &&
           within(static_cast<float>(y), positionY, positionY + scaledHeight() + 2.0f * margin);
}

bool PanelWindow::hitTitleBar(int32_t x, int32_t y) const {
    return within(static_cast<float>(x), positionX, positionX + frameWidth()) &&
           within(static_cast<float>(y), positionY, positionY + titleBarHeight);
}

bool PanelWindow::hitContent(int32_t x, int32_t y) const {
    const float top = positionY + titleBarHeight;
    return within(static_cast<float>(x), positionX + margin, positionX + scaledWidth()) &&
           within(static_cast<float>(y), top, top + scaledHeight());
}

bool PanelWindow::hitResizeGrip(int32_t x, int32_t y) const {
    const float bottom = positionY + titleBarHeight + scaledHeight();
    return within(static_cast<float>(x), positionX, positionX + frameWidth()) &&
           within(static_cast<float>(y), bottom - 5.0f, bottom + margin + 5.0f);
}

bool PanelWindow::hitCloseZone(int32_t x, int32_t y) {
    closeHover = 0;
    const float right = positionX + margin + scaledWidth();
    if (within(static_cast<float>(x), right - 10.0f, right + margin) &&
        within(static_cast<float>(y), positionY, positionY + titleBarHeight))
        closeHover = 1;
    return closeHover != 0;
}

bool PanelWindow::hitScaleButton(int32_t x, int32_t y) {
    if (hasScaleButton == 0) return false;
    scaleHover = 0;
    const float right = positionX + margin + scaledWidth();
    if (within(static_cast<float>(x), right - 16.0f, right - 9.0f) &&
        within(static_cast<float>(y), positionY, positionY + titleBarHeight))
        scaleHover = 1;
    return scaleHover != 0;
}

bool PanelWindow::hitBarButton(int32_t x, int32_t y) const {
    return within(static_cast<float>(x), barButtonX, barButtonX + 60.0f) &&
           within(static_cast<float>(y), barButtonY, barButtonY + 13.0f);
}

bool PanelWindow::hitFrame(int32_t x, int32_t y) const {
    return hitWindow(x, y) || hitResizeGrip(x, y);
}

void PanelWindow::growHeightTo(int32_t h) {
    height = std::max(height, static_cast<float>(h));
}

void PanelWindow::setColour(float red, float green, float blue) {
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
    alpha = 0.5f;
}

std::string PanelWindow::writeGeometry() const {
    char line[160];
    std::snprintf(line, sizeof line, "X:%.0f Y:%.0f W:%.0f H:%.0f S:%.0f\n",
                  static_cast<double>(positionX), static_cast<double>(positionY),
                  static_cast<double>(width), static_cast<double>(height),
                  static_cast<double>(scale));
    return line;
}
