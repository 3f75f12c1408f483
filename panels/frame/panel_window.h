// One floating panel.
#pragma once

#include <cstdint>
#include <string>

#include "qxplatform/win32.h"
#include "render/stroke_font.h"

struct PanelWindow {
    uint8_t shown = 0;
    uint8_t dragging = 0;
    float positionX = 0.0f;
    float positionY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float scale = 1.0f; // 1 or 2
    float margin = 2.0f;
    float titleBarHeight = 9.0f;
    std::string subtitle;
    // Set by initPanelWindows: the name, the button in the PANELS bar and the frame's options.
    std::string title = "PANEL";
    float barButtonX = 0.0f;
    float barButtonY = 0.0f;
    uint8_t resizable = 1;
    uint8_t hasScaleButton = 0;
    uint8_t focused = 0;
    uint8_t mouseInside = 0; // the pointer is over the window, or the window is dragged
    float contentOffsetX = 2.0f;
    float contentOffsetY = 9.0f;
    // Set by bindPanelsToShader: what the frame draws with.
    unsigned program = 0;
    int32_t colourUniform = -1;
    StrokeFont font;

    // Hover, drag and resize state for the pointer.
    void onMouseMove(WPARAM flags, int32_t x, int32_t y);
};
