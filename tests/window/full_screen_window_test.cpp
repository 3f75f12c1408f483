// Full screen under a window manager, as at a desktop: openbox on a display of the test's own,
// qxhost in its frame, SHIFT+F10 and SHIFT+F10 again. The full-screen window asks the manager
// for full screen, covers the screen exactly with the page tabs drawn on it, and the normal
// window comes back; every top-level window names its process. Skipped when Xvfb, openbox or
// xdotool is not installed.
#include <gtest/gtest.h>

#include <algorithm>

#include "private_display.h"
#include "qxhost_desktop_fixture.h"

namespace {

using namespace private_display;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// The page tabs of a frame at its bottom right corner: the STAGE tab (the current page, teal)
// and the OUTPUTS tab (grey).
constexpr Rgb kTeal{0, 128, 128}, kGrey{102, 102, 102};

class FullScreenUnderAWindowManager : public PrivateDisplay {
protected:
    virtual bool withManager() const { return true; }
    void SetUp() override {
        startDisplay(withManager());
        if (HasFatalFailure() || IsSkipped()) return;
        folder = "full_screen_" + std::to_string(::getpid());
        ::mkdir(folder.c_str(), 0755);
    }
    void TearDown() override {
        end(qxhost);
        PrivateDisplay::TearDown();
        if (!folder.empty()) dd::output({"rm", "-rf", folder});
    }

    // Starts qxhost and returns its window, 0 when none appears.
    Window start() {
        qxhost = dd::startQxhost({"--fresh", "--exit-after", "120000"}, folder + "/stderr.txt",
                                 kNoPortal);
        const std::string found = dd::awaitWindow("qxhost - instance 0");
        return found.empty() ? 0 : std::strtoul(found.c_str(), nullptr, 10);
    }

    unsigned long processOf(Window window) const {
        const auto pid = longList(display, window, "_NET_WM_PID", XA_CARDINAL);
        return pid.size() == 1 ? pid[0] : 0;
    }

    // A window the window manager manages that is not among `before`; 0 for none.
    Window newClientWindow(const std::vector<Window>& before) const {
        for (Window w : windowList(display, "_NET_CLIENT_LIST"))
            if (std::find(before.begin(), before.end(), w) == before.end()) return w;
        return 0;
    }

    bool isFullScreen(Window window) const {
        const auto state = longList(display, window, "_NET_WM_STATE", XA_ATOM);
        const Atom wanted = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
        return std::find(state.begin(), state.end(), wanted) != state.end();
    }

    Rgb screenPixel(int x, int y) const {
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return Rgb{-1, -1, -1};
        const unsigned long p = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return Rgb{static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff),
                   static_cast<int>(p & 0xff)};
    }

    // The STAGE tab of a frame whose bottom right corner is at (right, bottom).
    Rgb stageTab(int right, int bottom) const { return screenPixel(right - 54, bottom - 10); }
    bool pageTabsDrawn() const {
        return stageTab(kScreenWidth, kScreenHeight) == kTeal &&
               screenPixel(kScreenWidth - 115, kScreenHeight - 4) == kGrey;
    }

    void pressShiftF10(Window window) const {
        dd::typeInto(std::to_string(window), "", {"shift+F10"});
    }

    pid_t qxhost = 0;
    std::string folder;
};

// Without a window manager nothing frames or places the window: it places itself.
class FullScreenWithoutAWindowManager : public FullScreenUnderAWindowManager {
protected:
    bool withManager() const override { return false; }
    // A window shown on the root that is not among `before`; 0 for none.
    Window newTopLevelWindow(const std::vector<Window>& before) const {
        for (Window w : qxhost_driver::childrenOf(display, DefaultRootWindow(display))) {
            XWindowAttributes attributes{};
            if (std::find(before.begin(), before.end(), w) == before.end() &&
                XGetWindowAttributes(display, w, &attributes) && attributes.map_state == IsViewable)
                return w;
        }
        return 0;
    }
};

