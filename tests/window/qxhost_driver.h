// Driving a running qxhost from outside: start it as a child process, find its editor window
// among the new top-level windows, and send it pointer and key events through the X server.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>

namespace qxhost_driver {

constexpr int kEditorWidth = 1376;
constexpr int kEditorHeight = 800;

inline pid_t startQxhost(const std::vector<std::string>& arguments) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    std::vector<char*> argv{const_cast<char*>("./qxhost")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stderr);
    execv("./qxhost", argv.data());
    _exit(127);
}

inline int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool hasSize(Display* display, Window window, int width, int height) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.width == width &&
           attributes.height == height;
}

inline std::vector<Window> childrenOf(Display* display, Window window) {
    Window root = 0, parent = 0, *list = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (!XQueryTree(display, window, &root, &parent, &list, &count)) return out;
    out.assign(list, list + count);
    if (list) XFree(list);
    return out;
}

// The editor window: a child of a new top-level window of the editor's size.
inline Window findEditorWindow(Display* display, const std::vector<Window>& before) {
    for (Window top : childrenOf(display, DefaultRootWindow(display))) {
        if (std::find(before.begin(), before.end(), top) != before.end()) continue;
        for (Window child : childrenOf(display, top))
            if (hasSize(display, child, kEditorWidth, kEditorHeight)) return child;
    }
    return 0;
}

// Waits for the editor of a qxhost started after `before` was taken; 0 when none appears.
inline Window awaitEditorWindow(Display* display, const std::vector<Window>& before) {
    Window editor = 0;
    for (int i = 0; i < 100 && !editor; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        editor = findEditorWindow(display, before);
    }
    if (!editor) return 0;
    // The GL window may replace the first child while the editor opens: look again.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    return findEditorWindow(display, before);
}

inline void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A motion, button press or button release at window pixel (x, y); the editor fills qxhost's
// window at the screen's corner, so the root point is the same.
inline void sendPointer(Display* display, Window window, int type, int x, int y, unsigned int state,
                        unsigned int button = Button2) {
    XEvent event{};
    event.type = type;
    if (type == MotionNotify) {
        event.xmotion.display = display;
        event.xmotion.window = window;
        event.xmotion.x = x;
        event.xmotion.y = y;
        event.xmotion.x_root = x;
        event.xmotion.y_root = y;
        event.xmotion.state = state;
        event.xmotion.same_screen = True;
    } else {
        event.xbutton.display = display;
        event.xbutton.window = window;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.x_root = x;
        event.xbutton.y_root = y;
        event.xbutton.button = button;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
    }
    XSendEvent(display, window, False, 0, &event);
    XFlush(display);
    pause(60);
}

inline void sendKey(Display* display, Window window, int type, KeySym key) {
    XEvent event{};
    event.xkey.type = type;
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.keycode = XKeysymToKeycode(display, key);
    event.xkey.same_screen = True;
    XSendEvent(display, window, False, 0, &event);
    XFlush(display);
    pause(60);
}

inline bool consoleHas(const std::string& path, const std::string& text) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

} // namespace qxhost_driver
