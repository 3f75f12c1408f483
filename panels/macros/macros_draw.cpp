// The MACROS panel's content: the buttons, rectangles and texts its macro file laid out.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "render/draw_layer.h"

void QX_GUI::drawMacroPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelMacros];
    const AnnotationSet& set = annotations.macroAnnotations;
    drawLayer->scale(panel.scale, panel.scale);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, panel.width, panel.height);
    // A button is drawn at half its alpha until the pointer lights it; labels are TEXT items.
    for (int32_t i = 0; i < set.buttonCount && i < AnnotationSet::kCapacity; ++i) {
        const AnnotationButton& b = set.buttons[i];
        const AnnotationColour& c = b.colour;
        drawLayer->colour(c.red, c.green, c.blue, b.hover ? c.alpha : c.alpha * 0.5f);
        drawLayer->rect(b.x, b.y, b.x + b.width, b.y + b.height);
    }
    for (int32_t i = 0; i < set.rectCount && i < AnnotationSet::kCapacity; ++i) {
        const AnnotationRect& r = set.rects[i];
        drawLayer->colour(r.fill.red, r.fill.green, r.fill.blue, r.fill.alpha);
        drawLayer->rect(r.x, r.y, r.x + r.width, r.y + r.height);
    }
    for (int32_t i = 0; i < set.textCount && i < AnnotationSet::kCapacity; ++i) {
        const AnnotationText& t = set.texts[i];
        drawLayer->colour(t.ink.red, t.ink.green, t.ink.blue, 1.0f);
        // Any other alignment keeps the font's modes as they are.
        if (t.alignment >= 0 && t.alignment <= 2) font.setModes(t.alignment, -1);
        drawLayer->text(font, t.text.c_str(), static_cast<int32_t>(t.size), t.x, t.y);
    }
    drawLayer->scale(1.0f / panel.scale, 1.0f / panel.scale);
}
