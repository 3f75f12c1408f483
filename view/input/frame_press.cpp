// The frame's own press targets: the PATCH FILE cells of the top bar, the open popup menus and
// the page tabs; and the hand-off of presses, releases and moves to the current page.
#include "app/qx_gui.h"
#include "view/input/key_predicates.h"

namespace {

// The PATCH FILE bar: 210 pixels from here, along the top 13 pixels of the window.
constexpr float kPatchBarOffset = 230.0f;
constexpr float kPatchBarEnd = 20.0f;
constexpr int32_t kBarHeight = 13;
constexpr int32_t kTabWidth = 60;

} // namespace

bool QX_GUI::isTextEntryOpen() const {
    return textEntry.textEntryId > 0;
}

void QX_GUI::raiseRedrawFlags() {
    for (int32_t flag : {kSendSources, kSendTargets, kSendGroups, kSendRooms, kSendCables,
                         kSendViewState, kSendGainMatrix})
        raiseSendFlag(flag);
}

void QX_GUI::setCursorById(int32_t cursor) {
    SetCursor(cursors[cursor]);
}

bool QX_GUI::pressTopBar(int32_t x, int32_t y) {
    const float left = windowWidth / 2.0f - kPatchBarOffset;
    const float px = static_cast<float>(x);
    if (!(px > left && px < windowWidth / 2.0f - kPatchBarEnd && y < kBarHeight)) return false;
    runPatchFileCell(static_cast<int32_t>(px - left));
    return true;
}

// Cells 0-29 OPEN, 31-59 SAVE, 61-103 SAVE AS, 105-153 AUTO SAVE, 155-209 AUTO BACKUP; the
// pixels between them do nothing.
void QX_GUI::runPatchFileCell(int32_t cell) {
    if (cell < 30) {
        if (!isKeyDownCtrl()) {
            executeCommandString("LOAD_MACRO_FILE");
            return;
        }
        const std::string path(patchPath,
                               std::min<size_t>(std::max(patchPathLength, 0), sizeof patchPath));
        if (path.find('\'') != std::string::npos) {
            appendConsoleLine("CAN'T REVERT: THE PATCH PATH HOLDS A QUOTE");
            return;
        }
        executeCommandString("CONFIRM 'REVERT TO MOST RECENTLY SAVED VERSION' 'TYPE YES TO "
                             "CONTINUE' 'LOAD_MACRO " +
                             path + "'");
    } else if (cell >= 31 && cell <= 59) {
        appendConsoleLine("SAVE THIS PATCH");
        executeCommandString("SAVE_NOW");
    } else if (cell >= 61 && cell <= 103) {
        executeCommandString("SAVE_PATCH");
    } else if (cell >= 105 && cell <= 153) {
        executeCommandString("TOGGLE AUTO_SAVE");
        raiseSendFlag(kSendPatchRecord);
    } else if (cell >= 155) {
        executeCommandString("TOGGLE AUTO_BACKUP");
        raiseSendFlag(kSendPatchRecord);
    }
}

// The open menus are hit at the pointer of the last move, not at the press.
bool QX_GUI::pressOpenPopupMenus() {
    if (!chrome.popupLayerOpen) return false;
    for (int menu = 0; menu < 10; ++menu) {
        PopupMenu& m = chrome.popupMenus[menu];
        if (!m.open) continue;
        const int row = popupRowAt(static_cast<float>(interaction.pointerPixelX),
                                   static_cast<float>(interaction.pointerPixelY), menu);
        if (row < 0 || row >= m.itemCount) continue;
        if (m.flags[row] == 1) return true;
        chrome.lastMenuCommand = m.commands[row];
        executeCommandString(chrome.lastMenuCommand);
        chrome.popupLayerOpen = 0;
        return true;
    }
    chrome.popupLayerOpen = 0;
    return false;
}

// Tabs of 60 pixels leftwards from the right edge: STAGE, OUTPUTS, INPUTS, MATRIX, FEEDBACK.
bool QX_GUI::pressPageTab(int32_t x, int32_t y) {
    if (!(static_cast<float>(y) > windowHeight - kBarHeight)) return false;
    static constexpr int32_t kTabPages[5] = {kPageStage, kPageOutputs, kPageInputs, kPageMatrix,
                                             kPageFeedback};
    for (int32_t tab = 0; tab < 5; ++tab) {
        if (!(static_cast<float>(x) > windowWidth - static_cast<float>(kTabWidth * (tab + 1))))
            continue;
        showPage(kTabPages[tab]);
        if (view.currentPage == kPageMatrix || view.currentPage == kPageFeedback)
            matrixPage.sourceRowPick = matrixPage.inputChannelPick = -1;
        return true;
    }
    return false;
}

int32_t QX_GUI::pageLButtonDown(WPARAM flags, int32_t x, int32_t y) {
    switch (view.currentPage) {
    case kPageStage:
        return stagePageLButtonDown(flags, x, y);
    case kPageInputs:
        return inputsPageLButtonDown(flags, x, y);
    case kPageOutputs:
        return outputsPageLButtonDown(flags, x, y);
    case kPageMatrix:
        return matrixPageLButtonDown(flags, x, y);
    case kPageFeedback:
        return feedbackPageLButtonDown(flags, x, y);
    default:
        raiseRedrawFlags();
        return 0;
    }
}

int32_t QX_GUI::pageLButtonUp(WPARAM flags, int32_t x, int32_t y) {
    switch (view.currentPage) {
    case kPageStage:
        return stagePageLButtonUp(flags, x, y);
    case kPageInputs:
        return inputsPageLButtonUp(flags, x, y);
    case kPageOutputs:
        return outputsPageLButtonUp(flags, x, y);
    case kPageMatrix:
        return matrixPageLButtonUp(flags, x, y);
    case kPageFeedback:
        return feedbackPageLButtonUp(flags, x, y);
    default:
        raiseRedrawFlags();
        interaction.controlDragPanel = -1;
        return 0;
    }
}

int32_t QX_GUI::pageMouseMove(WPARAM flags, int32_t x, int32_t y) {
    switch (view.currentPage) {
    case kPageStage:
        return stagePageMouseMove(flags, x, y);
    case kPageInputs:
        return inputsPageMouseMove(flags, x, y);
    case kPageOutputs:
        return outputsPageMouseMove(flags, x, y);
    case kPageMatrix:
        return matrixPageMouseMove(flags, x, y);
    case kPageFeedback:
        return feedbackPageMouseMove(flags, x, y);
    default:
        return 0;
    }
}
