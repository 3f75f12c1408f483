// Temporary bodies of calls into screens built alongside this one (keyboard, popup menus, panel
// frame, mixer pages, MATRIX and FEEDBACK pages, item presses). Each is replaced by its
// screen's own body when that screen is merged.
#include "app/qx_gui.h"

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
