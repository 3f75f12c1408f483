// Temporary bodies of the editor panels' drawing and mouse handlers, which the editor panels
// replace: nothing is drawn and no message is taken.
#include "app/qx_gui.h"

void QX_GUI::drawDynamicsPanel() {}
int32_t QX_GUI::dynamicsPanelLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::dynamicsPanelLButtonUp(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::dynamicsPanelRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
void QX_GUI::drawFiltersPanel() {}
int32_t QX_GUI::filtersPanelLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::filtersPanelLButtonUp(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::filtersPanelRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
void QX_GUI::drawDelayPanel() {}
int32_t QX_GUI::delayPanelLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::delayPanelLButtonUp(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::delayPanelRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
void QX_GUI::drawMutesPanel() {}
int32_t QX_GUI::mutesPanelLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::mutesPanelLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
void QX_GUI::drawVirtualPanel() {}
int32_t QX_GUI::virtualPanelLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::virtualPanelLButtonUp(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::virtualPanelRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
