// What the window shows: the page, the stage lock and full screen, and the stage's zoom (pixels
// per stage unit) and pan (in stage units).
#pragma once

#include <cstdint>

struct ViewState {
    int32_t currentPage = 0; // 0 STAGE
    uint8_t stageLock = 0;
    uint8_t fullScreen = 0;
    float viewZoom = 1.0f;
    float viewPanX = 0.0f;
    float viewPanY = 0.0f;
};
