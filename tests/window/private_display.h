// A display of a test's own: an Xvfb server started for the test, optionally with openbox on
// it, which the test's helpers (xdotool, qxhost) reach through DISPLAY while the platform
// layer's own connection stays on the test run's display. Skipped by the caller when Xvfb or
// openbox is not installed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "desktop_dialog_driver.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace private_display {

namespace dd = desktop_driver;

// Starts a program with its output discarded and every descriptor but `keepOpen` closed.
inline pid_t spawn(const dd::Arguments& arguments, int keepOpen = -1) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepOpen) ::close(fd);
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

// Ends a started program: SIGTERM, then SIGKILL after ten seconds.
inline void end(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    if (dd::awaitExit(pid, 10) == -1) ::kill(pid, SIGKILL);
    pid = 0;
}

// A property of `window` that lists windows (or other 32-bit values of `type`).
inline std::vector<unsigned long> longList(Display* display, Window window, const char* property,
                                           Atom type = XA_WINDOW) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> list;
    if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 1024, False,
                           type, &actual, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<unsigned long*>(data);
        list.assign(ids, ids + count);
    }
    if (data) XFree(data);
    return list;
}

inline std::vector<Window> windowList(Display* display, const char* property) {
    return longList(display, DefaultRootWindow(display), property);
}

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool holds(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

// Where a window is on the screen, and its size.
inline Box onScreen(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    Box box{0, 0, attributes.width, attributes.height};
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &box.x, &box.y,
                          &child);
    return box;
}

template <typename Condition> bool within(int milliseconds, Condition condition) {
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (condition()) return true;
        dd::pause(100);
    }
    return condition();
}

// The test's own display of 1920 x 1080, with openbox on it when asked.
class PrivateDisplay : public ::testing::Test {
protected:
    static constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

    // Starts the server (and the window manager); the caller returns when a fatal failure or a
    // skip is recorded.
    void startDisplay(bool withManager) {
        std::vector<const char*> needed = {"Xvfb", "xdotool"};
        if (withManager) needed.push_back("openbox");
        for (const char* program : needed)
            if (!dd::installed(program)) GTEST_SKIP() << program << " is not installed";
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        server = spawn({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0",
                        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24",
                        "-nolisten", "tcp"},
                       ends[1]);
        ::close(ends[1]);
        std::string number;
        char c = 0;
        while (::read(ends[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(ends[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        const char* before = std::getenv("DISPLAY");
        if (before) previousDisplay = before;
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        if (!withManager) return;
        manager = spawn({"openbox"});
        ASSERT_TRUE(within(10000, [&] {
            return !windowList(display, "_NET_SUPPORTING_WM_CHECK").empty();
        })) << "openbox did not start";
    }
    void TearDown() override {
        end(manager);
        if (display) XCloseDisplay(display);
        end(server);
        if (previousDisplay.empty())
            ::unsetenv("DISPLAY");
        else
            ::setenv("DISPLAY", previousDisplay.c_str(), 1);
    }

    pid_t server = 0, manager = 0;
    Display* display = nullptr;
    std::string previousDisplay;
};

} // namespace private_display
