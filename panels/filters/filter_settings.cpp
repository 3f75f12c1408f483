// The FILTERS editor's settings: load an item's equaliser into the editor's five bands, store
// the bands back into the item's record, copy the record to the syndication set, reset one
// record or a whole table, and the one-record clipboard.
#include "app/qx_gui.h"
#include "model/biquad_design.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/editor_records.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr int kBands = 5;

FilterRecord* filterTable(QX_GUI& gui, int32_t kind) {
    if (kind == kKindSource) return gui.inputFilters;
    if (kind == kKindTarget) return gui.outputFilters;
    return nullptr;
}

// A stored band becomes an editor band, its coefficients designed afresh.
void loadBand(EqBand& band, const FilterBandRecord& stored) {
    band.active = stored.enabled != 0 ? 1 : 0;
    band.type = stored.type;
    band.updateTypeNames();
    band.frequency = stored.frequency;
    band.gainDb = stored.gain;
    band.width = stored.width;
    band.redesign();
}

// An editor band becomes a stored band.
void storeBand(FilterBandRecord& stored, const EqBand& band) {
    stored.enabled = band.active != 0 ? 1 : 0;
    stored.type = band.type;
    stored.frequency = static_cast<float>(band.frequency);
    stored.gain = static_cast<float>(band.gainDb);
    stored.width = static_cast<float>(band.width);
    const double coefficients[6] = {band.b0, band.b1, band.b2, band.a0, band.a1, band.a2};
    for (int k = 0; k < 6; ++k) stored.coefficients[k] = coefficients[k];
}

// A stored band's coefficients designed from the settings it holds, as FILTER designs them.
void designStoredBand(FilterBandRecord& stored, int32_t sampleRate) {
    BiquadDesign design;
    designBiquad(design, stored.type, static_cast<float>(sampleRate), stored.frequency,
                 stored.width, stored.gain);
    normaliseBiquad(design);
    const double coefficients[6] = {design.b0, design.b1, design.b2,
                                    design.a0, design.a1, design.a2};
    for (int k = 0; k < 6; ++k) stored.coefficients[k] = coefficients[k];
}

uint8_t countActiveBands(const FilterRecord& record) {
    uint8_t count = 0;
    for (const FilterBandRecord& band : record.bands) count += band.enabled == 1 ? 1 : 0;
    return count;
}

} // namespace

void QX_GUI::resetFilterRecord(int32_t kind, int32_t index) {
    FilterRecord* found = editorRecord(*this, inputFilters, outputFilters, kind, index,
                                       "CAN'T RESET FILTER", "filter target not in range");
    if (found == nullptr) return;
    static constexpr struct {
        int32_t type;
        float frequency;
        float width;
    } kDefaults[kBands] = {{EqBand::kLowShelf, 100.0f, 2.0f},
                           {EqBand::kPeak, 250.0f, 2.0f},
                           {EqBand::kPeak, 1000.0f, 2.0f},
                           {EqBand::kPeak, 3000.0f, 2.0f},
                           {EqBand::kHighShelf, 6000.0f, 3.0f}};
    FilterRecord& record = *found;
    record.channel = static_cast<uint8_t>(index); // a record in use drives its own channel
    record.activeBandCount = 0;
    record.inUse = 1;
    record.enabled = 0;
    for (int b = 0; b < kBands; ++b) {
        record.bands[b].enabled = 0;
        record.bands[b].gain = 0.0f;
        record.bands[b].type = kDefaults[b].type;
        record.bands[b].frequency = kDefaults[b].frequency;
        record.bands[b].width = kDefaults[b].width;
        // The coefficients follow the default settings, so a record set up here holds the
        // same filter whether an editor or a patch line set it up.
        designStoredBand(record.bands[b], sampleRate);
    }
}

