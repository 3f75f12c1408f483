// C held on qxhost's window while S11 and then T6 of the demo patch are pressed, as X events
// from outside, wires S11 to T6: the console shows the line and the next picture the cable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "qxhost_driver.h"
#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

// After the driver's Xlib include.
#include <X11/keysym.h>

namespace {

using namespace qxhost_driver;

// The demo at zoom 1: S11 at stage (-150, 150), T6 at (-100, 300); the new cable's handle sits
// at its midpoint, where the stage is otherwise bare.
constexpr int kS11X = 538, kS11Y = 550;
constexpr int kT6X = 588, kT6Y = 700;
constexpr int kHandleX = 563, kHandleY = 625;

// The brightest channel value within `reach` pixels of (x, y).
int brightestNear(const Picture& picture, int x, int y, int reach) {
    int best = 0;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            for (int c : picture.at(x + dx, y + dy)) best = std::max(best, c);
    return best;
}

void click(Display* display, Window editor, int x, int y) {
    sendPointer(display, editor, MotionNotify, x, y, 0);
    sendPointer(display, editor, ButtonPress, x, y, 0, Button1);
    sendPointer(display, editor, ButtonRelease, x, y, Button1Mask, Button1);
}

TEST(StageCablePressWindow, CHeldOnS11ThenT6WiresThemAndTheCableIsDrawn) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const std::string base = "stage_cable_base.png", wired = "stage_cable_wired.png",
                      console = "stage_cable_console.txt";
    std::remove(console.c_str());
    Picture a, b;
    ASSERT_TRUE(shoot("", base, a));

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const std::vector<Window> before = childrenOf(display, DefaultRootWindow(display));
    const pid_t pid = startQxhost({"--load", "PATCHES/DEMO.txt", "--console", console,
                                   "--exit-after", "4000", "--screenshot", wired});
    const Window editor = awaitEditorWindow(display, before);
    if (editor) {
        sendKey(display, editor, KeyPress, XK_c);
        click(display, editor, kS11X, kS11Y);
        pause(300); // two releases this close would be a double click
        click(display, editor, kT6X, kT6Y);
        sendKey(display, editor, KeyRelease, XK_c);
    }
    XCloseDisplay(display);
    ASSERT_EQ(waitFor(pid), 0);
    ASSERT_NE(editor, 0u) << "qxhost's editor window did not appear";

    EXPECT_TRUE(consoleHas(console, "CABLE S11 T6"));
    ASSERT_TRUE(readPng(wired, b));
    EXPECT_LT(brightestNear(a, kHandleX, kHandleY, 3), 60) << "bare stage before";
    EXPECT_GT(brightestNear(b, kHandleX, kHandleY, 3), 110) << "the cable's handle after";
    std::remove(wired.c_str());
    std::remove(console.c_str());
}

} // namespace
