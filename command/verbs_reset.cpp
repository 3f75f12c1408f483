// Reset, information and instance verbs, and the dispatcher's global resets of the virtual
// routing, filters, dynamics, delays and feedback mixes.
#include <cstdio>

#include "app/qx_gui.h"
#include "model/checked_number.h"

int32_t QX_GUI::cmdHardReset(CliObject) {
    reloadMacroName.clear();
    annotations.stageAnnotations.rectCount = 0;
    annotations.stageAnnotations.textCount = 0;
    for (AnnotationButton& button : annotations.stageAnnotations.buttons) button.hover = 0;
    annotations.stageAnnotations.buttonCount = 0;
    setStatusMessage("EXECUTE HARD RESET");

    autoSave = 0;
    autoBackupOn = 0;
    chrome.chromeHidden = 0;
    view.viewPanX = 0.0f;
    view.viewPanY = 0.0f;
    // The view switches, the global radius, the current stored-selection slot and the touched
    // node as a fresh instance has them: a patch writes them as changes from those (TOGGLE
    // lines flip a switch), so a load on a changed stage gives what it gives a fresh one.
    stageView = StageViewSwitches{};
    viewSettings.globalRadius = ViewSettings::kDefaultRadius;
    storedSelectionNumber = 1;
    touchedKind = touchedIndex = -1;
    view.viewZoom = 1.0f;

    initPanelWindows();
    initPanelOrder();

    executeCommandString("NO_PANELS");
    executeCommandString("RESET_TOOLBOX");
    executeCommandString("RESET_SELECT");
    executeCommandString("SELECT NONE");

    sourceCount = kMaxLiveItems;
    targetCount = kMaxLiveItems;
    for (int32_t i = 0; i < kMaxLiveItems; ++i) {
        resetSource(i);
        resetTarget(i);
        sources[i].x = sources[i].y = 0.0f;
        targets[i].x = targets[i].y = 0.0f;
    }
    roomCount = kMaxRoomCount;
    for (int32_t r = 0; r < kMaxRoomCount; ++r) bringRoomIntoUse(r);
    groupCount = 16;
    for (int32_t g = 0; g < groupCount; ++g) bringGroupIntoUse(g);
    syndicationMode = 0;

    auto dispatchFresh = [this](const char* verb) {
        CliObject fresh;
        fresh.action = verb;
        dispatchCommand(std::move(fresh));
    };
    dispatchFresh("RESET_V");
    dispatchFresh("RESET_FF");
    dispatchFresh("RESET_DE");
    executeCommandString("RESET_FILTERS_DSP");
    dispatchFresh("RESET_DY");

    noteCount = 0;
    raiseSendFlag(kSendNotes);
    viewSettings.masterVolume = 1.0f;
    // Emptied whole, as a fresh instance has them: the slices pin sends no former members.
    for (SliceRecord& slice : slices) slice = SliceRecord();
    raiseSendFlag(kSendSlices);
    return 0;
}

int32_t QX_GUI::cmdHardResetPrompt(CliObject) {
    appendConsoleLine("HARD RESET BY PROMPT?");
    textEntry.textEntryKeysOn = 1;
    textEntry.textEntryId = 30;
    openTextEntry(static_cast<int32_t>(windowWidth * 0.5f),
                  static_cast<int32_t>(windowHeight * 0.5f), 60, 20, "NO", 3, 0,
                  "PERFORM A HARD RESET",
                  "ENTER 'YES' IN THE BOX AND PRESS ENTER TO CONTINUE\n"
                  "THIS WILL DESTROY THE CURRENT PATCH",
                  1);
    return 0;
}

int32_t QX_GUI::cmdInfo(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    console.notice = 1;
    appendConsoleLine("INFO FOR " + (list.count() > 0 ? list[0].name : std::string()));
    appendConsoleLine("   THIS FUNCTION IS NOT IMPLEMENTED YET");
    console.notice = 0;
    return 0;
}

int32_t QX_GUI::cmdWakeNow(CliObject) {
    appendConsoleLine(" I SHOUD NOW WAKE UP");
    ownInstance.asleep = 0;
    sendStateAndRedraw();
    return 0;
}

int32_t QX_GUI::cmdSleepNow(CliObject) {
    appendConsoleLine(" I SHOUD NOW GO TO SLEEP");
    ownInstance.asleep = 1;
    sendStateAndRedraw();
    return 0;
}

