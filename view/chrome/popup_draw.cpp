// The popup menu cascade.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawPopupMenus() {}
