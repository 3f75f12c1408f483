#include "render/gl_slots.h"

#include <GL/glew.h>

#include "host/mp_gui_base.h"

namespace {

// GLEW's entry points, once loaded, serve every later context. A failed open clears the window
// count (the next open runs the bootstrap again) but never takes a slot that another window
// still holds: slots are chosen by their in-use marks alone.
bool slotIsValid(int32_t slot) {
    return slot >= 0 && slot < GlSlotTables::kSlots;
}

void errorBox(const char16_t* text) {
    MessageBoxW(nullptr, text, u"ERROR", MB_ICONEXCLAMATION);
}

void shutdownBox(const char16_t* text) {
    MessageBoxW(nullptr, text, u"SHUTDOWN ERROR", MB_ICONINFORMATION);
}

int32_t openInFreeSlot(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
    GlSlotTables& t = glSlots();
    int32_t slot = -1;
    for (int32_t i = 0; i < GlSlotTables::kSlots && slot < 0; ++i)
        if (!t.inUse[i]) slot = i;
    if (slot < 0) {
        errorBox(u"Window Creation Error.");
        return -1;
    }
    t.inUse[slot] = 1;
    t.current = slot;
    if (createGlWindow(windowClass, parent, x, y, width, height)) {
        ++t.windowCount;
        return slot;
    }
    t.windowCount = 0;
    // What the slot got before the failure is released, so the slot can be taken again.
    destroySlotWindow(slot);
    return -1;
}

} // namespace

GlSlotTables& glSlots() {
    static GlSlotTables tables;
    return tables;
}

PIXELFORMATDESCRIPTOR glPixelFormat() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

HWND openGlWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y, int32_t width,
                  int32_t height) {
    int32_t slot = openInFreeSlot(windowClass, parent, x, y, width, height);
    return slot < 0 ? nullptr : glSlots().window[slot];
}

HWND openGlWindowTitled(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                        int32_t width, int32_t height, const char*) {
    return openGlWindow(windowClass, parent, x, y, width, height);
}

void createBootstrapWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                           int32_t width, int32_t height) {
    GlSlotTables& t = glSlots();
    t.bootstrapWindow = CreateWindowExW(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE, x, y, width,
                                        height, parent, nullptr, moduleInstance(), nullptr);
    if (!t.bootstrapWindow) return;
    ShowWindow(t.bootstrapWindow, SW_HIDE);
    t.bootstrapDeviceContext = GetDC(t.bootstrapWindow);
    PIXELFORMATDESCRIPTOR pfd = glPixelFormat();
    int format = ChoosePixelFormat(t.bootstrapDeviceContext, &pfd);
    SetPixelFormat(t.bootstrapDeviceContext, format, &pfd);
    t.bootstrapRenderingContext = wglCreateContext(t.bootstrapDeviceContext);
    wglMakeCurrent(t.bootstrapDeviceContext, t.bootstrapRenderingContext);
}

void destroyBootstrapWindow() {
    GlSlotTables& t = glSlots();
    if (t.bootstrapRenderingContext) {
        if (!wglMakeCurrent(nullptr, nullptr)) shutdownBox(u"Release Of DC And RC Failed.");
        if (!wglDeleteContext(t.bootstrapRenderingContext))
            shutdownBox(u"Release Rendering Context Failed.");
        t.bootstrapRenderingContext = nullptr;
    }
    if (t.bootstrapDeviceContext) {
        if (!ReleaseDC(t.bootstrapWindow, t.bootstrapDeviceContext))
            shutdownBox(u"Release Device Context Failed.");
        t.bootstrapDeviceContext = nullptr;
    }
    if (t.bootstrapWindow) {
        if (!DestroyWindow(t.bootstrapWindow)) shutdownBox(u"Could Not Release hWnd.");
        t.bootstrapWindow = nullptr;
    }
}

int32_t createGlWindow(const char16_t* windowClass, HWND parent, int32_t x, int32_t y,
                       int32_t width, int32_t height) {
    GlSlotTables& t = glSlots();
    const int32_t slot = t.current;
    if (t.windowCount == 0) {
        t.windowCount = 1;
        createBootstrapWindow(windowClass, parent, x, y, width, height);
        if (glewInit() != GLEW_OK) {
            destroyBootstrapWindow();
            return 0;
        }
        if (!GLEW_VERSION_2_0) {
            MessageBoxW(nullptr, u"INFO: OpenGL 2.0 not supported. Exit\n", u"INFO",
                        MB_ICONEXCLAMATION);
            destroyBootstrapWindow();
            return 0;
        }
        destroyBootstrapWindow();
    }
    t.window[slot] = CreateWindowExW(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE, x, y, width,
                                     height, parent, nullptr, moduleInstance(), nullptr);
    if (!t.window[slot]) {
        destroyBootstrapWindow();
        errorBox(u"Window Creation Error.");
        return 0;
    }
    SetWindowLongW(t.window[slot], GWL_EXSTYLE,
                   GetWindowLongW(t.window[slot], GWL_EXSTYLE) & ~WS_EX_LAYERED);
    t.deviceContext[slot] = GetDC(t.window[slot]);
    if (!t.deviceContext[slot]) {
        destroyBootstrapWindow();
        errorBox(u"Can't Create A GL Device Context.");
        return 0;
    }
    PIXELFORMATDESCRIPTOR pfd = glPixelFormat();
    int format = ChoosePixelFormat(t.deviceContext[slot], &pfd);
    if (!format) {
        destroyBootstrapWindow();
        errorBox(u"Can't Find A Suitable PixelFormat.");
        return 0;
    }
    if (!SetPixelFormat(t.deviceContext[slot], format, &pfd)) {
        destroyBootstrapWindow();
        errorBox(u"Can't Set The PixelFormat.");
        return 0;
    }
    t.renderingContext[slot] = wglCreateContext(t.deviceContext[slot]);
    if (!t.renderingContext[slot]) {
        destroyBootstrapWindow();
        errorBox(u"Can't Create A GL Rendering Context.");
        return 0;
    }
    if (!wglMakeCurrent(t.deviceContext[slot], t.renderingContext[slot])) {
        destroyBootstrapWindow();
        errorBox(u"Can't Activate The GL Rendering Context.");
        return 0;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ShowWindow(t.window[slot], SW_SHOW);
    SetFocus(t.window[slot]);
    return 1;
}

void destroySlotWindow(int32_t slot) {
    if (!slotIsValid(slot)) return;
    GlSlotTables& t = glSlots();
    if (t.renderingContext[slot]) {
        wglMakeCurrent(nullptr, nullptr);
        if (!wglDeleteContext(t.renderingContext[slot]))
            shutdownBox(u"Release Rendering Context Failed.");
        t.renderingContext[slot] = nullptr;
    }
    if (t.deviceContext[slot]) {
        ReleaseDC(t.window[slot], t.deviceContext[slot]);
        t.deviceContext[slot] = nullptr;
    }
    if (t.window[slot]) {
        DestroyWindow(t.window[slot]);
        t.window[slot] = nullptr;
    }
    t.program[slot] = t.vertexShader[slot] = t.fragmentShader[slot] = 0;
    t.inUse[slot] = 0;
}

void makeSlotCurrent(int32_t slot) {
    if (!slotIsValid(slot)) return;
    GlSlotTables& t = glSlots();
    if (!t.renderingContext[slot]) return;
    wglMakeCurrent(t.deviceContext[slot], t.renderingContext[slot]);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
}

HWND slotWindow(int32_t slot) {
    return slotIsValid(slot) ? glSlots().window[slot] : nullptr;
}

int32_t currentSlot() {
    return glSlots().current;
}
