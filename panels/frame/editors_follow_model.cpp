// The editors follow the model. DELAY, FILTERS and DYNAMICS work on a copy of their item's
// record, and VIRTUAL on the mix of its item's channel; whatever changed that record or that
// routing other than the editor itself (a command line, a load, UNDO, a reset, a paste, a value
// from the DSP side, a page's switch), the editor loads its item again before it is drawn or
// touched, so it shows the record as it is now and a gesture stores back only what it changes.
#include <cstring>
#include <type_traits>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/panel_ids.h"

namespace {

template <class Record> bool sameRecord(const Record& a, const Record& b) {
    static_assert(std::is_trivially_copyable_v<Record>, "records are compared byte by byte");
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

// The record of (kind, index) in a pair of editor tables; null for no source or target.
template <class Record>
const Record* itemRecord(const Record* inputs, const Record* outputs, int32_t kind, int32_t index) {
    if (index < 0 || index >= QX_GUI::kChannels) return nullptr;
    if (kind == kKindSource) return &inputs[index];
    if (kind == kKindTarget) return &outputs[index];
    return nullptr;
}

// An editor on (kind, index) loads its item again when the record differs from what the editor
// last took or stored; its caption follows the item's name and colour either way.
template <class Record>
void followEditor(QX_GUI& gui, int32_t panel, const Record* inputs, const Record* outputs,
                  int32_t kind, int32_t index, const Record& shown,
                  void (QX_GUI::*load)(int32_t, int32_t)) {
    const Record* record = itemRecord(inputs, outputs, kind, index);
    if (record == nullptr) return;
    showEditedItem(gui, gui.panelFrame.panels[panel], kind, index);
    if (!sameRecord(*record, shown)) (gui.*load)(kind, index);
}

} // namespace

void QX_GUI::followModelInEditors() {
    followEditor(*this, kPanelDelay, inputDelays, outputDelays, delayEditor.delayPanelKind,
                 delayEditor.delayPanelIndex, delayEditor.delayShownRecord,
                 &QX_GUI::loadDelayPanel);
    followEditor(*this, kPanelFilters, inputFilters, outputFilters, filtersEditor.filterPanelKind,
                 filtersEditor.filterPanelIndex, filtersEditor.filtersShownRecord,
                 &QX_GUI::loadFiltersPanel);
    followEditor(*this, kPanelDynamics, inputDynamics, outputDynamics,
                 dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex,
                 dynamicsEditor.dynamicsShownRecord, &QX_GUI::loadDynamicsPanel);
    followVirtualItem();
}
