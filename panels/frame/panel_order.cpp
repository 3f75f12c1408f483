// The panels' z-order list: which floating panel is drawn on top and takes a click first.
#include <algorithm>

#include "app/qx_gui.h"

void QX_GUI::initPanelOrder() {
    static constexpr int32_t kDefaultOrder[10] = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9};
    std::copy(kDefaultOrder, kDefaultOrder + 10, panelFrame.panelOrder);
    panelFrame.panelOrderCount = 10;
}

// The id goes first and the others follow in their old order; the count stays, so an id that
// was not listed pushes the last one out.
void QX_GUI::bringPanelToFront(int32_t id) {
    if (panelFrame.panelOrderCount < 1) {
        panelFrame.panelOrder[0] = id;
        return;
    }
    const int32_t count = std::min(panelFrame.panelOrderCount, kPanelOrderCapacity);
    int32_t before[kPanelOrderCapacity];
    std::copy(panelFrame.panelOrder, panelFrame.panelOrder + count, before);
    panelFrame.panelOrder[0] = id;
    int32_t next = 1;
    for (int32_t i = 0; i < count && next < count; ++i)
        if (before[i] != id) panelFrame.panelOrder[next++] = before[i];
}
