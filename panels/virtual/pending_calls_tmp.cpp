// Temporary bodies for calls into screens being built at the same time; each is replaced by
// its screen's own at merge.
#include "app/qx_gui.h"

namespace {
bool held(int key) {
    GetAsyncKeyState(key);
    return GetAsyncKeyState(key) != 0;
}
} // namespace

bool isKeyDownCtrl() {
    return held(VK_CONTROL);
}
bool isKeyDownShift() {
    return held(VK_SHIFT);
}
bool isKeyDownF() {
    return held('F');
}
bool isKeyDownG() {
    return held('G');
}
bool isKeyDownQ() {
    return held('Q');
}
bool isKeyDownX() {
    return held('X');
}
bool isKeyDownZ() {
    return held('Z');
}
