// Temporary bodies of calls into screens built alongside this one (keyboard, popup menus, panel
// frame, mixer pages, MATRIX and FEEDBACK pages, item presses). Each is replaced by its
// screen's own body when that screen is merged.
#include "view/input/pending_calls_tmp.h"
#include "app/qx_gui.h"

namespace {
bool keyHeld(int key) {
    GetAsyncKeyState(key);
    return GetAsyncKeyState(key) != 0;
}
} // namespace

// ---- Keyboard ---------------------------------------------------------------------------------
bool isKeyDownShift() {
    return keyHeld(0x10);
}
bool isKeyDownCtrl() {
    return keyHeld(0x11);
}
bool isKeyDownF9() {
    return keyHeld(0x78);
}
bool isKeyDownDigit0() {
    return keyHeld('0');
}
bool isKeyDownDigit1() {
    return keyHeld('1');
}
bool isKeyDownDigit2() {
    return keyHeld('2');
}
bool isKeyDownDigit3() {
    return keyHeld('3');
}
bool isKeyDownDigit4() {
    return keyHeld('4');
}
bool isKeyDownDigit5() {
    return keyHeld('5');
}
bool isKeyDownDigit6() {
    return keyHeld('6');
}
bool isKeyDownDigit7() {
    return keyHeld('7');
}
bool isKeyDownDigit8() {
    return keyHeld('8');
}
bool isKeyDownDigit9() {
    return keyHeld('9');
}
void QX_GUI::commitTextEntry() {
    textEntryId = 0;
    textEntryKeysOn = 0;
}

// ---- Popup menus ------------------------------------------------------------------------------
int QX_GUI::popupRowAt(float x, float y, int menu) {
    const PopupMenu& m = popupMenus[menu];
    const float left = static_cast<float>(m.x - m.width / 2);
    if (!(left < x && x < left + static_cast<float>(m.width))) return -1;
    return static_cast<int>((y - static_cast<float>(m.y)) * 0.1f);
}

// ---- Panel frame ------------------------------------------------------------------------------
void PanelWindow::onMouseMove(WPARAM, int32_t, int32_t) {}
int32_t QX_GUI::panelsLButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::panelsRButtonDown(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::panelsLButtonUp(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::macrosPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::mutesPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::dynamicsPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::filtersPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::delayPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}
int32_t QX_GUI::virtualPanelMouseMove(WPARAM, int32_t, int32_t) {
    return -1;
}

// ---- Mixer pages ------------------------------------------------------------------------------
int32_t QX_GUI::inputsPageLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::inputsPageLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::inputsPageMouseMove(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::inputsPageMouseWheel(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::outputsPageLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::outputsPageLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::outputsPageMouseMove(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t QX_GUI::outputsPageMouseWheel(WPARAM, int32_t, int32_t) {
    return 0;
}

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
bool QX_GUI::pressSource() {
    return false;
}
bool QX_GUI::pressGroup() {
    return false;
}
bool QX_GUI::pressTarget() {
    return false;
}
bool QX_GUI::pressEmptyStage(int32_t, int32_t) {
    return false;
}
