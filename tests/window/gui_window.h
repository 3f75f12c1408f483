// A QX_GUI in a 1376 x 800 window under X with Mesa: render() paints a frame and reads the
// window's pixels back, at() gives one of them.
#pragma once

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/gl_slots.h"

namespace {

constexpr int kWidth = 1376;
constexpr int kHeight = 800;

inline LRESULT CALLBACK guiWindowHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class GuiWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        qxplatform::setMessageBoxesQuiet(true);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &guiWindowHostProc;
        windowClass.lpszClassName = u"QxGuiWindowHost";
        RegisterClassExW(&windowClass); // a second registration fails and keeps the first
        host = CreateWindowExW(0, u"QxGuiWindowHost", u"host", WS_VISIBLE, 0, 0, kWidth, kHeight,
                               nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host, nullptr);
        gui = new QX_GUI;
        gui->setBounds(0, kHeight, 0, kWidth);
        gui->openWindow(host, &window);
        ASSERT_NE(window, nullptr);
        gui->ownInstance.asleep = 0;
    }
    // True once SetUp has opened the window (it skips without a display).
    bool opened() const { return gui != nullptr && !IsSkipped() && !HasFatalFailure(); }
    void TearDown() override {
        if (gui) {
            gui->closeWindow();
            delete gui;
        }
        if (host) DestroyWindow(host);
    }
    void run(const std::string& line) { gui->executeCommandString(line); }

    // Paints the window as a WM_PAINT does (only what changed, unless QX_DAMAGE_PAINTING is
    // "0") and reads back what the window shows.
    void render() {
        makeSlotCurrent(gui->glSlot);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        gui->paintWindow(GetDC(window));
        glPopAttrib();
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        ASSERT_TRUE(qxplatform::captureWindowImage(window, rgb, width, height));
        ASSERT_EQ(width, kWidth);
        ASSERT_EQ(height, kHeight);
        // Kept as GL reads them: RGBA rows bottom-up.
        pixels.assign(static_cast<size_t>(kWidth) * kHeight * 4, 255);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int c = 0; c < 3; ++c)
                    pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4 + c] =
                        rgb[(static_cast<size_t>(y) * kWidth + x) * 3 + c];
    }
    Rgb at(int x, int y) const {
        const uint8_t* p = &pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    }
    static int byte(float c) { return static_cast<int>(std::lround(c * 255.0f)); }
    void expectNear(int x, int y, Rgb want, int tolerance, const char* what) const {
        const Rgb got = at(x, y);
        EXPECT_NEAR(got.r, want.r, tolerance) << what << " at " << x << "," << y;
        EXPECT_NEAR(got.g, want.g, tolerance) << what << " at " << x << "," << y;
        EXPECT_NEAR(got.b, want.b, tolerance) << what << " at " << x << "," << y;
    }

    HWND host = nullptr;
    HWND window = nullptr;
    QX_GUI* gui = nullptr;
    std::vector<uint8_t> pixels;
};

} // namespace
