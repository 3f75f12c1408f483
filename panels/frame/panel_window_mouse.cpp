// A panel frame under the mouse: move and resize drags, the scale button and the close zone.
#include <algorithm>

#include "panels/frame/panel_window.h"

void PanelWindow::onMouseDown(uintptr_t, int32_t x, int32_t y) {
    dragging = 0;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const bool inX = positionX <= fx && fx <= positionX + frameWidth();
    if (inX && positionY <= fy && fy <= positionY + titleBarHeight) {
        dragMode = kPanelDragMove;
        dragging = 1;
        dragMouseX = x;
        dragMouseY = y;
        dragStartX = static_cast<int32_t>(positionX);
        dragStartY = static_cast<int32_t>(positionY);
    }
    // A panel that is not resizable still enters the resize mode; its steps change nothing.
    if (inX && hitResizeGrip(x, y)) {
        dragMode = kPanelDragResize;
        dragging = 1;
        dragMouseX = x;
        dragMouseY = y;
        dragStartX = static_cast<int32_t>(positionX);
        dragStartY = static_cast<int32_t>(height);
    }
    if (hitScaleButton(x, y)) toggleScale();
    closeHover = 0;
    if (hitCloseZone(x, y)) shown = 0;
}

// Doubles or halves the content about the frame's centre; a coordinate that would not stay
// above 0 keeps its old value. Never leaves a drag running.
void PanelWindow::toggleScale() {
    const float next = scale == 1.0f ? 2.0f : 1.0f;
    dragging = 0;
    dragMode = kPanelDragNone;
    mouseInside = 0;
    const float x = positionX - (width * next - width * scale) / 2.0f;
    const float y = positionY - (height * next - height * scale) / 2.0f;
    if (x > 0.0f) positionX = x;
    if (y > 0.0f) positionY = y;
    scale = next;
}

void PanelWindow::onMouseMove(uintptr_t, int32_t x, int32_t y) {
    const float right = positionX + margin + scaledWidth();
    closeHover = static_cast<float>(x) >= right - 10.0f &&
                 static_cast<float>(x) <= right + margin && static_cast<float>(y) >= positionY &&
                 static_cast<float>(y) <= positionY + titleBarHeight;
    hitScaleButton(x, y);
    if (dragging == 0) {
        mouseInside = hitWindow(x, y);
        return;
    }
    const int32_t dx = x - dragMouseX;
    const int32_t dy = y - dragMouseY;
    mouseInside = static_cast<float>(dy) < margin + titleBarHeight + height &&
                  static_cast<float>(dx) < margin + width;
    if (dragMode == kPanelDragMove) {
        positionX = static_cast<float>(dragStartX + dx);
        positionY = static_cast<float>(dragStartY + dy);
    } else if (dragMode == kPanelDragResize && resizable != 0) {
        height = static_cast<float>(std::max(minHeight, dragStartY + dy));
    }
}

void PanelWindow::endDrag(uintptr_t, int32_t, int32_t) {
    dragging = 0;
    dragMode = kPanelDragNone;
    mouseInside = 0;
}
