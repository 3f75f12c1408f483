// The DYNAMICS editor's settings: load an item's dynamics into the editor, store and send them,
// copy them to the syndication set, reset one record or a whole table, and the clipboard.
#include <algorithm>
#include <vector>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/editor_records.h"
#include "panels/frame/panel_ids.h"

namespace {

DynamicsRecord* dynamicsTable(QX_GUI& gui, int32_t kind) {
    if (kind == kKindSource) return gui.inputDynamics;
    if (kind == kKindTarget) return gui.outputDynamics;
    return nullptr;
}

constexpr float kDefaultTimeCoefficient = 0.9995824f; // 250 ms at 44,100 Hz

// The 192-entry level table of five control points given as x, y pairs.
std::vector<float> levelTableOf(const float (&points)[10]) {
    DynamicsCurve curve;
    curve.pointCount = 5;
    for (int p = 0; p < 5; ++p) curve.points[p] = {points[2 * p], points[2 * p + 1]};
    curve.buildTable60();
    return std::vector<float>(curve.table60, curve.table60 + DynamicsCurve::kTable60Size);
}

// A chain is taken after the dynamics (location 3) only by a target keyed on a source, as
// SIDECHAIN and a loaded patch take it; any other record takes it after the filter, as
// SIDE_CHAIN_INTERNAL does.
int32_t heldSideChainLocation(int32_t kind, const DynamicsRecord& record, int32_t location) {
    const bool targetKeyedOnSource = kind == kKindTarget && record.direction == kKindSource;
    return location == 3 && !targetKeyedOnSource ? 2 : location;
}

} // namespace

void QX_GUI::resetDynamicsRecord(int32_t kind, int32_t index) {
    DynamicsRecord* found =
        editorRecord(*this, inputDynamics, outputDynamics, kind, index,
                     "CAN'T RETRIEVE DYNAMICS SETTINGS", "dynamics target not in range");
    if (found == nullptr) return;
    static constexpr float kStraightLine[10] = {0.0f, 0.0f,  0.45f, 0.45f, 0.5f,
                                                0.5f, 0.55f, 0.55f, 1.0f,  1.0f};
    DynamicsRecord& record = *found;
    record.type = 0;
    record.attack = 250.0f;
    record.release = 250.0f;
    record.thresholdX = 0.0f;
    record.ratioParameter = 0.0f;
    record.knee = 0.1f;
    record.attackCoefficient = kDefaultTimeCoefficient;
    record.releaseCoefficient = kDefaultTimeCoefficient;
    record.reserved = 0;
    record.channelIndex = index;
    record.direction = kind;
    record.sideChainLocation = 2;
    for (int k = 0; k < 10; ++k) record.points[k] = kStraightLine[k];
    // What storing the straight line writes, and what a patch's DYNAMICS line rebuilds from it:
    // its ratio, the x of its middle point and its level table.
    record.ratio = 1.0f;
    record.thresholdX = kStraightLine[4];
    static const std::vector<float> straightTable = levelTableOf(kStraightLine);
    std::copy(straightTable.begin(), straightTable.end(), record.curve);
}

void QX_GUI::loadDynamicsPanel(int32_t kind, int32_t index) {
    DynamicsRecord* found =
        editorRecord(*this, inputDynamics, outputDynamics, kind, index,
                     "CAN'T RETRIEVE DYNAMICS SETTINGS", "dynamics target not in range");
    if (found == nullptr) return;
    showEditedItem(*this, panelFrame.panels[kPanelDynamics], kind, index);
    DynamicsRecord& record = *found;
    const bool settingUp = record.active == 0;
    if (settingUp) {
        resetDynamicsRecord(kind, index);
        record.active = 1;
        record.mode = 0;
    }
    dynamicsEditor.dynamicsPanelKind = kind;
    dynamicsEditor.dynamicsPanelIndex = index;
    showDynamicsRecord(record);
    if (settingUp) {
        // A record set up here holds what storing it would write: its channel, its threshold
        // point and the table of its own curve, as the DYNAMICS verb leaves a record it sets up.
        DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
        curve.buildTable60();
        record.channel = static_cast<uint8_t>(index);
        record.thresholdX = curve.points[2].x;
        for (int k = 0; k < DynamicsCurve::kTable60Size; ++k) record.curve[k] = curve.table60[k];
        dynamicsEditor.dynamicsShownRecord = record;
    }
}

