// The STAGE page's releases, middle and right buttons and the wheel. A press sets an
// interaction mode (stage_press.cpp), moves drag in it (stage_move.cpp), the release ends it.
#include "app/qx_gui.h"
#include "qxplatform/runtime.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

namespace {

void clearPicks(StageState& m) {
    m.pickedSource = m.pickedGroup = m.pickedTarget = StageState::kNothingPicked;
    m.pickedCable = -1;
}

} // namespace

int32_t QX_GUI::stagePageLButtonUp(WPARAM flags, int32_t x, int32_t y) {
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    const StagePoint p = screenToStage(x, y);
    stage.pointerStageX = p.x;
    stage.pointerStageY = p.y;
    const int32_t now = qxplatform::processClock();
    const int64_t since = static_cast<int64_t>(now) - stage.lastLeftReleaseTime;
    if (since >= 0 && since < StageState::kDoubleClickTicks && doubleClickAt(x, y, p)) return 0;
    stage.lastLeftReleaseTime = now;
    endLeftDrag(flags, x, y);
    return 0;
}

// True when the double click found something to act on; else the ordinary release follows.
bool QX_GUI::doubleClickAt(int32_t x, int32_t y, StagePoint p) {
    setCursorById(0);
    marqueeRubberBand = 0;
    interaction.stageInteractionMode = kModeIdle;
    clearPicks(stage);
    if (stage.textEntryHold == 1) {
        stage.textEntryHold = 0;
        stage.textEntryHoldValue = 0;
        textEntry.textEntryKeysOn = 0;
        return false;
    }
    return nameItemAt(x, y, p);
}

// The entry opens on the item's own name; the first key replaces it.
void QX_GUI::openNamingEntry(int32_t x, int32_t y, const std::string& caption, const char* prompt,
                             int32_t id) {
    openTextEntry(x, y, -1, -1, caption, 15, 0, caption, prompt, 1);
    textEntry.textEntryId = id;
}

// Naming by double click: a source, group or target under the pointer, the marquee (which
// selects), a room, else an annotation.
bool QX_GUI::nameItemAt(int32_t x, int32_t y, StagePoint p) {
    if (stageView.sourcesShown && !stageView.sourcesLocked) {
        const int32_t s = hitSource(p.x, p.y);
        if (s >= 0 && sources[s].shown) {
            currentSource = s;
            openNamingEntry(x, y, sources[s].name, "NAME SOURCE", 1);
            return true;
        }
    }
    if (stageView.groupsShown && !stageView.groupsLocked) {
        const int32_t g = hitGroup(p.x, p.y);
        if (g >= 0 && groups[g].shown) {
            currentGroup = g;
            openNamingEntry(x, y, groups[g].name, "NAME GROUP", 3);
            return true;
        }
    }
    if (stageView.targetsShown && !stageView.targetsLocked) {
        const int32_t t = hitTarget(p.x, p.y);
        if (t >= 0 && targets[t].visible) {
            currentTarget = t;
            openNamingEntry(x, y, targets[t].name, "NAME TARGET", 2);
            return true;
        }
    }
    if (hitMarquee(p.x, p.y) == 1) {
        executeCommandString(isKeyDownShift() ? "ADDSELECT MARQUEE" : "SELECT MARQUEE");
        textEntry.textEntryId = 0;
        return true;
    }
    if (stageView.roomsShown && !stageView.roomsLocked) {
        const int32_t r = hitRoom(p.x, p.y);
        if (r >= 0) {
            currentRoom = r;
            openNamingEntry(x, y, rooms[r].name, "NAME ROOM", 5);
            return true;
        }
    }
    if (!stageView.annotationVisibility || stageView.annotationLocks) return false;
    stage.annotationPointX = p.x;
    stage.annotationPointY = p.y;
    const int32_t cx = static_cast<int32_t>(windowWidth * 0.5f);
    const int32_t cy = static_cast<int32_t>(windowHeight * 0.5f);
    const int32_t a = stage.hoveredAnnotation;
    const bool editing = a >= 0 && a < std::min(noteCount, 256);
    openTextEntry(cx, cy, -1, -1, "TYPE YOUR TEXT AND PRESS ENTER TO CONFIRM", -1, 5,
                  editing ? std::string(notes[a].text) : std::string(),
                  editing ? "EDIT ANNOTATION" : "ADD ANNOTATION", 1);
    textEntry.textEntryId = editing ? 32 : 31;
    if (editing) annotations.noteEdit.index = a; // the commit edits the note the double click named
    return true;
}

// The ordinary release: the end of every left drag.
void QX_GUI::endLeftDrag(WPARAM flags, int32_t x, int32_t y) {
    if (stage.roomResizing == 1) {
        stage.roomResizing = 0;
        // The repeated move refreshes the hover at the release's own window point.
        onMouseMove(flags, x, y);
    }
    endStageDrag();
}

