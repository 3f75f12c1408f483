// The SELECTION strip and the SYNDICATE cell.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawSelectionMenu() {}
