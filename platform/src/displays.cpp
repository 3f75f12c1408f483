// Monitor enumeration: a list set by the host or a test, else the X screens when a display is
// open, else one display of 1376 x 800.
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"
#include "x_session.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>

#include <vector>

namespace {

struct DisplayListHook {
    bool set = false;
    std::vector<RECT> rectangles;
};

DisplayListHook& hook() {
    static DisplayListHook h;
    return h;
}

RECT rectangle(int left, int top, int width, int height) {
    RECT r;
    r.left = left;
    r.top = top;
    r.right = left + width;
    r.bottom = top + height;
    return r;
}

// The screens of the X display, one per Xinerama head when Xinerama is active, else the root
// window of each screen; empty without a display.
std::vector<RECT> xScreens() {
    std::vector<RECT> found;
    Display* display = qxplatform::xSession().display;
    if (!display) return found;
    int eventBase = 0, errorBase = 0, heads = 0;
    if (XineramaQueryExtension(display, &eventBase, &errorBase) && XineramaIsActive(display)) {
        XineramaScreenInfo* info = XineramaQueryScreens(display, &heads);
        for (int i = 0; info && i < heads; ++i)
            found.push_back(rectangle(info[i].x_org, info[i].y_org, info[i].width, info[i].height));
        if (info) XFree(info);
    }
    if (found.empty()) {
        int left = 0;
        for (int s = 0; s < ScreenCount(display); ++s) {
            found.push_back(
                rectangle(left, 0, DisplayWidth(display, s), DisplayHeight(display, s)));
            left += DisplayWidth(display, s);
        }
    }
    return found;
}

// The monitors EnumDisplayMonitors reports: the list set by the host or a test, else the X
// screens, else one display of 1376 x 800.
std::vector<RECT> monitorList() {
    if (hook().set) return hook().rectangles;
    std::vector<RECT> screens = xScreens();
    if (screens.empty()) screens.push_back(rectangle(0, 0, 1376, 800));
    return screens;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

namespace qxplatform {

bool coversAMonitor(const RECT& rect) {
    for (const RECT& monitor : monitorList())
        if (sameRect(monitor, rect)) return true;
    return false;
}

int xMonitorAt(const RECT& rect) {
    const std::vector<RECT> screens = xScreens();
    for (size_t i = 0; i < screens.size(); ++i)
        if (sameRect(screens[i], rect)) return static_cast<int>(i);
    return -1;
}

void setDisplayList(const std::vector<RECT>& rectangles) {
    hook().set = true;
    hook().rectangles = rectangles;
}

void clearDisplayList() {
    hook().set = false;
    hook().rectangles.clear();
}

} // namespace qxplatform

BOOL EnumDisplayMonitors(HDC dc, const RECT*, MONITORENUMPROC callback, LPARAM data) {
    if (!callback) return FALSE;
    const std::vector<RECT> screens = monitorList();
    for (size_t i = 0; i < screens.size(); ++i) {
        RECT r = screens[i];
        HMONITOR monitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(i + 1));
        if (!callback(monitor, dc, &r, data)) break;
    }
    return TRUE;
}
