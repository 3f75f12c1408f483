#include "app/qx_gui.h"
#include "dsp_link/host_lines_pin.h"

#include <algorithm>
#include <iterator>

uint8_t fullScreenDone[10] = {};

QX_GUI::QX_GUI() {
    for (uint8_t& done : fullScreenDone) done = 0;
    view.viewZoom = 1.0f;
    view.fullScreen = 0;
    // The groups a fresh instance counts are named and placed as HARD_RESET leaves them, so
    // they can be addressed; nothing is waiting to be sent yet.
    for (int32_t g = 0; g < groupCount; ++g) bringGroupIntoUse(g);
    std::fill(std::begin(sendFlags), std::end(sendFlags), uint8_t{0});
    registerPins();
    // A fresh stage holds nothing of a person's: a load may replace it without a backup.
    saveState.heldStage = HeldStage{1, patchTextHash(composePatchText(0))};
}

QX_GUI::~QX_GUI() = default;

// Pin 0 first, then the table's pins in their fixed order of registration.
void QX_GUI::registerPins() {
    pin0.initialise(this, 0, &QX_GUI::onPin0);

    pinLocalId.initialise(this, 1, &QX_GUI::onLocalIdPin);
    pinConfiguration.initialise(this, 2, &QX_GUI::onConfigBlobPin);
    pinScriptIn.initialise(this, 3, &QX_GUI::onScriptPin);
    pinScriptOut.initialise(this, 4, &QX_GUI::onOutgoingScriptPin);
    pinViewState.initialise(this, 5, &QX_GUI::onViewStatePin);
    pin6.initialise(this, 6, &QX_GUI::onPin6);
    pinRooms.initialise(this, 7, &QX_GUI::onRoomsPin);
    pinTargets.initialise(this, 8, &QX_GUI::onTargetsPin);
    pinSources.initialise(this, 9, &QX_GUI::onSourcesPin);
    pinGroups.initialise(this, 10, &QX_GUI::onGroupsPin);
    pinCables.initialise(this, 11, &QX_GUI::onCablesPin);
    pinInputDelays.initialise(this, 12, &QX_GUI::onInputDelaysPin);
    pinInputEq.initialise(this, 13, &QX_GUI::onInputEqPin);
    pinInputDynamics.initialise(this, 14, &QX_GUI::onInputDynamicsPin);
    pinGainMatrix.initialise(this, 15, &QX_GUI::onGainMatrixPin);
    pinOutputEq.initialise(this, 16, &QX_GUI::onOutputEqPin);
    pinOutputDynamics.initialise(this, 17, &QX_GUI::onOutputDynamicsPin);
    pinOutputDelays.initialise(this, 18, &QX_GUI::onOutputDelaysPin);
    pinPatchRetry.initialise(this, 19, &QX_GUI::onPatchRetryPin);
    pinEditorOpen.initialise(this, 20, &QX_GUI::onPin20);
    pinPanelLayout.initialise(this, 21, &QX_GUI::onPanelLayoutPin);
    pinInputMixer.initialise(this, 22, &QX_GUI::onInputMixerPin);
    pinOutputMixer.initialise(this, 23, &QX_GUI::onOutputMixerPin);
    pinSourceVirtuals.initialise(this, 24, &QX_GUI::onSourceVirtualsPin);
    pinTargetVirtuals.initialise(this, 25, &QX_GUI::onTargetVirtualsPin);
    pinProcessingStatus.initialise(this, 26, &QX_GUI::onPin26Blob);
    pinFeedbackMixes.initialise(this, 27, &QX_GUI::onFeedbackMixesPin);
    pinNotes.initialise(this, 28, &QX_GUI::onRecords28Pin);
    pinNameLists.initialise(this, 29, &QX_GUI::onTextCommandPin);
    pinPatchRecord.initialise(this, 30, &QX_GUI::onBlock30Pin);
    pinSlices.initialise(this, 31, &QX_GUI::onSlicesPin);

    pin33.initialise(this, 33, &QX_GUI::onPin33);
    pin34.initialise(this, 34, &QX_GUI::onPin34);
    pin52.initialise(this, 52, &QX_GUI::onPin52);
    pin35.initialise(this, 35, &QX_GUI::onPin35);
    pin36.initialise(this, 36, &QX_GUI::onPin36);
    pinLeaveFullScreen.initialisePin37(this, 37, &QX_GUI::onLeaveFullScreenPin);
    pinText38.initialise(this, 38, &QX_GUI::onTextPin38);
    pinHostLines.initialise(this, kHostLinesPin, &QX_GUI::onHostLinesPin);
    pins40to45[0].initialise(this, 40, &QX_GUI::onPin40);
    pins40to45[1].initialise(this, 41, &QX_GUI::onPin41);
    pins40to45[2].initialise(this, 42, &QX_GUI::onPin42);
    pins40to45[3].initialise(this, 43, &QX_GUI::onPin43);
    pins40to45[4].initialise(this, 44, &QX_GUI::onPin44);
    pins40to45[5].initialise(this, 45, &QX_GUI::onPin45);
    pinNode.initialise(this, 60, &QX_GUI::onPin60);
    pinMeters.initialise(this, 61, &QX_GUI::onMeterPin);
    pinSourceActivity.initialise(this, 62, &QX_GUI::onSourceActivityPin);
    pinTargetActivity.initialise(this, 63, &QX_GUI::onTargetActivityPin);
    pinFloat58.initialise(this, 58, &QX_GUI::onFloatPin58);
    pinFloat59.initialise(this, 59, &QX_GUI::onFloatPin59);
    pin65.initialise(this, 65, &QX_GUI::onPin65);
    pinSourceMeters.initialise(this, 66, &QX_GUI::onSourceMetersPin);
    pinTargetMeters.initialise(this, 67, &QX_GUI::onTargetMetersPin);
}

gmpi::IMpUnknown* createQxGui() {
    return static_cast<gmpi::IMpUserInterface*>(new QX_GUI);
}
