// The MASTER box at the right edge: its header and, while open, one level bar per target.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/chrome/chrome_colours.h"

void QX_GUI::drawMasterHeader(float x, float y, bool withLabel) {
    drawChromeBox(*drawLayer, kChromeDarkGrey, x, y, x + 68.0f, y + 13.0f);
    drawChromeBox(*drawLayer, kChromeGrey, x + 2.0f, y + 2.0f, x + 52.0f, y + 11.0f);
    if (!withLabel) return;
    setChromeColour(*drawLayer, kChromeWhite);
    font.setModes(1, -1);
    drawLayer->text(font, "MASTER", 1, x + 27.0f, y + 4.0f);
    font.setModes(0, -1);
}

void QX_GUI::drawMasterMeters(float x, float y, float hb) {
    drawChromeBox(*drawLayer, kChromeGrey, x, y + 13.0f, x + 68.0f, y + 13.0f + hb);
    drawChromeBox(*drawLayer, kChromeBlack, x + 2.0f, y + 15.0f, x + 66.0f, y + 11.0f + hb);
    const int32_t n = std::min(targetCount, kMaxTargets);
    for (int32_t i = 0; i < n; ++i) {
        float db = 20.0f * std::log10(targets[i].level);
        if (!(db > -60.0f)) db = -60.0f; // silent, or not a level at all
        if (db > 0.0f) db = 0.0f;
        const float left = x + 2.0f + (64.0f / static_cast<float>(n)) * static_cast<float>(i);
        const float right = left + static_cast<float>(64 / n);
        const float bottom = y + 11.0f + hb;
        const int32_t room = targets[i].room;
        if (room >= 0 && room < kMaxRooms) {
            const RoomRecord& r = rooms[room];
            drawLayer->colour(r.colourRed, r.colourGreen, r.colourBlue, 1.0f);
            drawLayer->rect(left, y + 15.0f, right, bottom);
        }
        const TargetRecord& t = targets[i];
        drawLayer->colour(t.colourRed, t.colourGreen, t.colourBlue, 1.0f);
        drawLayer->rect(left, bottom - (db + 60.0f) / 60.0f * (hb - 4.0f), right, bottom);
    }
}

void QX_GUI::drawMasterBox() {
    if (chrome.masterHidden != 0 && chrome.masterHidden != 1) return;
    const float x = static_cast<float>(static_cast<int32_t>(windowWidth - 68.0f));
    const float y = static_cast<float>(static_cast<int32_t>(chrome.toolboxY));
    if (chrome.masterHidden == 1) {
        drawMasterHeader(x, y, true);
        return;
    }
    drawMasterHeader(x, y, false);
    drawMasterMeters(x, y, static_cast<float>(static_cast<int32_t>(windowHeight - 26.0f)));
    drawMasterHeader(x, y, true);
}
