// The editor panels' popup menus: menu 0 of the cascade filled from a named user menu.
#include "app/qx_gui.h"

void QX_GUI::openEditorMenu(const std::string& menuName, int32_t x, int32_t y) {
    for (int32_t k = 1; k < 10; ++k) chrome.popupMenus[k].open = 0;
    chrome.popupMenus[0] = fillPopupMenuFromUserMenu(menuName);
    chrome.popupMenus[0].x = x; // centre
    chrome.popupMenus[0].y = y; // top
    chrome.popupMenus[0].open = 1;
    chrome.popupLayerOpen = 1;
}
