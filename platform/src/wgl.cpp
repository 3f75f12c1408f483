// WGL over GLX. Contexts are compatibility contexts (the module draws with the matrix stack,
// quads and client-side arrays), one per window, not shared.
#include "qxplatform/wgl.h"
#include "x_session.h"

#include <cstring>

namespace {

HWND windowOfDc(HDC dc) {
    return reinterpret_cast<HWND>(dc);
}

Window drawableOf(HDC dc) {
    return qxplatform::xWindowOf(windowOfDc(dc));
}

} // namespace

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (!dc || !descriptor || !IsWindow(windowOfDc(dc))) return 0;
    if (!(descriptor->dwFlags & PFD_SUPPORT_OPENGL)) return 0;
    return qxplatform::xSession().config && drawableOf(dc) ? 1 : 0;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    return format == 1 && dc && drawableOf(dc) && qxplatform::xSession().config ? TRUE : FALSE;
}

HGLRC wglCreateContext(HDC dc) {
    auto& session = qxplatform::xSession();
    if (!session.display || !session.config || !drawableOf(dc)) return nullptr;
    GLXContext context =
        glXCreateNewContext(session.display, session.config, GLX_RGBA_TYPE, nullptr, True);
    return reinterpret_cast<HGLRC>(context);
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    auto& session = qxplatform::xSession();
    if (!session.display) return context ? FALSE : TRUE;
    if (!context) return glXMakeCurrent(session.display, None, nullptr) ? TRUE : FALSE;
    Window drawable = drawableOf(dc);
    if (!drawable) return FALSE;
    return glXMakeCurrent(session.display, drawable, reinterpret_cast<GLXContext>(context)) ? TRUE
                                                                                            : FALSE;
}

BOOL wglDeleteContext(HGLRC context) {
    auto& session = qxplatform::xSession();
    if (!session.display || !context) return FALSE;
    GLXContext glx = reinterpret_cast<GLXContext>(context);
    if (glXGetCurrentContext() == glx) glXMakeCurrent(session.display, None, nullptr);
    glXDestroyContext(session.display, glx);
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return reinterpret_cast<HGLRC>(glXGetCurrentContext());
}

BOOL SwapBuffers(HDC dc) {
    auto& session = qxplatform::xSession();
    Window drawable = drawableOf(dc);
    if (!session.display || !drawable) return FALSE;
    glXSwapBuffers(session.display, drawable);
    return TRUE;
}

namespace {

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

// The partial copy of the display's GLX, when it offers one.
CopySubBuffer copySubBuffer() {
    static CopySubBuffer copy = [] {
        auto& session = qxplatform::xSession();
        if (!session.display) return CopySubBuffer{nullptr};
        const char* extensions =
            glXQueryExtensionsString(session.display, DefaultScreen(session.display));
        if (!extensions || !std::strstr(extensions, "GLX_MESA_copy_sub_buffer"))
            return CopySubBuffer{nullptr};
        return reinterpret_cast<CopySubBuffer>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    }();
    return copy;
}

} // namespace

namespace qxplatform {

bool canPresentPart(HDC dc) {
    return drawableOf(dc) && copySubBuffer() != nullptr;
}

BOOL presentPart(HDC dc, int x, int y, int width, int height) {
    auto& session = qxplatform::xSession();
    Window drawable = drawableOf(dc);
    CopySubBuffer copy = copySubBuffer();
    if (!session.display || !drawable || !copy || width <= 0 || height <= 0) return FALSE;
    copy(session.display, drawable, x, y, width, height);
    return TRUE;
}

} // namespace qxplatform
