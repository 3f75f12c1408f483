// The DELAY editor: the item shown, its edit copy (time in seconds) and the time drag's start.
#pragma once

#include <cstdint>

#include "model/processing_records.h"

struct DelayState {
    int32_t delayPanelKind = 1;
    int32_t delayPanelIndex = 0;
    uint8_t delayEnabled = 0;
    float delayTime = 0.0f;
    // The record as the edit copy last took it or stored it: where the record differs, the
    // record changed elsewhere and the copy takes it again.
    DelayRecord delayShownRecord;
    // The drag: the time and the pointer x at the press.
    float delayDragStartTime = 0.0f;
    float delayDragStartX = 0.0f;
};
