// What the pointer over the toolbox touches: the box itself (open or folded to its title bar),
// and the row under it, with the two group-motion rows the stage highlights.
#include <cmath>

#include "app/qx_gui.h"

void QX_GUI::hoverToolsRows(int32_t x, int32_t y) {
    stage.toolsHoverRotation = stage.toolsHoverMovement = 0;
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    if (!(chrome.toolboxX < px && px < chrome.toolboxX + ChromeState::toolboxWidth)) return;
    if (!(chrome.toolboxY + ChromeState::toolboxTitleHeight < py &&
          py < chrome.toolboxY + ChromeState::toolboxHeight))
        return;
    if (chrome.toolboxFolded) return;
    const float fraction = (py - chrome.toolboxY - ChromeState::toolboxTitleHeight) /
                           (ChromeState::toolboxHeight - ChromeState::toolboxTitleHeight);
    chrome.toolboxHoverRow = std::trunc(fraction * static_cast<float>(chrome.toolboxTextCount));
    // The rows of group rotation and movement, as the toolbox draws and presses them.
    if (chrome.toolboxHoverRow == 41.0f) stage.toolsHoverRotation = 1;
    if (chrome.toolboxHoverRow == 42.0f) stage.toolsHoverMovement = 1;
}

// Folded, the toolbox is its title bar alone, drawn as wide as the open box.
bool QX_GUI::isOverToolbox(int32_t x, int32_t y) const {
    const float w = ChromeState::toolboxWidth;
    const float h =
        chrome.toolboxFolded ? ChromeState::toolboxTitleHeight : ChromeState::toolboxHeight;
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    return chrome.toolboxX < px && px < chrome.toolboxX + w && chrome.toolboxY < py &&
           py < chrome.toolboxY + h;
}
