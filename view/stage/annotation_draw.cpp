// The annotation layer (the RECT, BUTTON and TEXT items, in whatever coordinates the caller has
// set: with the stage, or on top in window pixels) and the marquee.
#include <cmath>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

void QX_GUI::drawAnnotationButtons() {
    const AnnotationSet& set = annotations.stageAnnotations;
    for (int32_t i = 0; i < liveCount(set.rectCount, AnnotationSet::kCapacity); ++i) {
        const AnnotationRect& r = set.rects[i];
        drawLayer->colour(r.fill.red, r.fill.green, r.fill.blue, r.fill.alpha);
        drawLayer->rect(r.x, r.y, r.x + r.width, r.y + r.height);
    }
    for (int32_t i = 0; i < liveCount(set.buttonCount, AnnotationSet::kCapacity); ++i) {
        const AnnotationButton& b = set.buttons[i];
        const float alpha = b.hover ? b.colour.alpha : b.colour.alpha * 0.5f;
        drawLayer->colour(b.colour.red, b.colour.green, b.colour.blue, alpha);
        drawLayer->rect(b.x, b.y, b.x + b.width, b.y + b.height);
    }
    for (int32_t i = 0; i < liveCount(set.textCount, AnnotationSet::kCapacity); ++i) {
        const AnnotationText& t = set.texts[i];
        drawLayer->colour(t.ink.red, t.ink.green, t.ink.blue, t.ink.alpha);
        if (t.alignment >= 0 && t.alignment <= 2) font.setModes(t.alignment, -1);
        const float size = std::isfinite(t.size) ? std::trunc(t.size) : 1.0f;
        const int32_t scale =
            size > 1000.0f ? 1000 : (size < -1000.0f ? -1000 : static_cast<int32_t>(size));
        drawLayer->text(font, t.text.c_str(), scale, t.x, t.y);
    }
}

// A light fill with one-pixel edges, in stage units.
void QX_GUI::drawMarquee() {
    const float x0 = static_cast<float>(marqueeRect[0]), y0 = static_cast<float>(marqueeRect[1]);
    const float x1 = static_cast<float>(marqueeRect[2]), y1 = static_cast<float>(marqueeRect[3]);
    if (x0 == x1 || y0 == y1) return;
    const float t = 1.0f / view.viewZoom;
    const float fill[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.1f);
    drawLayer->vertices(Primitive::TriangleFan, fill, 4, 4);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawLayer->rect(x0 - t, y0 - t, x1 + t, y0);
    drawLayer->rect(x0 - t, y1, x1 + t, y1 + t);
    drawLayer->rect(x0 - t, y0, x0, y1);
    drawLayer->rect(x1, y0, x1 + t, y1);
}
