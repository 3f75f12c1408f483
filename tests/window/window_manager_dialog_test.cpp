// Under a window manager, as at a desktop: a display of the test's own (Xvfb) with openbox on
// it, qxhost in its frame, PATCH FILE OPEN clicked, then a click on qxhost's window. The dialog
// stays on top with the focus, and qxhost's window refuses a smaller size. Skipped when Xvfb,
// openbox, zenity or xdotool is not installed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "qxhost_desktop_fixture.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

pid_t spawn(const dd::Arguments& arguments, int keepOpen = -1) {
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

void end(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    if (dd::awaitExit(pid, 10) == -1) ::kill(pid, SIGKILL);
    pid = 0;
}

std::vector<Window> windowList(Display* display, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> list;
    if (XGetWindowProperty(display, DefaultRootWindow(display),
                           XInternAtom(display, property, False), 0, 1024, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<unsigned long*>(data);
        list.assign(ids, ids + count);
    }
    if (data) XFree(data);
    return list;
}

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool holds(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

Box onScreen(Display* display, Window window) {
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

class UnderAWindowManager : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"Xvfb", "openbox", "zenity", "xdotool"})
            if (!dd::installed(program)) GTEST_SKIP() << program << " is not installed";
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        server = spawn({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0",
                        "1920x1080x24", "-nolisten", "tcp"},
                       ends[1]);
        ::close(ends[1]);
        std::string number;
        char c = 0;
        while (::read(ends[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(ends[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        // The helpers and xdotool run on this display; the layer's own connection stays open
        // on the test run's display.
        const char* before = std::getenv("DISPLAY");
        if (before) previousDisplay = before;
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        manager = spawn({"openbox"});
        ASSERT_TRUE(within(10000, [&] {
            return !windowList(display, "_NET_SUPPORTING_WM_CHECK").empty();
        })) << "openbox did not start";
        folder = "window_manager_" + std::to_string(::getpid());
        ::mkdir(folder.c_str(), 0755);
    }
    void TearDown() override {
        end(qxhost);
        end(manager);
        if (display) XCloseDisplay(display);
        end(server);
        if (previousDisplay.empty())
            ::unsetenv("DISPLAY");
        else
            ::setenv("DISPLAY", previousDisplay.c_str(), 1);
        if (!folder.empty()) dd::output({"rm", "-rf", folder});
    }

    pid_t server = 0, manager = 0, qxhost = 0;
    Display* display = nullptr;
    std::string previousDisplay, folder;
};

TEST_F(UnderAWindowManager, AClickOnTheWindowLeavesTheOpenDialogOnTopAndTheSizeIsKept) {
    qxhost = dd::startQxhost({"--exit-after", "120000", "--console", folder + "/console.txt"},
                             folder + "/stderr.txt", kNoPortal);
    const std::string found = dd::awaitWindow("qxhost - instance 0");
    ASSERT_FALSE(found.empty()) << "no qxhost window";
    const Window topLevel = std::strtoul(found.c_str(), nullptr, 10);
    const Box window = onScreen(display, topLevel);
    dd::clickAt(window.x + kOpenX, window.y + kBarY);
    const std::string opened = dd::awaitWindow("Open");
    ASSERT_FALSE(opened.empty()) << "no Open dialog";
    const Window dialog = std::strtoul(opened.c_str(), nullptr, 10);
    Window owner = 0;
    EXPECT_TRUE(within(
        5000, [&] { return XGetTransientForHint(display, dialog, &owner) && owner == topLevel; }));

    // A press on the editor where the dialog does not cover it.
    const Box covered = onScreen(display, dialog);
    const int x = window.x + 30, y = window.y + 400;
    ASSERT_FALSE(covered.holds(x, y)) << "the dialog covers the whole window";
    dd::clickAt(x, y);
    dd::pause(500);
    const std::vector<Window> stacking = windowList(display, "_NET_CLIENT_LIST_STACKING");
    const auto at = [&](Window w) { return std::find(stacking.begin(), stacking.end(), w); };
    ASSERT_NE(at(dialog), stacking.end());
    ASSERT_NE(at(topLevel), stacking.end());
    EXPECT_GT(at(dialog), at(topLevel)) << "the click put qxhost's window over its dialog";
    EXPECT_EQ(windowList(display, "_NET_ACTIVE_WINDOW"), std::vector<Window>{dialog});

    // The window manager keeps qxhost's window at the editor's size.
    dd::output({"xdotool", "windowsize", found, "800", "500"});
    dd::pause(500);
    const Box resized = onScreen(display, topLevel);
    EXPECT_EQ(resized.width, qxhost_driver::kEditorWidth);
    EXPECT_EQ(resized.height, qxhost_driver::kEditorHeight);
    EXPECT_TRUE(dd::dismiss("Open"));
}

} // namespace
