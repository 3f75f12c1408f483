// A middle drag on qxhost's window, as X events from outside, pans the stage: the pan reported
// by the status line follows the pointer, and the stage in the screenshot moves with it.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>

namespace {

constexpr int kWidth = 1376;
constexpr int kHeight = 800;

pid_t startQxhost(const std::vector<std::string>& arguments) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    std::vector<char*> argv{const_cast<char*>("./qxhost")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stderr);
    execv("./qxhost", argv.data());
    _exit(127);
}

int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool hasSize(Display* display, Window window, int width, int height) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.width == width &&
           attributes.height == height;
}

std::vector<Window> childrenOf(Display* display, Window window) {
    Window root = 0, parent = 0, *list = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (!XQueryTree(display, window, &root, &parent, &list, &count)) return out;
    out.assign(list, list + count);
    if (list) XFree(list);
    return out;
}

// The editor window: a child of a new top-level window of the editor's size.
Window findEditorWindow(Display* display, const std::vector<Window>& before) {
    for (Window top : childrenOf(display, DefaultRootWindow(display))) {
        if (std::find(before.begin(), before.end(), top) != before.end()) continue;
        for (Window child : childrenOf(display, top))
            if (hasSize(display, child, kWidth, kHeight)) return child;
    }
    return 0;
}

void sendPointer(Display* display, Window window, int type, int x, int y, unsigned int state) {
    XEvent event{};
    event.type = type;
    if (type == MotionNotify) {
        event.xmotion.display = display;
        event.xmotion.window = window;
        event.xmotion.x = x;
        event.xmotion.y = y;
        event.xmotion.x_root = x; // the editor fills qxhost's window at the screen's corner
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
        event.xbutton.button = Button2;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
    }
    XSendEvent(display, window, False, 0, &event);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

bool consoleHas(const std::string& path, const std::string& text) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

// Share of the stage band's pixels at which `moved` shows `base` shifted right by `shift`.
double matchShifted(const Picture& base, const Picture& moved, int shift) {
    int same = 0, total = 0;
    for (int y = 150; y < 650; y += 3)
        for (int x = 150; x + shift < 1200; x += 3) {
            ++total;
            if (base.at(x, y) == moved.at(x + shift, y)) ++same;
        }
    return total ? static_cast<double>(same) / total : 0.0;
}

bool bandIsPlain(const Picture& picture) {
    for (int y = 150; y < 650; y += 3)
        for (int x = 150; x < 1200; x += 3)
            if (picture.at(x, y) != picture.at(150, 150)) return false;
    return true;
}

TEST(StagePanWindow, AMiddleDragOfAHundredPixelsMovesTheDemoStageAHundredPixels) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const std::string base = "stage_pan_base.png", moved = "stage_pan_moved.png",
                      console = "stage_pan_console.txt";
    std::remove(base.c_str());
    std::remove(moved.c_str());
    std::remove(console.c_str());
    ASSERT_EQ(waitFor(startQxhost(
                  {"--load", "PATCHES/DEMO.txt", "--exit-after", "1500", "--screenshot", base})),
              0);

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const std::vector<Window> before = childrenOf(display, DefaultRootWindow(display));
    const pid_t pid = startQxhost({"--load", "PATCHES/DEMO.txt", "--send", "VERBOSE", "--console",
                                   console, "--exit-after", "3000", "--screenshot", moved});
    Window editor = 0;
    for (int i = 0; i < 100 && !editor; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        editor = findEditorWindow(display, before);
    }
    if (editor) {
        // The GL window may replace the first child while the editor opens: look again.
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        editor = findEditorWindow(display, before);
        sendPointer(display, editor, MotionNotify, 600, 400, 0);
        sendPointer(display, editor, ButtonPress, 600, 400, 0);
        sendPointer(display, editor, MotionNotify, 650, 400, Button2Mask);
        sendPointer(display, editor, MotionNotify, 700, 400, Button2Mask);
        sendPointer(display, editor, ButtonRelease, 700, 400, Button2Mask);
    }
    XCloseDisplay(display);
    ASSERT_EQ(waitFor(pid), 0);
    ASSERT_NE(editor, 0u) << "qxhost's editor window did not appear";

    EXPECT_TRUE(consoleHas(console, "OFFSET = X100.00 Y0.00"));
    Picture a, b;
    ASSERT_TRUE(readPng(base, a));
    ASSERT_TRUE(readPng(moved, b));
    ASSERT_EQ(a.width, b.width);
    // The picture can only show the pan once the stage draws something in its band.
    if (!bandIsPlain(a)) {
        EXPECT_GT(matchShifted(a, b, 100), 0.9);
        EXPECT_GT(matchShifted(a, b, 100), matchShifted(a, b, 0));
    }
    std::remove(base.c_str());
    std::remove(moved.c_str());
    std::remove(console.c_str());
}

} // namespace
