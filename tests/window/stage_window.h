// A black STAGE page in a window: one source and one target far away, no rooms, no grid.
#pragma once

#include "gui_window.h"

namespace {

class StageWindow : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        run("TOGGLE GRID_VISIBILITY");
        gui->roomCount = 0;
        gui->groupCount = 0;
        gui->setSourceCount(1);
        gui->setTargetCount(1);
        gui->sources[0].setPosition(5000.0f, 5000.0f);
        gui->targets[0].setPosition(-5000.0f, 5000.0f);
        gui->view.viewZoom = 1.0f;
        gui->view.viewPanX = gui->view.viewPanY = 0.0f;
    }
};

} // namespace
