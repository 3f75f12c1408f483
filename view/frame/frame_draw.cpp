// One whole frame: the current page, the chrome around it, annotation buttons, popup menus,
// and the modal text entry on top with its dimming overlay.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawFullWindowQuad() {
    drawLayer->rect(0.0f, 0.0f, windowWidth, windowHeight);
}

void QX_GUI::applyFramePreamble() {
    drawLayer->pixelProjection(static_cast<int32_t>(windowWidth),
                               static_cast<int32_t>(windowHeight));
    drawLayer->useProgram(uiProgram);
    drawLayer->height(windowHeight);
    drawLayer->level(0.0f);
    drawLayer->stage(0);
    drawLayer->mode(0);
}

bool QX_GUI::beginPageAtOrigin() {
    drawLayer->clear();
    applyFramePreamble();
    if (windowWidth <= 0.0f || windowHeight <= 0.0f) return false;
    drawLayer->pushMatrix();
    drawLayer->translate(static_cast<float>(interaction.pageGridX),
                         static_cast<float>(interaction.pageGridY));
    return true;
}

void QX_GUI::drawBlankFrame() {
    drawLayer->clear();
    applyFramePreamble();
    drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
    drawFullWindowQuad();
}

void QX_GUI::renderFrame() {
    // A window without area draws nothing, and nothing divides by its size.
    if (!(windowWidth >= 1.0f) || !(windowHeight >= 1.0f)) return;
    if (ownInstance.asleep) {
        drawBlankFrame();
        drawLayer->flush();
        return;
    }
    switch (view.currentPage) {
    case kPageStage:
        drawStagePage();
        if (!chrome.chromeHidden) drawSelectionMenu();
        break;
    case kPageInputs:
        drawInputsPage();
        break;
    case kPageOutputs:
        drawOutputsPage();
        break;
    case kPageMatrix:
        drawMatrixPage();
        break;
    case kPageFeedback:
        drawFeedbackPage();
        break;
    default:
        break;
    }
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    font.setModes(0, -1);
    if (!chrome.chromeHidden) {
        drawMasterBox();
        const size_t stored = patchPathLength > 0 ? static_cast<size_t>(patchPathLength) : 0;
        std::string name(patchPath, strnlen(patchPath, std::min(stored, sizeof patchPath)));
        if (name.find("TUTORIAL/") == std::string::npos) {
            const std::string title = "VELTRAMONDIS 05/12/22 RUNNING : " + name;
            drawLayer->text(font, title.c_str(), 1, 3.0f, windowHeight - 9.0f);
        }
        drawToolsMenu();
        drawPagesMenu(view.currentPage);
        drawPatchFileMenu();
        drawSlicesMenu();
        drawPanels();
    }
    if (annotations.annotationButtonLayer == 1) drawAnnotationButtons();
    if (chrome.popupLayerOpen) drawPopupMenus();
    // An open entry is one with an action to commit, the same test a press uses to commit it;
    // the stage's hit tests end an entry by clearing its action, and then no dimming stays.
    if (isTextEntryOpen()) {
        drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
        drawFullWindowQuad();
        if (pendingConfirm) {
            drawLayer->colour(1.0f, 0.0f, 0.0f, 0.2f);
            drawFullWindowQuad();
        }
        drawTextEntryBox();
    }
    // The layer gathers draws; all of them reach GL before the buffers swap.
    drawLayer->flush();
}