namespace {

int32_t scriptToClient(QX_GUI& gui, const CliObject& command, const char* label, const char* line) {
    const int32_t id = saturatingInt(command.named(kKeyX));
    if (id <= 0) return 1;
    char text[64];
    std::snprintf(text, sizeof text, "%s > %i", label, id);
    gui.appendConsoleLine(text);
    ScriptRecord script;
    script.kind = 2;
    script.addressee = id;
    script.append(line);
    gui.sendScript(script);
    return 0;
}

} // namespace

int32_t QX_GUI::cmdWakeClient(CliObject command) {
    return scriptToClient(*this, command, "WAKE CLIENT", "WAKE_NOW");
}

int32_t QX_GUI::cmdSleepClient(CliObject command) {
    return scriptToClient(*this, command, "SLEEP CLIENT", "SLEEP_NOW");
}

void QX_GUI::resetVirtualRouting() {
    setStatusMessage("RESET ALL I/O VIRTUALISATION");
    auto resetMix = [](MixRecord& mix, int32_t i) {
        mix.inUse = 0;
        mix.pinCount = 1;
        mix.index = i;
        mix.pinNumbers[0] = i;
        mix.gains[0] = 1.0f;
        mix.phases[0] = 1.0f;
        mix.mutes[0] = 0;
    };
    for (int32_t i = 0; i < kChannels; ++i) {
        sources[i].virtualChannel = i;
        resetMix(inputMixers[i], i);
    }
    for (int32_t i = 0; i < kChannels; ++i) {
        targets[i].virtualChannel = i;
        resetMix(outputMixers[i], i);
    }
    loadVirtualPanel(virtualEditor.virtualEditMode, virtualEditor.virtualEditIndex);
    for (int32_t flag : {kSendMixers, kSendGainMatrix, kSendSources, kSendTargets})
        raiseSendFlag(flag);
}

void QX_GUI::resetAllFilterUse() {
    setStatusMessage("RESET ALL FILTERS");
    for (int32_t i = 0; i < kChannels; ++i) {
        inputFilters[i].inUse = 0;
        outputFilters[i].inUse = 0;
    }
    loadFiltersPanel(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

void QX_GUI::resetAllDynamics() {
    setStatusMessage("RESET ALL DYNAMICS");
    DynamicsCurve straight;
    static constexpr float kLine[5] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    straight.pointCount = 5;
    for (int32_t k = 0; k < 5; ++k) straight.points[k] = {kLine[k], kLine[k]};
    straight.buildTable60();
    auto reset = [&](DynamicsRecord& record, int32_t i, int32_t kind) {
        record.mode = 0;
        record.active = 0;
        record.attack = 250.0f;
        record.release = 250.0f;
        record.channelIndex = i;
        record.direction = kind;
        record.sideChainLocation = -1;
        for (int32_t k = 0; k < DynamicsCurve::kTable60Size; ++k)
            record.curve[k] = straight.table60[k];
    };
    for (int32_t i = 0; i < kChannels; ++i) {
        reset(inputDynamics[i], i, 1);
        reset(outputDynamics[i], i, 2);
    }
    if (dynamicsEditor.dynamicsPanelKind > -1 && dynamicsEditor.dynamicsPanelIndex > -1)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    dynamicsEditor.dynamicsPanelIndex = 0;
    dynamicsEditor.dynamicsPanelKind = -1;
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
}

void QX_GUI::resetAllDelays() {
    setStatusMessage("RESET ALL DELAYS");
    resetDelays(1);
    resetDelays(2);
    loadDelayPanel(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
    raiseSendFlag(kSendInputDelays);
    raiseSendFlag(kSendOutputDelays);
}

void QX_GUI::resetFeedbackMixes() {
    setStatusMessage("RESET FEEDBACK");
    for (MixRecord& mix : feedbackMixes) mix = MixRecord();
    raiseSendFlag(kSendFeedbackMixes);
}

void QX_GUI::resetFiltersDsp() {
    static constexpr int32_t kTypes[5] = {5, 4, 4, 4, 6};
    static constexpr float kFrequencies[5] = {100.0f, 250.0f, 1000.0f, 3000.0f, 6000.0f};
    auto reset = [](FilterRecord& record) {
        record.inUse = 0;
        record.enabled = 0;
        for (int32_t b = 0; b < 5; ++b) {
            FilterBandRecord& band = record.bands[b];
            band.enabled = 0;
            band.gain = 0.0f;
            band.width = 2.0f;
            band.coefficients[0] = 1.0;
            band.coefficients[3] = 1.0;
            band.type = kTypes[b];
            band.frequency = kFrequencies[b];
        }
    };
    for (int32_t i = 0; i < kChannels; ++i) {
        reset(inputFilters[i]);
        reset(outputFilters[i]);
    }
}
