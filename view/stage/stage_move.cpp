// The STAGE page's mouse move: the hover feedback of every move (annotation buttons, TOOLS rows,
// room edges, annotations, items), the F9 zoom, the rubber band, room edge resizing, then the
// drag of the current interaction mode (stage_drags.cpp).
#include <cmath>

#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

namespace {

constexpr int32_t kCursorWestEast = 1, kCursorNorthSouth = 2, kCursorNorthEastSouthWest = 3,
                  kCursorNorthWestSouthEast = 4, kCursorHand = 5;
constexpr float kEdgeReach = 10.0f;
constexpr int32_t kMinimumRoomSize = 20;

// The edges a room handle moves: 1 top, 2 left, 4 right, 6 bottom and the corner sums.
struct HandleEdges {
    bool top, left, right, bottom;
};
HandleEdges edgesOf(int32_t handle) {
    switch (handle) {
    case 1:
        return {true, false, false, false};
    case 2:
        return {false, true, false, false};
    case 4:
        return {false, false, true, false};
    case 6:
        return {false, false, false, true};
    case 3:
        return {true, true, false, false};
    case 5:
        return {true, false, true, false};
    case 8:
        return {false, true, false, true};
    case 10:
        return {false, false, true, true};
    default:
        return {false, false, false, false};
    }
}

// The edge code of a stage point near a room's edges; 0 when it is near none.
int32_t roomEdgeCode(const RoomRecord& r, float sx, float sy) {
    int32_t code = 0;
    const bool alongY = r.y < sy && sy < r.y + r.height;
    const bool alongX = r.x < sx && sx < r.x + r.width;
    if (r.x - kEdgeReach < sx && sx < r.x + kEdgeReach && alongY) code = 2;
    const float right = r.x + r.width;
    if (right - kEdgeReach < sx && sx < right + kEdgeReach && alongY) code += 4;
    if (r.y - kEdgeReach < sy && sy < r.y + kEdgeReach && alongX) code += 1;
    const float bottom = r.y + r.height;
    if (bottom - kEdgeReach < sy && sy < bottom + kEdgeReach && alongX) code += 6;
    return code;
}

} // namespace

int32_t QX_GUI::stagePageMouseMove(WPARAM, int32_t x, int32_t y) {
    const StagePoint p = screenToStage(x, y);
    if (annotations.annotationButtonLayer == 0 && hoverStageAnnotationButtons(p)) return 0;
    if (zoomByDragging(x, y)) return 0;
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    const StagePoint kept = snapStagePoint(p.x, p.y);
    stage.pointerStageX = kept.x;
    stage.pointerStageY = kept.y;
    interaction.dragFineFactor = 2.0f;
    if (marqueeRubberBand == 1) {
        marqueeRect[2] = static_cast<int32_t>(p.x);
        marqueeRect[3] = static_cast<int32_t>(p.y);
        return 0;
    }
    hoverToolsRows(x, y);
    if (stage.roomResizing == 1) resizeRoomByEdges(p);
    hoverRoomEdges(x, y, p);
    if (hoverAnnotations(p)) return 0;
    hoverItems(p);
    dragInMode(x, y, p);
    if (interaction.pageMouseHold == 1) raiseSendFlag(kSendGainMatrix);
    return 0;
}

// With the annotation buttons drawn with the stage, they are hovered in stage units.
bool QX_GUI::hoverStageAnnotationButtons(StagePoint p) {
    const int32_t px = static_cast<int32_t>(p.x);
    const int32_t py = static_cast<int32_t>(p.y);
    for (int32_t i = 0; i < annotations.stageAnnotations.buttonCount; ++i) {
        AnnotationButton& b = annotations.stageAnnotations.buttons[i];
        b.hover = 0;
        const int32_t left = static_cast<int32_t>(b.x);
        const int32_t top = static_cast<int32_t>(b.y);
        if (left < px && px < left + static_cast<int32_t>(b.width) && top < py &&
            py < top + static_cast<int32_t>(b.height)) {
            b.hover = 1;
            setCursorById(kCursorHand);
            return true;
        }
    }
    return false;
}

// While F9 is held the vertical travel zooms, within 0.1 .. 5.0 (the widest zoom range).
bool QX_GUI::zoomByDragging(int32_t x, int32_t y) {
    if (!(isKeyDownF9() && interaction.pageMouseHold == 1)) return false;
    StageState& m = stage;
    view.viewZoom += static_cast<float>(y - m.zoomDragLastY) * 0.0016666667f;
    view.viewZoom = std::min(std::max(view.viewZoom, kZoomLowest), kZoomHighest);
    m.zoomDragLastX = x;
    m.zoomDragLastY = y;
    view.viewPanX =
        heldPan(view.viewPanX - (m.marqueeGrabCornerX - windowWidth / 2.0f) * 0.1f, view.viewPanX);
    view.viewPanY =
        heldPan(view.viewPanY - (m.marqueeGrabCornerY - windowHeight / 2.0f) * 0.1f, view.viewPanY);
    return true;
}

