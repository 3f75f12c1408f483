// Frame elements whose drawing comes with their own screens. Until then a page clears the
// window and sets the frame preamble, as every page does first, and the chrome draws nothing.
#include <GL/glew.h>

#include "app/qx_gui.h"

namespace {

void clearBuffers() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

} // namespace

void QX_GUI::drawStagePage() {
    clearBuffers();
    applyFramePreamble();
}
void QX_GUI::drawInputsPage() {
    clearBuffers();
    applyFramePreamble();
}
void QX_GUI::drawOutputsPage() {
    clearBuffers();
    applyFramePreamble();
}
void QX_GUI::drawMatrixPage() {
    clearBuffers();
    applyFramePreamble();
}
void QX_GUI::drawFeedbackPage() {
    clearBuffers();
    applyFramePreamble();
}
void QX_GUI::drawSelectionMenu() {}
void QX_GUI::drawMasterBox() {}
void QX_GUI::drawToolsMenu() {}
void QX_GUI::drawPagesMenu(int32_t) {}
void QX_GUI::drawPatchFileMenu() {}
void QX_GUI::drawSlicesMenu() {}
void QX_GUI::drawPanels() {}
void QX_GUI::drawAnnotationButtons() {}
void QX_GUI::drawPopupMenus() {}
