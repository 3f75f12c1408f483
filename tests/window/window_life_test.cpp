// The interface object in a real window under X with Mesa: window life, GL slots, the frame
// and the block font as pixels, two instances side by side, and input reaching the object.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/gl_slots.h"

// Xlib's macros must come after the test framework's headers.
#include <X11/Xlib.h>

namespace {

constexpr int kWidth = 1376;
constexpr int kHeight = 800;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeHostWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &hostProc;
        windowClass.lpszClassName = u"QxTestHost";
        RegisterClassExW(&windowClass);
        registered = true;
    }
    return CreateWindowExW(0, u"QxTestHost", u"host", WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                           nullptr, nullptr, nullptr);
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class WindowLife : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        qxplatform::setMessageBoxesQuiet(true);
        host = makeHostWindow();
        ASSERT_NE(host, nullptr);
    }
    void TearDown() override {
        for (QX_GUI* gui : guis) {
            gui->closeWindow();
            delete gui;
        }
        if (host) DestroyWindow(host);
    }

    QX_GUI* open(bool awake) {
        QX_GUI* gui = new QX_GUI;
        guis.push_back(gui);
        gui->setBounds(0, kHeight, 0, kWidth);
        HWND window = nullptr;
        gui->openWindow(host, &window);
        EXPECT_NE(window, nullptr);
        gui->ownInstance.asleep = awake ? 0 : 1;
        return gui;
    }

    // Renders one frame into the back buffer and reads it, rows top-down.
    std::vector<uint8_t> render(QX_GUI* gui) {
        makeSlotCurrent(gui->glSlot);
        gui->renderFrame();
        std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glPopAttrib();
        return pixels;
    }

    static Rgb at(const std::vector<uint8_t>& pixels, int x, int y) {
        const uint8_t* p = &pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    }

    static bool allBlack(const std::vector<uint8_t>& pixels) {
        for (size_t i = 0; i < pixels.size(); i += 4)
            if (pixels[i] || pixels[i + 1] || pixels[i + 2]) return false;
        return true;
    }

    HWND host = nullptr;
    std::vector<QX_GUI*> guis;
};

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

TEST_F(WindowLife, OpeningGivesASlotAContextAndTheStartUpState) {
    QX_GUI* gui = open(true);
    EXPECT_EQ(gui->glSlot, 0);
    EXPECT_EQ(slotWindow(0), gui->windowHandle());
    EXPECT_EQ(gui->pinEditorOpen.getValue(), 1);
    EXPECT_EQ(gui->timerStarted, 1);
    EXPECT_EQ(gui->graphicsReady, 1);
    EXPECT_GE(gui->rgbLocation, 0);
    EXPECT_GE(gui->modeLocation, 0);
    EXPECT_GE(gui->metricsLocation, 0);
    EXPECT_GE(gui->textBinding.texLocation, 0);
    EXPECT_GE(gui->textBinding.coordLocation, 0);
    EXPECT_EQ(gui->unitDiscCount, 216);
    EXPECT_EQ(gui->chrome.toolboxTexts[41], "   [rotate]   ");
    EXPECT_EQ(gui->interaction.pageGridX, (kWidth - 1210) / 2 + 234);
    // The slot keeps the text program; the object keeps both.
    EXPECT_EQ(glSlots().program[0], gui->textProgram);
    EXPECT_NE(gui->uiProgram, gui->textProgram);
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(qxplatform::activeTimerCount(), 1);

    gui->closeWindow();
    EXPECT_EQ(gui->pinEditorOpen.getValue(), 0);
    EXPECT_EQ(gui->windowHandle(), nullptr);
    EXPECT_EQ(gui->timerStarted, 0);
    EXPECT_EQ(glSlots().inUse[0], 0);
    EXPECT_EQ(qxplatform::activeTimerCount(), 0);
}

TEST_F(WindowLife, ASleepingInstancePaintsBlack) {
    QX_GUI* gui = open(false);
    EXPECT_TRUE(allBlack(render(gui)));
}

TEST_F(WindowLife, TheTitleLineIsDrawnInTheBlockFontAtTheBottomLeft) {
    QX_GUI* gui = open(true);
    gui->stageView.gridShown = 0; // the stage's grid would show through the title
    std::vector<uint8_t> frame = render(gui);
    // "V" of the title, in the white the MASTER box leaves: row 0 is "#...#" at x 3 .. 7,
    // y = 800 - 9.
    EXPECT_EQ(at(frame, 3, 791), kWhite);
    EXPECT_EQ(at(frame, 4, 791), kBlack);
    EXPECT_EQ(at(frame, 7, 791), kWhite);
    // Row 4 of "V" is "..#..".
    EXPECT_EQ(at(frame, 5, 795), kWhite);
    EXPECT_EQ(at(frame, 3, 795), kBlack);
    EXPECT_EQ(at(frame, 3, 790), kBlack);
    EXPECT_FALSE(allBlack(frame));
}

TEST_F(WindowLife, ATutorialPatchShowsNoTitle) {
    QX_GUI* gui = open(true);
    gui->stageView.gridShown = 0; // the stage's grid would show through the title
    std::snprintf(gui->patchPath, sizeof gui->patchPath, "Z:\\X\\TUTORIAL/HOME.txt");
    gui->patchPathLength = 21;
    // The title line stays black where its "V" would begin; the panels' bar is drawn above.
    const std::vector<uint8_t> frame = render(gui);
    EXPECT_EQ(at(frame, 3, 791), kBlack);
    EXPECT_EQ(at(frame, 5, 795), kBlack);
    EXPECT_EQ(at(frame, 7, 791), kBlack);
}

