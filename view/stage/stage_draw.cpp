// The STAGE page: cleared and set up; its passes come with the stage drawing.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawStagePage() {
    drawLayer->clear();
    applyFramePreamble();
}
