#include "host/mp_gui_base.h"

#include <cstring>

const char* const kHostInterfacesNotSupported = "host Interfaces not supported";
const char16_t* const kDefaultWindowClass = u"DefaultMpWClass";

namespace {

// Windows opened by the base openWindow; the class is registered with the first.
int openWindowCount = 0;

// Asks the host for an interface; throws when the host does not have it.
template <class Interface>
MP_CALLS_HOST int32_t queryHost(gmpi::IMpUnknown* host, const gmpi::MpGuid& iid,
                                Interface*& pointer) {
    void* found = nullptr;
    int32_t result = host ? host->queryInterface(iid, &found) : gmpi::MP_NOSUPPORT;
    pointer = static_cast<Interface*>(found);
    if (!pointer) throw kHostInterfacesNotSupported;
    return result;
}

} // namespace

HINSTANCE moduleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&moduleInstance), &module);
    return module;
}

// ---- MpGuiBase_base ---------------------------------------------------------------------

int32_t MpGuiBase_base::queryInterface(const gmpi::MpGuid& iid, void** object) {
    *object = nullptr;
    if (iid == gmpi::MP_IID_GUI_PLUGIN || iid == gmpi::MP_IID_UNKNOWN) {
        *object = static_cast<gmpi::IMpUserInterface*>(this);
    } else if (iid == gmpi::MP_IID_LEGACY_INITIALIZATION) {
        *object = static_cast<gmpi::IMpLegacyInitialization*>(this);
    } else {
        return gmpi::MP_NOSUPPORT;
    }
    addRef();
    return gmpi::MP_OK;
}

int32_t MpGuiBase_base::release() {
    if (--refCount_ == 0) {
        delete this;
        return 0;
    }
    return refCount_;
}

int32_t MpGuiBase_base::setPin(int32_t pinId, int32_t voice, int32_t size, const void* data) {
    MpGuiPinBase* pin = findPin(pinId);
    if (!pin) return gmpi::MP_FAIL;
    pin->setValueRaw(voice, size, data);
    return gmpi::MP_OK;
}

int32_t MpGuiBase_base::notifyPin(int32_t pinId, int32_t voice) {
    MpGuiPinBase* pin = findPin(pinId);
    if (!pin) return gmpi::MP_FAIL;
    pin->notify(voice);
    return gmpi::MP_OK;
}

int32_t MpGuiBase_base::setHost(gmpi::IMpUnknown* host) {
    return queryHost(host, gmpi::MP_IID_GUI_HOST, guiHost_);
}

MP_CALLS_HOST int32_t MpGuiBase_base::sendPinToHost(int32_t pinId, int32_t size, const void* data,
                                                    int32_t voice) {
    if (!guiHost_) return gmpi::MP_FAIL;
    return guiHost_->receivePinValue(pinId, size, data, voice);
}

// ---- MpGuiBase ---------------------------------------------------------------------------

int32_t MpGuiBase::release() {
    if (--refCount_ == 0) {
        delete this;
        return 0;
    }
    return refCount_;
}

// ---- MpGuiWindowsGfxBase -----------------------------------------------------------------

int32_t MpGuiWindowsGfxBase::queryInterface(const gmpi::MpGuid& iid, void** object) {
    *object = nullptr;
    if (iid == gmpi::MP_IID_GRAPHICS_WIN_GDI) {
        *object = static_cast<IMpGraphicsWinGdi*>(this);
        addRef();
        return gmpi::MP_OK;
    }
    return MpGuiBase::queryInterface(iid, object);
}

int32_t MpGuiWindowsGfxBase::release() {
    if (--refCount_ == 0) {
        delete this;
        return 0;
    }
    return refCount_;
}

int32_t MpGuiWindowsGfxBase::setHost(gmpi::IMpUnknown* host) {
    MpGuiBase::setHost(host);
    return queryHost(host, gmpi::MP_IID_WINDOWS_GUI_HOST, windowsGuiHost_);
}

