// Keeping a helper's dialog with its owner. The helper programs cannot all be told their owner
// (zenity's --attach does not make its window transient on X), so the window is found and made
// transient from here. The search walks the root's children and, below windows without a
// _NET_WM_PID, the frames a window manager puts around its clients.
#include "owned_dialog.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "x_session.h"

namespace qxplatform {
namespace {

constexpr int kFrameDepth = 3;

// One 32-bit value of a property; false when the window has none of that type.
bool propertyValue(Display* display, Window window, const char* name, Atom type,
                   unsigned long& value) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1,
                                          False, type, &actualType, &format, &count, &after, &data);
    const bool found = status == Success && data && actualType == type && format == 32 && count;
    if (found) value = *reinterpret_cast<unsigned long*>(data);
    if (data) XFree(data);
    return found;
}

std::string windowName(Display* display, Window window) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 256,
                           False, XInternAtom(display, "UTF8_STRING", False), &actualType, &format,
                           &count, &after, &data) == Success &&
        data && format == 8)
        name.assign(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    if (!name.empty()) return name;
    char* old = nullptr;
    if (XFetchName(display, window, &old) && old) {
        name = old;
        XFree(old);
    }
    return name;
}

std::set<Window> allWindows(Display* display, Window under, int depth) {
    std::set<Window> found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count)) return found;
    for (unsigned int i = 0; i < count; ++i) {
        found.insert(children[i]);
        if (depth > 0) found.merge(allWindows(display, children[i], depth - 1));
    }
    if (children) XFree(children);
    return found;
}

void sendToRoot(Display* display, Window window, const char* message, long a, long b, long c) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = a;
    event.xclient.data.l[1] = b;
    event.xclient.data.l[2] = c;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

bool windowManagerRuns(Display* display) {
    unsigned long check = 0;
    return propertyValue(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW,
                         check);
}

} // namespace

OwnedDialog::OwnedDialog(Window owner, const std::string& title) : owner_(owner), title_(title) {
    display_ = owner ? xSession().display : nullptr;
    if (display_) before_ = allWindows(display_, DefaultRootWindow(display_), kFrameDepth);
}

// The helper's own window (a toolkit's hidden client leader names itself as its leader), or,
// for a toolkit that gives no process id, a new window with the dialog's title.
bool OwnedDialog::isHelpersWindow(Window window, bool client, unsigned long pid) const {
    if (client ? pid != static_cast<unsigned long>(helper_)
               : title_.empty() || before_.count(window))
        return false;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.override_redirect ||
        attributes.c_class != InputOutput)
        return false;
    unsigned long leader = 0;
    if (client)
        return !(propertyValue(display_, window, "WM_CLIENT_LEADER", XA_WINDOW, leader) &&
                 leader == window);
    return windowName(display_, window) == title_;
}

void OwnedDialog::adopt(Window window) {
    Window transientFor = 0;
    if (!XGetTransientForHint(display_, window, &transientFor) || transientFor != owner_)
        XSetTransientForHint(display_, window, owner_);
    dialog_ = window;
    XWindowAttributes attributes{};
    if (shown_ || !XGetWindowAttributes(display_, window, &attributes) ||
        attributes.map_state != IsViewable)
        return;
    shown_ = true;
    // _NET_WM_STATE_MODAL, asked of the window manager as a shown window's state is.
    sendToRoot(display_, window, "_NET_WM_STATE", 1,
               static_cast<long>(XInternAtom(display_, "_NET_WM_STATE_MODAL", False)), 0);
}

void OwnedDialog::search(Window under, int depth) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, under, &root, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count && !shown_; ++i) {
        const Window child = children[i];
        if (windowOfX(child)) continue; // ours
        unsigned long pid = 0;
        const bool client = propertyValue(display_, child, "_NET_WM_PID", XA_CARDINAL, pid);
        if (isHelpersWindow(child, client, pid))
            adopt(child);
        else if (!client && depth > 0)
            search(child, depth - 1);
    }
    if (children) XFree(children);
}

void OwnedDialog::watch() {
    if (!display_ || helper_ <= 0) return;
    if (shown_)
        adopt(dialog_); // a toolkit that sets its own hints later does not undo it
    else
        search(DefaultRootWindow(display_), kFrameDepth);
    XFlush(display_);
}

void OwnedDialog::raise() {
    if (!display_ || !shown_) return;
    XRaiseWindow(display_, dialog_);
    sendToRoot(display_, dialog_, "_NET_ACTIVE_WINDOW", 2, CurrentTime, static_cast<long>(owner_));
    // Without a window manager nobody else moves the focus.
    if (!windowManagerRuns(display_))
        XSetInputFocus(display_, dialog_, RevertToParent, CurrentTime);
    XFlush(display_);
}

} // namespace qxplatform
