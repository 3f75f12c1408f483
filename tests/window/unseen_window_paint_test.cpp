// A window that cannot be seen gets no paint while the timer keeps running the model; seen
// again, it is painted at once with the right picture.
#include <gtest/gtest.h>

#include <chrono>

#include "gui_window.h"

namespace {

using Clock = std::chrono::steady_clock;

LRESULT CALLBACK coverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class UnseenWindow : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        gui->loadMacroFile("PATCHES/DEMO.txt", true);
    }

    struct Counts {
        int paints = 0, ticks = 0;
    };
    // Runs the message loop for `ms` milliseconds, or until the first paint of the editor's
    // window when `untilPainted`.
    Counts pump(int ms, bool untilPainted = false) {
        Counts counts;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        MSG m;
        while (Clock::now() < end) {
            if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                qxplatform::pumpPendingEvents();
                continue;
            }
            const bool paint = m.message == WM_PAINT && m.hwnd == window;
            counts.paints += paint;
            counts.ticks += m.message == WM_TIMER && m.hwnd == window;
            DispatchMessageW(&m);
            if (paint && untilPainted) break;
        }
        return counts;
    }
    // The window shows the frame it last painted, drawn whole.
    void expectShowsTheWholeFrame() {
        std::vector<uint8_t> painted, whole;
        int w = 0, h = 0;
        ASSERT_TRUE(qxplatform::captureWindowImage(window, painted, w, h));
        if (gui->damagePainting) {
            makeSlotCurrent(gui->glSlot);
            for (const PixelRect& r : gui->damagePainter.repaintLastFrame(gui->glDrawLayer))
                qxplatform::presentPart(GetDC(window), r.x, kHeight - r.y - r.height, r.width,
                                        r.height);
        } else {
            gui->windowProc(window, WM_PAINT, 0, 0);
        }
        ASSERT_TRUE(qxplatform::captureWindowImage(window, whole, w, h));
        EXPECT_TRUE(painted == whole);
    }
};

TEST_F(UnseenWindow, AHiddenWindowIsNotPaintedAndIsPaintedAtOnceWhenShownAgain) {
    if (!opened()) return;
    ASSERT_GT(pump(200).paints, 0) << "a visible window is painted";
    ShowWindow(host, SW_HIDE);
    const Counts hidden = pump(2000);
    EXPECT_EQ(hidden.paints, 0);
    EXPECT_GT(hidden.ticks, 100) << "the timer runs on";
    ShowWindow(host, SW_SHOW);
    EXPECT_EQ(pump(500, true).paints, 1) << "painted at once when shown";
    expectShowsTheWholeFrame();
}

TEST_F(UnseenWindow, AWhollyCoveredWindowIsNotPaintedAndIsPaintedAtOnceWhenUncovered) {
    if (!opened()) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &coverProc;
    windowClass.lpszClassName = u"QxCoverWindow";
    RegisterClassExW(&windowClass);
    HWND cover = CreateWindowExW(0, u"QxCoverWindow", u"cover", WS_VISIBLE, 0, 0, kWidth + 20,
                                 kHeight + 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    pump(300); // the server tells the window it is covered
    const Counts covered = pump(1000);
    EXPECT_EQ(covered.paints, 0);
    EXPECT_GT(covered.ticks, 50);
    DestroyWindow(cover);
    EXPECT_EQ(pump(500, true).paints, 1) << "painted at once when uncovered";
    expectShowsTheWholeFrame();
}

} // namespace
