// The record an editor works on: one of a pair of per-direction tables (1 input, indexed by
// source; 2 output, indexed by target), found by (kind, index).
#pragma once

#include <cstdint>

#include "app/qx_gui.h"

// The record of (kind, index), or null after putting on the status line why there is none:
// kindMessage for a kind other than 1 or 2, rangeMessage for an index outside the table.
template <class Record>
Record* editorRecord(QX_GUI& gui, Record* inputs, Record* outputs, int32_t kind, int32_t index,
                     const char* kindMessage, const char* rangeMessage) {
    Record* table = kind == 1 ? inputs : kind == 2 ? outputs : nullptr;
    if (table == nullptr) {
        gui.setStatusMessage(kindMessage);
        return nullptr;
    }
    if (index < 0 || index >= QX_GUI::kChannels) {
        gui.setStatusMessage(rangeMessage);
        return nullptr;
    }
    return &table[index];
}
