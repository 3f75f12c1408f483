// Where the controls of the stage info boxes take presses, in window pixels relative to a box's
// top-left corner: the grids of 8 columns of 11.75 pixels, the group box's rotation slider and
// movement pad with its handle. All rectangle tests are strict on every edge.
#pragma once

#include <cstdint>

namespace info_box_press {

struct PixelRect {
    int32_t left, top, width, height;
};

// The box corner sits this far left of the item and this far above it.
constexpr float kCornerLeft = 51.0f;
constexpr float kGroupCornerUp = 60.0f;
constexpr float kSourceCornerUp = 23.0f;
constexpr float kTargetCornerUp = 60.0f;

constexpr PixelRect kGroupBox{0, 0, 205, 144};
constexpr PixelRect kGroupMembers{5, 12, 94, 94};
constexpr PixelRect kGroupSlider{5, 123, 197, 16};
constexpr PixelRect kGroupPad{106, 12, 95, 95};
constexpr PixelRect kSourceBox{0, 0, 103, 139};
constexpr PixelRect kSourceGroups{4, 12, 94, 22};
constexpr PixelRect kSourceChannels{4, 40, 94, 94};
constexpr PixelRect kTargetBox{0, 0, 103, 111};
constexpr PixelRect kTargetChannels{5, 12, 94, 94};

constexpr int32_t kGridColumns = 8;
constexpr double kGridColumnWidth = 11.75;
constexpr int32_t kHandleSize = 11;
constexpr float kHandleCentre = 42.0f; // the handle's corner for a movement of (0, 0)
constexpr float kHandleScale = 10.625f;

} // namespace info_box_press

// left < x < left + width and top < y < top + height.
inline bool isPointInRect(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x,
                          int32_t y) {
    return left < x && x < left + width && top < y && y < top + height;
}
