// EWMH words for top-level windows: the owning process, and full screen on one monitor.
#include "window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace qxplatform {
namespace {

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

// The one window that a WINDOW property of `window` names; 0 when it names none.
Window namedWindow(Display* display, Window window, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, atom(display, property), 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return named;
}

// A client message about `window` to the root, as EWMH asks of a client.
void sendToRoot(Display* display, Window window, Atom type, const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i) event.xclient.data.l[i] = data[i];
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

constexpr long kStateAdd = 1, kSourceApplication = 1;

} // namespace

bool ewmhManagerRuns(Display* display) {
    const Window check =
        namedWindow(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK");
    return check != 0 && namedWindow(display, check, "_NET_SUPPORTING_WM_CHECK") == check;
}

void markOwningProcess(Display* display, Window window) {
    const unsigned long pid = static_cast<unsigned long>(::getpid());
    XChangeProperty(display, window, atom(display, "_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return;
    char* names[] = {host};
    XTextProperty machine{};
    if (!XStringListToTextProperty(names, 1, &machine)) return;
    XSetWMClientMachine(display, window, &machine);
    XFree(machine.value);
}

void setFullScreenState(Display* display, Window window, int monitor) {
    const Atom fullScreen = atom(display, "_NET_WM_STATE_FULLSCREEN");
    XChangeProperty(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&fullScreen), 1);
    if (monitor < 0) return;
    const long monitors[4] = {monitor, monitor, monitor, monitor};
    XChangeProperty(display, window, atom(display, "_NET_WM_FULLSCREEN_MONITORS"), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(monitors), 4);
}

void requestFullScreen(Display* display, Window window, int monitor) {
    const long fullScreen = static_cast<long>(atom(display, "_NET_WM_STATE_FULLSCREEN"));
    sendToRoot(display, window, atom(display, "_NET_WM_STATE"),
               {kStateAdd, fullScreen, 0, kSourceApplication, 0});
    if (monitor >= 0)
        sendToRoot(display, window, atom(display, "_NET_WM_FULLSCREEN_MONITORS"),
                   {monitor, monitor, monitor, monitor, kSourceApplication});
}

} // namespace qxplatform
