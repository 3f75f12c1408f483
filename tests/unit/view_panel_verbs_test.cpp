// View switch and zoom verbs, panel, page and full-screen verbs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/display_table.h"
#include "command_test_support.h"

using namespace command_test;

namespace {

struct ViewVerbs : ::testing::Test, LineRunner<> {
    void SetUp() override {
        placeSources(*gui, {{"S1", 0, 0}});
        placeTargets(*gui, {{"T1", 0, 0}, {"T2", 1, 1}});
        placeGroups(*gui, {{"G1", 0, 0}});
        gui->windowWidth = 800.0f;
        gui->windowHeight = 600.0f;
    }
};

TEST_F(ViewVerbs, ToggleFlipsTheNamedSwitchOnly) {
    struct Case {
        const char* word;
        std::function<int32_t(QX_GUI&)> value;
    };
    const std::vector<Case> cases = {
        {"GRID_VISIBILITY", [](QX_GUI& g) { return g.stageView.gridShown; }},
        {"SOURCE_VISIBILITY", [](QX_GUI& g) { return g.stageView.sourcesShown; }},
        {"ANNOTATION_VISIBILITY",
         [](QX_GUI& g) { return int32_t(g.stageView.annotationVisibility); }},
        {"STAGE_LOCKS", [](QX_GUI& g) { return int32_t(g.view.stageLock); }},
        {"TARGET_LOCKS", [](QX_GUI& g) { return g.stageView.targetsLocked; }},
        {"TOOLBOX", [](QX_GUI& g) { return g.chrome.toolboxFolded; }},
        {"STEALTH", [](QX_GUI& g) { return int32_t(g.chrome.chromeHidden); }},
        {"ROTATION", [](QX_GUI& g) { return g.rotationRunning; }},
        {"AUTO_BACKUP", [](QX_GUI& g) { return int32_t(g.autoBackupOn); }},
    };
    for (const Case& c : cases) {
        const int32_t before = c.value(*gui);
        EXPECT_EQ(run(std::string("TOGGLE ") + c.word), 0);
        EXPECT_EQ(c.value(*gui), before ? 0 : 1) << c.word;
        run(std::string("TOGGLE ") + c.word);
        EXPECT_EQ(c.value(*gui), before) << c.word;
    }
    gui->sendFlags[kSendViewState] = 0;
    EXPECT_EQ(run("TOGGLE NOTHING"), 0);
    EXPECT_EQ(gui->stageView.gridShown, 1);
    EXPECT_EQ(gui->sendFlags[kSendViewState], 1);
}

TEST_F(ViewVerbs, ResetToolboxAndDismiss) {
    gui->stageView.gridShown = 0;
    gui->stageView.crosshairShown = 1;
    gui->sources[0].mute = 1;
    gui->syndicationMode = 2;
    EXPECT_EQ(run("RESET_TOOLBOX"), 0);
    EXPECT_EQ(gui->stageView.gridShown, 1);
    EXPECT_EQ(gui->stageView.crosshairShown, 0);
    EXPECT_EQ(gui->stageView.annotationVisibility, 0);
    EXPECT_EQ(gui->stageView.annotationLocks, 1);
    EXPECT_EQ(gui->sources[0].mute, 0);
    EXPECT_EQ(gui->syndicationMode, 0);

    gui->targets[1].clip = 1;
    gui->anyTargetClipping = 1;
    EXPECT_EQ(run("DISMISS TARGET_CLIPPING"), 0);
    EXPECT_EQ(gui->targets[1].clip, 0);
    EXPECT_EQ(gui->anyTargetClipping, 0);
    gui->sendFlags[kSendMixers] = 0;
    EXPECT_EQ(run("DISMISS FULLSCREEN"), 0);
    EXPECT_EQ(gui->sendFlags[kSendMixers], 1);
}

TEST_F(ViewVerbs, StealthOnOffAndFlip) {
    for (auto [line, value] : std::vector<std::pair<const char*, int>>{
             {"STEALTH ON", 1}, {"STEALTH OFF", 0}, {"STEALTH", 1}, {"STEALTH", 0}}) {
        EXPECT_EQ(run(line), 0);
        EXPECT_EQ(gui->chrome.chromeHidden, value) << line;
    }
}

TEST_F(ViewVerbs, ZoomStepsSnapsAndLimits) {
    EXPECT_EQ(run("ZOOM_IN"), 0);
    EXPECT_FLOAT_EQ(gui->view.viewZoom, 1.1f);
    run("ZOOM_OUT");
    EXPECT_EQ(gui->view.viewZoom, 1.0f);
    const float expected[] = {0.909f, 0.826f, 0.751f, 0.683f, 0.621f, 0.564f, 0.5f};
    for (float z : expected) {
        run("ZOOM_OUT");
        EXPECT_NEAR(gui->view.viewZoom, z, 1e-3);
    }
    EXPECT_EQ(gui->view.viewZoom, 0.5f);

    gui->view.viewZoom = 3.8f;
    gui->interaction.pointerPixelX = 600;
    gui->interaction.pointerPixelY = 100;
    gui->view.viewPanX = 12.0f;
    gui->view.viewPanY = -7.0f;
    const float stageX = (600 - 400) / 3.8f - 12.0f; // the stage point under the mouse
    EXPECT_EQ(run("ZOOM_IN"), 1);
    EXPECT_EQ(gui->console.lastError, "ZOOMED IN AS FAR AS POSSIBLE");
    EXPECT_EQ(gui->view.viewZoom, 4.0f);
    EXPECT_NEAR(4.0f * (stageX + gui->view.viewPanX) + 400.0f, 600.0f, 1e-3);

    gui->view.viewZoom = 0.26f;
    EXPECT_EQ(run("ZOOM_OUT"), 1);
    EXPECT_EQ(gui->console.lastError, "ZOOMED OUT AS FAR AS POSSIBLE");
    EXPECT_EQ(gui->view.viewZoom, 0.25f);

    gui->view.viewZoom = 1.0f;
    run("FLAT_ZOOM_OUT");
    EXPECT_FLOAT_EQ(gui->view.viewZoom, 0.90909088f);
}

TEST_F(ViewVerbs, ZoomLevelAndDisplaceStage) {
    run("ZOOM_LEVEL 4.1");
    run("ZOOM_LEVEL 0.2");
    EXPECT_EQ(gui->view.viewZoom, 1.0f);
    run("ZOOM 2");
    EXPECT_EQ(gui->view.viewZoom, 2.0f);
    EXPECT_EQ(run("DISPLACE_STAGE X:100"), 0);
    EXPECT_EQ(gui->view.viewPanX, 50.0f);
    EXPECT_EQ(gui->view.viewPanY, 0.0f);
}

TEST_F(ViewVerbs, ShowHideAndTogglePanels) {
    gui->initPanelOrder();
    EXPECT_EQ(run("SHOW_PANEL ENVELOPES"), 0);
    EXPECT_EQ(gui->panelFrame.panels[2].shown, 1);
    EXPECT_EQ(gui->panelFrame.panelOrder[0], 2);
    run("SHOW_PANEL FILTERS");
    EXPECT_EQ(gui->panelFrame.panelOrder[0], 6);
    run("SHOW_PANEL ENVELOPES");
    EXPECT_EQ(gui->panelFrame.panelOrder[0], 6) << "a shown panel keeps its place";
    EXPECT_EQ(std::vector<int32_t>(gui->panelFrame.panelOrder, gui->panelFrame.panelOrder + 10),
              (std::vector<int32_t>{6, 2, 0, 1, 3, 4, 5, 7, 8, 9}));

    run("SHOW_PANEL CLI");
    EXPECT_EQ(run("HIDE_PANEL CLI"), 0);
    EXPECT_EQ(run("TOGGLE_PANEL CLI"), 0);
    EXPECT_EQ(gui->panelFrame.panels[0].shown, 1) << "the CLI panel cannot be hidden";
    run("TOGGLE_PANEL MACRO");
    EXPECT_EQ(gui->panelFrame.panels[9].shown, 1);
    run("TOGGLE_PANEL MASTER");
    EXPECT_EQ(gui->chrome.masterHidden, 1);
    run("HIDE_PANEL TOOLBOX");
    EXPECT_EQ(gui->chrome.toolboxFolded, 1);
    run("NO_PANELS");
    for (const PanelWindow& p : gui->panelFrame.panels) EXPECT_EQ(p.shown, 0);
    EXPECT_EQ(gui->chrome.masterHidden, 1) << "the chrome boxes are left";
}

TEST_F(ViewVerbs, PanelSetupAndPosition) {
    EXPECT_EQ(run("PANEL_SETUP FILTERS X:10 Y:20 W:400 H:250 S:2"), 0);
    const PanelWindow& filters = gui->panelFrame.panels[6];
    EXPECT_EQ(filters.positionX, 10.0f);
    EXPECT_EQ(filters.positionY, 20.0f);
    EXPECT_EQ(filters.width, 400.0f);
    EXPECT_EQ(filters.height, 250.0f);
    EXPECT_EQ(filters.scale, 2.0f);
    EXPECT_EQ(run("PANEL_SETUP MUTES X:5 S:0"), 0);
    EXPECT_EQ(gui->panelFrame.panels[3].positionX, 5.0f);
    EXPECT_EQ(gui->panelFrame.panels[3].scale, 1.0f);
    EXPECT_EQ(run("PANEL_SETUP X:10"), 1);
    EXPECT_EQ(gui->console.lastError, "PANEL SETUP - BAD PARAMETERS");

    run("PANEL_SETUP DELAY W:200 H:100");
    run("_AT X:3 Y:4");
    EXPECT_EQ(run("POSITION_PANEL_AT DELAY X:10"), 0);
    EXPECT_EQ(gui->panelFrame.panels[7].positionX, 400.0f - 100.0f - 2.0f + 10.0f + 3.0f);
    EXPECT_EQ(gui->panelFrame.panels[7].positionY, 300.0f - 50.0f - 9.0f + 4.0f);
}

TEST_F(ViewVerbs, PagesAndTheirChrome) {
    run("PAGE MATRIX");
    EXPECT_EQ(gui->view.currentPage, 3);
    EXPECT_EQ(gui->chrome.toolboxFolded, 1);
    EXPECT_EQ(gui->chrome.masterHidden, 1);
    EXPECT_EQ(gui->matrixPage.sourceRowPick, -1);
    run("PAGE STAGE");
    EXPECT_EQ(gui->chrome.toolboxFolded, 0);
    EXPECT_EQ(gui->chrome.masterHidden, 1);
    run("PREVIOUSPAGE");
    EXPECT_EQ(gui->view.currentPage, 4);
    run("NEXTPAGE");
    EXPECT_EQ(gui->view.currentPage, 0);
    run("PAGE INPUTS");
    EXPECT_EQ(gui->view.currentPage, 1);
    run("PAGE NOWHERE");
    EXPECT_EQ(gui->view.currentPage, 1);
}

TEST_F(ViewVerbs, ViewEnvelopes) {
    placeSources(*gui, {{"S1", 0, 0}, {"S2", 0, 0}, {"S3", 0, 0}});
    EXPECT_EQ(run("VIEW_ENVELOPES S1 T2 S3"), 0);
    EXPECT_EQ(gui->panelFrame.panels[2].subtitle, "S1 | T2 | S3 | ");
    EXPECT_EQ(gui->envelopeList.sourceCount, 2);
    EXPECT_EQ(gui->envelopeList.sources[1], 2);
    EXPECT_EQ(gui->envelopeList.targets[0], 1);
    EXPECT_EQ(gui->envelopeList.total, 3);
    EXPECT_EQ(run("VIEW_ENVELOPES G1"), 1);
    EXPECT_EQ(gui->console.lastError, "VIEW ENVELOPES - NO VALID SPECIFICATION SUPPLIED");
    EXPECT_EQ(gui->panelFrame.panels[2].subtitle, "");
    EXPECT_EQ(run("VIEW_ENVELOPES"), 1);
    EXPECT_EQ(gui->console.lastError, "VIEW ENVELOPES - NO ENVELOPES SPECIFIED");
}

TEST_F(ViewVerbs, FullscreenEntersAtOnceOnTheMonitorUnderTheMouse) {
    gui->configuration.displayCount = 2;
    gui->configuration.displays[1] = {800, 0, 1280, 720, 0};
    // The process's display table puts the cursor, wherever it is, on the second display.
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    DisplayTable& table = processDisplays();
    const DisplayTable saved = table;
    table.count = 2;
    table.left[0] = table.top[0] = -100000;
    table.width[0] = table.height[0] = 10;
    table.left[1] = cursor.x - 10;
    table.top[1] = cursor.y - 10;
    table.width[1] = table.height[1] = 100;
    gui->reloadMacroName = "MACROS/LAYOUT.TXT";
    const int32_t result = run("FULLSCREEN");
    table = saved;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gui->console.statusMessage, "entering fullscreen mode");
    EXPECT_EQ(gui->reloadOnResizePending, 1);
    const auto lines = consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MOUSE ON SCREEN 1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "      X:" + std::to_string(cursor.x)),
              lines.end());
    if (gui->view.fullScreen != 0) {
        // A display is at hand: the window opened at once on monitor 1.
        EXPECT_EQ(gui->fullScreenDisplay, 1);
        EXPECT_EQ(gui->windowWidth, 1280.0f);
        run("FULLSCREEN");
        EXPECT_EQ(gui->view.fullScreen, 0);
    } else {
        // No window could be made: the switch stays off, says so and names no display.
        EXPECT_EQ(gui->fullScreenDisplay, -1);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "FULL SCREEN FAILED: NO WINDOW OR CONTEXT"),
                  lines.end());
    }
}

