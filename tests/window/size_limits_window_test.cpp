// A top-level window's least and greatest size, as its procedure answers WM_GETMINMAXINFO, reach
// the window manager as WM_NORMAL_HINTS when the window is made and each time SetWindowPos
// resizes it; a procedure that leaves the offered sizes (the module's full-screen window)
// holds its window to nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// What the procedure answers: no answer when `answers` is false.
struct Answer {
    bool answers = false;
    POINT least{0, 0}, greatest{0, 0};
} answer;
int asked = 0;

LRESULT CALLBACK limitingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        ++asked;
        if (!answer.answers) return DefWindowProcW(window, message, wParam, lParam);
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = answer.least;
        limits->ptMaxTrackSize = answer.greatest;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class SizeLimits : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &limitingProc;
        windowClass.lpszClassName = u"SizeLimitsTest";
        RegisterClassExW(&windowClass);
        asked = 0;
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        if (display) XCloseDisplay(display);
    }

    HWND open(HWND parent = nullptr, DWORD style = WS_VISIBLE) {
        window = CreateWindowExW(0, u"SizeLimitsTest", u"limits", style, 20, 20, 640, 400, parent,
                                 nullptr, nullptr, nullptr);
        qxplatform::pumpPendingEvents();
        return window;
    }

    // The hints as the server has them once the size bounds given are `bounds` (the layer's
    // requests travel on a connection of their own, so they are waited for, up to 2 s).
    XSizeHints hints(long bounds) {
        XSizeHints read{};
        for (int turn = 0; turn < 40; ++turn) {
            long supplied = 0;
            XGetWMNormalHints(display, qxplatform::xWindowHandle(window), &read, &supplied);
            if ((read.flags & (PMinSize | PMaxSize)) == bounds) break;
            qxplatform::pumpPendingEvents();
            usleep(50000);
        }
        return read;
    }

    Display* display = nullptr;
    HWND window = nullptr;
};

TEST_F(SizeLimits, AnsweredSizesBoundTheWindowAndFollowItsResizes) {
    answer = Answer{true, {640, 400}, {640, 400}};
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(asked, 1);
    XSizeHints made = hints(PMinSize | PMaxSize);
    ASSERT_EQ(made.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(made.min_width, 640);
    EXPECT_EQ(made.min_height, 400);
    EXPECT_EQ(made.max_width, 640);
    EXPECT_EQ(made.max_height, 400);
    EXPECT_EQ(made.width, 640);

    // Made full screen, the procedure answers nothing: nothing holds the window any more.
    answer = Answer{};
    SetWindowPos(window, HWND_TOP, 0, 0, 1200, 900, SWP_NOZORDER);
    qxplatform::pumpPendingEvents();
    XSizeHints full = hints(0);
    EXPECT_EQ(full.flags & (PMinSize | PMaxSize), 0);
    EXPECT_EQ(full.width, 1200);
    EXPECT_EQ(full.height, 900);

    // Back at its size, held again; a move alone asks nothing.
    answer = Answer{true, {640, 400}, {640, 400}};
    SetWindowPos(window, HWND_TOP, 20, 20, 640, 400, SWP_NOZORDER);
    const int before = asked;
    SetWindowPos(window, HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    qxplatform::pumpPendingEvents();
    EXPECT_EQ(asked, before);
    EXPECT_EQ(hints(PMinSize | PMaxSize).flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
}

TEST_F(SizeLimits, OnlyTheBoundsAnsweredAreGiven) {
    answer = Answer{true, {300, 200}, {32767, 32767}};
    ASSERT_NE(open(), nullptr);
    XSizeHints least = hints(PMinSize);
    EXPECT_EQ(least.flags & (PMinSize | PMaxSize), PMinSize);
    EXPECT_EQ(least.min_width, 300);
    EXPECT_EQ(least.min_height, 200);
}

TEST_F(SizeLimits, WindowsThatDoNotAnswerAndChildWindowsAreHeldToNothing) {
    answer = Answer{};
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(hints(0).flags & (PMinSize | PMaxSize), 0);
    // A child window is not the window manager's, and is not asked.
    HWND top = window;
    answer = Answer{true, {640, 400}, {640, 400}};
    asked = 0;
    HWND child = CreateWindowExW(0, u"SizeLimitsTest", u"child", WS_CHILD | WS_VISIBLE, 0, 0, 100,
                                 100, top, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(asked, 0);
    SetWindowPos(child, HWND_TOP, 0, 0, 200, 200, SWP_NOZORDER);
    EXPECT_EQ(asked, 0);
}

} // namespace