TEST_F(FullScreenUnderAWindowManager, TheWindowNamesItsProcessAndProgram) {
    const Window window = start();
    ASSERT_NE(window, 0u) << "no qxhost window";
    EXPECT_EQ(processOf(window), static_cast<unsigned long>(qxhost));
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(display, window, &hint));
    EXPECT_STREQ(hint.res_name, "qxhost");
    XFree(hint.res_name);
    XFree(hint.res_class);
    XTextProperty machine{};
    EXPECT_TRUE(XGetWMClientMachine(display, window, &machine));
    if (machine.value) XFree(machine.value);
}

// Ten runs, one full screen each (SHIFT+F10 works once per window in a run).
TEST_F(FullScreenUnderAWindowManager, ShiftF10CoversTheScreenDrawnAndGivesTheWindowBack) {
    for (int run = 0; run < 10; ++run) {
        SCOPED_TRACE("run " + std::to_string(run + 1));
        const Window window = start();
        ASSERT_NE(window, 0u) << "no qxhost window";
        const Box normal = onScreen(display, window);
        const std::vector<Window> before = windowList(display, "_NET_CLIENT_LIST");
        pressShiftF10(window);
        Window full = 0;
        ASSERT_TRUE(within(5000, [&] { return (full = newClientWindow(before)) != 0; }))
            << "no full-screen window";
        EXPECT_TRUE(within(5000, [&] { return isFullScreen(full); }));
        EXPECT_TRUE(within(5000,
                           [&] {
                               const Box box = onScreen(display, full);
                               return box.x == 0 && box.y == 0 && box.width == kScreenWidth &&
                                      box.height == kScreenHeight;
                           }))
            << "at " << onScreen(display, full).x << "," << onScreen(display, full).y << " size "
            << onScreen(display, full).width << "x" << onScreen(display, full).height;
        char* name = nullptr;
        EXPECT_TRUE(XFetchName(display, full, &name) && name && *name) << "a window without name";
        if (name) XFree(name);
        EXPECT_TRUE(within(5000, [&] { return pageTabsDrawn(); }))
            << "STAGE tab " << stageTab(kScreenWidth, kScreenHeight) << ", OUTPUTS tab "
            << screenPixel(kScreenWidth - 115, kScreenHeight - 4);

        pressShiftF10(full);
        EXPECT_TRUE(within(5000, [&] { return newClientWindow(before) == 0; }))
            << "the full-screen window stayed";
        const Box back = onScreen(display, window);
        EXPECT_EQ(back.x, normal.x);
        EXPECT_EQ(back.y, normal.y);
        EXPECT_TRUE(within(5000, [&] {
            return stageTab(back.x + qxhost_driver::kEditorWidth,
                            back.y + qxhost_driver::kEditorHeight) == kTeal;
        })) << "the window came back undrawn";
        end(qxhost);
    }
}

TEST_F(FullScreenWithoutAWindowManager, ShiftF10PlacesTheWindowOverTheScreenAndBack) {
    const Window window = start();
    ASSERT_NE(window, 0u) << "no qxhost window";
    const std::vector<Window> before =
        qxhost_driver::childrenOf(display, DefaultRootWindow(display));
    pressShiftF10(window);
    Window full = 0;
    ASSERT_TRUE(within(5000, [&] { return (full = newTopLevelWindow(before)) != 0; }))
        << "no full-screen window";
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, full, &attributes);
    EXPECT_TRUE(attributes.override_redirect);
    const Box box = onScreen(display, full);
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.width, kScreenWidth);
    EXPECT_EQ(box.height, kScreenHeight);
    EXPECT_TRUE(within(5000, [&] { return pageTabsDrawn(); }));
    pressShiftF10(full);
    EXPECT_TRUE(within(5000, [&] { return newTopLevelWindow(before) == 0; }));
    const Box back = onScreen(display, window);
    EXPECT_TRUE(within(5000, [&] {
        return stageTab(back.x + qxhost_driver::kEditorWidth,
                        back.y + qxhost_driver::kEditorHeight) == kTeal;
    }));
}

} // namespace
