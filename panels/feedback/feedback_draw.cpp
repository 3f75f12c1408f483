// The FEEDBACK page: cleared and set up; its ports come with the feedback mixes.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawFeedbackPage() {
    drawLayer->clear();
    applyFramePreamble();
}
