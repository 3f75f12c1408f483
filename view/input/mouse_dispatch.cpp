// The mouse operations of the object, routed from the window procedure.
#include "app/qx_gui.h"

int32_t QX_GUI::onLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onMouseMove(WPARAM, int32_t x, int32_t y) {
    pointerPixelX = x;
    pointerPixelY = y;
    return 0;
}
int32_t QX_GUI::onMButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onMButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onRButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onRButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::onMouseWheel(WPARAM, int32_t, int32_t) {
    return 0;
}
