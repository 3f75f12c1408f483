// The FILTERS panel: where frequencies and handles sit, the handle and all-band drags, the
// type cycle, the menus, and the switch as drawn.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_panel_fixture.h"
#include "panels/filters/filter_plot.h"

namespace {

struct FiltersPanel : ::testing::Test, EditorFixture {
    FiltersPanel() {
        source(0, 0.0f, 0.0f);
        place(kPanelFilters, 100.0f, 100.0f);
        gui->loadFiltersPanel(1, 0);
    }
    int32_t wx(float cx) { return windowX(kPanelFilters, cx); }
    int32_t wy(float cy) { return windowY(kPanelFilters, cy); }
    void pressAt(float cx, float cy) { gui->filtersPanelLButtonDown(MK_LBUTTON, wx(cx), wy(cy)); }
    void moveTo(float cx, float cy) { gui->filtersPanelMouseMove(MK_LBUTTON, wx(cx), wy(cy)); }
    EqBand& band(int b) { return gui->filtersEditor.eqEditBands[b]; }
};

TEST_F(FiltersPanel, FrequenciesSitOnALogAxisWithTheirLabels) {
    band(3).frequency = 4000.0;
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawFiltersPanel(); });
    EXPECT_TRUE(r.failures.empty());
    const RecordedDraw* low = r.findText("250h");
    const RecordedDraw* high = r.findText("4.00k");
    ASSERT_NE(low, nullptr);
    ASSERT_NE(high, nullptr);
    EXPECT_NEAR(low->xy[0], 147.1f, 0.05f);
    EXPECT_NEAR(high->xy[0], 307.1f, 0.05f);
    // Grid labels: 31 only at the bottom, 1k top and bottom.
    const std::vector<std::string> texts = r.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "31"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1k"), 2);
}

TEST_F(FiltersPanel, AHandleDragSetsFrequencyAndGainAndEndsAtTheRelease) {
    pressAt(227.0f, 125.0f); // band 2, 1000 Hz at 0 dB
    ASSERT_EQ(gui->filtersEditor.filterDragBand, 2);
    EXPECT_EQ(gui->filtersEditor.filterDragMode, 1);
    EXPECT_EQ(gui->interaction.controlDragActive, 1);
    moveTo(300.0f, 50.0f);
    EXPECT_NEAR(band(2).frequency, 3535.5, 0.05);
    EXPECT_NEAR(band(2).gainDb, 9.0, 1e-4);
    EXPECT_NEAR(gui->inputFilters[0].bands[2].frequency, 3535.5f, 0.05f);
    EXPECT_EQ(gui->sendFlags[kSendInputEq], 1);
    gui->filtersPanelLButtonUp(0, 0, 0);
    moveTo(10.0f, 10.0f);
    EXPECT_NEAR(band(2).frequency, 3535.5, 0.05);
}

TEST_F(FiltersPanel, AShiftDragOnAHandleWidensTheBand) {
    hold({VK_SHIFT});
    pressAt(227.0f, 125.0f);
    EXPECT_EQ(gui->filtersEditor.filterDragMode, 2);
    moveTo(227.0f, 95.0f);
    letGoAll();
    EXPECT_NEAR(band(2).width, 3.5, 1e-5);
}

TEST_F(FiltersPanel, CtrlClicksCycleTheTypeAndSkipTheNotch) {
    const float x = 400.0f * filterPlotX(100.0);
    const char* expected[] = {"HS", "LP", "HP", "B", "P", "LS"};
    for (const char* name : expected) {
        hold({VK_CONTROL});
        pressAt(x, 125.0f);
        letGoAll();
        EXPECT_EQ(band(0).shortName, name);
        EXPECT_EQ(gui->inputFilters[0].bands[0].type, band(0).type);
    }
}

TEST_F(FiltersPanel, AShiftDragOnEmptySpaceHoldsTheMouseAndStopsAtTheRelease) {
    band(1).active = 1;
    hold({VK_SHIFT});
    pressAt(350.0f, 200.0f);
    letGoAll();
    EXPECT_EQ(gui->filtersEditor.filterDragMode, 3);
    EXPECT_EQ(gui->interaction.controlDragActive, 1);
    EXPECT_EQ(gui->interaction.controlDragPanel, 2);
    moveTo(350.0f, 100.0f); // up 100 pixels: +3 dB
    EXPECT_NEAR(band(1).gainDb, 3.0, 1e-4);
    EXPECT_EQ(band(2).gainDb, 0.0); // inactive bands stay
    // Released off the panel: the release ends it, and later moves change no gain.
    gui->filtersPanelLButtonUp(0, 2000, 2000);
    moveTo(350.0f, 0.0f);
    EXPECT_NEAR(band(1).gainDb, 3.0, 1e-4);
}

TEST_F(FiltersPanel, RightClicksOpenTheBandOrThePanelMenuInsideOnly) {
    EXPECT_EQ(gui->filtersPanelRButtonDown(0, wx(227.0f), wy(125.0f)), 0);
    EXPECT_EQ(gui->filtersEditor.filterDragBand, 2);
    EXPECT_EQ(gui->chrome.popupLayerOpen, 1);
    EXPECT_EQ(gui->chrome.popupMenus[0].x, wx(227.0f));
    gui->chrome.popupLayerOpen = 0;
    EXPECT_EQ(gui->filtersPanelRButtonDown(0, wx(50.0f), wy(50.0f)), 0);
    EXPECT_EQ(gui->filtersEditor.filterDragBand, 2);
    EXPECT_EQ(gui->chrome.popupLayerOpen, 1);
    gui->chrome.popupLayerOpen = 0;
    EXPECT_EQ(gui->filtersPanelRButtonDown(0, wx(50.0f), wy(-4.0f)), -1);
    EXPECT_EQ(gui->chrome.popupLayerOpen, 0);
}

TEST_F(FiltersPanel, ThePanelOfNoWidthNeitherDividesNorDrags) {
    gui->panelFrame.panels[kPanelFilters].width = 0.0f;
    pressAt(0.0f, 100.0f);
    EXPECT_EQ(gui->filtersEditor.filterDragActive, 0);
    EXPECT_EQ(gui->filtersEditor.filterDragBand, -1);
}

TEST_F(FiltersPanel, TheSwitchToggledByItsBoxDrawsWhite) {
    pressAt(10.0f, 5.0f);
    ASSERT_EQ(gui->filtersEditor.filtersEnabled, 1);
    EXPECT_EQ(gui->inputFilters[0].enabled, 1);
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawFiltersPanel(); });
    EXPECT_EQ(topAt(r, 3.0f, 3.0f)->colour, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_NE(r.findText("ON"), nullptr);
}

} // namespace