void QX_GUI::loadFiltersPanel(int32_t kind, int32_t index) {
    FilterRecord* found = editorRecord(*this, inputFilters, outputFilters, kind, index,
                                       "CAN'T RETRIEVE FILTERS", "filter source not in range");
    if (found == nullptr) return;
    filtersEditor.filterPanelIndex = index;
    filtersEditor.filterPanelKind = kind;
    FilterRecord& record = *found;
    if (record.inUse == 0) {
        resetFilterRecord(kind, index);
        record.inUse = 1;
        record.enabled = 0;
    }
    record.activeBandCount = countActiveBands(record);
    showFiltersRecord(record);
    showEditedItem(*this, panelFrame.panels[kPanelFilters], kind, index);
}

void QX_GUI::showFiltersRecord(const FilterRecord& record) {
    for (int b = 0; b < kBands; ++b) loadBand(filtersEditor.eqEditBands[b], record.bands[b]);
    filtersEditor.filtersEnabled = record.enabled;
    filtersEditor.filtersShownRecord = record;
}

void QX_GUI::storeFilterSettings(int32_t kind, int32_t index) {
    FilterRecord* found = editorRecord(*this, inputFilters, outputFilters, kind, index,
                                       "CAN'T SEND FILTERS", "filter target not in range");
    if (found == nullptr) return;
    FilterRecord& record = *found;
    for (int b = 0; b < kBands; ++b) storeBand(record.bands[b], filtersEditor.eqEditBands[b]);
    record.channel = static_cast<uint8_t>(index);
    record.activeBandCount = countActiveBands(record);
    record.inUse = 1;
    record.enabled = filtersEditor.filtersEnabled;
    markFiltersDirty(kind);
    filtersEditor.filtersShownRecord = record;
}

void QX_GUI::syndicateFilters() {
    const int32_t kind = filtersEditor.filterPanelKind;
    const int32_t index = filtersEditor.filterPanelIndex;
    FilterRecord* table = filterTable(*this, kind);
    if (table == nullptr || index < 0 || index >= kChannels) return;
    buildSyndicationSet(kind);
    if (!editedItemQualifiesForSyndication(kind, index)) return;
    const FilterRecord shown = table[index];
    // Each member keeps its own channel byte: the processor the record drives is its own.
    for (int32_t i = 0; i < syndicationSetCount; ++i) {
        const int32_t m = syndicationSet[i];
        table[m] = shown;
        table[m].channel = static_cast<uint8_t>(m);
    }
    syndicationFlash = 1;
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

void QX_GUI::resetFilters(int32_t kind) {
    FilterRecord* table = filterTable(*this, kind);
    if (table == nullptr) {
        setStatusMessage("CAN'T RESET FILTER SETTINGS");
        return;
    }
    setStatusMessage(kind == kKindSource ? "RESETTING INPUT FILTERS" : "RESETTING OUTPUT FILTERS");
    for (int32_t i = 0; i < kChannels; ++i) table[i] = FilterRecord();
}

int32_t QX_GUI::copyFilter() {
    setStatusMessage("COPY FILTER TO CLIPBOARD");
    for (int b = 0; b < kBands; ++b)
        storeBand(filterClipboard.bands[b], filtersEditor.eqEditBands[b]);
    filterClipboard.channel = static_cast<uint8_t>(filtersEditor.filterPanelIndex);
    filterClipboard.activeBandCount = countActiveBands(filterClipboard);
    filterClipboard.inUse = 1;
    filterClipboard.enabled = filtersEditor.filtersEnabled;
    filterClipboardFull = 1;
    return 0;
}

int32_t QX_GUI::pasteFilter() {
    setStatusMessage("PASTE FILTER FROM CLIPBOARD");
    for (int b = 0; b < kBands; ++b)
        loadBand(filtersEditor.eqEditBands[b], filterClipboard.bands[b]);
    filtersEditor.filtersEnabled = filterClipboard.enabled;
    storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    return 0;
}

void QX_GUI::markFiltersDirty(int32_t kind) {
    if (kind == kKindSource) raiseSendFlag(kSendInputEq);
    if (kind == kKindTarget) raiseSendFlag(kSendOutputEq);
}
