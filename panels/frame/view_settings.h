// Global values of the stage and the toolbox that many parts of the system read.
#pragma once

#include <cstdint>
#include <string>

struct ViewSettings {
    // The global radius a fresh module starts with, and the own radius of a new or reset target.
    static constexpr float kDefaultRadius = 75.0f;

    float globalRadius = kDefaultRadius; // radius of targets that use the global radius
    int32_t reservedInt = 0;
    float reservedScales[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float masterVolume = 0.0f; // linear master level
    std::string reservedTexts[2];
    std::string labels[128];
    int32_t reservedTables[2][50] = {};
    int32_t toolboxSwitches[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    uint8_t toolboxFlag = 0;
    std::string pin38Text;
    std::string macroPanelPath = "MACROS/MACRO_PANEL.txt";
    std::string stageClickText;
};