void QX_GUI::showDynamicsRecord(const DynamicsRecord& record) {
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    dynamicsEditor.dynamicsEditCurve.dynamicsType = record.type;
    curve.enabled = record.mode;
    curve.attackMs = record.attack;
    curve.releaseMs = record.release;
    dynamicsEditor.dynamicsEditCurve.attackCoefficient = record.attackCoefficient;
    dynamicsEditor.dynamicsEditCurve.releaseCoefficient = record.releaseCoefficient;
    dynamicsEditor.dynamicsEditCurve.knee = record.knee;
    curve.ratio = record.ratio;
    dynamicsEditor.dynamicsEditCurve.auxParameter = record.ratioParameter;
    dynamicsEditor.dynamicsEditCurve.sidechainIndex =
        static_cast<uint8_t>(record.channelIndex & 0xFF);
    dynamicsEditor.dynamicsEditCurve.sidechainKind = static_cast<uint8_t>(record.direction & 0xFF);
    dynamicsEditor.dynamicsEditCurve.sidechainLocation =
        static_cast<uint8_t>(record.sideChainLocation & 0xFF);
    curve.pointCount = 5;
    for (int p = 0; p < 5; ++p) {
        curve.points[p].x = record.points[2 * p];
        curve.points[p].y = record.points[2 * p + 1];
    }
    // The editor holds the record's own level table, so that storing the record back does not
    // replace it with the table of the item the editor showed before.
    std::copy(record.curve, record.curve + DynamicsCurve::kTable60Size, curve.table60);
    curve.buildTable(static_cast<int32_t>(curve.plotWidth));
    dynamicsEditor.dynamicsShownRecord = record;
}

void QX_GUI::sendDynamicsSettings(int32_t kind, int32_t index) {
    DynamicsRecord* found =
        editorRecord(*this, inputDynamics, outputDynamics, kind, index,
                     "CAN'T SEND DYNAMICS SETTINGS", "dynamics source not in range");
    if (found == nullptr) return;
    const DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    DynamicsRecord& record = *found;
    record.channel = static_cast<uint8_t>(index);
    record.type = static_cast<uint8_t>(dynamicsEditor.dynamicsEditCurve.dynamicsType);
    record.mode = static_cast<uint8_t>(curve.enabled);
    record.attack = curve.attackMs;
    record.release = curve.releaseMs;
    record.thresholdX = curve.points[2].x;
    record.knee = dynamicsEditor.dynamicsEditCurve.knee;
    record.ratio = curve.ratio;
    record.ratioParameter = dynamicsEditor.dynamicsEditCurve.auxParameter;
    record.attackCoefficient = dynamicsEditor.dynamicsEditCurve.attackCoefficient;
    record.releaseCoefficient = dynamicsEditor.dynamicsEditCurve.releaseCoefficient;
    record.reserved = 0;
    record.channelIndex = dynamicsEditor.dynamicsEditCurve.sidechainIndex;
    record.direction = dynamicsEditor.dynamicsEditCurve.sidechainKind;
    record.sideChainLocation =
        heldSideChainLocation(kind, record, dynamicsEditor.dynamicsEditCurve.sidechainLocation);
    dynamicsEditor.dynamicsEditCurve.sidechainLocation =
        static_cast<uint8_t>(record.sideChainLocation & 0xFF);
    for (int p = 0; p < 5; ++p) {
        record.points[2 * p] = curve.points[p].x;
        record.points[2 * p + 1] = curve.points[p].y;
    }
    for (int k = 0; k < DynamicsCurve::kTable60Size; ++k) record.curve[k] = curve.table60[k];
    dynamicsEditor.dynamicsShownRecord = record;
    sendDynamicsTable(kind);
}

// The dynamics table of the kind goes to the DSP side at once, not through the send flags.
void QX_GUI::sendDynamicsTable(int32_t kind) {
    if (kind == kKindSource) sendInputDynamicsBlob();
    if (kind == kKindTarget) sendOutputDynamicsBlob();
}

void QX_GUI::syndicateDynamics(bool copySidechainSource, bool copySidechainLocation,
                               bool sidechainToSelf) {
    const int32_t kind = dynamicsEditor.dynamicsPanelKind;
    const int32_t index = dynamicsEditor.dynamicsPanelIndex;
    DynamicsRecord* table = dynamicsTable(*this, kind);
    if (table == nullptr || index < 0 || index >= kChannels) return;
    buildSyndicationSet(kind);
    if (!editedItemQualifiesForSyndication(kind, index)) return;
    const DynamicsRecord shown = table[index];
    for (int32_t i = 0; i < syndicationSetCount; ++i) {
        const int32_t m = syndicationSet[i];
        DynamicsRecord& member = table[m];
        const int32_t ownIndex = member.channelIndex;
        const int32_t ownKind = member.direction;
        const int32_t ownLocation = member.sideChainLocation;
        member = shown;
        // The member keeps its own channel byte: the processor the record drives is its own.
        member.channel = static_cast<uint8_t>(m);
        if (!copySidechainSource) {
            member.channelIndex = ownIndex;
            member.direction = ownKind;
        }
        if (!copySidechainLocation) member.sideChainLocation = ownLocation;
        if (sidechainToSelf) {
            member.channelIndex = m;
            member.direction = kind;
        }
        member.sideChainLocation = heldSideChainLocation(kind, member, member.sideChainLocation);
    }
    syndicationFlash = 1;
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
}

