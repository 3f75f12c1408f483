// OpenGL child windows and their rendering contexts in one process-wide table of slots. The
// first window of the process also loads the GL entry points (GLEW) on a hidden bootstrap
// window and checks for OpenGL 2.0.
#pragma once

#include <cstdint>

#include "qxplatform/wgl.h"

struct GlSlotTables {
    static constexpr int kSlots = 1000;
    HWND window[kSlots] = {};
    HDC deviceContext[kSlots] = {};
    HGLRC renderingContext[kSlots] = {};
    unsigned program[kSlots] = {};
    unsigned vertexShader[kSlots] = {};
    unsigned fragmentShader[kSlots] = {};
    uint8_t inUse[kSlots] = {};
    int32_t windowCount = 0;
    int32_t current = 0;
    HWND bootstrapWindow = nullptr;
    HDC bootstrapDeviceContext = nullptr;
    HGLRC bootstrapRenderingContext = nullptr;
};

GlSlotTables& glSlots();

// The pixel format of the bootstrap and of every slot window.
PIXELFORMATDESCRIPTOR glPixelFormat();

HWND openGlWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y, int32_t width,
                  int32_t height);
HWND openGlWindowTitled(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                        int32_t width, int32_t height, const char* title);
int32_t createGlWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                       int32_t width, int32_t height);
void createBootstrapWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                           int32_t width, int32_t height);
void destroyBootstrapWindow();
void destroySlotWindow(int32_t slot);
void makeSlotCurrent(int32_t slot);
HWND slotWindow(int32_t slot);
int32_t currentSlot();
