// One predicate per key: is the key down at this moment? Each asks the system twice; the first
// answer carries a press reported since the last query, the second says whether it is held now.
#pragma once

#include "qxplatform/win32.h"

inline bool isKeyDownCode(int virtualKey) {
    GetAsyncKeyState(virtualKey);
    return GetAsyncKeyState(virtualKey) != 0;
}

// Caps Lock's toggle state, not whether the key is held.
inline bool isCapsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

#define QX_KEY_PREDICATE(name, code)                                                               \
    inline bool isKeyDown##name() {                                                                \
        return isKeyDownCode(code);                                                                \
    }

QX_KEY_PREDICATE(A, 'A')
QX_KEY_PREDICATE(B, 'B')
QX_KEY_PREDICATE(C, 'C')
QX_KEY_PREDICATE(D, 'D')
QX_KEY_PREDICATE(E, 'E')
QX_KEY_PREDICATE(F, 'F')
QX_KEY_PREDICATE(G, 'G')
QX_KEY_PREDICATE(H, 'H')
QX_KEY_PREDICATE(I, 'I')
QX_KEY_PREDICATE(J, 'J')
QX_KEY_PREDICATE(K, 'K')
QX_KEY_PREDICATE(L, 'L')
QX_KEY_PREDICATE(M, 'M')
QX_KEY_PREDICATE(N, 'N')
QX_KEY_PREDICATE(O, 'O')
QX_KEY_PREDICATE(P, 'P')
QX_KEY_PREDICATE(Q, 'Q')
QX_KEY_PREDICATE(R, 'R')
QX_KEY_PREDICATE(S, 'S')
QX_KEY_PREDICATE(T, 'T')
QX_KEY_PREDICATE(U, 'U')
QX_KEY_PREDICATE(V, 'V')
QX_KEY_PREDICATE(W, 'W')
QX_KEY_PREDICATE(X, 'X')
QX_KEY_PREDICATE(Y, 'Y')
QX_KEY_PREDICATE(Z, 'Z')
QX_KEY_PREDICATE(Digit0, '0')
QX_KEY_PREDICATE(Digit1, '1')
QX_KEY_PREDICATE(Digit2, '2')
QX_KEY_PREDICATE(Digit3, '3')
QX_KEY_PREDICATE(Digit4, '4')
QX_KEY_PREDICATE(Digit5, '5')
QX_KEY_PREDICATE(Digit6, '6')
QX_KEY_PREDICATE(Digit7, '7')
QX_KEY_PREDICATE(Digit8, '8')
QX_KEY_PREDICATE(Digit9, '9')
QX_KEY_PREDICATE(Numpad0, 0x60)
QX_KEY_PREDICATE(Numpad1, 0x61)
QX_KEY_PREDICATE(Numpad2, 0x62)
QX_KEY_PREDICATE(Numpad3, 0x63)
QX_KEY_PREDICATE(Numpad4, 0x64)
QX_KEY_PREDICATE(Numpad5, 0x65)
QX_KEY_PREDICATE(Numpad6, 0x66)
QX_KEY_PREDICATE(Numpad7, 0x67)
QX_KEY_PREDICATE(Numpad8, 0x68)
QX_KEY_PREDICATE(Numpad9, 0x69)
QX_KEY_PREDICATE(F1, 0x70)
QX_KEY_PREDICATE(F2, 0x71)
QX_KEY_PREDICATE(F3, 0x72)
QX_KEY_PREDICATE(F4, 0x73)
QX_KEY_PREDICATE(F5, 0x74)
QX_KEY_PREDICATE(F6, 0x75)
QX_KEY_PREDICATE(F7, 0x76)
QX_KEY_PREDICATE(F8, 0x77)
QX_KEY_PREDICATE(F9, 0x78)
QX_KEY_PREDICATE(F10, 0x79)
QX_KEY_PREDICATE(F11, 0x7A)
QX_KEY_PREDICATE(F12, 0x7B)
QX_KEY_PREDICATE(NumpadPlus, VK_ADD)
QX_KEY_PREDICATE(NumpadMinus, VK_SUBTRACT)
QX_KEY_PREDICATE(Equals, VK_OEM_PLUS)
QX_KEY_PREDICATE(Minus, VK_OEM_MINUS)
QX_KEY_PREDICATE(Semicolon, VK_OEM_1)
QX_KEY_PREDICATE(Backquote, VK_OEM_3)
QX_KEY_PREDICATE(LeftBracket, VK_OEM_4)
QX_KEY_PREDICATE(RightBracket, VK_OEM_6)
QX_KEY_PREDICATE(Backslash, VK_OEM_5)
QX_KEY_PREDICATE(Backspace, VK_BACK)
QX_KEY_PREDICATE(Tab, VK_TAB)
QX_KEY_PREDICATE(Enter, VK_RETURN)
QX_KEY_PREDICATE(Escape, VK_ESCAPE)
QX_KEY_PREDICATE(Shift, VK_SHIFT)
QX_KEY_PREDICATE(Ctrl, VK_CONTROL)
QX_KEY_PREDICATE(Alt, VK_MENU)
QX_KEY_PREDICATE(PageUp, VK_PRIOR)
QX_KEY_PREDICATE(PageDown, VK_NEXT)
QX_KEY_PREDICATE(Left, VK_LEFT)
QX_KEY_PREDICATE(Up, VK_UP)
QX_KEY_PREDICATE(Right, VK_RIGHT)
QX_KEY_PREDICATE(Down, VK_DOWN)
QX_KEY_PREDICATE(Delete, VK_DELETE)

#undef QX_KEY_PREDICATE
