// Keys typed through the X server into a QX_GUI window: a press and release that arrive
// together still run their key's line, and in full screen each press runs once.
#include "gui_window.h"
#include "panels/frame/panel_ids.h"

#include <chrono>
#include <string>
#include <vector>

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

class QuickKeys : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display, &event, &error, &major, &minor))
            GTEST_SKIP() << "no XTEST extension";
        // Frames are slow under a software renderer; the server's key repeat would add presses
        // to a key held across a few of them.
        XAutoRepeatOff(display);
        gui->executedLineTap = &lines;
        focusGui();
    }
    void TearDown() override {
        if (gui) gui->executedLineTap = nullptr;
        if (display) {
            XAutoRepeatOn(display);
            XCloseDisplay(display);
        }
        GuiWindow::TearDown();
        qxplatform::releaseAllKeys();
    }

    void focusGui() {
        SetFocus(gui->windowHandle());
        pump(100);
        lines.clear();
    }
    // Dispatches everything that arrives for `milliseconds` of wall time (at least one round).
    void pump(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        MSG m;
        do {
            Sleep(5);
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) quitPosted = true;
                DispatchMessageW(&m);
            }
        } while (std::chrono::steady_clock::now() < end);
    }
    void fakeKey(KeySym sym, bool press) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), press ? True : False, 0);
    }
    // Press and release back to back, with `held` kept down around each tap; all flushed at
    // once so the whole burst reaches the window in one read.
    void tapBurst(KeySym key, int count, std::vector<KeySym> held = {}) {
        for (KeySym h : held) fakeKey(h, true);
        for (int i = 0; i < count; ++i) {
            fakeKey(key, true);
            fakeKey(key, false);
        }
        for (KeySym h : held) fakeKey(h, false);
        XFlush(display);
        pump(300);
    }
    int countOf(const std::string& line) const {
        int n = 0;
        for (const std::string& l : lines) n += l == line;
        return n;
    }

    Display* display = nullptr;
    std::vector<std::string> lines;
    bool quitPosted = false;
};

TEST_F(QuickKeys, TwentyTapsWithNoHoldRunTwentyLines) {
    tapBurst(XK_h, 20);
    EXPECT_EQ(countOf("TOGGLE ROOM_VISIBILITY"), 20);
}

TEST_F(QuickKeys, AQuickReturnInTheFocusedCliLineRunsTheLine) {
    run("SHOW_PANEL CLI");
    gui->panelFrame.panels[kPanelCli].focused = 1; // the line takes typed keys
    gui->consolePanel.cliLine = "TOGGLE GUI_SNAP";
    lines.clear();
    tapBurst(XK_Return, 1);
    EXPECT_EQ(countOf("TOGGLE GUI_SNAP"), 1);
    EXPECT_TRUE(gui->consolePanel.cliLine.empty());
}

TEST_F(QuickKeys, InFullScreenEachPressRunsOnce) {
    gui->configuration.displayCount = 1;
    gui->configuration.displays[0] = DisplayRecord{0, 0, kWidth, kHeight, 0};
    run("FULLSCREEN");
    ASSERT_EQ(gui->view.fullScreen, 1);
    XTestFakeMotionEvent(display, -1, kWidth / 2, kHeight / 2, 0); // pointer on the display
    focusGui();
    const int32_t snap = gui->guiSnap;
    tapBurst(XK_s, 1, {XK_Shift_L});
    pump(100); // timer ticks that would have scanned the same press
    EXPECT_EQ(countOf("TOGGLE GUI_SNAP"), 1);
    EXPECT_NE(gui->guiSnap, snap);
    tapBurst(XK_x, 1, {XK_Alt_L});
    pump(100);
    EXPECT_EQ(countOf("UNCABLE SELECTION"), 1);
    // Typed slowly, one key at a time: a line of the CLI reads each letter once.
    gui->panelFrame.panels[kPanelCli].focused = 1;
    gui->consolePanel.cliLine.clear();
    for (KeySym k : {XK_s, XK_a, XK_v, XK_e}) {
        fakeKey(k, true);
        XFlush(display);
        pump(40);
        fakeKey(k, false);
        XFlush(display);
        pump(40);
    }
    EXPECT_EQ(gui->consolePanel.cliLine, "SAVE");
    // Leaving full screen closes that window and carries on in the host's.
    run("FULLSCREEN");
    pump(100);
    EXPECT_EQ(gui->view.fullScreen, 0);
    EXPECT_FALSE(quitPosted);
}

} // namespace
