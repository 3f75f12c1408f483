// A middle drag on qxhost's window, as X events from outside, pans the stage: the pan reported
// by the status line follows the pointer, and the stage in the screenshot moves with it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "qxhost_driver.h"
#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

using namespace qxhost_driver;

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
    const Window editor = awaitEditorWindow(display, before);
    if (editor) {
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
