// The keyboard-state tables. The pump notes each key and mouse button as its X event arrives
// (the arrival table, for the repeat flag of the next message), and the key state the program
// reads changes only when the message that carries the change is taken from the queue. So a
// handler sees the keys as of the message it handles: a tap whose press and release arrived
// together still reads down while its key-down runs. GetAsyncKeyState also reports a press
// since the previous query of that key, as callers that ask twice expect.
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"
#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstring>

namespace {

struct KeyTable {
    bool down[256] = {};
    bool pressedSinceQuery[256] = {};
    bool toggled[256] = {};
    bool arrived[256] = {}; // down as of the last X event read, ahead of the messages taken
};

KeyTable& keys() {
    static KeyTable k;
    return k;
}

bool validKey(int vk) {
    return vk >= 0 && vk < 256;
}

// The generic modifier code that follows a left or right form (0 for other keys).
int genericModifier(int vk) {
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
    if (vk == VK_LMENU || vk == VK_RMENU) return VK_MENU;
    return 0;
}

} // namespace

namespace qxplatform {

void recordKey(int vk, bool down) {
    if (!validKey(vk)) return;
    KeyTable& k = keys();
    if (down && !k.down[vk]) k.toggled[vk] = !k.toggled[vk];
    if (down) k.pressedSinceQuery[vk] = true;
    k.down[vk] = down;
    if (const int generic = genericModifier(vk)) recordKey(generic, down);
}

bool noteKeyArrived(int vk, bool down) {
    if (!validKey(vk)) return false;
    KeyTable& k = keys();
    const bool wasDown = k.arrived[vk];
    k.arrived[vk] = down;
    if (const int generic = genericModifier(vk)) k.arrived[generic] = down;
    return wasDown;
}

bool keyArrivedDown(int vk) {
    return validKey(vk) && keys().arrived[vk];
}

// On focus the server's view of held keys replaces ours, so keys released elsewhere do not
// stay down; Caps Lock's toggle comes from the keyboard indicator.
void refreshKeyboardFromServer() {
    Display* d = xSession().display;
    if (!d) return;
    char map[32] = {};
    XQueryKeymap(d, map);
    bool nowDown[256] = {};
    for (int code = 8; code < 256; ++code) {
        if (!(map[code / 8] & (1 << (code % 8)))) continue;
        KeySym sym = XkbKeycodeToKeysym(d, static_cast<KeyCode>(code), 0, 0);
        int vk = virtualKeyFromKeysym(sym);
        if (validKey(vk) && vk != 0) nowDown[vk] = true;
    }
    KeyTable& k = keys();
    nowDown[VK_SHIFT] = nowDown[VK_LSHIFT] || nowDown[VK_RSHIFT];
    nowDown[VK_CONTROL] = nowDown[VK_LCONTROL] || nowDown[VK_RCONTROL];
    nowDown[VK_MENU] = nowDown[VK_LMENU] || nowDown[VK_RMENU];
    for (int vk = 8; vk < 256; ++vk) k.down[vk] = k.arrived[vk] = nowDown[vk];
    unsigned int indicators = 0;
    if (XkbGetIndicatorState(d, XkbUseCoreKbd, &indicators) == Success)
        k.toggled[VK_CAPITAL] = indicators & 1;
}

int virtualKeyFromKeysym(unsigned long sym) {
    if (sym >= XK_a && sym <= XK_z) return static_cast<int>(sym - XK_a) + 'A';
    if (sym >= XK_A && sym <= XK_Z) return static_cast<int>(sym - XK_A) + 'A';
    if (sym >= XK_0 && sym <= XK_9) return static_cast<int>(sym - XK_0) + '0';
    if (sym >= XK_KP_0 && sym <= XK_KP_9) return static_cast<int>(sym - XK_KP_0) + VK_NUMPAD0;
    if (sym >= XK_F1 && sym <= XK_F12) return static_cast<int>(sym - XK_F1) + VK_F1;
    switch (sym) {
    case XK_KP_Insert:
        return VK_NUMPAD0;
    case XK_KP_End:
        return VK_NUMPAD0 + 1;
    case XK_KP_Down:
        return VK_NUMPAD0 + 2;
    case XK_KP_Next:
        return VK_NUMPAD0 + 3;
    case XK_KP_Left:
        return VK_NUMPAD0 + 4;
    case XK_KP_Begin:
        return VK_NUMPAD0 + 5;
    case XK_KP_Right:
        return VK_NUMPAD0 + 6;
    case XK_KP_Home:
        return VK_NUMPAD0 + 7;
    case XK_KP_Up:
        return VK_NUMPAD0 + 8;
    case XK_KP_Prior:
        return VK_NUMPAD0 + 9;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Decimal:
    case XK_KP_Delete:
        return VK_DECIMAL;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_KP_Enter:
    case XK_Return:
        return VK_RETURN;
    case XK_equal:
        return VK_OEM_PLUS;
    case XK_minus:
        return VK_OEM_MINUS;
    case XK_comma:
        return VK_OEM_COMMA;
    case XK_period:
        return VK_OEM_PERIOD;
    case XK_slash:
        return VK_OEM_2;
    case XK_semicolon:
        return VK_OEM_1;
    case XK_grave:
        return VK_OEM_3;
    case XK_bracketleft:
        return VK_OEM_4;
    case XK_backslash:
        return VK_OEM_5;
    case XK_bracketright:
        return VK_OEM_6;
    case XK_apostrophe:
        return VK_OEM_7;
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_space:
        return VK_SPACE;
    case XK_Shift_L:
        return VK_LSHIFT;
    case XK_Shift_R:
        return VK_RSHIFT;
    case XK_Control_L:
        return VK_LCONTROL;
    case XK_Control_R:
        return VK_RCONTROL;
    case XK_Alt_L:
    case XK_Meta_L:
        return VK_LMENU;
    case XK_Alt_R:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift:
        return VK_RMENU;
    case XK_Caps_Lock:
        return VK_CAPITAL;
    case XK_Pause:
        return VK_PAUSE;
    case XK_Prior:
        return VK_PRIOR;
    case XK_Next:
        return VK_NEXT;
    case XK_End:
        return VK_END;
    case XK_Home:
        return VK_HOME;
    case XK_Left:
        return VK_LEFT;
    case XK_Up:
        return VK_UP;
    case XK_Right:
        return VK_RIGHT;
    case XK_Down:
        return VK_DOWN;
    case XK_Insert:
        return VK_INSERT;
    case XK_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

void setKeyDown(int vk, bool down) {
    recordKey(vk, down);
    noteKeyArrived(vk, down);
}

void setCapsLock(bool on) {
    if (validKey(VK_CAPITAL)) keys().toggled[VK_CAPITAL] = on;
}

void releaseAllKeys() {
    KeyTable& k = keys();
    std::memset(k.down, 0, sizeof k.down);
    std::memset(k.pressedSinceQuery, 0, sizeof k.pressedSinceQuery);
    std::memset(k.arrived, 0, sizeof k.arrived);
}

} // namespace qxplatform

short GetAsyncKeyState(int vk) {
    if (!validKey(vk)) return 0;
    KeyTable& k = keys();
    short state = k.down[vk] ? static_cast<short>(0x8000) : 0;
    if (k.pressedSinceQuery[vk]) state |= 1;
    k.pressedSinceQuery[vk] = false;
    return state;
}

short GetKeyState(int vk) {
    if (!validKey(vk)) return 0;
    KeyTable& k = keys();
    return static_cast<short>((k.down[vk] ? 0x8000 : 0) | (k.toggled[vk] ? 1 : 0));
}

BOOL GetKeyboardState(BYTE* state) {
    if (!state) return FALSE;
    KeyTable& k = keys();
    for (int vk = 0; vk < 256; ++vk)
        state[vk] = static_cast<BYTE>((k.down[vk] ? 0x80 : 0) | (k.toggled[vk] ? 1 : 0));
    return TRUE;
}

UINT MapVirtualKeyA(UINT code, UINT mapType) {
    if (mapType != MAPVK_VK_TO_CHAR) return 0;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || code == VK_SPACE)
        return code;
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD0 + 9) return '0' + (code - VK_NUMPAD0);
    switch (code) {
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    case VK_OEM_1:
        return ';';
    case VK_OEM_PLUS:
        return '=';
    case VK_OEM_COMMA:
        return ',';
    case VK_OEM_MINUS:
        return '-';
    case VK_OEM_PERIOD:
        return '.';
    case VK_OEM_2:
        return '/';
    case VK_OEM_3:
        return '`';
    case VK_OEM_4:
        return '[';
    case VK_OEM_5:
        return '\\';
    case VK_OEM_6:
        return ']';
    case VK_OEM_7:
        return '\'';
    default:
        return 0; // control, function, arrow and modifier keys
    }
}
