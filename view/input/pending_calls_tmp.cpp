// Temporary bodies of calls into screens built alongside this one (keyboard, popup menus, panel
// frame, mixer pages, MATRIX and FEEDBACK pages, item presses). Each is replaced by its
// screen's own body when that screen is merged.
#include "app/qx_gui.h"

// ---- MATRIX and FEEDBACK pages ----------------------------------------------------------------
int32_t QX_GUI::matrixPageLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::matrixPageLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::matrixPageMouseMove(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::matrixPageRButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::feedbackPageLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::feedbackPageLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::feedbackPageMouseMove(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::feedbackPageRButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}

// ---- Item presses of the STAGE page -----------------------------------------------------------
bool QX_GUI::pressToolboxOrMasterBox(int32_t, int32_t) {
    return false;
}
bool QX_GUI::pressInfoBoxes(int32_t, int32_t) {
    return false;
}
bool QX_GUI::pressFeedbackOrCableHandle(int32_t, int32_t) {
    return false;
}
