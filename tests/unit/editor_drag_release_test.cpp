// Every editor drag, driven through the mouse dispatch as the window procedure calls it: the
// value follows the pointer, a release far off every panel ends the drag and gives the mouse
// back, and a later hover over the panel changes nothing.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "editor_panel_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

struct EditorDrags : ::testing::Test, EditorFixture {
    EditorDrags() {
        source(0, 0.0f, 0.0f);
        useMouseDispatch();
        gui->sources[0].virtualChannel = 0;
        gui->loadDynamicsPanel(kKindSource, 0);
        gui->loadFiltersPanel(kKindSource, 0);
        gui->loadDelayPanel(kKindSource, 0);
        gui->loadVirtualPanel(1, 0);
    }
};

TEST_F(EditorDrags, EveryEditorDragEndsAtTheReleaseWhereverThePointerIs) {
    struct Case {
        const char* what;
        int32_t panel;
        std::function<void(QX_GUI&)> prepare;
        std::initializer_list<int> keys;    // held through the press
        float pressX, pressY, moveX, moveY; // content points
        std::function<float(QX_GUI&)> value;
        float dragged; // the value after the move
    };
    const Case cases[] = {
        {"DYNAMICS middle point",
         kPanelDynamics,
         [](QX_GUI&) {},
         {},
         190.0f,
         159.0f,
         258.0f,
         159.0f,
         [](QX_GUI& g) { return g.dynamicsEditor.dynamicsEditCurve.points[2].x; },
         0.625f},
        {"FILTERS Shift gain offset",
         kPanelFilters,
         [](QX_GUI& g) { g.filtersEditor.eqEditBands[1].active = 1; },
         {VK_SHIFT},
         350.0f,
         200.0f,
         350.0f,
         100.0f,
         [](QX_GUI& g) { return static_cast<float>(g.filtersEditor.eqEditBands[1].gainDb); },
         3.0f},
        {"DELAY time",
         kPanelDelay,
         [](QX_GUI&) {},
         {},
         100.0f,
         20.0f,
         130.0f,
         20.0f,
         [](QX_GUI& g) { return g.delayEditor.delayTime; },
         0.153f},
        {"VIRTUAL Ctrl handle",
         kPanelVirtual,
         [](QX_GUI& g) { g.inputMixers[0].gains[0] = 0.9f; },
         {VK_CONTROL},
         15.0f,
         125.0f,
         15.0f,
         122.0f,
         [](QX_GUI& g) { return g.inputMixers[0].gains[0]; },
         1.0f},
        {"MUTES master",
         kPanelMutes,
         [](QX_GUI& g) { g.viewSettings.masterVolume = 0.5f; },
         {},
         318.0f,
         100.0f,
         318.0f,
         80.0f,
         [](QX_GUI& g) { return g.viewSettings.masterVolume; },
         1.5811f},
    };
    for (const Case& c : cases) {
        for (PanelWindow& p : gui->panelFrame.panels) p.shown = 0;
        place(c.panel, 100.0f, 100.0f);
        gui->bringPanelToFront(c.panel);
        c.prepare(*gui);
        advanceClock(1000);
        move(windowX(c.panel, c.pressX), windowY(c.panel, c.pressY));
        hold(c.keys);
        press(windowX(c.panel, c.pressX), windowY(c.panel, c.pressY));
        move(windowX(c.panel, c.moveX), windowY(c.panel, c.moveY));
        EXPECT_NEAR(c.value(*gui), c.dragged, 1e-4f) << c.what;
        release(1300, 790);
        letGoAll();
        EXPECT_EQ(gui->interaction.controlDragActive, 0) << c.what;
        EXPECT_EQ(gui->interaction.stageInteractionMode, kModeIdle) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
        move(windowX(c.panel, c.pressX), windowY(c.panel, 10.0f));
        move(windowX(c.panel, c.moveX), windowY(c.panel, c.pressY));
        EXPECT_NEAR(c.value(*gui), c.dragged, 1e-4f) << c.what << ": a later hover";
    }
}

} // namespace
