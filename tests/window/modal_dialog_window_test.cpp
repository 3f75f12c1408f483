// While a desktop dialog is open the windows stay alive as under a modal dialog: paints and
// timer ticks go on, mouse input to them is dropped, and closing the dialog cancels it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "desktop_dialog_driver.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>

namespace {

namespace dd = desktop_driver;

struct Counts {
    int paints = 0, timers = 0, presses = 0;
} counts;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++counts.paints;
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
    } else if (message == WM_TIMER) {
        ++counts.timers;
        InvalidateRect(window, nullptr, FALSE);
    } else if (message == WM_LBUTTONDOWN) {
        ++counts.presses;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Clicks into the window through the X server while the dialog is open, then presses Escape
// in the dialog.
void clickThenCloseDialog(unsigned long xWindow, std::atomic<bool>& clicked) {
    const std::string dialog = dd::awaitWindow("Open");
    if (dialog.empty()) {
        dd::endChildrenNamed("zenity");
        return;
    }
    Display* display = XOpenDisplay(nullptr);
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = display;
    event.xbutton.window = xWindow;
    event.xbutton.x = event.xbutton.y = 20;
    event.xbutton.button = Button1;
    event.xbutton.same_screen = True;
    XSendEvent(display, xWindow, False, 0, &event);
    XFlush(display);
    XCloseDisplay(display);
    clicked = true;
    dd::pause(700);
    if (!dd::dismiss("Open")) dd::endChildrenNamed("zenity");
}

TEST(ModalDialog, WindowsPaintAndTickButIgnoreClicksUntilTheDialogIsCancelled) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    if (!dd::installed("zenity") || !dd::installed("xdotool"))
        GTEST_SKIP() << "zenity or xdotool is not installed: no dialog to drive";
    qxplatform::clearDialogAnswers();
    for (const auto& [name, value] : dd::kLocalToolkit) setenv(name.c_str(), value.c_str(), 1);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &countingProc;
    windowClass.lpszClassName = u"ModalDialogTest";
    RegisterClassExW(&windowClass);
    // In the screen's far corner, clear of the dialog: a window the dialog covers whole is
    // not painted at all.
    HWND window = CreateWindowExW(0, u"ModalDialogTest", u"owner", WS_VISIBLE, 1600, 860, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetTimer(window, 1, 20, nullptr);
    qxplatform::pumpPendingEvents();
    counts = Counts{};

    char16_t file[MAX_PATH] = u"untouched";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    std::atomic<bool> clicked{false};
    std::thread person(clickThenCloseDialog, qxplatform::xWindowHandle(window), std::ref(clicked));
    const BOOL chosen = GetOpenFileNameW(&dialog);
    person.join();
    KillTimer(window, 1);
    DestroyWindow(window);

    ASSERT_TRUE(clicked) << "the Open dialog did not appear";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(std::u16string(file), u"untouched");
    EXPECT_GT(counts.timers, 10);
    EXPECT_GT(counts.paints, 10);
    EXPECT_EQ(counts.presses, 0);
}

} // namespace
