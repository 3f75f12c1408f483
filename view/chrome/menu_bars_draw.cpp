// The PATCH FILE menu in the top bar, and the SLICES and PAGES menus in the bottom bar.
#include <cstdio>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/chrome/chrome_colours.h"

namespace {

// An AUTO cell: grey while off; on, orange just after a save, else teal.
ChromeColour autoCellColour(uint8_t on, uint8_t justSaved) {
    if (!on) return kChromeGrey;
    return justSaved ? kChromeOrange : kChromeTeal;
}

struct PatchFileCell {
    const char* label;
    float left, right, labelX;
};

constexpr PatchFileCell kPatchFileCells[5] = {
    {"OPEN", 0.0f, 30.0f, 15.0f},
    {"SAVE", 30.0f, 60.0f, 44.0f},
    {"SAVE AS", 60.0f, 104.0f, 82.0f},
    {"AUTO SAVE", 104.0f, 154.0f, 129.0f},
    {"AUTO BACKUP", 154.0f, 214.0f, 184.0f},
};

struct PageTab {
    const char* label;
    float offset; // tab spans W - offset to W - offset + 60
    int32_t page;
};

constexpr PageTab kPageTabs[5] = {
    {"STAGE", 60.0f, kPageStage},        {"OUTPUTS", 120.0f, kPageOutputs},
    {"INPUTS", 180.0f, kPageInputs},     {"MATRIX", 240.0f, kPageMatrix},
    {"FEEDBACK", 300.0f, kPageFeedback},
};

} // namespace

void QX_GUI::drawPatchFileMenu() {
    const float x0 = patchFileMenuLeft(windowWidth);
    font.setModes(2, -1);
    setChromeColour(*drawLayer, kChromeWhite);
    drawLayer->text(font, "PATCH FILE", 1, x0 - 2.0f, 4.0f);
    font.setModes(1, -1);
    const ChromeColour inner[5] = {{0.2f, 0.6f, 0.2f, 1.0f},
                                   {0.6f, 0.2f, 0.2f, 1.0f},
                                   {0.6f, 0.4f, 0.2f, 1.0f},
                                   autoCellColour(autoSave, autoSaveShown),
                                   autoCellColour(autoBackupOn, autoBackupShown)};
    for (int32_t i = 0; i < 5; ++i) {
        const PatchFileCell& c = kPatchFileCells[i];
        drawChromeCell(*drawLayer, inner[i], x0 + c.left, 0.0f, x0 + c.right, 13.0f);
        setChromeColour(*drawLayer, kChromeWhite);
        drawLayer->text(font, c.label, 1, x0 + c.labelX, 4.0f);
    }
}

void QX_GUI::drawSlicesMenu() {
    const float x0 = windowWidth * 0.5f - 150.0f;
    const float y0 = windowHeight - 13.0f;
    for (int32_t i = 0; i < 20; ++i)
        drawChromeBox(*drawLayer, kChromeDarkGrey, x0 + 15.0f * i, y0, x0 + 15.0f * i + 15.0f,
                      windowHeight);
    for (int32_t i = 0; i < 20; ++i) {
        ChromeColour inner = slices[i].memberCount > 0 ? kChromeTeal : kChromeGrey;
        if (i == sliceDrift.driftSlice && sliceDrift.drifting && sliceDrift.driftBlink)
            inner = kChromeOrange;
        drawChromeBox(*drawLayer, inner, x0 + 2.0f + 15.0f * i, y0 + 2.0f, x0 + 13.0f + 15.0f * i,
                      y0 + 11.0f);
    }
    font.setModes(1, -1);
    setChromeColour(*drawLayer, kChromeWhite);
    char number[8];
    for (int32_t i = 0; i < 20; ++i) {
        std::snprintf(number, sizeof number, "%i", i + 1);
        drawLayer->text(font, number, 1, x0 + 7.0f + 15.0f * i, y0 + 4.0f);
    }
    font.setModes(2, -1);
    drawLayer->text(font, "SLICES", 1, x0 - 2.0f, y0 + 4.0f);
}

void QX_GUI::drawPagesMenu(int32_t page) {
    const float w = windowWidth;
    const float h = windowHeight;
    for (const PageTab& tab : kPageTabs) {
        const float left = w - tab.offset;
        drawChromeCell(*drawLayer, tab.page == page ? kChromeTeal : kChromeGrey, left, h - 13.0f,
                       left + 60.0f, h);
    }
    setChromeColour(*drawLayer, kChromeWhite);
    font.setModes(2, -1);
    drawLayer->text(font, "PAGES", 1, w - 302.0f, h - 9.0f);
    font.setModes(1, -1);
    for (const PageTab& tab : kPageTabs)
        drawLayer->text(font, tab.label, 1, w - tab.offset + 30.0f, h - 9.0f);
}
