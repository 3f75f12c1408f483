// The toolbox's row states and dynamic row texts, refreshed before every drawing of it.
#include <cstdio>

#include "app/qx_gui.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string formatted(const char* format, int32_t value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

void QX_GUI::drawToolboxInfo() {
    int32_t* s = chrome.toolboxRowStates;
    const int32_t shown[8] = {stageView.roomsShown,  stageView.targetsShown,
                              stageView.groupsShown, stageView.sourcesShown,
                              stageView.cablesShown, stageView.crosshairShown,
                              stageView.gridShown,   stageView.annotationVisibility};
    for (int32_t i = 0; i < 8; ++i) s[1 + i] = shown[i];
    s[10] = stageView.roomLabels;
    s[11] = stageView.targetLabels;
    s[12] = stageView.groupLabels;
    s[13] = stageView.sourceLabels;
    const int32_t locks[6] = {view.stageLock,          stageView.roomsLocked,
                              stageView.targetsLocked, stageView.groupsLocked,
                              stageView.sourcesLocked, stageView.annotationLocks};
    for (int32_t i = 0; i < 6; ++i) s[15 + i] = 1 - locks[i];

    chrome.toolboxTexts[26] = formatted("%i SOURCES", sourceCount);
    chrome.toolboxTexts[27] = formatted("%i TARGETS", targetCount);
    // The cables are the mixes the matrix routes.
    chrome.toolboxTexts[28] = formatted("%i MIXES", cableCount);
    chrome.toolboxTexts[29] = "256 BIT MIXING";
    s[26] = s[27] = s[29] = 1;
    const StagePoint pointer = screenToStage(interaction.pointerPixelX, interaction.pointerPixelY);
    chrome.toolboxTexts[30] = formatted("X-POS %.2f", static_cast<double>(pointer.x));
    chrome.toolboxTexts[31] = formatted("Y-POS %.2f", static_cast<double>(pointer.y));

    const int32_t muted[5] = {anySourceMuted, anyTargetMuted, anyGroupMuted, anyRoomMuted,
                              anyCableMuted};
    const int32_t soloed[5] = {anySourceSoloed, anyTargetSoloed, anyGroupSoloed, anyRoomSoloed,
                               anyCableSoloed};
    const int32_t muteRows[5] = {33, 36, 39, 44, 47};
    for (int32_t k = 0; k < 5; ++k) {
        s[muteRows[k]] = 2 + muted[k];
        s[muteRows[k] + 1] = 4 + soloed[k];
    }
    s[41] = 6 + rotationRunning;
    s[42] = 8 + movementRunning;

    chrome.toolboxTexts[50] = stageView.visualisations ? "ON" : "OFF";
    s[50] = stageView.visualisations;
    s[52] = view.viewZoom == 2.0f ? 1 : 0;
    s[53] = view.viewZoom == 1.0f ? 1 : 0;
    s[54] = view.viewZoom == 0.5f ? 1 : 0;
    s[56] = guiSnap;
    const bool clipShown = dspLink.activityPhase < 4;
    s[58] = clipShown ? 10 * anySourceClipping : 0;
    s[59] = clipShown ? 10 * anyTargetClipping : 0;
}
