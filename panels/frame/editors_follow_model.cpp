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

// True when the editor's record differs from what the editor last took or stored; the caption
// follows the item's name and colour either way.
template <class Record>
bool changedElsewhere(QX_GUI& gui, int32_t panel, const Record* record, const Record& shown,
                      int32_t kind, int32_t index) {
    if (record == nullptr) return false;
    showEditedItem(gui, gui.panelFrame.panels[panel], kind, index);
    return !sameRecord(*record, shown);
}

} // namespace

void QX_GUI::followModelInEditors() {
    const int32_t delayKind = delayEditor.delayPanelKind;
    const int32_t delayIndex = delayEditor.delayPanelIndex;
    if (changedElsewhere(*this, kPanelDelay,
                         itemRecord(inputDelays, outputDelays, delayKind, delayIndex),
                         delayEditor.delayShownRecord, delayKind, delayIndex))
        loadDelayPanel(delayKind, delayIndex);

    const int32_t filtersKind = filtersEditor.filterPanelKind;
    const int32_t filtersIndex = filtersEditor.filterPanelIndex;
    if (changedElsewhere(*this, kPanelFilters,
                         itemRecord(inputFilters, outputFilters, filtersKind, filtersIndex),
                         filtersEditor.filtersShownRecord, filtersKind, filtersIndex))
        loadFiltersPanel(filtersKind, filtersIndex);

    const int32_t dynamicsKind = dynamicsEditor.dynamicsPanelKind;
    const int32_t dynamicsIndex = dynamicsEditor.dynamicsPanelIndex;
    if (changedElsewhere(*this, kPanelDynamics,
                         itemRecord(inputDynamics, outputDynamics, dynamicsKind, dynamicsIndex),
                         dynamicsEditor.dynamicsShownRecord, dynamicsKind, dynamicsIndex))
        loadDynamicsPanel(dynamicsKind, dynamicsIndex);

    followVirtualItem();
}
