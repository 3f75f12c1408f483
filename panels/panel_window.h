// One floating panel.
#pragma once

#include <cstdint>
#include <string>

struct PanelWindow {
    uint8_t shown = 0;
    uint8_t dragging = 0;
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    float scale = 1.0f; // 1 or 2
    float margin = 2.0f;
    float titleBarHeight = 9.0f;
    std::string subtitle;
};
