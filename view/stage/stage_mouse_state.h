// What the STAGE page's mouse handlers keep between a press, its moves and its release: the
// picked items, the drag start values, the hover of room edges and annotations, and the time of
// the last left release.
#pragma once

#include <cstdint>

struct StageMouseState {
    static constexpr int32_t kNothingPicked = 255;

    // Hover and room edge resizing.
    int32_t stageHoverIndex = -1;   // the hovered room
    int32_t hoveredRoomHandle = -1; // its edge code: 1 top, 2 left, 4 right, 6 bottom, sums
    int32_t resizeRoom = -1;
    int32_t resizeHandle = -1;
    int32_t resizeRoomX = 0;
    int32_t resizeRoomY = 0;
    uint8_t roomResizing = 0;

    // What the press picked (255 none) and the drag start values.
    int32_t pickedSource = kNothingPicked;
    int32_t pickedGroup = kNothingPicked;
    int32_t pickedTarget = kNothingPicked; // also the picked annotation
    int32_t pickedRoom = kNothingPicked;
    int32_t pickedCable = -1;
    int32_t pickedFeedbackEntry = -1;
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
    float dragStartPixelX = 0.0f;
    float dragStartPixelY = 0.0f;
    float dragStartValue = 0.0f;
    int32_t zoomDragLastX = 0;
    int32_t zoomDragLastY = 0;
    float levelDragFine = 1.0f;
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
