// The toolbox: a TOOLS header and, while open, its 60 rows.
#include <algorithm>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/chrome/chrome_colours.h"

namespace {

constexpr int32_t kHeadingRows[] = {0, 9, 14, 21, 25, 32, 35, 38, 43, 46, 49, 51, 55, 57};

bool isHeadingRow(int32_t row) {
    for (int32_t h : kHeadingRows)
        if (h == row) return true;
    return false;
}

struct RowColours {
    ChromeColour box, label;
};

// Box and label colours of states 0 to 10: off, on, then idle and active indicators.
constexpr RowColours kStateColours[11] = {
    {{0.4f, 0.4f, 0.4f, 1.0f}, kChromeWhite}, {{0.0f, 0.5f, 0.5f, 1.0f}, kChromeWhite},
    {{0.5f, 0.5f, 0.0f, 0.5f}, kChromeWhite}, {{1.0f, 1.0f, 0.0f, 1.0f}, kChromeBlack},
    {{0.5f, 0.0f, 0.0f, 0.5f}, kChromeWhite}, {{1.0f, 0.0f, 0.0f, 1.0f}, kChromeBlack},
    {{0.0f, 0.5f, 0.0f, 0.5f}, kChromeWhite}, {{0.0f, 1.0f, 0.0f, 1.0f}, kChromeBlack},
    {{0.5f, 0.0f, 0.5f, 0.5f}, kChromeWhite}, {{1.0f, 0.0f, 1.0f, 1.0f}, kChromeBlack},
    {{1.0f, 0.0f, 0.0f, 1.0f}, kChromeWhite},
};

} // namespace

void QX_GUI::drawToolsMenu() {
    drawToolboxInfo();
    if (chrome.toolboxFolded != 0 && chrome.toolboxFolded != 1) return;
    const float x = static_cast<float>(static_cast<int32_t>(chrome.toolboxX));
    const float y = static_cast<float>(static_cast<int32_t>(chrome.toolboxY));
    drawChromeBox(*drawLayer, kChromeDarkGrey, x, y, x + 64.0f, y + 13.0f);
    drawChromeBox(*drawLayer, kChromeGrey, x + 2.0f, y + 2.0f, x + 52.0f, y + 11.0f);
    font.setModes(1, -1);
    setChromeColour(*drawLayer, kChromeWhite);
    drawLayer->text(font, "TOOLS", 1, x + 27.0f, y + 4.0f);
    if (chrome.toolboxFolded != 0) return;
    const int32_t rows = std::min(chrome.toolboxTextCount, ChromeState::toolboxRows);
    for (int32_t r = 0; r < rows; ++r) {
        const float ry = y + 13.0f + 11.0f * r;
        drawChromeBox(*drawLayer, kChromeDarkGrey, x, ry - 2.0f, x + 64.0f, ry + 11.0f);
        const int32_t state = chrome.toolboxRowStates[r];
        if (isHeadingRow(r)) {
            setChromeColour(*drawLayer, kChromeDarkGrey);
        } else if (state >= 0 && state <= 10) {
            setChromeColour(*drawLayer, kStateColours[state].box);
        }
        // Any other state keeps the colour set before it.
        drawLayer->rect(x + 2.0f, ry, x + 62.0f, ry + 9.0f);
        if (isHeadingRow(r))
            setChromeColour(*drawLayer, kChromeWhite);
        else if (state >= 0 && state <= 10)
            setChromeColour(*drawLayer, kStateColours[state].label);
        drawLayer->text(font, chrome.toolboxTexts[r].c_str(), 1, x + 32.0f, ry + 2.0f);
    }
}
