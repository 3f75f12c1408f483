// The block of displays and per-instance records that instance 0 publishes to the others.
#pragma once

#include <cstdint>

struct DisplayRecord {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 800;
    int32_t height = 600;
    uint8_t fullScreen = 0; // go full screen on this display when the block arrives
};

struct InstanceRecord {
    int32_t reserved = 0;
    uint8_t asleep = 1; // draw only a black frame
    uint8_t reservedByte5 = 1;
    int32_t startPage = 0; // 0 STAGE, 1 INPUTS, 2 OUTPUTS, 3 MATRIX, 4 FEEDBACK
    uint8_t switches[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    uint8_t reservedByte28 = 1;

    static constexpr int kMouseInputSwitch = 9; // while 0 the instance ignores the mouse
    static constexpr int32_t kEncodedSize = 32;
};

struct ConfigurationBlock {
    static constexpr int kDisplays = 256;
    static constexpr int kInstances = 256;
    static constexpr int32_t kEncodedSize = 13324;

    int32_t valid = 1; // a receiver takes the block only when this is 1
    DisplayRecord displays[kDisplays];
    int32_t displayCount = 1;
    InstanceRecord instances[kInstances];
    int32_t instanceCount = 3;
};
