// The SELECTION strip with the ten stored selection sets, and the SYNDICATE cell.
#include <cstdio>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/chrome/chrome_colours.h"

namespace {

const char* syndicationModeName(int32_t mode) {
    switch (mode) {
    case 0:
        return "NONE";
    case 1:
        return "MARQUEE";
    case 2:
        return "SELECTION";
    case 3:
        return "BOTH";
    default:
        return nullptr;
    }
}

} // namespace

void QX_GUI::drawSelectionMenu() {
    font.setModes(0, -1);
    setChromeColour(*drawLayer, kChromeWhite);
    drawLayer->text(font, "SELECTION", 1, 70.0f, 4.0f);
    font.setModes(1, -1);
    char number[8];
    for (int32_t i = 0; i < 10; ++i) {
        const float x = 110.0f + 20.0f * i;
        ChromeColour inner = kChromeGrey;
        if (i + 1 == storedSelectionNumber)
            inner = kChromeOrange;
        else if (storedSelectionCounts[i + 1] > 0)
            inner = kChromeTeal;
        drawChromeCell(*drawLayer, inner, x, 0.0f, x + 22.0f, 13.0f);
        setChromeColour(*drawLayer, kChromeWhite);
        std::snprintf(number, sizeof number, "%i", i + 1);
        drawLayer->text(font, number, 1, x + 10.0f, 4.0f);
    }
    font.setModes(0, -1);
    if (syndicationFlash) {
        drawLayer->colour(0.0f, 1.0f, 0.0f, 1.0f);
        syndicationFlash = 0;
    }
    drawLayer->text(font, "SYNDICATE", 1, 319.0f, 4.0f);
    font.setModes(1, -1);
    drawChromeCell(*drawLayer, syndicationMode == 0 ? kChromeGrey : kChromeTeal, 362.0f, 0.0f,
                   408.0f, 13.0f);
    setChromeColour(*drawLayer, kChromeWhite);
    if (const char* name = syndicationModeName(syndicationMode))
        drawLayer->text(font, name, 1, 385.0f, 4.0f);
}
