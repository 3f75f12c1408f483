// The popup cascade as drawn each frame: each level's rows on a 60 x 10 grid, coloured by
// the state the cascade step gave them.
#include <algorithm>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/chrome/popup_cascade.h"

namespace {

struct RowColour {
    float red, green, blue, alpha;
};

constexpr RowColour kRowBacking{0.1f, 0.1f, 0.1f, 0.9f};
constexpr RowColour kRowStateColours[5] = {
    {0.1f, 0.1f, 0.1f, 0.9f},  // plain
    {0.1f, 1.0f, 0.1f, 0.5f},  // under the pointer
    {0.1f, 0.1f, 1.0f, 0.5f},  // parent of an open level with rows
    {1.0f, 0.1f, 0.01f, 0.5f}, // parent of an empty level
    {0.3f, 0.3f, 0.3f, 0.5f},  // labelled " "
};

} // namespace

void QX_GUI::drawPopupLevel(int32_t menu, const int8_t rowStates[100]) {
    const PopupMenu& m = chrome.popupMenus[menu];
    font.setModes(1, -1);
    const float left = static_cast<float>(m.x) - 30.0f;
    const float right = static_cast<float>(m.x) + 30.0f;
    const int32_t count = std::min(m.itemCount, 100);
    for (int32_t i = 0; i < count; ++i) {
        const float top = static_cast<float>(m.y + 10 * i);
        drawLayer->colour(kRowBacking.red, kRowBacking.green, kRowBacking.blue, kRowBacking.alpha);
        drawLayer->rect(left, top, right, top + 9.0f);
        const RowColour& c = kRowStateColours[rowStates[i]];
        drawLayer->colour(c.red, c.green, c.blue, c.alpha);
        drawLayer->rect(left, top, right, top + 9.0f);
        drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
        drawLayer->text(font, m.labels[i].c_str(), 1, static_cast<float>(m.x), top + 2.0f);
    }
}

void QX_GUI::drawPopupMenus() {
    PopupCascadeFrame frame;
    stepPopupCascade(frame);
    for (int32_t n = 0; n < frame.levelCount; ++n)
        drawPopupLevel(frame.levels[n], frame.rowStates[frame.levels[n]]);
}
