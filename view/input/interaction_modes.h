// The values of stageInteractionMode: the one drag under way in the whole interface. The STAGE
// page's press sets most of them; the pages and panels own 99 on MATRIX, 500 and 3000 to 3005.
#pragma once

#include <cstdint>

enum InteractionMode : int32_t {
    kModeAfterRightRelease = -1,
    kModeIdle = 0,
    // Moves on the STAGE.
    kModeSourceMove = 1,
    kModeGroupMove = 2,
    kModeTargetMove = 3,
    kModeRoomMove = 5,
    kModeSelectionMove = 6, // every item of the marquee name list
    kModeMarqueeMove = 7,
    kModeAnnotationMove = 8,
    // Level and size drags (99 is also the MATRIX page's cable level drag).
    kModeCableLevel = 99,
    kModeSourceLevel = 100,
    kModeSourceSize = 101,
    kModeGroupScale = 102,
    kModeTargetRadius = 103,
    kModeGroupLevel = 104,
    kModeRoomLevel = 105,
    kModeTargetLevel = 106,
    kModeSourceGHeld = 107, // set by a G press on a source; drives nothing
    kModeFeedbackGain = 108,
    // Group motion.
    kModeGroupSpin = 201, // rotation speed, relative
    kModeGroupRotate = 202,
    kModeGroupNudge = 203,
    kModeInfoBoxSpin = 400, // rotation speed, absolute
    kModeInfoBoxMovement = 401,
    kModeMarqueeScale = 1022,
    kModeMarqueeRotate = 2022,
    kModePan = 4444,
    // The panels and the FEEDBACK page.
    kModeMutesMaster = 500,
    kModeDelayValue = 3000,
    kModeVirtualPinLevel = 3002,
    kModeVirtualMasterLevel = 3003,
    kModeFeedbackPathLevel = 3004,
    kModeFeedbackMasterLevel = 3005,
};

// The values of a floating panel's own dragMode: what a press on its frame started.
enum PanelDragMode : int32_t {
    kPanelDragNone = 0,
    kPanelDragMove = 1,   // the title bar
    kPanelDragResize = 2, // the bottom edge
};
