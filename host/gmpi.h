// The plug-in interfaces exchanged with the host: identifiers, result codes and the abstract
// interfaces in slot order. A host calls these by slot, so the order of the virtual operations
// below is part of the module's binary interface and must not change.
#pragma once

#include <cstdint>
#include <cstring>

#include "qxplatform/win32.h"

// Marks a function that calls into an object of the host: its classes are the host's own, so the
// sanitizer's check of the dynamic type cannot apply to such calls.
#if defined(__clang__) || defined(__GNUC__)
#define MP_CALLS_HOST __attribute__((no_sanitize("vptr")))
#else
#define MP_CALLS_HOST
#endif

namespace gmpi {

struct MpGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

inline bool operator==(const MpGuid& a, const MpGuid& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

constexpr int32_t MP_OK = 0;
constexpr int32_t MP_FAIL = -1;
constexpr int32_t MP_NOSUPPORT = -2;

// {00000000-0000-C000-0000-000000000046}
constexpr MpGuid MP_IID_UNKNOWN = {
    0x00000000, 0x0000, 0xC000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {91C3D2EE-C701-4F35-91A6-094DC7E05976}
constexpr MpGuid MP_IID_FACTORY = {
    0x91C3D2EE, 0xC701, 0x4F35, {0x91, 0xA6, 0x09, 0x4D, 0xC7, 0xE0, 0x59, 0x76}};
// {9A7904B7-7F7F-4D61-B558-C1A6695BB638}
constexpr MpGuid MP_IID_FACTORY2 = {
    0x9A7904B7, 0x7F7F, 0x4D61, {0xB5, 0x58, 0xC1, 0xA6, 0x69, 0x5B, 0xB6, 0x38}};
// {CACB3203-4A57-4209-9E00-0C4B950457F6}
constexpr MpGuid MP_IID_GUI_PLUGIN = {
    0xCACB3203, 0x4A57, 0x4209, {0x9E, 0x00, 0x0C, 0x4B, 0x95, 0x04, 0x57, 0xF6}};
// {0B471002-5627-4D46-984E-C0DC79D0AD35}
constexpr MpGuid MP_IID_LEGACY_INITIALIZATION = {
    0x0B471002, 0x5627, 0x4D46, {0x98, 0x4E, 0xC0, 0xDC, 0x79, 0xD0, 0xAD, 0x35}};
// {76FAC807-0C89-465D-9FAF-49B12D964118}
constexpr MpGuid MP_IID_GRAPHICS_WIN_GDI = {
    0x76FAC807, 0x0C89, 0x465D, {0x9F, 0xAF, 0x49, 0xB1, 0x2D, 0x96, 0x41, 0x18}};
// Host interfaces, asked of the host in this order by setHost.
// {174F9DDC-1850-40DB-BAF0-E0B41D079645}
constexpr MpGuid MP_IID_GUI_HOST = {
    0x174F9DDC, 0x1850, 0x40DB, {0xBA, 0xF0, 0xE0, 0xB4, 0x1D, 0x07, 0x96, 0x45}};
// {E52FAA41-42C3-40A6-A11A-E69DB335CE50}
constexpr MpGuid MP_IID_WINDOWS_GUI_HOST = {
    0xE52FAA41, 0x42C3, 0x40A6, {0xA1, 0x1A, 0xE6, 0x9D, 0xB3, 0x35, 0xCE, 0x50}};
// {B1EFF8C9-9ADC-450B-BCD6-D359CFDC8275}
constexpr MpGuid MP_IID_EXTENDED_HOST = {
    0xB1EFF8C9, 0x9ADC, 0x450B, {0xBC, 0xD6, 0xD3, 0x59, 0xCF, 0xDC, 0x82, 0x75}};

class IMpUnknown {
public:
    virtual int32_t queryInterface(const MpGuid& iid, void** object) = 0; // slot 0
    virtual int32_t addRef() = 0;                                         // slot 1
    virtual int32_t release() = 0;                                        // slot 2
protected:
    ~IMpUnknown() = default;
};

class IMpFactory : public IMpUnknown {
public:
    virtual int32_t createInstanceWithHost(const char16_t* uniqueId, int32_t kind, IMpUnknown* host,
                                           void** object) = 0; // slot 3
    virtual int32_t getBuildInformation(int32_t* version, int32_t bufferSize,
                                        char16_t* buffer) = 0; // slot 4
protected:
    ~IMpFactory() = default;
};

class IMpFactory2 : public IMpFactory {
public:
    virtual int32_t createInstance(const char16_t* uniqueId, int32_t kind,
                                   void** object) = 0; // slot 5
protected:
    ~IMpFactory2() = default;
};

class IMpUserInterface : public IMpUnknown {
public:
    virtual int32_t noOpEntry3() = 0; // slot 3
    virtual int32_t setPin(int32_t pinId, int32_t voice, int32_t size,
                           const void* data) = 0;                                 // slot 4
    virtual int32_t notifyPin(int32_t pinId, int32_t voice) = 0;                  // slot 5
    virtual int32_t noOpEntry6(int32_t first, int32_t second, int32_t third) = 0; // slot 6
    virtual int32_t noOpEntry7() = 0;                                             // slot 7
    virtual int32_t noOpEntry8(int32_t argument) = 0;                             // slot 8
protected:
    ~IMpUserInterface() = default;
};

class IMpLegacyInitialization : public IMpUnknown {
public:
    virtual int32_t setHost(IMpUnknown* host) = 0; // slot 3
protected:
    ~IMpLegacyInitialization() = default;
};

// The size record that measureSize fills.
struct MpSize {
    int32_t width;
    int32_t height;
};

// The host's interface that receives the object's outgoing pin values.
class IMpGuiHost : public IMpUnknown {
public:
    virtual int32_t receivePinValue(int32_t pinId, int32_t size, const void* data,
                                    int32_t voice) = 0; // slot 3
protected:
    ~IMpGuiHost() = default;
};

} // namespace gmpi

// The graphics interface of a windowed user-interface object.
class IMpGraphicsWinGdi : public gmpi::IMpUnknown {
public:
    virtual int32_t measureSize(int32_t width, int32_t height, gmpi::MpSize* size) = 0; // slot 3
    virtual int32_t setBounds(int32_t top, int32_t bottom, int32_t left,
                              int32_t right) = 0;              // slot 4
    virtual int32_t openWindow(HWND parent, HWND* window) = 0; // slot 5
    virtual int32_t closeWindow() = 0;                         // slot 6
protected:
    ~IMpGraphicsWinGdi() = default;
};