// What a release ends on the STAGE (and the MATRIX and FEEDBACK level drags, which share the
// mode): the room resize, the mode, the marquee's rubber band, the capture and the hold.
void QX_GUI::endStageDrag() {
    StageState& m = stage;
    m.roomResizing = 0;
    if (m.resizeHandle != -1) m.resizeHandle = m.resizeRoom = -1;
    m.resizeRoomX = m.resizeRoomY = 0;
    interaction.stageInteractionMode = kModeIdle;
    m.pickedSource = StageState::kNothingPicked;
    ReleaseCapture();
    raiseSendFlag(kSendViewState);
    marqueeRubberBand = 0;
    if (marqueeRect[0] > marqueeRect[2]) std::swap(marqueeRect[0], marqueeRect[2]);
    if (marqueeRect[1] > marqueeRect[3]) std::swap(marqueeRect[1], marqueeRect[3]);
    raiseSendFlag(kSendGainMatrix);
    interaction.pageMouseHold = 0;
}

int32_t QX_GUI::stagePageMButtonDown(WPARAM, int32_t, int32_t) {
    if (view.stageLock == 1) return 0;
    stage.savedPanX = view.viewPanX;
    stage.savedPanY = view.viewPanY;
    stage.grabOffsetX = static_cast<float>(interaction.pointerPixelX);
    stage.grabOffsetY = static_cast<float>(interaction.pointerPixelY);
    interaction.stageInteractionMode = kModePan;
    return 0;
}

int32_t QX_GUI::stagePageMButtonUp(WPARAM, int32_t, int32_t) {
    interaction.stageInteractionMode = kModeIdle;
    return 0;
}

int32_t QX_GUI::stagePageRButtonDown(WPARAM, int32_t x, int32_t y) {
    interaction.pageMouseHold = 1;
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    interaction.stageInteractionMode = kModeIdle;
    StageState& m = stage;
    m.pickedSource = m.pickedGroup = m.pickedTarget = m.pickedRoom = StageState::kNothingPicked;
    const StagePoint p = screenToStage(x, y);
    stage.pointerStageX = p.x;
    stage.pointerStageY = p.y;
    if (stageView.groupsShown == 1 && rightPressOnGroup(x, y, p)) return 0;
    if (stageView.sourcesShown == 1 && rightPressOnSource(p)) return 0;
    if (stageView.targetsShown == 1 && rightPressOnTarget(p)) return 0;
    openMainMenuAt(x, y);
    return 0;
}

// A right press on a group starts its rotation-speed drag and toggles its info box.
bool QX_GUI::rightPressOnGroup(int32_t x, int32_t y, StagePoint p) {
    const int32_t g = hitGroup(p.x, p.y);
    if (g < 0) return false;
    currentGroup = g;
    stage.pickedGroup = g;
    interaction.stageInteractionMode = kModeGroupSpin;
    interaction.dragStartPixelX = static_cast<float>(x);
    interaction.dragStartPixelY = static_cast<float>(y);
    if (!stage.groupInfoBoxOpen) {
        stage.sourceInfoBoxOpen = stage.targetInfoBoxOpen = 0;
        stage.groupInfoBoxOpen = 1;
    } else {
        stage.groupInfoBoxOpen = 0;
    }
    captureMouse();
    return true;
}

bool QX_GUI::rightPressOnSource(StagePoint p) {
    const int32_t s = hitSource(p.x, p.y);
    if (s < 0) return false;
    currentSource = s;
    stage.sourceInfoBoxOpen = stage.sourceInfoBoxOpen ? 0 : 1;
    stage.targetInfoBoxOpen = stage.groupInfoBoxOpen = 0;
    return true;
}

bool QX_GUI::rightPressOnTarget(StagePoint p) {
    const int32_t t = hitTarget(p.x, p.y);
    if (t < 0) return false;
    currentTarget = t;
    stage.sourceInfoBoxOpen = stage.groupInfoBoxOpen = 0;
    stage.targetInfoBoxOpen = stage.targetInfoBoxOpen ? 0 : 1;
    return true;
}

// The user menu "MAIN" opens with its top centre at the pointer; every other menu closes.
void QX_GUI::openMainMenuAt(int32_t x, int32_t y) {
    stage.feedbackPressPixelX = x;
    stage.feedbackPressPixelY = y;
    stage.sourceInfoBoxOpen = stage.targetInfoBoxOpen = stage.groupInfoBoxOpen = 0;
    chrome.popupSubmenuLevel = 0;
    chrome.popupMenus[0] = fillPopupMenuFromUserMenu("MAIN");
    chrome.popupMenus[0].x = x;
    chrome.popupMenus[0].y = y;
    for (int menu = 1; menu < 10; ++menu) chrome.popupMenus[menu].open = 0;
    chrome.popupMenus[0].open = 1;
    chrome.popupLayerOpen = 1;
}

// The stage point of a right release has no pan: it is measured from the window centre.
int32_t QX_GUI::stagePageRButtonUp(WPARAM, int32_t x, int32_t y) {
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    interaction.stageInteractionMode = kModeAfterRightRelease;
    interaction.pageMouseHold = 0;
    stage.pointerStageX =
        static_cast<float>(static_cast<int32_t>(x - windowWidth / 2.0f)) / view.viewZoom;
    stage.pointerStageY =
        static_cast<float>(static_cast<int32_t>(y - windowHeight / 2.0f)) / view.viewZoom;
    return 0;
}

int32_t QX_GUI::stagePageMouseWheel(WPARAM, int32_t delta, int32_t) {
    if (view.stageLock != 0) return 0;
    if (delta > 0 && view.viewZoom > kZoomStepLowest) executeCommandString("ZOOM_OUT");
    if (delta < 0 && view.viewZoom < kZoomStepHighest) executeCommandString("ZOOM_IN");
    return 0;
}
