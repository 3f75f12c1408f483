// The new-key scan of the full-screen timer: one newly pressed key per call, the lowest code.
#include "view/input/key_predicates.h"
#include "view/input/keyboard_state.h"

int KeyboardState::scanNewKeyPress() {
    for (int code = 0; code < 8; ++code)
        if (isKeyDownCode(code)) return code;
    for (int code = 8; code < 256; ++code) {
        if (!isKeyDownCode(code)) {
            keyWasDown[code] = 0;
            continue;
        }
        if (keyWasDown[code]) continue;
        keyWasDown[code] = 1;
        return code;
    }
    return 0;
}
