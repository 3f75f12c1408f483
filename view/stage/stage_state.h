// The STAGE page's interaction: what a press picked, the open info boxes, the focus item, the
// pointer's stage point, the hover of room edges and annotations, the drag start values and
// the time of the last left release. The mouse handlers write it; the drawing reads it
// (apart from the window quad). The gesture under way is the shared stageInteractionMode.
#pragma once

#include <cstdint>

struct StageState {

    // What the press picked (255 none; pickedTarget is also the picked annotation).
    int32_t pickedSource = 255;
    int32_t pickedGroup = 255;
    int32_t pickedTarget = 255;
    int32_t pickedRoom = 255;
    int32_t pickedCable = -1;
    int32_t pickedFeedbackEntry = -1;
    uint8_t sourceInfoBoxOpen = 0;
    uint8_t groupInfoBoxOpen = 0;
    uint8_t targetInfoBoxOpen = 0;
    // The item last pressed on the stage: kind 1 source, 2 target, 3 group (-1 none).
    int32_t focusItemKind = -1;
    int32_t focusItemIndex = 0;
    float pointerStageX = 0.0f;
    float pointerStageY = 0.0f;
    uint8_t toolsHoverRotation = 0; // the pointer rests on the TOOLS row of group rotation
    uint8_t toolsHoverMovement = 0; // ... of group movement
    float heatmapValueDb = 0.0f;    // the heat map under the pointer, for its readout
    // The items drawn highlighted (-1 none), and the phases of the heat map and curve
    // animations.
    int32_t highlightSource = -1;
    int32_t highlightGroup = -1;
    int32_t highlightTarget = -1;
    float heatmapPhase = 0.01f;
    float curvePhase = 0.05f;
    // The window's corners (0, 0), (W, 0), (W, H), (0, H), written by every STAGE frame.
    float stageWindowQuad[8] = {};

    static constexpr int32_t kNothingPicked = 255;

    // The analysis channel's two toggles (I on a source or target) and whether the analysis
    // follows the pressed item rather than the target box.
    int32_t analysisToggleA = 0;
    int32_t analysisToggleB = 0;
    int32_t analysisFollowsTargetBox = 0;

    // Hover and room edge resizing.
    int32_t stageHoverIndex = -1;   // the hovered room
    int32_t hoveredRoomHandle = -1; // its edge code: 1 top, 2 left, 4 right, 6 bottom, sums
    int32_t resizeRoom = -1;
    int32_t resizeHandle = -1;
    int32_t resizeRoomX = 0;
    int32_t resizeRoomY = 0;
    uint8_t roomResizing = 0;

    // The drag start values kept by the press.
    int32_t feedbackPressPixelX = 0;
    int32_t feedbackPressPixelY = 0;
    float savedPanX = 0.0f;
    float savedPanY = 0.0f;
    float grabOffsetX = 0.0f;
    float grabOffsetY = 0.0f;
    float marqueeGrabCornerX = 0.0f;
    float marqueeGrabCornerY = 0.0f;
    float dragStartStageX = 0.0f;
    float dragStartStageY = 0.0f;
    int32_t zoomDragLastX = 0;
    int32_t zoomDragLastY = 0;
    float dragSensitivity = -200.0f;

    // Group info-box drags (modes 400 and 401): the value and the pixel at the press.
    int32_t groupSpeedPressX = 0;
    int32_t groupSpeedPressY = 0;
    float groupSpeedStart = 0.0f;
    int32_t groupMovePressX = 0;
    int32_t groupMovePressY = 0;
    float groupMoveStartX = 0.0f;
    float groupMoveStartY = 0.0f;

    // The items a marquee press takes along, with their positions at the press.
    int32_t marqueeSourceList[64] = {};
    int32_t marqueeTargetList[64] = {};
    int32_t marqueeGroupList[64] = {};
    float marqueeSourceAnchors[64][2] = {};
    float marqueeTargetAnchors[64][2] = {};
    float marqueeGroupAnchors[64][2] = {};
    int32_t marqueeSourceCount = 0;
    int32_t marqueeTargetCount = 0;
    int32_t marqueeGroupCount = 0;

    // Double clicks: two left releases less than this many clock ticks apart.
    static constexpr int32_t kDoubleClickTicks = 200;
    int32_t lastLeftReleaseTime = -100000;

    // Annotation hover and the point a double click names a new annotation at.
    int32_t hoveredAnnotation = -1;
    uint8_t annotationHovered = 0;
    float annotationPointX = 0.0f;
    float annotationPointY = 0.0f;

    // The text entry's hold byte and value; a double click releases them.
    uint8_t textEntryHold = 0;
    int32_t textEntryHoldValue = 0;
};
