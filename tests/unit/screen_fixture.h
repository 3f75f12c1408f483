// One fixture for the screens: a stage builder, the lines executed (nested ones too), a pointer
// that drives the mouse operations in the window procedure's order with the key state held
// through the platform's key seam, the settable clock, and one frame drawn into a recording.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "qxplatform/test_hooks.h"
#include "render/recording_draw_layer.h"
#include "stage_fixture.h"

struct ScreenFixture : StageFixture {
    enum class Button { Left, Right, Middle };

    std::vector<std::string> lines; // every line given to the executor, in the order run

    explicit ScreenFixture(float width = 1376.0f, float height = 800.0f) {
        gui->windowWidth = width;
        gui->windowHeight = height;
        gui->executedLineTap = &lines;
        gui->ownInstance.asleep = 0; // awake, as instance 0 is once its window opens
        qxplatform::releaseAllKeys();
        qxplatform::setCapsLock(false);
        qxplatform::setManualClock(0);
    }
    ~ScreenFixture() {
        gui->executedLineTap = nullptr;
        qxplatform::releaseAllKeys();
        qxplatform::setCapsLock(false);
        qxplatform::releaseManualClock();
    }

    void runAll(std::initializer_list<const char*> script) {
        for (const char* line : script) run(line);
    }
    // The lines run since the last call, then forgotten.
    std::vector<std::string> takeLines() {
        std::vector<std::string> out;
        out.swap(lines);
        return out;
    }

    // ---- Keys and clock -------------------------------------------------------------------
    void hold(std::initializer_list<int> keys) {
        for (int k : keys) qxplatform::setKeyDown(k, true);
    }
    void letGo(std::initializer_list<int> keys) {
        for (int k : keys) qxplatform::setKeyDown(k, false);
    }
    void letGoAll() { qxplatform::releaseAllKeys(); }
    // One key-down message for `key`, pressed while the held keys stay down, then let go.
    void tap(int key) {
        qxplatform::setKeyDown(key, true);
        gui->onKeyDown(nullptr, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
        qxplatform::setKeyDown(key, false);
    }
    void typeKeys(std::initializer_list<int> keys) {
        for (int k : keys) tap(k);
    }
    void setClock(int32_t milliseconds) { qxplatform::setManualClock(milliseconds); }
    void advanceClock(int32_t milliseconds) { qxplatform::advanceManualClock(milliseconds); }

    // ---- Pointer: the operations as the window procedure calls them -------------------
    WPARAM keyFlags() const {
        WPARAM flags = 0;
        if (GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
        return flags;
    }
    void move(int32_t x, int32_t y) { gui->onMouseMove(keyFlags(), x, y); }
    void press(int32_t x, int32_t y, Button button = Button::Left) {
        switch (button) {
        case Button::Left:
            gui->onLButtonDown(keyFlags() | MK_LBUTTON, x, y);
            gui->onMouseMove(keyFlags() | MK_LBUTTON, x, y);
            break;
        case Button::Right:
            gui->onRButtonDown(keyFlags() | MK_RBUTTON, x, y);
            break;
        case Button::Middle:
            gui->onMButtonDown(keyFlags() | MK_MBUTTON, x, y);
            break;
        }
    }
    void release(int32_t x, int32_t y, Button button = Button::Left) {
        switch (button) {
        case Button::Left:
            gui->onLButtonUp(keyFlags(), x, y);
            gui->onMouseMove(keyFlags(), x, y);
            break;
        case Button::Right:
            gui->onRButtonUp(keyFlags(), x, y);
            gui->onMouseMove(keyFlags(), x, y);
            break;
        case Button::Middle:
            gui->onMButtonUp(keyFlags(), x, y);
            break;
        }
    }
    void click(int32_t x, int32_t y, Button button = Button::Left) {
        press(x, y, button);
        release(x, y, button);
    }
    // Drags with the button held: press, moves in steps along the way, release.
    void drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t steps = 4,
              Button button = Button::Left) {
        press(x0, y0, button);
        for (int32_t i = 1; i <= steps; ++i)
            move(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        release(x1, y1, button);
    }
    // One wheel event of `notches` (positive: away from the user, 120 each).
    void wheel(int32_t notches) {
        const int32_t delta = 120 * notches;
        const WPARAM flags = keyFlags() | (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16);
        gui->onMouseWheel(flags, delta, delta);
    }

    // ---- Stage and drawing ------------------------------------------------------------------
    ScreenPoint stageToPixel(float x, float y) const { return gui->stageToScreen(x, y); }

    // Whatever `draw` draws, recorded; the GL layer is put back afterwards.
    template <class Draw> RecordingDrawLayer record(Draw draw) {
        RecordingDrawLayer recording;
        gui->drawLayer = &recording;
        draw();
        gui->drawLayer = &gui->glDrawLayer;
        return recording;
    }
    // One frame drawn through a recording layer.
    RecordingDrawLayer drawFrame() {
        return record([this] { gui->renderFrame(); });
    }
    // The STAGE page alone; no draw refused, the transform stack left as found.
    RecordingDrawLayer drawStage() {
        RecordingDrawLayer recording = record([this] { gui->drawStagePage(); });
        EXPECT_TRUE(recording.failures.empty()) << recording.failures.front();
        EXPECT_EQ(recording.matrixDepth(), 0);
        return recording;
    }
};
