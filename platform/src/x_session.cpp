// Opens the X connection once per process. Xlib's default error handler ends the process, so a
// handler of our own records the error instead; auto-repeat is made detectable so a held key
// gives repeated presses without fake releases; and the GLX configuration is chosen here because
// X fixes a window's visual when the window is created.
#include "x_session.h"

#include <X11/XKBlib.h>

#include <cstdio>
#include <cstdlib>

namespace qxplatform {
namespace {

int recordXError(Display*, XErrorEvent* error) {
    xSession().lastErrorCode = error->error_code;
    return 0;
}

void chooseConfig(XSession& session) {
    const int attributes[] = {GLX_X_RENDERABLE,
                              True,
                              GLX_DRAWABLE_TYPE,
                              GLX_WINDOW_BIT,
                              GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,
                              GLX_RED_SIZE,
                              8,
                              GLX_GREEN_SIZE,
                              8,
                              GLX_BLUE_SIZE,
                              8,
                              GLX_DEPTH_SIZE,
                              16,
                              GLX_DOUBLEBUFFER,
                              True,
                              None};
    int count = 0;
    GLXFBConfig* configs =
        glXChooseFBConfig(session.display, DefaultScreen(session.display), attributes, &count);
    if (!configs) return;
    // Prefer a 24-bit visual (the 32-bit colour of the pixel format, without alpha planes).
    for (int i = 0; i < count && !session.config; ++i) {
        XVisualInfo* info = glXGetVisualFromFBConfig(session.display, configs[i]);
        if (info && info->depth == 24) {
            session.config = configs[i];
            session.visual = info;
        } else if (info) {
            XFree(info);
        }
    }
    if (!session.config && count > 0) {
        session.config = configs[0];
        session.visual = glXGetVisualFromFBConfig(session.display, configs[0]);
    }
    XFree(configs);
    if (session.visual)
        session.colormap =
            XCreateColormap(session.display, RootWindow(session.display, session.visual->screen),
                            session.visual->visual, AllocNone);
}

XSession openSession() {
    XSession session;
    const char* headless = std::getenv("QX_HEADLESS");
    if (headless && *headless && *headless != '0') return session;
    if (!std::getenv("DISPLAY")) return session;
    XSetErrorHandler(&recordXError);
    session.display = XOpenDisplay(nullptr);
    if (!session.display) return session;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(session.display, True, &supported);
    session.deleteWindow = XInternAtom(session.display, "WM_DELETE_WINDOW", False);
    session.protocols = XInternAtom(session.display, "WM_PROTOCOLS", False);
    chooseConfig(session);
    return session;
}

} // namespace

XSession& xSession() {
    static XSession session = openSession();
    return session;
}

} // namespace qxplatform
