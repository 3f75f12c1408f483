// The Windows OpenGL calls the module uses (pixel formats, rendering contexts, buffer swap),
// implemented over GLX. A device context stands for its window; every window of a display is
// created with the one GLX visual, so choosing and setting a pixel format only confirm it.
#pragma once

#include "qxplatform/win32.h"

#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};

// 1 when the display offers the double-buffered RGBA visual with depth, else 0.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor);
// TRUE when the format is the one the window was created with.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor);
HGLRC wglCreateContext(HDC dc);
BOOL wglMakeCurrent(HDC dc, HGLRC context);
BOOL wglDeleteContext(HGLRC context);
HGLRC wglGetCurrentContext();
BOOL SwapBuffers(HDC dc);

// ---- Presenting part of a window -----------------------------------------------------------
namespace qxplatform {

// Whether a rectangle of the window's back buffer can be copied to the window on its own,
// leaving the back buffer as it was.
bool canPresentPart(HDC dc);
// Copies that rectangle (GL window coordinates: origin bottom left) to the window.
BOOL presentPart(HDC dc, int x, int y, int width, int height);
// How many times the contents shown in the window were lost (exposed) since it was created.
uint32_t windowExposures(HWND window);

} // namespace qxplatform
