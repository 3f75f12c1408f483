// State of the frame chrome: the toolbox position, its fixed geometry, its rows and their
// states, and the chrome's hide switches.
#pragma once

#include <cstdint>
#include <string>

#include "app/popup_menu.h"

struct ChromeState {
    // The toolbox rectangle: 60 rows of 11 pixels below a 13-pixel title, 64 pixels wide.
    // Its drawing, the row presses and the row hover all use these.
    static constexpr float toolboxWidth = 64.0f;
    static constexpr float toolboxHeight = 673.0f;
    static constexpr float toolboxTitleHeight = 13.0f;
    static constexpr float masterBoxWidth = 64.0f;
    static constexpr int32_t toolboxRowPitch = 11;
    static constexpr int32_t toolboxRows = 60;

    float toolboxX = 0.0f;
    float toolboxY = 0.0f;
    // Row states: 0 off, 1 on, 2..9 mute, solo, rotation and movement indicators (even: idle,
    // odd: active), 10 clipping; headings keep 0.
    int32_t toolboxRowStates[toolboxRows] = {};
    // The rows' texts (the refresh rewrites the counts and readouts), the rows drawn, the y of
    // the list below the rows, and the hovered row.
    std::string toolboxTexts[toolboxRows];
    int32_t toolboxTextCount = 0;
    float toolboxListY = 0.0f;
    float toolboxHoverRow = 0.0f;
    int32_t toolboxFolded = 0;
    uint8_t masterHidden = 0; // 1: the MASTER box shows its header only
    uint8_t chromeHidden = 0; // STEALTH: the frame chrome is not drawn

    // The popup menus: whether one is open, the levels of the cascade, the depth open, and
    // the command of the last row clicked.
    uint8_t popupLayerOpen = 0; // a popup menu is open (menu 0 at least)
    PopupMenu popupMenus[10];
    int32_t popupSubmenuLevel = 0; // the depth of the open cascade; 0 when a menu opens
    std::string lastMenuCommand;

    // The toolbox row under window pixel (x, y), -1 when outside the rows (strict bounds).
    int32_t toolboxRowAt(float x, float y) const {
        if (!(toolboxX < x && x < toolboxX + toolboxWidth)) return -1;
        if (!(toolboxY + toolboxTitleHeight < y && y < toolboxY + toolboxHeight)) return -1;
        const float f = (y - toolboxY - toolboxTitleHeight) / (toolboxHeight - toolboxTitleHeight);
        return static_cast<int32_t>(static_cast<float>(toolboxRows) * f);
    }
    // The top of row r's inner box in window pixels.
    int32_t toolboxRowTop(int32_t row) const {
        return static_cast<int32_t>(toolboxY) + 13 + toolboxRowPitch * row;
    }
};

// Where the PATCH FILE menu starts: its drawing and its press cells share this.
inline float patchFileMenuLeft(float windowWidth) {
    return windowWidth / 2.0f - 230.0f;
}