TEST_F(ViewVerbs, LeavingFullscreenBringsThePanelsBackIntoTheWindow) {
    gui->view.fullScreen = 1;
    gui->fullScreenDisplay = 1;
    gui->savedWidth = 800.0f;
    gui->savedHeight = 600.0f;
    gui->panelFrame.panels[4].positionX = 900.0f;
    gui->panelFrame.panels[4].width = 100.0f;
    gui->panelFrame.panels[5].positionY = -30.0f;
    gui->panelFrame.panels[6].positionY = 650.0f;
    gui->panelFrame.panels[6].height = 200.0f;
    EXPECT_EQ(run("FULLSCREEN"), 0);
    EXPECT_EQ(gui->view.fullScreen, 0);
    EXPECT_EQ(gui->fullScreenDisplay, -1);
    EXPECT_EQ(gui->console.statusMessage, "no fullscreen vars");
    EXPECT_EQ(gui->panelFrame.panels[4].positionX, 800.0f - 100.0f - 20.0f);
    EXPECT_EQ(gui->panelFrame.panels[5].positionY, 20.0f);
    EXPECT_EQ(gui->panelFrame.panels[6].positionY, 600.0f - 200.0f - 20.0f);

    gui->view.fullScreen = 1;
    EXPECT_EQ(run("FULLSCREEN X:0 Y:0 W:1280 H:720"), 0);
    EXPECT_EQ(gui->console.statusMessage, "leaving fullscreen mode");
    EXPECT_EQ(gui->view.fullScreen, 0);
}

