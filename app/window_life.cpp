// The object's window: opening the GL child window in the host's editor window, closing it,
// routing window messages to the object's operations with the state sender after each input
// and timer message, painting, and moving the drawing to a full-screen window and back.
#include <GL/glew.h>

#include "app/qx_gui.h"
#include "render/gl_slots.h"

namespace {

// Set by the first openWindow of the process; the class stays registered from then on.
bool windowClassRegistered = false;

} // namespace

int32_t QX_GUI::openWindow(HWND parent, HWND* window) {
    if (!displaysEnumerated) {
        enumerateDisplays();
        displaysEnumerated = 1;
    }
    if (!windowClassRegistered) {
        registerWindowClass();
        windowClassRegistered = true;
    }
    parentWindow = parent;
    *window = nullptr;
    const int32_t width = right_ - left_;
    const int32_t height = bottom_ - top_;
    window_ = openGlWindow(kDefaultWindowClass, parent, left_, top_, width, height);
    *window = window_;
    if (window_) {
        glSlot = currentSlot();
        windowWidth = static_cast<float>(width);
        windowHeight = static_cast<float>(height);
        SetWindowLongPtrW(window_, GWL_USERDATA,
                          reinterpret_cast<LONG_PTR>(static_cast<MpGuiWindowsGfxBase*>(this)));
        // The start-up sizes the panels: no change of the person's.
        keepStageHeldAcross([&] { setupGraphics(window_, width, height); });
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
    }
    const int32_t record = localId >= 0 && localId < ConfigurationBlock::kInstances ? localId : 0;
    ownInstance.asleep = configuration.instances[record].asleep;
    appendConsoleLine("CHECK FOR BOOT-IN PATCH ...");
    std::string path(patchPath, strnlen(patchPath, sizeof patchPath));
    if (path.size() > 1 && patchPathLength > 0) {
        if (static_cast<int32_t>(path.size()) > patchPathLength) path.resize(patchPathLength);
        if (path.find("TUTORIAL") != std::string::npos) {
            appendConsoleLine("// RELOAD TUTORIAL HOMESCREEN //");
            loadMacroFile("TUTORIAL/HOME.txt", true);
        }
    }
    return 0;
}

int32_t QX_GUI::closeWindow() {
    // Setting the pin sends it at once; a pin that already holds 0 sends nothing.
    if (pinEditorOpen.getValue() != 0) pinEditorOpen.setValue(0);
    KillTimer(window_, timerId);
    timerStarted = 0;
    if (window_) {
        destroySlotWindow(glSlot);
        window_ = nullptr;
    }
    return 0;
}

