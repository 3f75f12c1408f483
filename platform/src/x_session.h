// The one X connection of the process, the GLX frame-buffer configuration every window is
// created with, and the pieces of the window table that the message pump and the GL calls share.
#pragma once

#include "qxplatform/win32.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <string>

namespace qxplatform {

struct XSession {
    Display* display = nullptr;
    GLXFBConfig config = nullptr; // double-buffered RGBA with depth, chosen once
    XVisualInfo* visual = nullptr;
    Colormap colormap = 0;
    Atom deleteWindow = 0;
    Atom protocols = 0;
    int lastErrorCode = 0;
};

// The session, opened on first use. Its display is null when no X server can be reached (or
// QX_HEADLESS is set): windows then live in the table only.
XSession& xSession();

// The X window behind a handle (0 for none or without a display).
Window xWindowOf(HWND window);
// The handle of an X window of the table (null when it is not one of ours).
HWND windowOfX(Window xWindow);
// The X window of the top-level window that holds `window` (itself when it is one): the owner
// a dialog stays with. A null or unknown window stands for the one with the focus, else the
// first top-level window shown. 0 when there is none.
Window topLevelXWindowOf(HWND window);

// Pump support.
void markNeedsPaint(HWND window, bool needed);
bool takePaintRequest(HWND* window);
void updateWindowRect(HWND window, int x, int y, int width, int height);
bool isWindowVisible(HWND window);
// What the X server reports of a window: contents lost, mapped or unmapped, wholly covered.
void noteExposure(HWND window);
void noteMapped(HWND window, bool mapped);
void noteCovered(HWND window, bool covered);

// Keyboard tables. recordKey changes the state the program reads; the pump calls it as it
// takes the message that carries the change. noteKeyArrived follows the X events as they are
// read and returns whether the key was down before.
void recordKey(int virtualKey, bool down);
bool noteKeyArrived(int virtualKey, bool down);
bool keyArrivedDown(int virtualKey);
void refreshKeyboardFromServer();
int virtualKeyFromKeysym(unsigned long keysym);

// Posted messages and timers of a window that goes away.
void forgetWindowMessages(HWND window);

// Whether `rect` is exactly one of the monitors EnumDisplayMonitors reports.
bool coversAMonitor(const RECT& rect);
// The index of the X display's monitor (Xinerama head) at exactly `rect`; -1 for none.
int xMonitorAt(const RECT& rect);

// The window whose cursor shape SetCursor changes (the one the mouse was last over).
void setCursorWindow(HWND window);

} // namespace qxplatform
