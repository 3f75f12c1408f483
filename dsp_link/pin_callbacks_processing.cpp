// Callbacks of the processing pins: delays, equalisers, dynamics and the mix tables.
#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "dsp_link/processing_codec.h"
#include "panels/frame/panel_ids.h"

namespace {

int32_t recordsIn(const BlobReader& blob, int32_t recordSize, int32_t capacity) {
    int32_t n = blob.size() / recordSize;
    return n > capacity ? capacity : n;
}

} // namespace

void QX_GUI::takeDelays(MpGuiPin<MpBlob>& pin, DelayRecord* records, const char* resetMessage) {
    BlobReader blob(pin.getData(), pin.getSize());
    if (!blob.empty()) {
        // Head, then one record per channel; the head's minimum is added back.
        int32_t n = blob.size() / blob_layout::kDelaySize;
        float lowest = blob.f32(4);
        for (int k = 0; k + 1 < n && k < kChannels; ++k) {
            int64_t at = blob_layout::kDelayHeadSize + int64_t{k} * blob_layout::kDelaySize;
            DelayRecord& d = records[k];
            d.channel = blob.u8(at);
            d.changed = blob.u8(at + 1);
            d.on = blob.u8(at + 2);
            d.reserved = blob.u8(at + 3);
            d.time = lowest + blob.f32(at + 4);
        }
    } else {
        setStatusMessage(resetMessage);
        for (int k = 0; k < kChannels; ++k) records[k] = DelayRecord{};
    }
    if (panelFrame.panels[kPanelDelay].shown)
        loadDelayPanel(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
}

void QX_GUI::onInputDelaysPin() {
    takeDelays(pinInputDelays, inputDelays, "RESETTING INPUT DELAYS");
}

void QX_GUI::onOutputDelaysPin() {
    takeDelays(pinOutputDelays, outputDelays, "RESETTING OUTPUT DELAYS");
    // The processing blobs must now match the counts: check them two ticks from now.
    patchCheckPending = 1;
    patchCheckCountdown = 2;
}

void QX_GUI::takeFilters(MpGuiPin<MpBlob>& pin, FilterRecord* records, int32_t kind) {
    BlobReader blob(pin.getData(), pin.getSize());
    if (!blob.empty()) {
        int32_t n = recordsIn(blob, blob_layout::kFilterSize, kChannels);
        for (int k = 0; k < kChannels; ++k) records[k].inUse = 0;
        for (int k = 0; k < n; ++k)
            processing_codec::decodeFilter(blob.data() + int64_t{k} * blob_layout::kFilterSize,
                                           records[k]);
        if (filtersEditor.filterPanelKind == kind) {
            int32_t count = kind == kKindSource ? sourceCount : targetCount;
            if (filtersEditor.filterPanelIndex > count - 1) filtersEditor.filterPanelIndex = 0;
        }
    } else if (kind == kKindSource) {
        resetFilters(1);
    } else {
        setStatusMessage("RESETTING OUTPUT FILTERS");
        for (int k = 0; k < kChannels; ++k) records[k] = FilterRecord{};
    }
    if (panelFrame.panels[kPanelFilters].shown)
        loadFiltersPanel(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
}

void QX_GUI::onInputEqPin() {
    takeFilters(pinInputEq, inputFilters, 1);
}

void QX_GUI::onOutputEqPin() {
    takeFilters(pinOutputEq, outputFilters, 2);
}

void QX_GUI::takeDynamics(MpGuiPin<MpBlob>& pin, DynamicsRecord* records, int32_t kind) {
    BlobReader blob(pin.getData(), pin.getSize());
    if (!blob.empty()) {
        int32_t n = recordsIn(blob, blob_layout::kDynamicsSize, kChannels);
        for (int k = 0; k < kChannels; ++k) records[k].mode = 0;
        for (int k = 0; k < n; ++k)
            processing_codec::decodeDynamics(blob.data() + int64_t{k} * blob_layout::kDynamicsSize,
                                             records[k]);
        if (dynamicsEditor.dynamicsPanelKind == kind) {
            int32_t count = kind == kKindSource ? sourceCount : targetCount;
            if (dynamicsEditor.dynamicsPanelIndex > count - 1)
                dynamicsEditor.dynamicsPanelIndex = 0;
        }
    } else if (kind == kKindSource) {
        resetDynamics(1);
    } else {
        setStatusMessage("RESETTING OUTPUT DYNAMICS");
        for (int k = 0; k < kChannels; ++k) records[k] = DynamicsRecord{};
    }
    if (panelFrame.panels[kPanelDynamics].shown)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
}

void QX_GUI::onInputDynamicsPin() {
    takeDynamics(pinInputDynamics, inputDynamics, 1);
}

void QX_GUI::onOutputDynamicsPin() {
    takeDynamics(pinOutputDynamics, outputDynamics, 2);
}

void QX_GUI::takeMixes(MpGuiPin<MpBlob>& pin, MixRecord* records) {
    BlobReader blob(pin.getData(), pin.getSize());
    int32_t n = recordsIn(blob, blob_layout::kMixSize, kChannels);
    for (int k = 0; k < n; ++k)
        processing_codec::decodeMix(blob.data() + int64_t{k} * blob_layout::kMixSize, records[k]);
}

void QX_GUI::onInputMixerPin() {
    takeMixes(pinInputMixer, inputMixers);
}

void QX_GUI::onOutputMixerPin() {
    takeMixes(pinOutputMixer, outputMixers);
}

void QX_GUI::onFeedbackMixesPin() {
    takeMixes(pinFeedbackMixes, feedbackMixes);
}

// The open DELAY, FILTERS and DYNAMICS editors that show an item of the kind (1 source,
// 2 target) load it again, so values that came in from the DSP side appear at once.
void QX_GUI::refreshOpenEditors(int32_t kind) {
    if (panelFrame.panels[kPanelDelay].shown && delayEditor.delayPanelKind == kind)
        loadDelayPanel(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
    if (panelFrame.panels[kPanelFilters].shown && filtersEditor.filterPanelKind == kind)
        loadFiltersPanel(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    if (panelFrame.panels[kPanelDynamics].shown && dynamicsEditor.dynamicsPanelKind == kind)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
}
