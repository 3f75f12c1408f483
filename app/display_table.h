// The process-wide table of display rectangles, filled once by the first enumeration.
#pragma once

#include <cstdint>

#include "qxplatform/win32.h"

struct DisplayTable {
    static constexpr int kCapacity = 200;
    int32_t left[kCapacity] = {};
    int32_t top[kCapacity] = {};
    int32_t width[kCapacity] = {};
    int32_t height[kCapacity] = {};
    int32_t count = 0;
};

DisplayTable& processDisplays();

// The EnumDisplayMonitors callback: appends the rectangle (stopping when the table is full).
BOOL CALLBACK monitorEnumProc(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);
