// A QX_GUI in a 1376 x 800 window under X with Mesa, showing a black STAGE page: one source
// and one target far away, no rooms, no grid. render() draws a frame and reads its pixels back.
#pragma once

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/gl_slots.h"

namespace {

constexpr int kWidth = 1376;
constexpr int kHeight = 800;

LRESULT CALLBACK stageWindowHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Rgb {
    int r, g, b;
};

class StageWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        qxplatform::setMessageBoxesQuiet(true);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &stageWindowHostProc;
        windowClass.lpszClassName = u"QxStageWindowHost";
        RegisterClassExW(&windowClass);
        host = CreateWindowExW(0, u"QxStageWindowHost", u"host", WS_VISIBLE, 0, 0, kWidth, kHeight,
                               nullptr, nullptr, nullptr, nullptr);
        gui = new QX_GUI;
        gui->setBounds(0, kHeight, 0, kWidth);
        HWND window = nullptr;
        gui->openWindow(host, &window);
        gui->ownInstance.asleep = 0;
        run("TOGGLE GRID_VISIBILITY");
        gui->roomCount = 0;
        gui->groupCount = 0;
        gui->setSourceCount(1);
        gui->setTargetCount(1);
        gui->sources[0].setPosition(5000.0f, 5000.0f);
        gui->targets[0].setPosition(-5000.0f, 5000.0f);
        gui->viewZoom = 1.0f;
        gui->viewPanX = gui->viewPanY = 0.0f;
    }
    void TearDown() override {
        if (gui) {
            gui->closeWindow();
            delete gui;
        }
        if (host) DestroyWindow(host);
    }
    void run(const std::string& line) { gui->executeCommandString(line); }

    void render() {
        makeSlotCurrent(gui->glSlot);
        gui->renderFrame();
        pixels.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glPopAttrib();
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
    QX_GUI* gui = nullptr;
    std::vector<uint8_t> pixels;
};

} // namespace
