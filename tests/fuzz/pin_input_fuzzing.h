// Feeds one fuzzer input to the pins of an interface object: the first byte picks the pin, the
// rest is the value. Shared by the seeded unit test and the libFuzzer target.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/qx_gui.h"

// Every pin a host may hand a value to.
constexpr int32_t kFuzzedPins[] = {1,  2,  3,  5,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                   16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                   30, 31, 37, 38, 39, 58, 59, 61, 62, 63, 66, 67};

inline void feedPin(QX_GUI& gui, const uint8_t* data, size_t size) {
    if (size == 0) return;
    int32_t id = kFuzzedPins[data[0] % (sizeof kFuzzedPins / sizeof kFuzzedPins[0])];
    gui.setPin(id, 0, static_cast<int32_t>(size - 1), size > 1 ? data + 1 : nullptr);
    gui.notifyPin(id, 0);
    gui.advancePatchRetry();
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui.sendFlags[flag] = 1;
    gui.sendStateToDsp();
}
