// The DELAY editor's settings: load an item's delay into the editor, store it back, copy it to
// the syndication set and blank a whole table. A delay is held in seconds, -1.0 to +1.0.
#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/editor_records.h"
#include "panels/frame/panel_ids.h"

namespace {

DelayRecord* delayTable(QX_GUI& gui, int32_t kind) {
    if (kind == kKindSource) return gui.inputDelays;
    if (kind == kKindTarget) return gui.outputDelays;
    return nullptr;
}

} // namespace

void QX_GUI::loadDelayPanel(int32_t kind, int32_t index) {
    DelayRecord* found = editorRecord(*this, inputDelays, outputDelays, kind, index,
                                      "CAN'T RETRIEVE DELAY SETTINGS", "delay target not in range");
    if (found == nullptr) return;
    showEditedItem(*this, panelFrame.panels[kPanelDelay], kind, index);
    DelayRecord& record = *found;
    if (record.changed == 0) {
        record.channel = static_cast<uint8_t>(index);
        record.changed = 1;
        record.on = 0;
        record.reserved = 0;
        record.time = 0.0f;
    }
    delayEditor.delayPanelKind = kind;
    delayEditor.delayPanelIndex = index;
    showDelayRecord(record);
}

void QX_GUI::showDelayRecord(const DelayRecord& record) {
    delayEditor.delayTime = record.time;
    delayEditor.delayEnabled = record.on;
    delayEditor.delayShownRecord = record;
}

void QX_GUI::storeDelaySettings(int32_t kind, int32_t index) {
    DelayRecord* found = editorRecord(*this, inputDelays, outputDelays, kind, index,
                                      "CAN'T RETRIEVE DELAY SETTINGS", "delay target not in range");
    if (found == nullptr) return;
    DelayRecord& record = *found;
    record.changed = 1;
    record.channel = static_cast<uint8_t>(index);
    record.time = delayEditor.delayTime;
    record.on = delayEditor.delayEnabled;
    syndicateDelay();
    raiseSendFlag(kSendInputDelays);
    raiseSendFlag(kSendOutputDelays);
    delayEditor.delayShownRecord = record;
}

void QX_GUI::syndicateDelay() {
    const int32_t kind = delayEditor.delayPanelKind;
    const int32_t index = delayEditor.delayPanelIndex;
    DelayRecord* table = delayTable(*this, kind);
    if (table == nullptr || index < 0 || index >= kChannels) return;
    buildSyndicationSet(kind);
    if (!editedItemQualifiesForSyndication(kind, index)) return;
    const DelayRecord shown = table[index];
    for (int32_t i = 0; i < syndicationSetCount; ++i) {
        DelayRecord& member = table[syndicationSet[i]];
        member.on = shown.on;
        member.time = shown.time;
        member.changed = 1;
    }
    syndicationFlash = 1;
    raiseSendFlag(kSendInputDelays);
    raiseSendFlag(kSendOutputDelays);
}

void QX_GUI::resetDelays(int32_t kind) {
    DelayRecord* table = delayTable(*this, kind);
    if (table == nullptr) {
        setStatusMessage("CAN'T RESET DELAY SETTINGS");
        return;
    }
    setStatusMessage(kind == kKindSource ? "RESETTING INPUT DELAYS" : "RESETTING OUTPUT DELAYS");
    for (int32_t i = 0; i < kChannels; ++i) table[i] = DelayRecord();
}

void QX_GUI::markDelayDirty(int32_t kind) {
    if (kind == kKindSource) raiseSendFlag(kSendInputDelays);
    if (kind == kKindTarget) raiseSendFlag(kSendOutputDelays);
}