TEST_F(ViewVerbs, ResetPanelsGivesNamesBarButtonsAndSizesButKeepsWhatIsShown) {
    gui->windowWidth = 1000.0f;
    gui->panelFrame.panels[5].shown = 1;
    gui->panelFrame.panels[5].positionX = 40.0f;
    gui->panelFrame.panels[5].scale = 2.0f;
    gui->panelFrame.panels[2].width = 600.0f; // ENVELOPES and MACROS keep their sizes
    gui->panelFrame.panels[2].height = 200.0f;
    gui->panelFrame.panels[9].width = 640.0f;
    gui->panelFrame.panels[9].height = 200.0f;
    gui->panelFrame.panelOrderCount = 0;
    EXPECT_EQ(run("RESET_PANELS"), 0);
    struct Expected {
        int id;
        const char* title;
        float barX, width, height;
    } panels[] = {
        {0, "CLI", 872, 300, 433},     {1, "SCOPE", 752, 300, 200}, {2, "ENVELOPES", 692, 600, 200},
        {3, "MUTES", 632, 336, 218},   {4, "FFT", 812, 300, 200},   {5, "DYNAMICS", 572, 400, 300},
        {6, "FILTERS", 512, 400, 250}, {7, "DELAY", 452, 207, 32},  {8, "VIRTUAL", 392, 250, 250},
        {9, "MACROS", 332, 640, 200},
    };
    for (const Expected& e : panels) {
        const PanelWindow& p = gui->panelFrame.panels[e.id];
        EXPECT_EQ(p.title, e.title) << e.id;
        EXPECT_EQ(p.barButtonX, e.barX) << e.id;
        EXPECT_EQ(p.barButtonY, 0.0f) << e.id;
        EXPECT_EQ(p.width, e.width) << e.id;
        EXPECT_EQ(p.height, e.height) << e.id;
    }
    EXPECT_EQ(gui->panelFrame.panels[5].shown, 1);
    EXPECT_EQ(gui->panelFrame.panels[5].positionX, 40.0f);
    EXPECT_EQ(gui->panelFrame.panels[5].scale, 1.0f);
    EXPECT_EQ(gui->panelFrame.panelOrderCount, 10);
    EXPECT_EQ(gui->panelFrame.panelOrder[0], 0);
    EXPECT_EQ(gui->panelFrame.panelOrder[1], 2);
}

} // namespace
