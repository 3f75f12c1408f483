// X input reaches a window procedure as Windows messages with their packing: signed
// coordinates, wheel notches of 120, virtual-key codes; paints coalesce and timers tick.
#include <gtest/gtest.h>

#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

namespace {

std::vector<MSG> received;
// For each key message: whether its key read down (GetKeyState, GetAsyncKeyState asked twice,
// GetKeyboardState) while it was handled.
struct KeyReading {
    UINT message;
    bool keyState, asyncState, tableState;
};
std::vector<KeyReading> keyReadings;

void readKeyOf(UINT message, WPARAM key) {
    BYTE table[256] = {};
    GetKeyboardState(table);
    GetAsyncKeyState(static_cast<int>(key));
    keyReadings.push_back(KeyReading{message, (GetKeyState(static_cast<int>(key)) & 0x8000) != 0,
                                     GetAsyncKeyState(static_cast<int>(key)) != 0,
                                     (table[key & 0xff] & 0x80) != 0});
}

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) readKeyOf(message, wParam);
    MSG m{};
    m.hwnd = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    received.push_back(m);
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
    }
    return 0;
}

class PlatformInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &recordingProc;
        windowClass.lpszClassName = u"PlatformInputTest";
        RegisterClassExW(&windowClass);
        host = CreateWindowExW(0, u"PlatformInputTest", u"host", WS_VISIBLE, 0, 0, 400, 300,
                               nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExW(0, u"PlatformInputTest", nullptr, WS_CHILD | WS_VISIBLE, 10, 10,
                                300, 200, host, nullptr, nullptr, nullptr);
        ASSERT_NE(child, nullptr);
        display = XOpenDisplay(nullptr);
        pumpAll();
        received.clear();
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
        if (host) DestroyWindow(host);
        qxplatform::releaseAllKeys();
    }

    void sendButton(int type, unsigned int button, int x, int y) {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.display = display;
        event.xbutton.window = qxplatform::xWindowHandle(child);
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.x_root = x + 10;
        event.xbutton.y_root = y + 10;
        event.xbutton.button = button;
        event.xbutton.same_screen = True;
        XSendEvent(display, event.xbutton.window, False, 0, &event);
        XFlush(display);
    }

    void sendKey(int type, KeySym sym) {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.display = display;
        event.xkey.window = qxplatform::xWindowHandle(child);
        event.xkey.keycode = XKeysymToKeycode(display, sym);
        event.xkey.same_screen = True;
        XSendEvent(display, event.xkey.window, False, 0, &event);
        XFlush(display);
    }

    // Dispatches everything that has arrived, waiting briefly for the server's round trip.
    void pumpAll() {
        MSG m;
        for (int round = 0; round < 20; ++round) {
            Sleep(5);
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        }
    }

    std::vector<MSG> messagesOf(UINT message) {
        std::vector<MSG> found;
        for (const MSG& m : received)
            if (m.message == message && m.hwnd == child) found.push_back(m);
        return found;
    }

    HWND host = nullptr;
    HWND child = nullptr;
    Display* display = nullptr;
};

TEST_F(PlatformInput, ButtonPressGivesSignedCoordinatesAndButtonFlags) {
    sendButton(ButtonPress, 1, 25, 40);
    sendButton(ButtonRelease, 1, -7, -3); // a captured drag past the top-left corner
    pumpAll();
    auto downs = messagesOf(WM_LBUTTONDOWN);
    auto ups = messagesOf(WM_LBUTTONUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 25);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 40);
    EXPECT_EQ(downs[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(ups[0].lParam), -7);
    EXPECT_EQ(GET_Y_LPARAM(ups[0].lParam), -3);
    EXPECT_EQ(ups[0].wParam & MK_LBUTTON, 0u);
}

TEST_F(PlatformInput, RightAndMiddleButtonsHaveTheirOwnMessages) {
    sendButton(ButtonPress, 3, 1, 2);
    sendButton(ButtonRelease, 3, 1, 2);
    sendButton(ButtonPress, 2, 1, 2);
    sendButton(ButtonRelease, 2, 1, 2);
    pumpAll();
    EXPECT_EQ(messagesOf(WM_RBUTTONDOWN).size(), 1u);
    EXPECT_EQ(messagesOf(WM_RBUTTONUP).size(), 1u);
    EXPECT_EQ(messagesOf(WM_MBUTTONDOWN).size(), 1u);
    EXPECT_EQ(messagesOf(WM_MBUTTONUP).size(), 1u);
}

