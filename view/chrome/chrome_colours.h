// The colours and the cell shape shared by the chrome's bars, strips and boxes.
#pragma once

#include "render/draw_layer.h"

struct ChromeColour {
    float red, green, blue, alpha;
};

constexpr ChromeColour kChromeDarkGrey{0.2f, 0.2f, 0.2f, 1.0f};
constexpr ChromeColour kChromeGrey{0.4f, 0.4f, 0.4f, 1.0f};
constexpr ChromeColour kChromeTeal{0.0f, 0.5f, 0.5f, 1.0f};
constexpr ChromeColour kChromeOrange{1.0f, 0.5f, 0.0f, 1.0f};
constexpr ChromeColour kChromeWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr ChromeColour kChromeBlack{0.0f, 0.0f, 0.0f, 1.0f};

inline void setChromeColour(DrawLayer& layer, const ChromeColour& c) {
    layer.colour(c.red, c.green, c.blue, c.alpha);
}

// A filled box in one colour.
inline void drawChromeBox(DrawLayer& layer, const ChromeColour& c, float x0, float y0, float x1,
                          float y1) {
    setChromeColour(layer, c);
    layer.rect(x0, y0, x1, y1);
}

// A cell: a dark grey outer box and an inner box inset by 2 pixels in the state colour.
inline void drawChromeCell(DrawLayer& layer, const ChromeColour& inner, float x0, float y0,
                           float x1, float y1) {
    drawChromeBox(layer, kChromeDarkGrey, x0, y0, x1, y1);
    drawChromeBox(layer, inner, x0 + 2.0f, y0 + 2.0f, x1 - 2.0f, y1 - 2.0f);
}