void QX_GUI::resetDynamics(int32_t kind) {
    DynamicsRecord* table = dynamicsTable(*this, kind);
    if (table == nullptr) {
        setStatusMessage("CAN'T RESET DYNAMICS SETTINGS");
        return;
    }
    setStatusMessage(kind == kKindSource ? "RESETTING INPUT DYNAMICS"
                                         : "RESETTING OUTPUT DYNAMICS");
    for (int32_t i = 0; i < kChannels; ++i) table[i] = DynamicsRecord();
}

int32_t QX_GUI::copyDynamics() {
    setStatusMessage("COPY DYNAMICS");
    const DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    DynamicsRecord& clip = dynamicsClipboard;
    clip.channel = static_cast<uint8_t>(dynamicsEditor.dynamicsPanelIndex);
    clip.type = static_cast<uint8_t>(dynamicsEditor.dynamicsEditCurve.dynamicsType);
    clip.mode = static_cast<uint8_t>(curve.enabled);
    clip.attack = curve.attackMs;
    clip.release = curve.releaseMs;
    clip.knee = dynamicsEditor.dynamicsEditCurve.knee;
    clip.ratioParameter = dynamicsEditor.dynamicsEditCurve.auxParameter;
    clip.attackCoefficient = dynamicsEditor.dynamicsEditCurve.attackCoefficient;
    clip.releaseCoefficient = dynamicsEditor.dynamicsEditCurve.releaseCoefficient;
    clip.channelIndex = dynamicsEditor.dynamicsEditCurve.sidechainIndex;
    clip.direction = dynamicsEditor.dynamicsEditCurve.sidechainKind;
    clip.sideChainLocation = dynamicsEditor.dynamicsEditCurve.sidechainLocation;
    clip.active = 1;
    clip.reserved = 0;
    for (int p = 0; p < 5; ++p) {
        clip.points[2 * p] = curve.points[p].x;
        clip.points[2 * p + 1] = curve.points[p].y;
    }
    // The rest of what storing the shown record writes, so that a pasted record holds it too.
    clip.thresholdX = curve.points[2].x;
    clip.ratio = curve.ratio;
    std::copy(curve.table60, curve.table60 + DynamicsCurve::kTable60Size, clip.curve);
    dynamicsClipboardFull = 1;
    return 0;
}

int32_t QX_GUI::pasteDynamics() {
    if (dynamicsClipboardFull == 0) {
        console.pendingError = "NO DYNAMICS IN CLIPBOARD!";
        return 1;
    }
    setStatusMessage("PASTE DYNAMICS");
    const DynamicsRecord& clip = dynamicsClipboard;
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    for (int p = 0; p < 5; ++p) {
        curve.points[p].x = clip.points[2 * p];
        curve.points[p].y = clip.points[2 * p + 1];
    }
    curve.enabled = clip.mode;
    curve.attackMs = clip.attack;
    curve.releaseMs = clip.release;
    dynamicsEditor.dynamicsEditCurve.knee = clip.knee;
    dynamicsEditor.dynamicsEditCurve.auxParameter = clip.ratioParameter;
    dynamicsEditor.dynamicsEditCurve.dynamicsType = clip.type;
    dynamicsEditor.dynamicsEditCurve.attackCoefficient = clip.attackCoefficient;
    dynamicsEditor.dynamicsEditCurve.releaseCoefficient = clip.releaseCoefficient;

    const bool intoSource = dynamicsEditor.dynamicsPanelKind == kKindSource;
    if (intoSource && clip.direction == 2) {
        setStatusMessage("PASTE DYNAMICS INTO SOURCE WHERE SIDECHAIN IS TARGET");
        dynamicsEditor.dynamicsEditCurve.sidechainKind = 1;
    } else {
        if (intoSource) setStatusMessage("PASTE DYNAMCIS INTO SOURCE WHERE SIDECHAIN IS AGNOSTIC");
        if (clip.channelIndex != clip.channel)
            dynamicsEditor.dynamicsEditCurve.sidechainIndex =
                static_cast<uint8_t>(clip.channelIndex & 0xFF);
        dynamicsEditor.dynamicsEditCurve.sidechainKind =
            static_cast<uint8_t>(clip.direction & 0xFF);
        dynamicsEditor.dynamicsEditCurve.sidechainLocation =
            static_cast<uint8_t>(clip.sideChainLocation & 0xFF);
    }
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    return 0;
}

void QX_GUI::markDynamicsDirty(int32_t kind) {
    if (kind == kKindSource) raiseSendFlag(kSendInputDynamics);
    if (kind == kKindTarget) raiseSendFlag(kSendOutputDynamics);
}
