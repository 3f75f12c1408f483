// The window of a dialog that a helper program shows for one of our windows, kept with that
// window as a modal dialog with an owner is: transient for the owner's top-level window, marked
// modal, and raised over the owner when the owner is pressed. The helper's window is found by
// its _NET_WM_PID, else as a new window of the dialog's title, from the modal loop's turns.
#pragma once

#include <sys/types.h>

#include <X11/Xlib.h>

#include <set>
#include <string>

namespace qxplatform {

class OwnedDialog {
public:
    // `owner` is our top-level X window (0: the dialog has no owner and nothing is done).
    OwnedDialog(Window owner, const std::string& title);
    // The helper that shows the dialog, once it runs.
    void follow(pid_t helper) { helper_ = helper; }
    // Looks for the helper's window until it is shown, and keeps its WM_TRANSIENT_FOR on the
    // owner. Cheap once the window is found.
    void watch();
    // Brings the dialog over its owner and gives it the focus.
    void raise();

private:
    bool isHelpersWindow(Window window, bool client, unsigned long pid) const;
    void adopt(Window window);
    void search(Window under, int depth);

    Display* display_ = nullptr;
    Window owner_ = 0;
    std::string title_;
    pid_t helper_ = 0;
    Window dialog_ = 0;
    bool shown_ = false;
    std::set<Window> before_; // the windows there before the helper started
};

} // namespace qxplatform
