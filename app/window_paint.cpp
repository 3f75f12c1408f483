// Painting the window: the frame composed by the screens, and what of it reaches the screen.
#include <GL/glew.h>

#include "app/qx_gui.h"
#include "render/gl_slots.h"

void QX_GUI::paintWindow(HDC dc) {
    const bool partial =
        damagePainting && drawLayer == &glDrawLayer && window_ && qxplatform::canPresentPart(dc);
    if (!partial) {
        damagePainter.forget();
        renderFrame();
        SwapBuffers(dc);
        return;
    }
    PaintSurface surface;
    surface.context = reinterpret_cast<uintptr_t>(wglGetCurrentContext());
    surface.width = static_cast<int32_t>(windowWidth);
    surface.height = static_cast<int32_t>(windowHeight);
    surface.page = view.currentPage;
    surface.exposures = qxplatform::windowExposures(window_);
    drawLayer = &damagePainter.begin(surface);
    renderFrame();
    drawLayer = &glDrawLayer;
    for (const PixelRect& r : damagePainter.paint(glDrawLayer))
        qxplatform::presentPart(dc, r.x, surface.height - r.y - r.height, r.width, r.height);
}
