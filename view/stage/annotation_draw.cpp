// The annotation buttons drawn on top of the frame.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawAnnotationButtons() {}
