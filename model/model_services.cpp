// Small services of the stage model: the colour dialog, grid snap, send flags and redraw.
#include <cmath>

#include "app/qx_gui.h"

namespace {

// Shared by every instance, as the colour dialog remembers them for the whole process.
uint32_t lastChosenColour = 0;
COLORREF customColours[16] = {};

} // namespace

uint32_t QX_GUI::pickColour(uint32_t initial) {
    lastChosenColour = initial;
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windowHandle();
    dialog.rgbResult = initial;
    dialog.lpCustColors = customColours;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) return initial;
    lastChosenColour = dialog.rgbResult;
    return dialog.rgbResult;
}

StagePoint QX_GUI::snapStagePoint(float x, float y) const {
    if (guiSnap != 1) return {x, y};
    return {std::trunc(x * 0.1f) * 10.0f, std::trunc(y * 0.1f) * 10.0f};
}

void QX_GUI::markAllDirty() {
    for (int32_t flag :
         {kSendSources, kSendTargets, kSendGroups, kSendCables, kSendRooms, kSendViewState})
        raiseSendFlag(flag);
}

void QX_GUI::raiseSendFlag(int32_t flag) {
    if (flag >= 0 && flag < kSendFlags) sendFlags[flag] = 1;
}

void QX_GUI::sendStateAndRedraw() {
    sendStateToDsp();
    if (windowHandle()) invalidateWindow();
}

void QX_GUI::setPin60Value(int32_t a, int32_t b) {
    monitorChannel = a;
    monitorSource = b;
    if (a != pinNode.getValue()) pinNode.setValue(a);
}
