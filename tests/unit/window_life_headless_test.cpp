// Window life without GL: a failed open, a failed full-screen switch and a window without
// area are handled without a context and without dividing by zero.
#include <gtest/gtest.h>

#include <memory>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/gl_slots.h"
#include "render/shader_programs.h"

namespace {

bool consoleHas(const QX_GUI& gui, const std::string& line) {
    for (const std::string& l : gui.console.lines)
        if (l == line) return true;
    return false;
}

TEST(WindowLifeWithoutGl, AFailedOpenLeavesNoWindowAndStillChecksForABootInPatch) {
    qxplatform::setMessageBoxesQuiet(true);
    auto gui = std::make_unique<QX_GUI>();
    gui->setBounds(0, 800, 0, 1376);
    HWND window = reinterpret_cast<HWND>(1);
    // A parent that is no window makes the open fail with or without a display.
    EXPECT_EQ(gui->openWindow(reinterpret_cast<HWND>(0x7777), &window), 0);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(gui->timerStarted, 0);
    EXPECT_TRUE(consoleHas(*gui, "CHECK FOR BOOT-IN PATCH ..."));
    EXPECT_EQ(gui->closeWindow(), 0);
}

TEST(WindowLifeWithoutGl, AFailedFullScreenSwitchStaysOutOfFullScreenAndSaysSo) {
    if (qxplatform::hasDisplay()) GTEST_SKIP() << "a display makes the full-screen window";
    qxplatform::setMessageBoxesQuiet(true);
    auto gui = std::make_unique<QX_GUI>();
    gui->setBounds(0, 800, 0, 1376);
    gui->enterFullScreen(1920, 1080, 0, 0);
    EXPECT_EQ(gui->view.fullScreen, 0);
    EXPECT_EQ(gui->windowHandle(), nullptr);
    EXPECT_EQ(gui->savedRight, 1376);
    EXPECT_TRUE(consoleHas(*gui, "FULL SCREEN FAILED: NO WINDOW OR CONTEXT"));
}

TEST(WindowLifeWithoutGl, AWindowWithoutAreaPaintsNothing) {
    auto gui = std::make_unique<QX_GUI>();
    gui->setBounds(0, 0, 0, 0);
    EXPECT_EQ(gui->onPaint(nullptr), 0);
    setPixelProjection(0, 0); // returns without touching GL
    setPixelProjection(-5, 10);
}

TEST(WindowLifeWithoutGl, AWindowProcedureWithoutAWindowRoutesMouseMoves) {
    auto gui = std::make_unique<QX_GUI>();
    gui->graphicsReady = 1; // moves are ignored until the graphics start-up has finished
    gui->windowProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<short>(-3), 7));
    EXPECT_EQ(gui->interaction.pointerPixelX, -3);
    EXPECT_EQ(gui->interaction.pointerPixelY, 7);
    gui->interaction.pointerPixelX = 11;
    gui->windowProc(nullptr, WM_KEYUP, 'A', 0); // a key release replays the last move
    EXPECT_EQ(gui->interaction.pointerPixelX, 11);
}

} // namespace
