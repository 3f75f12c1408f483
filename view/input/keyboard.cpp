// The key operations of the object, routed from the window procedure.
#include "app/qx_gui.h"

int32_t QX_GUI::onKeyDown(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
int32_t QX_GUI::onKeyUp(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