TEST_F(WindowLife, TheTextEntryDimsTheFrameAndDrawsItsBox) {
    QX_GUI* gui = open(true);
    gui->openTextEntry(400, 300, -1, -1, " ", 15, 0, "TITLE", "PROMPT", 1);
    gui->textEntry.textEntryId = 7;           // the action, set by every opener after the box
    gui->interaction.cursorBlinkCounter = 15; // caret hidden
    std::vector<uint8_t> frame = render(gui);
    // Title pixels under the overlay: white dimmed by (0,0,0,0.8) gives 51.
    EXPECT_EQ(at(frame, 3, 791), (Rgb{51, 51, 51}));
    // An empty field is 10 wide plus the border: x 393 .. 406, y 290 .. 309; teal inside.
    EXPECT_EQ(at(frame, 393, 290), (Rgb{255, 255, 255}));
    EXPECT_EQ(at(frame, 400, 300), (Rgb{0, 128, 128}));
    EXPECT_EQ(at(frame, 391, 300), kBlack); // the frame
}

// The font draws text itself, or the layer gathers its glyphs into its batched array: both
// put the same cells in the same places.
TEST_F(WindowLife, DrawnTextLandsWhereItsAlignmentPutsIt) {
    QX_GUI* gui = open(true);
    for (bool throughLayer : {false, true}) {
        SCOPED_TRACE(throughLayer ? "through the layer" : "by the font");
        makeSlotCurrent(gui->glSlot);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        gui->applyFramePreamble();
        gui->drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
        auto draw = [&](const char* text, int32_t scale, float x, float y) {
            if (throughLayer) {
                gui->drawLayer->text(gui->font, text, scale, x, y);
            } else {
                gui->font.drawText(text, scale, x, y);
            }
        };
        gui->font.alignLeft();
        draw("AB", 1, 100.0f, 100.0f);
        gui->font.alignCentre();
        draw("AB", 1, 100.0f, 200.0f);
        gui->font.alignRight();
        draw("AB", 1, 100.0f, 300.0f);
        draw("I", 2, 100.0f, 400.0f);
        gui->drawLayer->flush();
        std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glPopAttrib();
        const Rgb white{255, 255, 255};
        // Left: "A" row 1 "#..#" at x 100 and 103.
        EXPECT_EQ(at(pixels, 100, 101), white);
        EXPECT_EQ(at(pixels, 101, 101), kBlack);
        EXPECT_EQ(at(pixels, 99, 101), kBlack);
        // Centred: starts at 100 - 4.
        EXPECT_EQ(at(pixels, 96, 201), white);
        EXPECT_EQ(at(pixels, 95, 201), kBlack);
        // Right: the last inked column of "B" (row 1 "#..#") ends at the anchor.
        EXPECT_EQ(at(pixels, 99, 301), white);
        EXPECT_EQ(at(pixels, 100, 301), kBlack);
        EXPECT_EQ(at(pixels, 91, 301), white);
        // Scale 2 doubles the cells: "I" right-aligned covers x 98, 99 and y 400 .. 409.
        EXPECT_EQ(at(pixels, 98, 409), white);
        EXPECT_EQ(at(pixels, 99, 400), white);
        EXPECT_EQ(at(pixels, 97, 405), kBlack);
        EXPECT_EQ(at(pixels, 98, 410), kBlack);
    }
}

TEST_F(WindowLife, TwoInstancesShareTheClassAndPaintTheirOwnWindows) {
    QX_GUI* first = open(true);
    QX_GUI* second = open(false);
    EXPECT_EQ(first->glSlot, 0);
    EXPECT_EQ(second->glSlot, 1);
    EXPECT_NE(first->windowHandle(), second->windowHandle());
    // The class is registered once: a second registration is refused.
    WNDCLASSEXW again{};
    again.cbSize = sizeof again;
    again.lpszClassName = kDefaultWindowClass;
    EXPECT_EQ(RegisterClassExW(&again), 0);
    EXPECT_FALSE(allBlack(render(first)));
    EXPECT_TRUE(allBlack(render(second)));
    second->closeWindow();
    QX_GUI* third = open(false);
    EXPECT_EQ(third->glSlot, 1);
}

TEST_F(WindowLife, ADestroyedSlotIsTakenAgainAndAnEmptySlotOnlyLosesItsMark) {
    glSlots().inUse[500] = 1;
    destroySlotWindow(500);
    EXPECT_EQ(glSlots().inUse[500], 0);
    destroySlotWindow(5000); // out of range: nothing happens
    makeSlotCurrent(-1);
}

TEST_F(WindowLife, MouseAndWheelReachTheObjectThroughItsWindowProcedure) {
    QX_GUI* gui = open(true);
    Display* display = XOpenDisplay(nullptr);
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = display;
    event.xbutton.window = qxplatform::xWindowHandle(gui->windowHandle());
    event.xbutton.x = -12;
    event.xbutton.y = 34;
    event.xbutton.button = 1;
    event.xbutton.same_screen = True;
    XSendEvent(display, event.xbutton.window, False, 0, &event);
    XFlush(display);
    MSG m;
    int seen = 0;
    // Each round drains a bounded number of messages: under load the timer's repaints can keep
    // the queue from ever running dry.
    for (int round = 0; round < 40 && seen == 0; ++round) {
        Sleep(5);
        for (int n = 0; n < 200 && seen == 0 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++n) {
            if (m.message == WM_LBUTTONDOWN) ++seen;
            DispatchMessageW(&m);
        }
    }
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(gui->interaction.pointerPixelX, -12);
    EXPECT_EQ(gui->interaction.pointerPixelY, 34);
    EXPECT_EQ(GetFocus(), gui->windowHandle());
    XCloseDisplay(display);
}

} // namespace