void QX_GUI::setRoomHandleCursor(int32_t handle) {
    if (handle == 1 || handle == 6) setCursorById(kCursorNorthSouth);
    if (handle == 2 || handle == 4) setCursorById(kCursorWestEast);
    if (handle == 3 || handle == 10) setCursorById(kCursorNorthWestSouthEast);
    if (handle == 5 || handle == 8) setCursorById(kCursorNorthEastSouthWest);
}

// The hovered edges follow the pointer; no room gets narrower or lower than 20 units.
void QX_GUI::resizeRoomByEdges(StagePoint p) {
    StageState& m = stage;
    m.resizeHandle = m.hoveredRoomHandle;
    m.resizeRoom = m.stageHoverIndex;
    if (m.resizeRoom < 0 || m.resizeRoom >= std::min(roomCount, kMaxRooms)) return;
    RoomRecord& room = rooms[m.resizeRoom];
    int32_t left = static_cast<int32_t>(room.x);
    int32_t top = static_cast<int32_t>(room.y);
    int32_t right = static_cast<int32_t>(static_cast<float>(left) + room.width);
    int32_t bottom = static_cast<int32_t>(static_cast<float>(top) + room.height);
    const StagePoint snapped = snapStagePoint(p.x, p.y);
    const int32_t px = static_cast<int32_t>(snapped.x);
    const int32_t py = static_cast<int32_t>(snapped.y);
    const HandleEdges edges = edgesOf(m.resizeHandle);
    const int32_t oldLeft = left, oldTop = top, oldRight = right, oldBottom = bottom;
    if (edges.left) left = std::min(px, oldRight - kMinimumRoomSize);
    if (edges.right) right = std::max(px, oldLeft + kMinimumRoomSize);
    if (edges.top) top = std::min(py, oldBottom - kMinimumRoomSize);
    if (edges.bottom) bottom = std::max(py, oldTop + kMinimumRoomSize);
    room.x = static_cast<float>(left);
    room.y = static_cast<float>(top);
    room.setSize(static_cast<float>(right - left), static_cast<float>(bottom - top));
    setRoomHandleCursor(m.resizeHandle);
    updateRoomMembership();
    if (m.resizeHandle != -1) currentRoom = m.resizeRoom;
    raiseSendFlag(kSendRooms);
}

void QX_GUI::hoverRoomEdges(int32_t x, int32_t y, StagePoint p) {
    StageState& m = stage;
    if (interaction.stageInteractionMode != kModeIdle || stageView.roomsShown != 1 ||
        stageView.roomsLocked == 1 || m.roomResizing)
        return;
    if (isOverToolbox(x, y)) return;
    m.stageHoverIndex = -1;
    int32_t code = 0;
    for (int32_t r = 0; r < std::min(roomCount, kMaxRooms) && code == 0; ++r) {
        code = roomEdgeCode(rooms[r], p.x, p.y);
        if (code != 0) m.stageHoverIndex = r;
    }
    if (stageView.roomsLocked != 0 || marqueeRubberBand) return;
    setRoomHandleCursor(code);
    if (m.stageHoverIndex >= 0) {
        m.hoveredRoomHandle = code;
        raiseSendFlag(kSendRooms);
    } else {
        m.hoveredRoomHandle = -1;
    }
}

// True when an annotation is hovered, which ends the move.
bool QX_GUI::hoverAnnotations(StagePoint p) {
    const int32_t px = static_cast<int32_t>(p.x);
    const int32_t py = static_cast<int32_t>(p.y);
    const bool inMarquee =
        marqueeRect[0] < px && px < marqueeRect[2] && marqueeRect[1] < py && py < marqueeRect[3];
    if (inMarquee || stageView.annotationLocks || stageView.annotationVisibility != 1 ||
        interaction.stageInteractionMode == kModeAnnotationMove)
        return false;
    stage.hoveredAnnotation = -1;
    stage.annotationHovered = 0;
    for (int32_t i = 0; i < std::min(noteCount, 256); ++i) {
        const NoteRecord& note = notes[i];
        const int32_t left = static_cast<int32_t>(note.x);
        const int32_t top = static_cast<int32_t>(note.y);
        const int32_t right = left + static_cast<int32_t>(note.width) + 4;
        const int32_t bottom = top + static_cast<int32_t>(note.height) + 4;
        if (left - 2 < px && px < right && top - 2 < py && py < bottom) {
            stage.hoveredAnnotation = i;
            stage.annotationHovered = 1;
            setCursorById(kCursorHand);
            return true;
        }
    }
    return false;
}

// The hand over an item that can be picked. Hover changes nothing else: not the open text
// entry, not the highlight.
void QX_GUI::hoverItems(StagePoint p) {
    const int32_t highlight = stageView.highlightSize;
    const bool overTarget = stageView.targetsShown == 1 && hitTargetNoReset(p.x, p.y) >= 0;
    const bool overGroup =
        !overTarget && stageView.groupsShown == 1 && hitGroupNoReset(p.x, p.y) >= 0;
    const bool overSource =
        !overTarget && !overGroup && stageView.sourcesShown == 1 && hitSourceNoReset(p.x, p.y) >= 0;
    stageView.highlightSize = highlight;
    if ((overTarget && !stageView.targetsLocked) || (overGroup && !stageView.groupsLocked) ||
        (overSource && !stageView.sourcesLocked))
        setCursorById(kCursorHand);
}
