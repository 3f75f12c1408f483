// Draws one frame of every page, with every floating panel shown, through the recording draw
// layer: what a host's values leave in the model must draw without a fault. Shared by the
// seeded unit test and the libFuzzer target.
#pragma once

#include <string>
#include <vector>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "render/recording_draw_layer.h"
#include "view/frame/page_ids.h"

// Opens every floating panel once, so each frame draws them all.
inline void showEveryPanel(QX_GUI& gui) {
    for (const char* word :
         {"MACRO", "VIRTUAL", "DELAY", "FILTERS", "DYNAMICS", "MUTES", "ENVELOPES", "SCOPE", "FFT"})
        gui.executeCommandString(std::string("SHOW_PANEL ") + word);
}

// One frame of each page; the draws the recording layer refused, one line each.
inline std::vector<std::string> drawEveryPage(QX_GUI& gui) {
    std::vector<std::string> refused;
    gui.windowWidth = 1376.0f;
    gui.windowHeight = 800.0f;
    gui.ownInstance.asleep = 0;
    for (int32_t id = 0; id < kPanelCount; ++id) gui.panelFrame.panels[id].shown = 1;
    for (int32_t page : {kPageStage, kPageInputs, kPageOutputs, kPageMatrix, kPageFeedback}) {
        RecordingDrawLayer recording;
        gui.drawLayer = &recording;
        gui.view.currentPage = page;
        gui.renderFrame();
        gui.drawLayer = &gui.glDrawLayer;
        refused.insert(refused.end(), recording.failures.begin(), recording.failures.end());
    }
    return refused;
}
