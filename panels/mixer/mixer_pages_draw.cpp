// The INPUTS and OUTPUTS pages: cleared and set up; their strips come with the mixer pages.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawInputsPage() {
    drawLayer->clear();
    applyFramePreamble();
}

void QX_GUI::drawOutputsPage() {
    drawLayer->clear();
    applyFramePreamble();
}
