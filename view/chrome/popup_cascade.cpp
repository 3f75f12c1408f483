// The popup cascade without drawing: the row hit test, the hovered and highlighted rows of a
// level, and the opening, placing, caching, closing and detaching of the deeper levels.
#include <algorithm>

#include "app/qx_gui.h"
#include "view/chrome/popup_cascade.h"

namespace {

constexpr int32_t kLevels = 10;

bool insideColumn(const PopupMenu& m, float x) {
    const float left = static_cast<float>(m.x - m.width / 2);
    return left < x && x < left + static_cast<float>(m.width);
}

} // namespace

int32_t QX_GUI::popupRowAt(float x, float y, int32_t menu) {
    if (menu < 0 || menu >= kLevels) return -1;
    const PopupMenu& m = chrome.popupMenus[menu];
    if (!insideColumn(m, x)) return -1;
    return static_cast<int32_t>((y - static_cast<float>(m.y)) * 0.1f);
}

void QX_GUI::openPopupLevel(int32_t menu, int32_t row) {
    const PopupMenu& parent = chrome.popupMenus[menu];
    PopupMenu& next = chrome.popupMenus[menu + 1];
    const std::string& name = parent.commands[row];
    if (next.parentName != name) {
        next = fillPopupMenuFromUserMenu(name);
        next.parentName = name;
    }
    next.open = 1;
    next.parentRow = row;
    next.x = parent.x + parent.width + 1;
    next.y = parent.y + parent.height * row;
    for (int32_t k = menu + 2; k < kLevels; ++k) chrome.popupMenus[k].open = 0;
}

bool QX_GUI::stepPopupMenu(int32_t menu, int8_t rowStates[100]) {
    const PopupMenu& m = chrome.popupMenus[menu];
    const bool hasNext = menu + 1 < kLevels;
    int32_t hovered = -1;
    if (insideColumn(m, static_cast<float>(interaction.pointerPixelX)))
        hovered = static_cast<int32_t>(static_cast<float>(interaction.pointerPixelY - m.y) * 0.1f);
    if (hovered >= m.itemCount) hovered = m.itemCount;
    bool result = false;
    const int32_t count = std::min(m.itemCount, 100);
    for (int32_t i = 0; i < count; ++i) {
        const PopupMenu* next = hasNext ? &chrome.popupMenus[menu + 1] : nullptr;
        const bool parentOfNext = next && next->parentRow == i;
        int8_t state = kPopupRowPlain;
        if (parentOfNext)
            state = next->itemCount > 0 ? kPopupRowOpenParent : kPopupRowEmptyParent;
        else if (i == hovered)
            state = kPopupRowPointer;
        const bool highlighted = state != kPopupRowPlain;
        if (m.labels[i] == " ") state = kPopupRowBlank;
        rowStates[i] = state;
        if (!highlighted) continue;
        if (m.flags[i] == 1) {
            // The last level has no level below it: its submenu rows open nothing.
            if (hasNext) openPopupLevel(menu, i);
            result = true;
        } else {
            for (int32_t k = menu + 1; k < kLevels; ++k) chrome.popupMenus[k].parentRow = -1;
            result = false;
        }
    }
    return result;
}

void QX_GUI::stepPopupCascade(PopupCascadeFrame& frame) {
    frame.levelCount = 0;
    frame.levels[frame.levelCount++] = 0;
    bool result = stepPopupMenu(0, frame.rowStates[0]);
    for (int32_t k = 1; k < kLevels; ++k) {
        const PopupMenu& m = chrome.popupMenus[k];
        if (!m.open) continue;
        const bool rightOfLeftEdge = interaction.pointerPixelX > m.x - m.width / 2;
        if (m.parentRow == -1 && !(rightOfLeftEdge && result)) continue;
        frame.levels[frame.levelCount++] = k;
        result = stepPopupMenu(k, frame.rowStates[k]);
    }
}
