// The PAGES, PATCH FILE and SLICES bars.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawPagesMenu(int32_t) {}
void QX_GUI::drawPatchFileMenu() {}
void QX_GUI::drawSlicesMenu() {}
