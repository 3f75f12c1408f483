// What a top-level window tells the window manager besides its name and size: the process that
// owns it, and full screen (EWMH), or placement without a manager where no EWMH manager runs.
#pragma once

#include <X11/Xlib.h>

namespace qxplatform {

// True while a window manager that follows EWMH runs on the display: the root's
// _NET_SUPPORTING_WM_CHECK names a window that names itself.
bool ewmhManagerRuns(Display* display);

// _NET_WM_PID and WM_CLIENT_MACHINE, so that a task list or a "force quit" finds the process.
void markOwningProcess(Display* display, Window window);

// Before the window is mapped: full screen in _NET_WM_STATE, and the monitor it covers (an
// index of the display's monitors, or -1 to leave the choice to the manager).
void setFullScreenState(Display* display, Window window, int monitor);

// After the window is mapped: the same asked by client messages to the root, for a manager
// that took the window before it read its properties.
void requestFullScreen(Display* display, Window window, int monitor);

} // namespace qxplatform
