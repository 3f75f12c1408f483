// Key tables of the item presses: each row names a held-key test and the line it runs, built
// from the pressed item's selector word (the item itself or the syndication it stands for) or
// from the names its colour commands cover. The first row whose keys are held wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "view/input/key_predicates.h"

enum class PressArg { Item, Covered };

struct KeyLine {
    bool (*held)();
    const char* verb; // the line starts with this, then the argument
    PressArg arg;
    const char* tail; // appended after the argument
};

template <std::size_t N>
std::string firstKeyLine(const KeyLine (&rows)[N], const std::string& item,
                         const std::string& covered) {
    for (const KeyLine& row : rows) {
        if (!row.held()) continue;
        return std::string(row.verb) + (row.arg == PressArg::Item ? item : covered) + row.tail;
    }
    return {};
}

// The preset colour of the first held digit in the order 1 .. 9, 0 (0 counts as 10), ten more
// with SHIFT; 0 when no digit is held.
inline int32_t heldPresetColour() {
    static bool (*const digits[])() = {
        isKeyDownDigit1, isKeyDownDigit2, isKeyDownDigit3, isKeyDownDigit4, isKeyDownDigit5,
        isKeyDownDigit6, isKeyDownDigit7, isKeyDownDigit8, isKeyDownDigit9, isKeyDownDigit0};
    for (int32_t i = 0; i < 10; ++i) {
        if (digits[i]()) return i + 1 + (isKeyDownShift() ? 10 : 0);
    }
    return 0;
}

inline bool isKeyDownShiftX() {
    return isKeyDownX() && isKeyDownShift();
}
inline bool isKeyDownPlainX() {
    return isKeyDownX() && !isKeyDownShift();
}
inline bool isKeyDownCableKey() {
    return isKeyDownC() || isKeyDownE() || isKeyDownF();
}
