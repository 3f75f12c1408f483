// What the window shows: the page, the stage lock and full screen, and the stage's zoom (pixels
// per stage unit) and pan (in stage units).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// The zoom the F9 drag reaches, the widest range any gesture gives, and the range of the wheel's
// steps (ZOOM_IN, ZOOM_OUT and the flat steps).
constexpr float kZoomLowest = 0.1f;
constexpr float kZoomHighest = 5.0f;
constexpr float kZoomStepLowest = 0.25f;
constexpr float kZoomStepHighest = 4.0f;

// A zoom handed in from outside (a host's pin) held to the range a gesture reaches; NaN keeps
// the zoom that was.
inline float heldZoom(float value, float was) {
    if (std::isnan(value)) return was;
    return std::clamp(value, kZoomLowest, kZoomHighest);
}

// The pan's bound, in stage units: with it and the zoom's range the stage point of every window
// pixel is a whole number an int32 holds, so the stage's pointer tests convert it safely.
constexpr float kPanLimit = 1.0e9f;

// A pan as the verbs and drags set it, held to the bound; a value that is not a number keeps
// the pan that was.
inline float heldPan(float value, float was) {
    if (std::isnan(value)) return was;
    return std::clamp(value, -kPanLimit, kPanLimit);
}

struct ViewState {
    int32_t currentPage = 0; // 0 STAGE
    uint8_t stageLock = 0;
    uint8_t fullScreen = 0;
    float viewZoom = 1.0f;
    float viewPanX = 0.0f;
    float viewPanY = 0.0f;
};
