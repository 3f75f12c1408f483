// The STAGE page's view switches: what is shown, labelled and locked, and the overlays drawn.
// The view verbs, the patch file and the view-state blob write them; the stage drawing and
// presses read them.
#pragma once

#include <cstdint>

struct StageViewSwitches {
    int32_t sourcesShown = 1;
    int32_t targetsShown = 1;
    int32_t groupsShown = 1;
    int32_t roomsShown = 1;
    int32_t cablesShown = 1;
    int32_t crosshairShown = 0;
    int32_t gridShown = 1;
    int32_t sourceLabels = 1;
    int32_t targetLabels = 1;
    int32_t groupLabels = 1;
    int32_t roomLabels = 1;
    int32_t sourcesLocked = 0;
    int32_t targetsLocked = 0;
    int32_t groupsLocked = 0;
    int32_t roomsLocked = 0;
    uint8_t annotationLocks = 1;
    uint8_t annotationVisibility = 0; // the ANNOTATION_VISIBILITY switch
    int32_t visualisations = 0;
    uint8_t debugViewOn = 0;
    uint8_t heatmapOn = 0;
    int32_t highlightSize = 5; // size of the current-item highlight on the stage
};
