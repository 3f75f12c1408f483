// A panel's frame: its PANELS-bar button, and for a shown panel the borders, the caption, the
// scale button and the close mark. The transform is left at the content origin.
#include "panels/frame/panel_window.h"
#include "render/draw_layer.h"

void fillRectGl(DrawLayer& layer, float x, float y, float w, float h) {
    layer.rect(x, y, x + w, y + h);
}

void PanelWindow::drawBarButton(DrawLayer& layer) {
    // A shown panel's button is dimmed and underlined.
    const float a = shown ? 0.3f : 1.0f;
    layer.translate(barButtonX, barButtonY);
    layer.colour(0.2f, 0.2f, 0.2f, a);
    layer.rect(0.0f, 0.0f, 60.0f, 13.0f);
    layer.colour(0.4f, 0.4f, 0.4f, a);
    layer.rect(2.0f, 2.0f, 58.0f, 11.0f);
    layer.colour(1.0f, 1.0f, 1.0f, shown ? 0.5f : 1.0f);
    font.setModes(1, -1);
    layer.text(font, title.c_str(), 1, 30.0f, 4.0f);
    if (shown) {
        layer.colour(1.0f, 1.0f, 1.0f, 0.4f);
        layer.rect(5.0f, 14.0f, 55.0f, 15.0f);
        layer.translate(-barButtonX, -barButtonY);
    }
}

void PanelWindow::drawScaleButton(DrawLayer& layer) const {
    const float sw = scaledWidth();
    if (scaleHover) {
        layer.colour(1.0f, 1.0f, 1.0f, 0.2f);
        layer.rect(sw - 14.0f, 1.0f, sw - 7.0f, 8.0f);
        layer.colour(1.0f, 0.0f, 0.0f, 1.0f);
        layer.rect(sw - 13.0f, 2.0f, sw - 8.0f, 7.0f);
        layer.colour(0.0f, 0.0f, 0.0f, 0.5f);
    } else {
        layer.colour(1.0f, 1.0f, 1.0f, 0.1f);
        layer.rect(sw - 14.0f, 1.0f, sw - 7.0f, 8.0f);
        layer.colour(1.0f, 0.0f, 0.0f, 0.3f);
        layer.rect(sw - 13.0f, 2.0f, sw - 8.0f, 7.0f);
        layer.colour(0.0f, 0.0f, 0.0f, 0.3f);
    }
    layer.rect(sw - 12.0f, 3.0f, sw - 9.0f, 6.0f);
    layer.colour(1.0f, 1.0f, 1.0f, 1.0f);
    // Points down at scale 2 (the next click halves), up otherwise.
    const float base = scale == 2.0f ? 3.0f : 6.0f;
    const float tip = scale == 2.0f ? 6.0f : 3.0f;
    const float triangle[6] = {sw - 14.0f, base, sw - 8.0f, base, sw - 11.0f, tip};
    layer.vertices(Primitive::Triangles, triangle, 3, 3);
}

void PanelWindow::draw(DrawLayer& layer) {
    drawBarButton(layer);
    if (!shown) return;
    const float fw = frameWidth();
    const float sw = scaledWidth();
    const float sh = scaledHeight();
    layer.translate(positionX, positionY);
    layer.colour(colour[0], colour[1], colour[2], alpha);
    layer.rect(0.0f, 0.0f, fw, titleBarHeight);
    layer.rect(0.0f, titleBarHeight + sh, fw, titleBarHeight + sh + margin);
    layer.rect(0.0f, titleBarHeight, margin, titleBarHeight + sh);
    layer.rect(margin + sw, titleBarHeight, fw, titleBarHeight + sh);

    font.setModes(0, -1);
    layer.colour(0.0f, 0.0f, 0.0f, 1.0f);
    const std::string caption = subtitle.empty() ? title : title + " - " + subtitle;
    layer.text(font, caption.c_str(), 1, margin, margin);
    if (hasScaleButton) drawScaleButton(layer);
    // Without hover the "X" keeps the colour last set: white after a scale button, else black.
    if (closeHover) {
        layer.colour(1.0f, 1.0f, 1.0f, 0.2f);
        layer.rect(sw - 5.0f, 1.0f, sw + 2.0f, 8.0f);
        layer.colour(1.0f, 0.0f, 0.0f, 1.0f);
    }
    font.setModes(2, -1);
    layer.text(font, "X", 1, sw + margin - 1.0f, margin);
    layer.translate(margin, titleBarHeight);
}
