// The editors that SELECT and TOUCH load for an item.
#include "app/qx_gui.h"

// The editors show the item and hold its settings: FILTERS, DYNAMICS and DELAY, and for TOUCH
// also VIRTUAL, are loaded for (kind, index), so the next edit in an editor is stored into that
// item and no other.
void QX_GUI::loadEditorsFor(int32_t kind, int32_t index, bool withVirtual) {
    loadFiltersPanel(kind, index);
    loadDynamicsPanel(kind, index);
    loadDelayPanel(kind, index);
    if (withVirtual) loadVirtualPanel(kind, index);
}
