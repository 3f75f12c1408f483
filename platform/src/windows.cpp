// The window table: classes, windows, user data, painting, capture, focus and cursors. Each
// window is an X window when a display is open (created with the GLX visual, since X fixes a
// window's visual at creation); without a display the window lives in the table only, so the
// module can open and close its window in a headless run.
#include "modal_loop.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/wgl.h"
#include "qxplatform/win32.h"
#include "window_manager.h"
#include "x_session.h"

#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>

namespace {

struct WindowEntry {
    std::u16string className;
    std::u16string title;
    WNDPROC procedure = nullptr;
    HWND parent = nullptr;     // null for windows on the desktop
    bool desktopChild = false; // a child window made with the desktop as its parent
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{}; // relative to the parent (to the screen for top-level windows)
    LONG_PTR userData = 0;
    bool needsPaint = true;
    bool visible = false;
    // What the X server says: unmapped (by us or a window manager) or wholly covered. A window
    // that cannot be seen gets no WM_PAINT; its paint waits until it can.
    bool unmapped = false;
    bool covered = false;
    // Times the window's shown contents were lost.
    uint32_t exposures = 0;
    Window xWindow = 0;
    // A full-screen window that asked a window manager for full screen (else, without one,
    // it is placed without the manager's help).
    bool askedFullScreen = false;
};

struct WindowTable {
    std::map<std::u16string, WNDCLASSEXW> classes;
    std::map<uintptr_t, WindowEntry> windows;
    std::map<Window, uintptr_t> byXWindow;
    uintptr_t nextHandle = 0x100;
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND cursorWindow = nullptr;
    int cursorCount = 0;
    int currentCursorId = 32512;
    POINT lastCursor{0, 0};
};

WindowTable& table() {
    static WindowTable t;
    return t;
}

// The desktop is a handle of its own that never enters the table.
HWND desktopHandle() {
    return reinterpret_cast<HWND>(uintptr_t{0x10});
}

WindowEntry* find(HWND window) {
    auto it = table().windows.find(reinterpret_cast<uintptr_t>(window));
    return it == table().windows.end() ? nullptr : &it->second;
}

Display* display() {
    return qxplatform::xSession().display;
}

// A top-level window carries its title (WM_NAME, and _NET_WM_NAME in UTF-8; the program's name
// when it has none) and its class (WM_CLASS: the program's name and the window class), so that
// window managers, task bars and tools can find it.
void nameTopLevelWindow(Display* display, Window w, const WindowEntry& entry) {
    std::string title = qxplatform::narrow(entry.title);
    if (title.empty()) title = program_invocation_short_name;
    const std::string className = qxplatform::narrow(entry.className);
    XStoreName(display, w, title.c_str());
    XChangeProperty(display, w, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    std::string program = program_invocation_short_name;
    XClassHint hint{};
    hint.res_name = program.data();
    hint.res_class = const_cast<char*>(className.c_str());
    XSetClassHint(display, w, &hint);
}

// A window on the desktop without a frame (a child of the desktop window) that covers a whole
// monitor is a full-screen window, as the Windows shell takes such a window.
bool isFullScreenWindow(const WindowEntry& entry) {
    return entry.desktopChild && qxplatform::coversAMonitor(entry.rect);
}

// A full-screen window asks an EWMH window manager for full screen before it is mapped; where
// none runs it is placed by itself (override-redirect), so no other manager frames or moves it.
Window createXWindow(WindowEntry& entry) {
    auto& session = qxplatform::xSession();
    if (!session.display) return 0;
    Window parentX = 0;
    if (WindowEntry* parent = find(entry.parent)) parentX = parent->xWindow;
    const bool topLevel = parentX == 0;
    if (topLevel) parentX = DefaultRootWindow(session.display);
    XSetWindowAttributes attributes{};
    unsigned long mask = CWBorderPixel | CWEventMask | CWBackPixel;
    attributes.border_pixel = 0;
    attributes.background_pixel = 0;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask |
                            EnterWindowMask | VisibilityChangeMask;
    int depth = CopyFromParent;
    Visual* visual = CopyFromParent;
    if (session.visual) {
        visual = session.visual->visual;
        depth = session.visual->depth;
        attributes.colormap = session.colormap;
        mask |= CWColormap;
    }
    const bool fullScreen = topLevel && isFullScreenWindow(entry);
    entry.askedFullScreen = fullScreen && qxplatform::ewmhManagerRuns(session.display);
    if (fullScreen && !entry.askedFullScreen) {
        attributes.override_redirect = True;
        mask |= CWOverrideRedirect;
    }
    const int width = entry.rect.right - entry.rect.left;
    const int height = entry.rect.bottom - entry.rect.top;
    Window w = XCreateWindow(session.display, parentX, entry.rect.left, entry.rect.top,
                             width > 0 ? width : 1, height > 0 ? height : 1, 0, depth, InputOutput,
                             visual, mask, &attributes);
    if (topLevel && w) {
        XSetWMProtocols(session.display, w, &session.deleteWindow, 1);
        nameTopLevelWindow(session.display, w, entry);
        qxplatform::markOwningProcess(session.display, w);
        if (entry.askedFullScreen)
            qxplatform::setFullScreenState(session.display, w, qxplatform::xMonitorAt(entry.rect));
    }
    return w;
}

// The track sizes offered to WM_GETMINMAXINFO bound nothing: an X window is 1 to 32767 pixels.
constexpr LONG kLeastSize = 1, kGreatestSize = 32767;

// A top-level window's position and size for the window manager (WM_NORMAL_HINTS), with the
// least and greatest size its procedure answers to WM_GETMINMAXINFO; a bound it leaves as
// offered is not given.
void setSizeHints(HWND window) {
    WindowEntry* entry = find(window);
    if (!entry || !entry->xWindow || entry->parent || !entry->procedure) return;
    MINMAXINFO limits{};
    limits.ptMinTrackSize = POINT{kLeastSize, kLeastSize};
    limits.ptMaxTrackSize = POINT{kGreatestSize, kGreatestSize};
    limits.ptMaxSize = limits.ptMaxTrackSize;
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    entry = find(window);
    if (!entry) return;
    XSizeHints hints{};
    hints.flags = PPosition | PSize;
    hints.x = entry->rect.left;
    hints.y = entry->rect.top;
    hints.width = entry->rect.right - entry->rect.left;
    hints.height = entry->rect.bottom - entry->rect.top;
    const POINT least = limits.ptMinTrackSize, greatest = limits.ptMaxTrackSize;
    if (least.x > kLeastSize || least.y > kLeastSize) {
        hints.flags |= PMinSize;
        hints.min_width = std::max<LONG>(least.x, kLeastSize);
        hints.min_height = std::max<LONG>(least.y, kLeastSize);
    }
    if (greatest.x < kGreatestSize || greatest.y < kGreatestSize) {
        hints.flags |= PMaxSize;
        hints.max_width = std::clamp<LONG>(greatest.x, kLeastSize, kGreatestSize);
        hints.max_height = std::clamp<LONG>(greatest.y, kLeastSize, kGreatestSize);
    }
    XSetWMNormalHints(display(), entry->xWindow, &hints);
}

void flush() {
    if (display()) XFlush(display());
}

unsigned int xCursorShape(int id) {
    switch (id) {
    case 32644:
        return XC_sb_h_double_arrow;
    case 32645:
        return XC_sb_v_double_arrow;
    case 32643:
        return XC_bottom_left_corner;
    case 32642:
        return XC_bottom_right_corner;
    case 32649:
        return XC_hand2;
    case 32646:
        return XC_fleur;
    case 32513:
        return XC_xterm;
    case 32514:
        return XC_watch;
    case 32515:
        return XC_crosshair;
    default:
        return XC_left_ptr;
    }
}

} // namespace

namespace qxplatform {

Window xWindowOf(HWND window) {
    WindowEntry* entry = find(window);
    return entry ? entry->xWindow : 0;
}

HWND windowOfX(Window xWindow) {
    auto it = table().byXWindow.find(xWindow);
    return it == table().byXWindow.end() ? nullptr : reinterpret_cast<HWND>(it->second);
}

Window topLevelXWindowOf(HWND window) {
    WindowEntry* entry = find(window);
    if (!entry) entry = find(table().focus);
    if (!entry) {
        for (auto& [handle, candidate] : table().windows)
            if (!candidate.parent && candidate.visible && candidate.xWindow)
                return candidate.xWindow;
        return 0;
    }
    while (WindowEntry* parent = find(entry->parent)) entry = parent;
    return entry->xWindow;
}

void markNeedsPaint(HWND window, bool needed) {
    if (WindowEntry* entry = find(window)) entry->needsPaint = needed;
}

// A window without an X window (no display) counts as seen, as its paints always did.
bool canBeSeen(const WindowEntry& entry) {
    if (!entry.xWindow) return true;
    if (entry.covered) return false;
    for (const WindowEntry* e = &entry; e; e = find(e->parent))
        if (!e->visible || e->unmapped) return false;
    return true;
}

void noteExposure(HWND window) {
    if (WindowEntry* entry = find(window)) {
        ++entry->exposures;
        entry->needsPaint = true;
    }
}

// Unmapped or mapped again, a window and every window inside it lose what they showed.
void loseContents(HWND window) {
    noteExposure(window);
    for (auto& [handle, entry] : table().windows)
        if (entry.parent == window) loseContents(reinterpret_cast<HWND>(handle));
}

void noteMapped(HWND window, bool mapped) {
    WindowEntry* entry = find(window);
    if (!entry) return;
    entry->unmapped = !mapped;
    loseContents(window);
}

// Uncovered, the window's contents were lost while it was covered.
void noteCovered(HWND window, bool covered) {
    WindowEntry* entry = find(window);
    if (!entry) return;
    if (entry->covered && !covered) noteExposure(window);
    entry->covered = covered;
}

uint32_t windowExposures(HWND window) {
    WindowEntry* entry = find(window);
    return entry ? entry->exposures : 0;
}

bool takePaintRequest(HWND* window) {
    for (auto& [handle, entry] : table().windows) {
        if (entry.needsPaint && entry.procedure && canBeSeen(entry)) {
            entry.needsPaint = false;
            *window = reinterpret_cast<HWND>(handle);
            return true;
        }
    }
    return false;
}

void updateWindowRect(HWND window, int x, int y, int width, int height) {
    if (WindowEntry* entry = find(window)) entry->rect = RECT{x, y, x + width, y + height};
}

bool isWindowVisible(HWND window) {
    WindowEntry* entry = find(window);
    return entry && entry->visible;
}

void setCursorWindow(HWND window) {
    table().cursorWindow = window;
}

bool hasShownWindow() {
    // A window with an X window implies an open display; none opens one here.
    for (const auto& entry : table().windows)
        if (entry.second.xWindow && entry.second.visible) return true;
    return false;
}

bool hasDisplay() {
    return display() != nullptr;
}

unsigned long xWindowHandle(HWND window) {
    return xWindowOf(window);
}

int currentCursorId() {
    return table().currentCursorId;
}

HWND platformFocusWindow() {
    return table().focus;
}

bool captureWindowImage(HWND window, std::vector<uint8_t>& rgb, int& width, int& height) {
    Display* d = display();
    WindowEntry* entry = find(window);
    if (!d || !entry || !entry->xWindow) return false;
    XSync(d, False);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(d, entry->xWindow, &attributes)) return false;
    width = attributes.width;
    height = attributes.height;
    XImage* image = XGetImage(d, entry->xWindow, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image) return false;
    rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            uint8_t* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<uint8_t>((pixel & image->red_mask) >> 16);
            out[1] = static_cast<uint8_t>((pixel & image->green_mask) >> 8);
            out[2] = static_cast<uint8_t>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return true;
}

} // namespace qxplatform

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (!windowClass || !windowClass->lpszClassName) return 0;
    std::u16string name(windowClass->lpszClassName);
    if (table().classes.count(name)) return 0; // already registered
    table().classes[name] = *windowClass;
    return static_cast<ATOM>(table().classes.size());
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    if (!className) return FALSE;
    return table().classes.erase(std::u16string(className)) ? TRUE : FALSE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU, HINSTANCE, void*) {
    if (!className) return nullptr;
    auto cls = table().classes.find(std::u16string(className));
    if (cls == table().classes.end()) return nullptr;
    if (parent && parent != desktopHandle() && !find(parent)) return nullptr;
    WindowEntry entry;
    entry.className = cls->first;
    if (windowName) entry.title = windowName;
    entry.procedure = cls->second.lpfnWndProc;
    entry.parent = parent == desktopHandle() ? nullptr : parent;
    entry.desktopChild = parent == desktopHandle() && (style & WS_CHILD);
    entry.style = style;
    entry.exStyle = exStyle;
    entry.rect = RECT{x, y, x + width, y + height};
    entry.xWindow = createXWindow(entry);
    if (qxplatform::xSession().display && !entry.xWindow) return nullptr;
    uintptr_t handle = table().nextHandle++;
    table().windows[handle] = entry;
    if (entry.xWindow) table().byXWindow[entry.xWindow] = handle;
    HWND window = reinterpret_cast<HWND>(handle);
    setSizeHints(window);
    if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
    return window;
}