LRESULT QX_GUI::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A box or a dialog opening, or another window taking the capture, ends every drag; it
    // comes in the middle of another message, whose send flags stay raised.
    if (message == WM_CANCELMODE ||
        (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != window_)) {
        endEveryDrag();
        return 0;
    }
    for (int32_t i = 0; i < sendFlagCount && i < kSendFlags; ++i) sendFlags[i] = 0;
    // Values from the DSP side and a page's switches change records between messages.
    followModelInEditors();
    const int32_t x = GET_X_LPARAM(lParam);
    const int32_t y = GET_Y_LPARAM(lParam);
    auto focus = [this] { SetFocus(window_); };
    switch (message) {
    case WM_DESTROY:
        if (!GetParent(window)) PostQuitMessage(0);
        return 1;
    case WM_SETFOCUS:
        sendStateToDsp();
        return 0;
    case WM_KILLFOCUS:
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        onPaint(dc);
        EndPaint(window, &paint);
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        onKeyDown(window, message, wParam, lParam);
        sendStateToDsp();
        sendStateAndRedraw();
        return 0;
    case WM_KEYUP:
        onKeyUp(window, message, wParam, lParam);
        sendStateToDsp();
        focus();
        sendStateToDsp();
        onMouseMove(wParam, interaction.pointerPixelX, interaction.pointerPixelY);
        return 0;
    case WM_SYSKEYUP:
        onKeyUp(window, message, wParam, lParam);
        sendStateToDsp();
        focus();
        onMouseMove(wParam, interaction.pointerPixelX, interaction.pointerPixelY);
        sendStateToDsp();
        return 0;
    case WM_TIMER:
        onTimer();
        sendStateToDsp();
        return 0;
    case WM_MOUSEMOVE:
        // A move with no button held: a release that never arrived ends its drag.
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) endEveryDrag();
        if (interaction.focusFollowsMouse && window_ != GetFocus()) SetFocus(window_);
        onMouseMove(wParam, x, y);
        sendStateToDsp();
        return 0;
    case WM_LBUTTONDOWN:
        onLButtonDown(wParam, x, y);
        onMouseMove(wParam, x, y);
        sendStateToDsp();
        focus();
        return 0;
    case WM_LBUTTONUP:
        onLButtonUp(wParam, x, y);
        sendStateToDsp();
        onMouseMove(wParam, x, y);
        if (!interaction.focusFollowsMouse) focus();
        return 0;
    case WM_RBUTTONDOWN:
        onRButtonDown(wParam, x, y);
        sendStateToDsp();
        focus();
        return 0;
    case WM_RBUTTONUP:
        onRButtonUp(wParam, x, y);
        sendStateToDsp();
        onMouseMove(wParam, x, y);
        focus();
        return 0;
    case WM_MBUTTONDOWN:
        onMButtonDown(wParam, x, y);
        sendStateToDsp();
        return 0;
    case WM_MBUTTONUP:
        onMButtonUp(wParam, x, y);
        sendStateToDsp();
        return 0;
    case WM_MOUSEWHEEL: {
        focus();
        const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
        onMouseWheel(wParam, delta, delta);
        sendStateToDsp();
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int32_t QX_GUI::onPaint(HDC dc) {
    if (!view.fullScreen) {
        windowWidth = static_cast<float>(right_ - left_);
        windowHeight = static_cast<float>(bottom_ - top_);
    }
    // A window without area has nothing to draw, and its projection would divide by zero.
    if (windowWidth < 1.0f || windowHeight < 1.0f) return 0;
    GlSlotTables& slots = glSlots();
    if (glSlot < 0 || glSlot >= GlSlotTables::kSlots || !slots.renderingContext[glSlot]) return 0;
    wglMakeCurrent(slots.deviceContext[glSlot], slots.renderingContext[glSlot]);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    paintWindow(dc);
    glPopAttrib();
    return 0;
}

// Opens the full-screen window; when it or its context cannot be made, the child window comes
// back on the saved host rectangle and the console says so.
void QX_GUI::enterFullScreen(int32_t width, int32_t height, int32_t left, int32_t top) {
    destroySlotWindow(glSlot);
    window_ = nullptr;
    savedTop = top_;
    savedBottom = bottom_;
    savedLeft = left_;
    savedRight = right_;
    savedWidth = windowWidth;
    savedHeight = windowHeight;
    windowWidth = static_cast<float>(width);
    windowHeight = static_cast<float>(height);
    window_ = openGlWindowTitled(kDefaultWindowClass, GetDesktopWindow(), left, top, width, height,
                                 "QX_GUI_FS");
    if (!window_) {
        appendConsoleLine("FULL SCREEN FAILED: NO WINDOW OR CONTEXT");
        leaveFullScreen();
        return;
    }
    SetWindowPos(window_, HWND_TOPMOST, left, top, width, height, SWP_NOSIZE);
    SetWindowLongPtrW(window_, GWL_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<MpGuiWindowsGfxBase*>(this)));
    glSlot = currentSlot();
    view.fullScreen = 1;
    fullScreenOnOwnScreen = 0;
    setupGraphics(window_, static_cast<int32_t>(windowWidth), static_cast<int32_t>(windowHeight));
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(window_);
    SetCapture(window_);
}

void QX_GUI::enterFullScreenOnOwnScreen() {
    // The once-per-id table has ten entries; a higher id never goes full screen on its own.
    if (localId < 0 || localId >= 10 || fullScreenDone[localId]) return;
    fullScreenDone[localId] = 1;
    destroySlotWindow(glSlot);
    savedWidth = windowWidth;
    savedHeight = windowHeight;
    savedTop = top_;
    savedBottom = bottom_;
    savedLeft = left_;
    savedRight = right_;
    window_ = nullptr;
    const DisplayRecord& display = configuration.displays[localId];
    windowWidth = static_cast<float>(display.width);
    windowHeight = static_cast<float>(display.height);
    window_ = openGlWindowTitled(kDefaultWindowClass, GetDesktopWindow(), display.left, display.top,
                                 display.width, display.height, "QX_GUI_FS");
    if (!window_) {
        appendConsoleLine("FULL SCREEN FAILED: NO WINDOW OR CONTEXT");
        leaveFullScreen();
        return;
    }
    SetWindowPos(window_, HWND_TOP, display.left, display.top, display.width, display.height,
                 SWP_NOSIZE);
    SetWindowLongPtrW(window_, GWL_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<MpGuiWindowsGfxBase*>(this)));
    glSlot = currentSlot();
    view.fullScreen = 1;
    fullScreenOnOwnScreen = 1;
    setupGraphics(window_, display.width, display.height);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(window_);
    SetCapture(window_);
}

void QX_GUI::leaveFullScreen() {
    if (window_) destroySlotWindow(glSlot);
    windowWidth = savedWidth;
    windowHeight = savedHeight;
    window_ = nullptr;
    const int32_t width = savedRight - savedLeft;
    const int32_t height = savedBottom - savedTop;
    window_ = openGlWindow(kDefaultWindowClass, parentWindow, savedLeft, savedTop, width, height);
    view.fullScreen = 0;
    fullScreenOnOwnScreen = 0;
    if (!window_) {
        appendConsoleLine("WINDOW COULD NOT BE REOPENED");
        return;
    }
    SetWindowLongPtrW(window_, GWL_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<MpGuiWindowsGfxBase*>(this)));
    glSlot = currentSlot();
    setupGraphics(window_, width, height);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    ShowCursor(TRUE);
}

void QX_GUI::invalidateWindow() {
    if (window_) InvalidateRgn(window_, nullptr, TRUE);
}

void QX_GUI::startMotionTimer() {
    if (!window_) return;
    timerId = SetTimer(window_, 0, 10, nullptr);
    timerStarted = 1;
}
