// View switch and zoom verbs: the thirty TOGGLE switches, the toolbox defaults, DISMISS of
// indicators, STEALTH, and the stage view (pan and zoom).
#include <algorithm>
#include <cstdlib>

#include "app/qx_gui.h"
#include "qxplatform/runtime.h"

namespace {

template <typename Flag> void flip(Flag& flag) {
    flag = flag ? 0 : 1;
}

} // namespace

int32_t QX_GUI::cmdToggle(CliObject command) {
    const std::string& w = command.string;
    if (w == "AUTO_SAVE") {
        flip(autoSave);
        autoLastClock = qxplatform::processClock();
    }
    if (w == "AUTO_BACKUP") {
        flip(autoBackupOn);
        autoLastClock = qxplatform::processClock();
    }
    if (w == "ROOM_VISIBILITY") flip(stageView.roomsShown);
    if (w == "TARGET_VISIBILITY") flip(stageView.targetsShown);
    if (w == "GROUP_VISIBILITY") flip(stageView.groupsShown);
    if (w == "SOURCE_VISIBILITY") flip(stageView.sourcesShown);
    if (w == "CABLE_VISIBILITY") flip(stageView.cablesShown);
    if (w == "X_HAIR_VISIBILITY") flip(stageView.crosshairShown);
    if (w == "GRID_VISIBILITY") flip(stageView.gridShown);
    if (w == "ANNOTATION_VISIBILITY") flip(stageView.annotationVisibility);
    if (w == "ROOM_LABELS") flip(stageView.roomLabels);
    if (w == "TARGET_LABELS") flip(stageView.targetLabels);
    if (w == "GROUP_LABELS") flip(stageView.groupLabels);
    if (w == "SOURCE_LABELS") flip(stageView.sourceLabels);
    if (w == "STAGE_LOCKS") flip(view.stageLock);
    if (w == "ROOM_LOCKS") flip(stageView.roomsLocked);
    if (w == "TARGET_LOCKS") flip(stageView.targetsLocked);
    if (w == "GROUP_LOCKS") flip(stageView.groupsLocked);
    if (w == "SOURCE_LOCKS") flip(stageView.sourcesLocked);
    if (w == "ANNOTATION_LOCKS") flip(stageView.annotationLocks);
    if (w == "GUI_SNAP") flip(guiSnap);
    if (w == "VISUALISATIONS") flip(stageView.visualisations);
    if (w == "ROTATION") setRotationClock(rotationRunning == 0 ? 1 : 0);
    if (w == "MOVEMENT") setMovementClock(movementRunning == 0 ? 1 : 0);
    if (w == "TOOLBOX") flip(chrome.toolboxFolded);
    if (w == "MASTER") flip(chrome.masterHidden);
    if (w == "DEBUG") flip(stageView.debugViewOn);
    if (w == "HEATMAP") {
        updateRoomMembership();
        flip(stageView.heatmapOn);
    }
    if (w == "FULLSCREEN") {
        if (view.fullScreen == 0)
            enterFullScreenOnOwnScreen();
        else
            leaveFullScreen();
    }
    if (w == "STEALTH") flip(chrome.chromeHidden);
    raiseSendFlag(kSendViewState);
    return 0;
}

int32_t QX_GUI::cmdResetToolbox(CliObject) {
    stageView.roomsShown = stageView.targetsShown = stageView.groupsShown = stageView.sourcesShown =
        stageView.cablesShown = 1;
    stageView.crosshairShown = 0;
    stageView.gridShown = 1;
    stageView.annotationVisibility = 0;
    stageView.roomLabels = stageView.targetLabels = stageView.groupLabels = stageView.sourceLabels =
        1;
    view.stageLock = 0;
    stageView.roomsLocked = stageView.targetsLocked = stageView.groupsLocked =
        stageView.sourcesLocked = 0;
    stageView.annotationLocks = 1;
    guiSnap = 0;
    stageView.visualisations = 0;
    setRotationClock(0);
    setMovementClock(0);
    clearAllMuteSolo();
    syndicationMode = 0;
    return 0;
}