BOOL IsWindow(HWND window) {
    return find(window) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND window) {
    if (!find(window)) return FALSE;
    // Children go first, as on Windows.
    for (auto it = table().windows.begin(); it != table().windows.end();) {
        if (it->second.parent == window) {
            HWND child = reinterpret_cast<HWND>(it->first);
            ++it;
            DestroyWindow(child);
        } else {
            ++it;
        }
    }
    SendMessageW(window, WM_DESTROY, 0, 0);
    WindowEntry* entry = find(window);
    if (!entry) return TRUE;
    if (entry->xWindow) {
        table().byXWindow.erase(entry->xWindow);
        XDestroyWindow(display(), entry->xWindow);
        flush();
    }
    qxplatform::forgetWindowMessages(window);
    if (table().capture == window) table().capture = nullptr;
    if (table().focus == window) table().focus = nullptr;
    if (table().cursorWindow == window) table().cursorWindow = nullptr;
    table().windows.erase(reinterpret_cast<uintptr_t>(window));
    return TRUE;
}

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry* entry = find(window);
    if (!entry || !entry->procedure) return 0;
    return entry->procedure(window, message, wParam, lParam);
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    WindowEntry* entry = find(window);
    if (!entry) return 0;
    LONG_PTR old = 0;
    if (index == GWLP_USERDATA) {
        old = entry->userData;
        entry->userData = value;
    } else if (index == GWL_EXSTYLE) {
        old = entry->exStyle;
        entry->exStyle = static_cast<DWORD>(value);
    }
    return old;
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
    WindowEntry* entry = find(window);
    if (!entry) return 0;
    if (index == GWLP_USERDATA) return entry->userData;
    if (index == GWL_EXSTYLE) return entry->exStyle;
    return 0;
}

