// Drives the INPUTS or OUTPUTS page's mouse operations in the window procedure's order (a
// press or release is followed by a move to the same point), with the cursors loaded as the
// graphics start-up loads them. Keys are held through the platform's key seam.
#pragma once

#include <cstdint>

#include "app/qx_gui.h"

struct MixerPageDriver {
    QX_GUI* gui;
    int32_t page;

    MixerPageDriver(QX_GUI& target, int32_t pageId) : gui(&target), page(pageId) {
        const LPCWSTR ids[7] = {IDC_ARROW,    IDC_SIZEWE, IDC_SIZENS, IDC_SIZENESW,
                                IDC_SIZENWSE, IDC_HAND,   IDC_SIZEALL};
        for (int i = 0; i < 7; ++i) gui->cursors[i] = LoadCursorW(nullptr, ids[i]);
        gui->view.currentPage = pageId;
    }

    static WPARAM keyFlags() {
        WPARAM flags = 0;
        if (GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
        return flags;
    }

    bool inputs() const { return page == kPageInputs; }
    void press(int32_t x, int32_t y) {
        const WPARAM flags = keyFlags() | MK_LBUTTON;
        if (inputs())
            gui->inputsPageLButtonDown(flags, x, y);
        else
            gui->outputsPageLButtonDown(flags, x, y);
        move(x, y, flags);
    }
    void move(int32_t x, int32_t y, WPARAM flags = MK_LBUTTON) {
        if (inputs())
            gui->inputsPageMouseMove(flags, x, y);
        else
            gui->outputsPageMouseMove(flags, x, y);
    }
    void release(int32_t x, int32_t y) {
        if (inputs())
            gui->inputsPageLButtonUp(keyFlags(), x, y);
        else
            gui->outputsPageLButtonUp(keyFlags(), x, y);
        move(x, y, keyFlags());
    }
    void click(int32_t x, int32_t y) {
        press(x, y);
        release(x, y);
    }
    // One wheel event of one notch per call (negative: towards the user).
    void wheel(int32_t notches) {
        const int32_t delta = 120 * notches;
        const WPARAM flags = keyFlags() | (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16);
        if (inputs())
            gui->inputsPageMouseWheel(flags, delta, delta);
        else
            gui->outputsPageMouseWheel(flags, delta, delta);
    }
    bool raised(int32_t flag) const { return gui->sendFlags[flag] != 0; }
};
