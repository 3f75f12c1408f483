// The window table: classes, windows, user data, painting, capture and quit. Windows live in
// this table whether or not a display is attached, so the module can open and close its
// window in a headless run.
#include "qxplatform/win32.h"

#include <map>
#include <memory>
#include <string>

namespace {

struct WindowEntry {
    std::u16string className;
    WNDPROC procedure = nullptr;
    HWND parent = nullptr;
    DWORD style = 0;
    RECT rect{};
    LONG_PTR userData = 0;
    bool needsPaint = true;
};

struct WindowTable {
    std::map<std::u16string, WNDCLASSEXW> classes;
    std::map<uintptr_t, WindowEntry> windows;
    uintptr_t nextHandle = 0x100;
    HWND capture = nullptr;
    HWND focus = nullptr;
    bool quitPosted = false;
};

WindowTable& table() {
    static WindowTable t;
    return t;
}

// The desktop is a handle of its own that never enters the table.
HWND desktopHandle() { return reinterpret_cast<HWND>(uintptr_t{0x10}); }

WindowEntry* find(HWND window) {
    auto it = table().windows.find(reinterpret_cast<uintptr_t>(window));
    return it == table().windows.end() ? nullptr : &it->second;
}

} // namespace

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

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU, HINSTANCE, void*) {
    if (!className) return nullptr;
    auto cls = table().classes.find(std::u16string(className));
    if (cls == table().classes.end()) return nullptr;
    WindowEntry entry;
    entry.className = cls->first;
    entry.procedure = cls->second.lpfnWndProc;
    entry.parent = parent;
    entry.style = style;
    entry.rect = RECT{x, y, x + width, y + height};
    uintptr_t handle = table().nextHandle++;
    table().windows[handle] = entry;
    return reinterpret_cast<HWND>(handle);
}

BOOL IsWindow(HWND window) { return find(window) ? TRUE : FALSE; }

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
    if (table().capture == window) table().capture = nullptr;
    if (table().focus == window) table().focus = nullptr;
    table().windows.erase(reinterpret_cast<uintptr_t>(window));
    return TRUE;
}

LRESULT DefWindowProcW(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry* entry = find(window);
    if (!entry || !entry->procedure) return 0;
    return entry->procedure(window, message, wParam, lParam);
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    WindowEntry* entry = find(window);
    if (!entry || index != GWLP_USERDATA) return 0;
    LONG_PTR old = entry->userData;
    entry->userData = value;
    return old;
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
    WindowEntry* entry = find(window);
    return entry && index == GWLP_USERDATA ? entry->userData : 0;
}

HWND GetParent(HWND window) {
    WindowEntry* entry = find(window);
    return entry ? entry->parent : nullptr;
}

HWND GetDesktopWindow() { return desktopHandle(); }

BOOL GetClientRect(HWND window, RECT* rect) {
    WindowEntry* entry = find(window);
    if (!entry || !rect) return FALSE;
    *rect = RECT{0, 0, entry->rect.right - entry->rect.left, entry->rect.bottom - entry->rect.top};
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

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }

HDC GetDC(HWND window) { return find(window) ? reinterpret_cast<HDC>(window) : nullptr; }
int ReleaseDC(HWND, HDC) { return 1; }

void PostQuitMessage(int) { table().quitPosted = true; }

HWND SetCapture(HWND window) {
    HWND previous = table().capture;
    table().capture = window;
    return previous;
}

BOOL ReleaseCapture() {
    table().capture = nullptr;
    return TRUE;
}

HWND GetCapture() { return table().capture; }

// Cursors are the resource numbers themselves until a display shows them.
HCURSOR LoadCursorW(HINSTANCE, LPCWSTR name) {
    return reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(name));
}
