// One whole frame: the current page, the chrome around it, annotation buttons, popup menus,
// and the modal text entry on top with its dimming overlay.
#include <GL/glew.h>

#include "app/qx_gui.h"
#include "render/shader_programs.h"

void QX_GUI::setColour(float red, float green, float blue, float alpha) {
    glUniform4f(rgbLocation, red, green, blue, alpha);
}

void QX_GUI::drawRect(float x0, float y0, float x1, float y1) {
    const float v[12] = {x0, y0, x1, y0, x1, y1, x1, y1, x0, y1, x0, y0};
    glVertexPointer(2, GL_FLOAT, 0, v);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void QX_GUI::drawFullWindowQuad() {
    drawRect(0.0f, 0.0f, windowWidth, windowHeight);
}

void QX_GUI::applyFramePreamble() {
    setPixelProjection(static_cast<int32_t>(windowWidth), static_cast<int32_t>(windowHeight));
    glUseProgram(uiProgram);
    glUniform1f(heightLocation, windowHeight);
    glUniform1f(levelLocation, 0.0f);
    glUniform1i(stageLocation, 0);
    glUniform1i(modeLocation, 0);
}

void QX_GUI::drawBlankFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyFramePreamble();
    setColour(0.0f, 0.0f, 0.0f, 1.0f);
    drawFullWindowQuad();
}

void QX_GUI::renderFrame() {
    if (ownInstance.asleep) {
        drawBlankFrame();
        return;
    }
    switch (currentPage) {
    case 0:
        drawStagePage();
        if (!chromeHidden) drawSelectionMenu();
        break;
    case 1:
        drawInputsPage();
        break;
    case 2:
        drawOutputsPage();
        break;
    case 3:
        drawMatrixPage();
        break;
    case 4:
        drawFeedbackPage();
        break;
    default:
        break;
    }
    setColour(1.0f, 1.0f, 1.0f, 0.5f);
    font.setModes(0, -1);
    if (!chromeHidden) {
        drawMasterBox();
        const size_t stored = patchPathLength > 0 ? static_cast<size_t>(patchPathLength) : 0;
        std::string name(patchPath, strnlen(patchPath, std::min(stored, sizeof patchPath)));
        if (name.find("TUTORIAL/") == std::string::npos) {
            const std::string title = "VELTRAMONDIS 05/12/22 RUNNING : " + name;
            font.drawText(title.c_str(), 1, 3.0f, windowHeight - 9.0f);
        }
        drawToolsMenu();
        drawPagesMenu(currentPage);
        drawPatchFileMenu();
        drawSlicesMenu();
        drawPanels();
    }
    if (annotationMode == 1) drawAnnotationButtons();
    if (popupOpen[0]) drawPopupMenus();
    if (textEntry.armed) {
        setColour(0.0f, 0.0f, 0.0f, 0.8f);
        drawFullWindowQuad();
        if (pendingConfirm) {
            setColour(1.0f, 0.0f, 0.0f, 0.2f);
            drawFullWindowQuad();
        }
        drawTextEntryBox();
    }
}