int32_t MpGuiWindowsGfxBase::measureSize(int32_t width, int32_t height, gmpi::MpSize* size) {
    auto clamp = [](int32_t v) { return v < 15 ? 15 : (v > 100 ? 100 : v); };
    size->width = clamp(width);
    size->height = clamp(height);
    return gmpi::MP_OK;
}

int32_t MpGuiWindowsGfxBase::setBounds(int32_t top, int32_t bottom, int32_t left, int32_t right) {
    top_ = top;
    bottom_ = bottom;
    left_ = left;
    right_ = right;
    return gmpi::MP_OK;
}

int32_t MpGuiWindowsGfxBase::openWindow(HWND parent, HWND* window) {
    if (openWindowCount++ == 0) registerWindowClass();
    *window = nullptr;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    windowStyle(style, extendedStyle);
    window_ =
        CreateWindowExW(extendedStyle, kDefaultWindowClass, u"", style, left_, top_, right_ - left_,
                        bottom_ - top_, parent, nullptr, moduleInstance(), nullptr);
    *window = window_;
    if (window_)
        SetWindowLongPtrW(window_, GWL_USERDATA,
                          reinterpret_cast<LONG_PTR>(static_cast<MpGuiWindowsGfxBase*>(this)));
    return gmpi::MP_OK;
}

int32_t MpGuiWindowsGfxBase::closeWindow() {
    if (window_) {
        DestroyWindow(window_);
        window_ = nullptr;
        if (--openWindowCount == 0) unregisterWindowClass();
    }
    return gmpi::MP_OK;
}

LRESULT MpGuiWindowsGfxBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam);
    const int32_t y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        onMouseMove(wParam, x, y);
        return 1;
    case WM_LBUTTONDOWN:
        onLButtonDown(wParam, x, y);
        return 1;
    case WM_LBUTTONUP:
        onLButtonUp(wParam, x, y);
        return 1;
    case WM_TIMER:
        onTimer();
        return 1;
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
    case WM_DESTROY:
        if (!GetParent(window)) PostQuitMessage(0);
        return 1;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void MpGuiWindowsGfxBase::fillWindowClass(WNDCLASSEXW& windowClass) {
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &MpGuiWindowsGfxBase::staticWindowProc;
    windowClass.hInstance = moduleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kDefaultWindowClass;
}

void MpGuiWindowsGfxBase::windowStyle(DWORD& style, DWORD&) {
    style = WS_CHILD | WS_VISIBLE;
}

int32_t MpGuiWindowsGfxBase::registerWindowClass() {
    WNDCLASSEXW windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    fillWindowClass(windowClass);
    RegisterClassExW(&windowClass);
    return 0;
}

int32_t MpGuiWindowsGfxBase::unregisterWindowClass() {
    UnregisterClassW(kDefaultWindowClass, moduleInstance());
    return 0;
}

int32_t MpGuiWindowsGfxBase::onLButtonDown(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t MpGuiWindowsGfxBase::onLButtonUp(WPARAM, int32_t, int32_t) {
    return 0;
}
int32_t MpGuiWindowsGfxBase::onMouseMove(WPARAM, int32_t, int32_t) {
    return 0;
}

LRESULT CALLBACK MpGuiWindowsGfxBase::staticWindowProc(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
    auto* object = reinterpret_cast<MpGuiWindowsGfxBase*>(GetWindowLongPtrW(window, GWL_USERDATA));
    if (object) return object->windowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void MpGuiWindowsGfxBase::captureMouse() {
    SetCapture(window_);
}

// ---- SeGuiWindowsGfxBase -----------------------------------------------------------------

int32_t SeGuiWindowsGfxBase::queryInterface(const gmpi::MpGuid& iid, void** object) {
    return MpGuiWindowsGfxBase::queryInterface(iid, object);
}

int32_t SeGuiWindowsGfxBase::release() {
    if (--refCount_ == 0) {
        delete this;
        return 0;
    }
    return refCount_;
}

int32_t SeGuiWindowsGfxBase::setHost(gmpi::IMpUnknown* host) {
    MpGuiWindowsGfxBase::setHost(host);
    return queryHost(host, gmpi::MP_IID_EXTENDED_HOST, extendedHost_);
}
