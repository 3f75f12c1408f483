// The DYNAMICS editor: the edited curve, the item shown and the point drag.
#pragma once

#include <cstdint>

#include "model/level_arithmetic.h"
#include "model/processing_records.h"

struct DynamicsState {
    // The curve holds the edited points, times, ratio, switch and tables.
    DynamicsCurve dynamicsEditCurve;
    int32_t dynamicsPanelKind = 0;
    int32_t dynamicsPanelIndex = 0;
    // The record as the curve last took it or stored it: where the record differs, the record
    // changed elsewhere and the curve takes it again.
    DynamicsRecord dynamicsShownRecord;
    int32_t grabbedPoint = 0;
    // The point drag: the mouse normalised to the plot at the last press or move.
    float grabX = 0.0f;
    float grabY = 0.0f;
};
