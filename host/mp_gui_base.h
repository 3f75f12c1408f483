// The user-interface base classes of the plug-in SDK as this module builds them: the
// interfaces a host calls on the object, the link back to the host, reference counting, the
// pin map, and a native child window whose messages reach virtual operations.
#pragma once

#include <cstdint>

#include "host/gmpi.h"
#include "host/gui_pin_owner.h"
#include "host/mp_gui_pin.h"
#include "qxplatform/win32.h"

// The text thrown by setHost when the host lacks one of the three host interfaces.
extern const char* const kHostInterfacesNotSupported;

// Name of the window class of every user-interface window of the module.
extern const char16_t* const kDefaultWindowClass;

class IoldSchoolInitialisation {
public:
    virtual int32_t setHost(gmpi::IMpUnknown* host) = 0;

protected:
    ~IoldSchoolInitialisation() = default;
};

class MpGuiBase_base : public gmpi::IMpUserInterface,
                       public IoldSchoolInitialisation,
                       public gmpi::IMpLegacyInitialization,
                       public GuiPinOwner {
public:
    MpGuiBase_base() = default;
    MpGuiBase_base(const MpGuiBase_base&) = delete;
    MpGuiBase_base& operator=(const MpGuiBase_base&) = delete;

    int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override;
    int32_t addRef() override { return ++refCount_; }
    int32_t release() override;
    int32_t noOpEntry3() override { return 0; }
    int32_t setPin(int32_t pinId, int32_t voice, int32_t size, const void* data) override;
    int32_t notifyPin(int32_t pinId, int32_t voice) override;
    int32_t noOpEntry6(int32_t, int32_t, int32_t) override { return 0; }
    int32_t noOpEntry7() override { return 0; }
    int32_t noOpEntry8(int32_t) override { return 0; }
    virtual ~MpGuiBase_base() = default;

    int32_t setHost(gmpi::IMpUnknown* host) override;
    int32_t sendPinToHost(int32_t pinId, int32_t size, const void* data, int32_t voice) override;

    gmpi::IMpGuiHost* guiHost() const { return guiHost_; }

protected:
    int32_t refCount_ = 1;
    gmpi::IMpGuiHost* guiHost_ = nullptr;
};

class MpGuiBase : public MpGuiBase_base {
public:
    int32_t addRef() override { return ++refCount_; }
    int32_t release() override;

protected:
    int32_t refCount_ = 1;
};

class MpGuiWindowsGfxBase : public MpGuiBase, public IMpGraphicsWinGdi {
public:
    int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override;
    int32_t addRef() override { return ++refCount_; }
    int32_t release() override;
    int32_t setHost(gmpi::IMpUnknown* host) override;

    int32_t measureSize(int32_t width, int32_t height, gmpi::MpSize* size) override;
    int32_t setBounds(int32_t top, int32_t bottom, int32_t left, int32_t right) override;
    int32_t openWindow(HWND parent, HWND* window) override;
    int32_t closeWindow() override;

    virtual LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void fillWindowClass(WNDCLASSEXW& windowClass);
    virtual void windowStyle(DWORD& style, DWORD& extendedStyle);
    virtual int32_t registerWindowClass();
    virtual int32_t unregisterWindowClass();
    virtual int32_t onPaint(HDC dc) {
        (void)dc;
        return 0;
    }
    virtual int32_t onLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onTimer() { return 0; }

    static LRESULT CALLBACK staticWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    void captureMouse();

    HWND windowHandle() const { return window_; }
    // The host rectangle given by setBounds.
    int32_t boundsTop() const { return top_; }
    int32_t boundsBottom() const { return bottom_; }
    int32_t boundsLeft() const { return left_; }
    int32_t boundsRight() const { return right_; }

protected:
    int32_t refCount_ = 1;
    HWND window_ = nullptr;
    gmpi::IMpUnknown* windowsGuiHost_ = nullptr;
    int32_t top_ = 0;
    int32_t bottom_ = 0;
    int32_t left_ = 0;
    int32_t right_ = 0;
};

class SeGuiWindowsGfxBase : public MpGuiWindowsGfxBase {
public:
    int32_t queryInterface(const gmpi::MpGuid& iid, void** object) override;
    int32_t addRef() override { return ++refCount_; }
    int32_t release() override;
    int32_t setHost(gmpi::IMpUnknown* host) override;

    int32_t referenceCount() const { return refCount_; }

protected:
    int32_t refCount_ = 1;
    gmpi::IMpUnknown* extendedHost_ = nullptr;
};

// This module's instance handle, found from an address inside the module.
HINSTANCE moduleInstance();