// A child of the desktop answers the desktop; only a top-level window has no parent.
HWND GetParent(HWND window) {
    WindowEntry* entry = find(window);
    if (!entry) return nullptr;
    return entry->desktopChild ? desktopHandle() : entry->parent;
}

HWND GetDesktopWindow() {
    return desktopHandle();
}

BOOL GetClientRect(HWND window, RECT* rect) {
    if (!rect) return FALSE;
    if (window == desktopHandle()) {
        Display* d = display();
        *rect = RECT{0, 0, d ? DisplayWidth(d, DefaultScreen(d)) : 1376,
                     d ? DisplayHeight(d, DefaultScreen(d)) : 800};
        return TRUE;
    }
    WindowEntry* entry = find(window);
    if (!entry) return FALSE;
    *rect = RECT{0, 0, entry->rect.right - entry->rect.left, entry->rect.bottom - entry->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    WindowEntry* entry = find(window);
    if (!entry || !rect) return FALSE;
    POINT origin{0, 0};
    for (WindowEntry* e = entry; e; e = find(e->parent)) {
        origin.x += e->rect.left;
        origin.y += e->rect.top;
    }
    *rect = RECT{origin.x, origin.y, origin.x + entry->rect.right - entry->rect.left,
                 origin.y + entry->rect.bottom - entry->rect.top};
    return TRUE;
}

// A device context stands for the window it paints.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    WindowEntry* entry = find(window);
    if (!entry) return nullptr;
    entry->needsPaint = false;
    HDC dc = reinterpret_cast<HDC>(window);
    if (paint) {
        *paint = PAINTSTRUCT{};
        paint->hdc = dc;
        GetClientRect(window, &paint->rcPaint);
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) {
    return TRUE;
}

HDC GetDC(HWND window) {
    return find(window) ? reinterpret_cast<HDC>(window) : nullptr;
}
int ReleaseDC(HWND window, HDC) {
    return find(window) ? 1 : 0;
}

// The window that loses the capture to another is told, as WM_CAPTURECHANGED with the taker.
HWND SetCapture(HWND window) {
    HWND previous = table().capture;
    table().capture = window;
    if (previous && previous != window)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

BOOL ReleaseCapture() {
    table().capture = nullptr;
    return TRUE;
}

HWND GetCapture() {
    return table().capture;
}

namespace qxplatform {
// As the system does when a box or a dialog opens: the window holding the capture and the one
// with the focus are told to cancel their modes (the drags under way), and the capture ends.
void cancelModesForModal() {
    HWND capture = table().capture;
    HWND focus = table().focus;
    table().capture = nullptr;
    if (capture) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    if (focus && focus != capture) SendMessageW(focus, WM_CANCELMODE, 0, 0);
}
} // namespace qxplatform

// Keys go to the window named here whichever X window received them; focus messages are sent
// only when the focus really moves.
HWND SetFocus(HWND window) {
    HWND previous = table().focus;
    if (window && !find(window)) return nullptr;
    if (previous == window) return previous;
    table().focus = window;
    if (previous) SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window) {
        WindowEntry* entry = find(window);
        if (entry && entry->xWindow && entry->visible) {
            XSetInputFocus(display(), entry->xWindow, RevertToParent, CurrentTime);
            flush();
        }
        SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus() {
    return table().focus;
}

BOOL ShowWindow(HWND window, int command) {
    WindowEntry* entry = find(window);
    if (!entry) return FALSE;
    const bool wasVisible = entry->visible;
    entry->visible = command != SW_HIDE;
    if (wasVisible != entry->visible) qxplatform::loseContents(window);
    entry = find(window);
    if (entry->xWindow) {
        if (entry->visible) {
            XMapRaised(display(), entry->xWindow);
            if (entry->askedFullScreen)
                qxplatform::requestFullScreen(display(), entry->xWindow,
                                              qxplatform::xMonitorAt(entry->rect));
        } else
            XUnmapWindow(display(), entry->xWindow);
        flush();
    }
    if (entry->visible) entry->needsPaint = true;
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) {
    WindowEntry* entry = find(window);
    if (!entry) return FALSE;
    if (entry->needsPaint && qxplatform::canBeSeen(*entry)) SendMessageW(window, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowEntry* entry = find(window);
    if (!entry) return FALSE;
    const int width = entry->rect.right - entry->rect.left;
    const int height = entry->rect.bottom - entry->rect.top;
    if (flags & SWP_NOMOVE) {
        x = entry->rect.left;
        y = entry->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = width;
        cy = height;
    }
    entry->rect = RECT{x, y, x + cx, y + cy};
    if (cx != width || cy != height) {
        setSizeHints(window);
        entry = find(window);
        if (!entry) return FALSE;
    }
    // The window manager holds a full-screen window on its monitor.
    const bool heldByManager = entry->askedFullScreen && isFullScreenWindow(*entry);
    if (entry->xWindow) {
        if (!heldByManager)
            XMoveResizeWindow(display(), entry->xWindow, x, y, cx > 0 ? cx : 1, cy > 0 ? cy : 1);
        if (!(flags & SWP_NOZORDER) && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST))
            XRaiseWindow(display(), entry->xWindow);
        flush();
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOW);
    entry->needsPaint = true;
    return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
    WindowEntry* entry = find(window);
    if (!entry) return FALSE;
    entry->needsPaint = true;
    return TRUE;
}

BOOL InvalidateRgn(HWND window, HRGN, BOOL erase) {
    return InvalidateRect(window, nullptr, erase);
}

int ShowCursor(BOOL show) {
    return show ? ++table().cursorCount : --table().cursorCount;
}

// Cursors are the resource numbers themselves; the X cursor follows when one is set.
HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
    return reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(name));
}

HCURSOR SetCursor(HCURSOR cursor) {
    const int previous = table().currentCursorId;
    if (!cursor) return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(previous));
    const int id = static_cast<int>(reinterpret_cast<uintptr_t>(cursor));
    table().currentCursorId = id;
    if (id != previous) {
        WindowEntry* entry = find(table().cursorWindow);
        if (entry && entry->xWindow) {
            Cursor shape = XCreateFontCursor(display(), xCursorShape(id));
            XDefineCursor(display(), entry->xWindow, shape);
            XFreeCursor(display(), shape);
            flush();
        }
    }
    return reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(previous));
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    Display* d = display();
    if (d) {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int mask = 0;
        if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask))
            table().lastCursor = POINT{rootX, rootY};
    }
    *point = table().lastCursor;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    RECT rect{};
    if (!point || !GetWindowRect(window, &rect)) return FALSE;
    point->x -= rect.left;
    point->y -= rect.top;
    return TRUE;
}
