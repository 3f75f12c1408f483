// One floating panel: a titled frame moved by its title bar, resized by its bottom edge,
// doubled by a scale button and closed by an "X", with a button in the PANELS bar that shows
// or hides it. Geometry is in window pixels, y down; every hit test includes both bounds.
#pragma once

#include <cstdint>
#include <string>

#include "qxplatform/win32.h"
#include "render/stroke_font.h"
#include "view/input/interaction_modes.h"

class DrawLayer;

struct PanelWindow {
    uint8_t mouseInside = 0; // the pointer is over the panel, or its frame is being dragged
    int32_t minHeight = 0;   // the lowest height a resize drag reaches
    float scale = 1.0f;      // 1 or 2: multiplies the drawn and hit-tested content size
    float colour[3] = {1.0f, 1.0f, 1.0f}; // frame colour (r, g, b) and alpha
    float alpha = 0.5f;
    uint8_t shown = 0;
    // Set by initPanelWindows: the top-left corner of the PANELS-bar button.
    float barButtonX = 0.0f;
    float barButtonY = 0.0f;
    std::string title = "PANEL";
    // From the panel position to its content origin (handlers given content coordinates).
    float contentOffsetX = 2.0f;
    float contentOffsetY = 9.0f;
    float width = 600.0f; // content size at scale 1
    float height = 200.0f;
    std::string subtitle; // the item the panel shows
    uint8_t resizable = 1;
    uint8_t focused = 0; // takes typed keys (CLI)
    uint8_t dragging = 0;
    // At the start of a frame drag: a move keeps the truncated position, a resize the truncated
    // x and height; and the mouse position.
    int32_t dragStartX = 0;
    int32_t dragStartY = 0;
    int32_t dragMouseX = 0;
    int32_t dragMouseY = 0;
    float positionX = 100.0f; // top-left corner of the frame
    float positionY = 100.0f;
    float margin = 2.0f;
    float titleBarHeight = 9.0f;
    uint8_t hasScaleButton = 0;
    uint8_t macroFileLoaded = 0;       // MACROS only: a click has run its macro file
    int32_t dragMode = kPanelDragNone; // a PanelDragMode
    uint8_t closeHover = 0;
    uint8_t scaleHover = 0;
    // Set by bindPanelsToShader: what the frame draws with.
    int32_t colourUniform = -1;
    unsigned program = 0;
    StrokeFont font;

    // Frame width, scaled content width and height.
    float frameWidth() const { return scale * width + 2.0f * margin; }
    float scaledWidth() const { return scale * width; }
    float scaledHeight() const { return scale * height; }

    bool hitWindow(int32_t x, int32_t y) const;
    bool hitTitleBar(int32_t x, int32_t y) const;
    bool hitContent(int32_t x, int32_t y) const;
    bool hitResizeGrip(int32_t x, int32_t y) const;
    bool hitCloseZone(int32_t x, int32_t y);
    bool hitScaleButton(int32_t x, int32_t y);
    bool hitBarButton(int32_t x, int32_t y) const;
    // The window rectangle or the resize band: the whole frame and 5 pixels below it.
    bool hitFrame(int32_t x, int32_t y) const;

    void onMouseDown(uintptr_t flags, int32_t x, int32_t y);
    void onMouseMove(uintptr_t flags, int32_t x, int32_t y);
    void endDrag(uintptr_t flags, int32_t x, int32_t y);

    // The bar button and, when shown, the frame; leaves the transform at the content origin.
    void draw(DrawLayer& layer);

    void growHeightTo(int32_t h);
    void setColour(float red, float green, float blue);
    std::string writeGeometry() const;

private:
    void toggleScale();
    void drawBarButton(DrawLayer& layer);
    void drawScaleButton(DrawLayer& layer) const;
};

// Fills (x, y) to (x + w, y + h) in the current colour.
void fillRectGl(DrawLayer& layer, float x, float y, float w, float h);
