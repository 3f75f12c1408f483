// Panels for tests: a screen fixture whose object logs the editor panels' handlers instead of
// running them, with the panels set up as graphics start-up leaves them.
#pragma once

#include <string>
#include <vector>

#include "panels/frame/panel_ids.h"
#include "screen_fixture.h"

// Logs every editor handler the panel routing calls ("DELAY down 300 120" ...).
class LoggingGui : public QX_GUI {
public:
    std::vector<std::string> calls;
    int32_t rightResult = -1; // what the right-click handlers answer

    int32_t log(const char* what, int32_t x, int32_t y, int32_t result) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + " " + std::to_string(y));
        return result;
    }
    int32_t dynamicsPanelLButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("DYNAMICS down", x, y, 0);
    }
    int32_t dynamicsPanelLButtonUp(WPARAM, int32_t x, int32_t y) override {
        return log("DYNAMICS up", x, y, 0);
    }
    int32_t dynamicsPanelRButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("DYNAMICS right", x, y, rightResult);
    }
    int32_t filtersPanelLButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("FILTERS down", x, y, 0);
    }
    int32_t filtersPanelLButtonUp(WPARAM, int32_t x, int32_t y) override {
        return log("FILTERS up", x, y, 0);
    }
    int32_t filtersPanelRButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("FILTERS right", x, y, rightResult);
    }
    int32_t delayPanelLButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("DELAY down", x, y, 0);
    }
    int32_t delayPanelLButtonUp(WPARAM, int32_t x, int32_t y) override {
        return log("DELAY up", x, y, 0);
    }
    int32_t delayPanelRButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("DELAY right", x, y, rightResult);
    }
    int32_t mutesPanelLButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("MUTES down", x, y, 0);
    }
    int32_t mutesPanelLButtonUp(WPARAM, int32_t x, int32_t y) override {
        return log("MUTES up", x, y, 0);
    }
    int32_t virtualPanelLButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("VIRTUAL down", x, y, 0);
    }
    int32_t virtualPanelLButtonUp(WPARAM, int32_t x, int32_t y) override {
        return log("VIRTUAL up", x, y, 0);
    }
    int32_t virtualPanelRButtonDown(WPARAM, int32_t x, int32_t y) override {
        return log("VIRTUAL right", x, y, rightResult);
    }
};

struct PanelFixture : ScreenFixture {
    LoggingGui* logging = nullptr;

    PanelFixture() {
        auto own = std::make_unique<LoggingGui>();
        logging = own.get();
        gui = std::move(own);
        gui->viewSettings.masterVolume = 1.0f;
        gui->windowWidth = 1376.0f;
        gui->windowHeight = 800.0f;
        gui->executedLineTap = &lines;
        gui->ownInstance.asleep = 0;
        gui->cursors[5] = LoadCursorW(nullptr, IDC_HAND);
        gui->initPanelWindows();
        gui->initPanelOrder();
    }
    ~PanelFixture() { gui->executedLineTap = nullptr; }

    PanelWindow& panel(int32_t id) { return gui->panelFrame.panels[id]; }
    // Shows a panel at (x, y) in front, as SHOW_PANEL and PANEL_SETUP leave it.
    PanelWindow& place(int32_t id, float x, float y) {
        PanelWindow& p = gui->panelFrame.panels[id];
        p.positionX = x;
        p.positionY = y;
        p.shown = 1;
        gui->bringPanelToFront(id);
        return p;
    }
    int32_t leftDown(int32_t x, int32_t y) { return gui->panelsLButtonDown(MK_LBUTTON, x, y); }
    int32_t leftUp(int32_t x, int32_t y) { return gui->panelsLButtonUp(0, x, y); }
    int32_t rightDown(int32_t x, int32_t y) { return gui->panelsRButtonDown(MK_RBUTTON, x, y); }
    // The move every shown panel's frame sees.
    void frameMove(int32_t x, int32_t y) {
        for (PanelWindow& p : gui->panelFrame.panels)
            if (p.shown) p.onMouseMove(0, x, y);
    }
    std::vector<int32_t> order() const {
        return std::vector<int32_t>(gui->panelFrame.panelOrder,
                                    gui->panelFrame.panelOrder + gui->panelFrame.panelOrderCount);
    }
    // Draws one panel's content alone, in content coordinates.
    template <class Draw> RecordingDrawLayer drawContent(Draw draw) { return record(draw); }
};