TEST_F(PlatformInput, WheelNotchesAreOneMessageOfPlusOrMinus120) {
    sendButton(ButtonPress, 4, 5, 5);
    sendButton(ButtonRelease, 4, 5, 5);
    sendButton(ButtonPress, 5, 5, 5);
    sendButton(ButtonRelease, 5, 5, 5);
    pumpAll();
    auto wheels = messagesOf(WM_MOUSEWHEEL);
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam), 120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].wParam), -120);
}

TEST_F(PlatformInput, KeysArriveAsVirtualKeyCodesAndFeedTheKeyTable) {
    SetFocus(child);
    received.clear();
    sendKey(KeyPress, XK_h);
    pumpAll();
    auto downs = messagesOf(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, WPARAM{'H'});
    EXPECT_NE(GetAsyncKeyState('H') & 0x8000, 0);
    sendKey(KeyRelease, XK_h);
    sendKey(KeyPress, XK_F5);
    pumpAll();
    EXPECT_EQ(messagesOf(WM_KEYUP).size(), 1u);
    EXPECT_EQ(GetAsyncKeyState('H') & 0x8000, 0);
    ASSERT_EQ(messagesOf(WM_KEYDOWN).size(), 2u);
    EXPECT_EQ(messagesOf(WM_KEYDOWN)[1].wParam, WPARAM{VK_F1 + 4});
}

TEST_F(PlatformInput, KeysReadAsOfTheMessageBeingHandledWhenTapsArriveTogether) {
    SetFocus(child);
    pumpAll();
    keyReadings.clear();
    for (int i = 0; i < 5; ++i) {
        sendKey(KeyPress, XK_j);
        sendKey(KeyRelease, XK_j);
    }
    pumpAll();
    ASSERT_EQ(keyReadings.size(), 10u);
    for (size_t i = 0; i < keyReadings.size(); ++i) {
        const KeyReading& r = keyReadings[i];
        const bool down = r.message == WM_KEYDOWN;
        EXPECT_EQ(r.message, i % 2 == 0 ? UINT{WM_KEYDOWN} : UINT{WM_KEYUP}) << i;
        EXPECT_EQ(r.keyState, down) << i;
        EXPECT_EQ(r.asyncState, down) << i;
        EXPECT_EQ(r.tableState, down) << i;
    }
    EXPECT_EQ(GetAsyncKeyState('J') & 0x8000, 0);
}

TEST_F(PlatformInput, AKeyReleaseQueuedForADestroyedWindowStillLetsTheKeyGo) {
    SetFocus(child);
    pumpAll();
    sendKey(KeyPress, XK_k);
    pumpAll();
    ASSERT_NE(GetKeyState('K') & 0x8000, 0);
    sendKey(KeyRelease, XK_k);
    Sleep(50);
    qxplatform::pumpPendingEvents(); // queued, not yet taken
    DestroyWindow(child);
    child = nullptr;
    EXPECT_EQ(GetKeyState('K') & 0x8000, 0);
}

TEST_F(PlatformInput, InvalidationsCoalesceIntoOnePaint) {
    InvalidateRect(child, nullptr, FALSE);
    InvalidateRect(child, nullptr, FALSE);
    InvalidateRgn(child, nullptr, TRUE);
    pumpAll();
    EXPECT_EQ(messagesOf(WM_PAINT).size(), 1u);
}

TEST_F(PlatformInput, TimerTicksFromTheMessageLoopUntilKilled) {
    UINT_PTR id = SetTimer(child, 0, 10, nullptr);
    ASSERT_NE(id, 0u);
    MSG m;
    int ticks = 0;
    while (ticks < 3 && GetMessageW(&m, nullptr, 0, 0)) {
        if (m.message == WM_TIMER && m.hwnd == child) ++ticks;
        DispatchMessageW(&m);
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(KillTimer(child, id));
    EXPECT_FALSE(KillTimer(child, id));
}

int procTicks = 0;
void countingTimerProc(HWND, UINT message, UINT_PTR id, DWORD) {
    if (message == WM_TIMER && id == 9) ++procTicks;
}

TEST_F(PlatformInput, TimerWithAProcedureCallsItInPlaceOfTheWindowProcedure) {
    procTicks = 0;
    ASSERT_EQ(SetTimer(child, 9, 10, &countingTimerProc), 9u);
    MSG m;
    while (procTicks < 3 && GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
    EXPECT_EQ(procTicks, 3);
    EXPECT_TRUE(messagesOf(WM_TIMER).empty()) << "the window procedure saw the timer";
    KillTimer(child, 9);
}

TEST_F(PlatformInput, QuitEndsTheLoopAfterQueuedMessages) {
    PostMessageW(child, 0x0400, 1, 2);
    PostQuitMessage(7);
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, UINT{0x0400});
    EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, 7u);
}

} // namespace
