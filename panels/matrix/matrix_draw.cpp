// The MATRIX page: cleared and set up; its grid comes with the routing matrix.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawMatrixPage() {
    drawLayer->clear();
    applyFramePreamble();
}
