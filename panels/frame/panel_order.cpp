// The panels' z-order list: which floating panel is drawn on top and takes a click first.
#include "app/qx_gui.h"

void QX_GUI::initPanelOrder() {
    static constexpr int32_t kDefaultOrder[10] = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9};
    for (int32_t i = 0; i < 10; ++i) panelOrder[i] = kDefaultOrder[i];
    panelOrderCount = 10;
}

void QX_GUI::bringPanelToFront(int32_t id) {
    int32_t at = -1;
    for (int32_t i = 0; i < panelOrderCount && i < 10; ++i)
        if (panelOrder[i] == id) at = i;
    if (at < 0) return;
    for (int32_t i = at; i > 0; --i) panelOrder[i] = panelOrder[i - 1];
    panelOrder[0] = id;
}
