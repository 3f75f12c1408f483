// Editor verbs that the dispatcher runs inline: the FILTERS editor's reset and band type, the
// EQ preset table and presets, the DYNAMICS editor's reset and its side-chain settings.
#include <cmath>

#include "app/qx_gui.h"
#include "command/verb_support.h"
#include "model/checked_number.h"

namespace {

// Slots of the FILTERS and DYNAMICS editors in the panel table.
constexpr int kDynamicsPanelSlot = 5;
constexpr int kFiltersPanelSlot = 6;

constexpr int kEditorBands = 5;

bool editsAnItem(int32_t kind, int32_t index) {
    return (kind == kKindSource || kind == kKindTarget) && index >= 0 && index < QX_GUI::kChannels;
}

} // namespace

void QX_GUI::storeAndSyndicateFiltersPanel() {
    storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    syndicateFilters();
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

int32_t QX_GUI::cmdResetFiltersPanel(CliObject) {
    static const struct {
        int32_t type;
        double frequency;
    } kDefaults[kEditorBands] = {{EqBand::kLowShelf, 100.0},
                                 {EqBand::kPeak, 250.0},
                                 {EqBand::kPeak, 1000.0},
                                 {EqBand::kPeak, 3000.0},
                                 {EqBand::kHighShelf, 6000.0}};
    const PanelWindow& panel = panelFrame.panels[kFiltersPanelSlot];
    for (int b = 0; b < kEditorBands; ++b) {
        EqBand& band = filtersEditor.eqEditBands[b];
        band.setType(kDefaults[b].type);
        band.frequency = kDefaults[b].frequency;
        band.gainDb = 0.0;
        band.active = 0;
        band.width = 1.0;
        band.plotGainScale = 1.0f;
        band.plotHeight = saturatingInt(panel.height);
        band.buildFrequencyAxis(saturatingInt(panel.width));
        band.redesign();
        band.computeResponse();
    }
    filtersEditor.filtersEnabled = 0;
    storeAndSyndicateFiltersPanel();
    return 0;
}

int32_t QX_GUI::cmdSetFilterType(CliObject command) {
    double value = 0.0;
    if (!verbs::readNumberWord(command.string, value) || !(value >= 0.0 && value < 7.0)) {
        console.pendingError = "FILTER TYPE MUST BE A NUMBER FROM 0 TO 6";
        return 1;
    }
    const int32_t picked = filtersEditor.filterDragBand;
    if (picked < 0 || picked >= kEditorBands) {
        console.pendingError = "NO FILTER BAND SELECTED";
        return 1;
    }
    EqBand& band = filtersEditor.eqEditBands[picked];
    band.setType(saturatingInt(value));
    band.updateTypeNames();
    band.redesign();
    storeAndSyndicateFiltersPanel();
    return 0;
}

int32_t QX_GUI::cmdLoadEqPresets(CliObject) {
    eqPresets = readEqPresetFile("EQ_PRESETS.txt");
    return 0;
}

int32_t QX_GUI::cmdEqPreset(CliObject command) {
    // An unknown name leaves the editor's bands as they are and reports.
    return applyEqPresetByName(command.string);
}

bool QX_GUI::requireDynamicsPanelItem() {
    if (editsAnItem(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex))
        return true;
    console.pendingError = "THE DYNAMICS PANEL SHOWS NO SOURCE OR TARGET";
    return false;
}

int32_t QX_GUI::cmdResetDynamicsPanel(CliObject) {
    if (!requireDynamicsPanelItem()) return 1;
    const int32_t kind = dynamicsEditor.dynamicsPanelKind;
    const int32_t index = dynamicsEditor.dynamicsPanelIndex;
    (kind == kKindSource ? inputDynamics : outputDynamics)[index].active = 0;
    loadDynamicsPanel(kind, index); // sets the record up afresh
    dynamicsEditor.dynamicsEditCurve.enabled = 0;
    sendDynamicsSettings(kind, index);
    return 0;
}

int32_t QX_GUI::cmdSideChainInternal(CliObject) {
    if (!requireDynamicsPanelItem()) return 1;
    dynamicsEditor.dynamicsEditCurve.sidechainIndex =
        static_cast<uint8_t>(dynamicsEditor.dynamicsPanelIndex & 0xFF);
    dynamicsEditor.dynamicsEditCurve.sidechainKind =
        static_cast<uint8_t>(dynamicsEditor.dynamicsPanelKind);
    if (dynamicsEditor.dynamicsEditCurve.sidechainLocation == 3)
        dynamicsEditor.dynamicsEditCurve.sidechainLocation = 2;
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    syndicateDynamics(true, true, true);
    return 0;
}

int32_t QX_GUI::cmdSideChainSelect(CliObject) {
    const int32_t kind = dynamicsEditor.dynamicsPanelKind;
    if (kind == kKindGroup) {
        console.pendingError = "SELECTING GROUP SIDECHAIN NOT IMPLEMENTED YET";
        return 1;
    }
    if (kind == 4) {
        console.pendingError = "SELECTING ROOM SIDECHAIN NOT IMPLEMENTED YET";
        return 1;
    }
    if (!editsAnItem(kind, dynamicsEditor.dynamicsPanelIndex)) return 0;
    const int32_t sidechain = dynamicsEditor.dynamicsEditCurve.sidechainIndex;
    const bool keyedBySource =
        kind == kKindSource || outputDynamics[dynamicsEditor.dynamicsPanelIndex].direction == 1;
    const std::string name = keyedBySource ? sources[sidechain].name : targets[sidechain].name;
    const PanelWindow& panel = panelFrame.panels[kDynamicsPanelSlot];
    textEntry.textEntryId = 25;
    openTextEntry(saturatingInt(panel.positionX + 253.0f),
                  saturatingInt(panel.positionY + panel.titleBarHeight + 11.0f), 71, 20, name, 16,
                  0, "SELECT SIDECHAIN", "INPUT THE NAME OF\nTHE SIDECHAIN SOURCE", 1);
    return 0;
}

int32_t QX_GUI::cmdSideChainLocation(CliObject, int32_t location) {
    if (!requireDynamicsPanelItem()) return 1;
    if (location == 3) {
        raiseSendFlag(kSendInputDynamics);
        raiseSendFlag(kSendOutputDynamics);
    }
    dynamicsEditor.dynamicsEditCurve.sidechainLocation = static_cast<uint8_t>(location);
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    syndicateDynamics(false, true, false);
    for (int32_t flag : {kSendInputDelays, kSendOutputDelays, kSendInputEq, kSendOutputEq,
                         kSendInputDynamics, kSendOutputDynamics})
        raiseSendFlag(flag);
    return 0;
}