int32_t QX_GUI::cmdDismiss(CliObject command) {
    const std::string& w = command.string;
    if (w == "SOURCE_MUTES")
        for (int32_t i = 0; i < sourceCount; ++i) sources[i].mute = 0;
    if (w == "SOURCE_SOLOS")
        for (int32_t i = 0; i < sourceCount; ++i) sources[i].solo = 0;
    if (w == "TARGET_MUTES")
        for (int32_t i = 0; i < targetCount; ++i) targets[i].mute = 0;
    if (w == "TARGET_SOLOS")
        for (int32_t i = 0; i < targetCount; ++i) targets[i].solo = 0;
    if (w == "GROUP_MUTES") unmuteAllGroups();
    if (w == "GROUP_SOLOS") unsoloAllGroups();
    if (w == "ROOM_MUTES")
        for (int32_t i = 0; i < roomCount; ++i) rooms[i].mute = 0;
    if (w == "ROOM_SOLOS")
        for (int32_t i = 0; i < roomCount; ++i) rooms[i].solo = 0;
    if (w == "CABLE_MUTES") {
        for (int32_t i = 0; i < cableCount; ++i) cables[i].mute = 0;
        anyCableMuted = 0;
    }
    if (w == "CABLE_SOLOS") {
        for (int32_t i = 0; i < cableCount; ++i) cables[i].solo = 0;
        anyCableSoloed = 0;
    }
    if (w == "SOURCE_CLIPPING") {
        anySourceClipping = 0;
        for (int32_t i = 0; i < sourceCount; ++i) sources[i].clip = 0;
    }
    if (w == "TARGET_CLIPPING") {
        anyTargetClipping = 0;
        for (int32_t i = 0; i < targetCount; ++i) targets[i].clip = 0;
    }
    if (w == "FULLSCREEN" && view.fullScreen != 0) leaveFullScreen();
    updateMuteSoloSummary();
    for (int32_t flag : {kSendSources, kSendTargets, kSendGroups, kSendCables, kSendRooms,
                         kSendPanelLayout, kSendViewState, kSendMixers, kSendGainMatrix})
        raiseSendFlag(flag);
    return 0;
}

int32_t QX_GUI::cmdStealth(CliObject command) {
    const std::string& line = command.commandString;
    const bool on = line.find("ON") != std::string::npos;
    const bool off = line.find("OFF") != std::string::npos;
    if (off)
        chrome.chromeHidden = 0;
    else if (on)
        chrome.chromeHidden = 1;
    else
        flip(chrome.chromeHidden);
    return 0;
}

int32_t QX_GUI::cmdDisplaceStage(CliObject command) {
    // The keys are window pixels; the pan is in stage units.
    if (command.has(kKeyX))
        view.viewPanX = heldPan(command.named(kKeyX) / view.viewZoom, view.viewPanX);
    if (command.has(kKeyY))
        view.viewPanY = heldPan(command.named(kKeyY) / view.viewZoom, view.viewPanY);
    commitModelChange();
    return 0;
}

// The flat steps keep to the wheel's range as the wheel does: they step only toward it from
// outside it (a zoom the F9 drag left) and stop at its ends.
int32_t QX_GUI::cmdFlatZoomOut(CliObject) {
    if (view.viewZoom > kZoomStepLowest)
        view.viewZoom = std::max(view.viewZoom * 0.90909088f, kZoomStepLowest);
    return 0;
}

int32_t QX_GUI::cmdFlatZoomIn(CliObject) {
    if (view.viewZoom < kZoomStepHighest)
        view.viewZoom = std::min(view.viewZoom * 1.1f, kZoomStepHighest);
    return 0;
}

void QX_GUI::zoomAboutMouse(double factor) {
    const float sx = static_cast<float>(interaction.pointerPixelX) - windowWidth / 2.0f;
    const float sy = static_cast<float>(interaction.pointerPixelY) - windowHeight / 2.0f;
    const float a = (sx - view.viewPanX * view.viewZoom) / view.viewZoom;
    const float b = (sy - view.viewPanY * view.viewZoom) / view.viewZoom;
    double z = static_cast<double>(view.viewZoom) * factor;
    if (z > kZoomStepHighest)
        z = kZoomStepHighest;
    else if (z < kZoomStepLowest)
        z = kZoomStepLowest;
    else if (z > 1.9 && z < 2.2)
        z = 2.0;
    else if (z > 0.95 && z < 1.1)
        z = 1.0;
    else if (z > 0.46 && z < 0.53)
        z = 0.5;
    view.viewZoom = static_cast<float>(z);
    view.viewPanX = heldPan(sx / view.viewZoom - a, view.viewPanX);
    view.viewPanY = heldPan(sy / view.viewZoom - b, view.viewPanY);
}

int32_t QX_GUI::cmdZoomOut(CliObject) {
    zoomAboutMouse(1.0 / 1.1);
    if (view.viewZoom == kZoomStepLowest) {
        console.pendingError = "ZOOMED OUT AS FAR AS POSSIBLE";
        return 1;
    }
    return 0;
}

int32_t QX_GUI::cmdZoomIn(CliObject) {
    zoomAboutMouse(1.1);
    if (view.viewZoom == kZoomStepHighest) {
        console.pendingError = "ZOOMED IN AS FAR AS POSSIBLE";
        return 1;
    }
    return 0;
}

int32_t QX_GUI::cmdZoomLevel(CliObject command) {
    const double v = std::atof(command.string.c_str());
    if (v > 0.2 && v < 4.1) view.viewZoom = static_cast<float>(v);
    raiseSendFlag(kSendViewState);
    return 0;
}
