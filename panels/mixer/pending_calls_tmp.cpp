// Temporary bodies of calls into screens that are being built at the same time; each is
// replaced by its screen's own when that screen arrives.
#include "app/qx_gui.h"

namespace {
// The second of two reads in a row counts: the first consumes a press reported since the last.
bool keyDownNow(int virtualKey) {
    GetAsyncKeyState(virtualKey);
    return GetAsyncKeyState(virtualKey) != 0;
}
} // namespace

bool isKeyDownA() {
    return keyDownNow('A');
}
bool isKeyDownM() {
    return keyDownNow('M');
}
bool isKeyDownP() {
    return keyDownNow('P');
}
bool isKeyDownS() {
    return keyDownNow('S');
}
bool isKeyDownZ() {
    return keyDownNow('Z');
}
bool isKeyDownShift() {
    return keyDownNow(VK_SHIFT);
}
