// View switch and zoom verbs, panel, page and full-screen verbs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "command_test_support.h"

using namespace command_test;

namespace {

struct ViewVerbs : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    void SetUp() override {
        placeSources(*gui, {{"S1", 0, 0}});
        placeTargets(*gui, {{"T1", 0, 0}, {"T2", 1, 1}});
        placeGroups(*gui, {{"G1", 0, 0}});
        gui->windowWidth = 800.0f;
        gui->windowHeight = 600.0f;
    }
    int32_t run(const std::string& line) { return gui->executeCommandString(line); }
};

TEST_F(ViewVerbs, ToggleFlipsTheNamedSwitchOnly) {
    struct Case {
        const char* word;
        std::function<int32_t(QX_GUI&)> value;
    };
    const std::vector<Case> cases = {
        {"GRID_VISIBILITY", [](QX_GUI& g) { return g.gridShown; }},
        {"SOURCE_VISIBILITY", [](QX_GUI& g) { return g.sourcesShown; }},
        {"ANNOTATION_VISIBILITY", [](QX_GUI& g) { return int32_t(g.annotationsVisible); }},
        {"STAGE_LOCKS", [](QX_GUI& g) { return int32_t(g.view.stageLock); }},
        {"TARGET_LOCKS", [](QX_GUI& g) { return g.targetsLocked; }},
        {"TOOLBOX", [](QX_GUI& g) { return g.toolboxHidden; }},
        {"STEALTH", [](QX_GUI& g) { return int32_t(g.chromeHidden); }},
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
    EXPECT_EQ(gui->gridShown, 1);
    EXPECT_EQ(gui->sendFlags[kSendViewState], 1);
}

TEST_F(ViewVerbs, ResetToolboxAndDismiss) {
    gui->gridShown = 0;
    gui->crosshairShown = 1;
    gui->sources[0].mute = 1;
    gui->syndicationMode = 2;
    EXPECT_EQ(run("RESET_TOOLBOX"), 0);
    EXPECT_EQ(gui->gridShown, 1);
    EXPECT_EQ(gui->crosshairShown, 0);
    EXPECT_EQ(gui->annotationsVisible, 0);
    EXPECT_EQ(gui->annotationLock, 1);
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
        EXPECT_EQ(gui->chromeHidden, value) << line;
    }
}

TEST_F(ViewVerbs, ZoomStepsSnapsAndLimits) {
    EXPECT_EQ(run("ZOOM_IN"), 0);
    EXPECT_FLOAT_EQ(gui->view.zoom, 1.1f);
    run("ZOOM_OUT");
    EXPECT_EQ(gui->view.zoom, 1.0f);
    const float expected[] = {0.909f, 0.826f, 0.751f, 0.683f, 0.621f, 0.564f, 0.5f};
    for (float z : expected) {
        run("ZOOM_OUT");
        EXPECT_NEAR(gui->view.zoom, z, 1e-3);
    }
    EXPECT_EQ(gui->view.zoom, 0.5f);

    gui->view.zoom = 3.8f;
    gui->lastMouseX = 600;
    gui->lastMouseY = 100;
    gui->stagePanX = 12.0f;
    gui->stagePanY = -7.0f;
    const float stageX = (600 - 400) / 3.8f - 12.0f; // the stage point under the mouse
    EXPECT_EQ(run("ZOOM_IN"), 1);
    EXPECT_EQ(gui->console.lastError, "ZOOMED IN AS FAR AS POSSIBLE");
    EXPECT_EQ(gui->view.zoom, 4.0f);
    EXPECT_NEAR(4.0f * (stageX + gui->stagePanX) + 400.0f, 600.0f, 1e-3);

    gui->view.zoom = 0.26f;
    EXPECT_EQ(run("ZOOM_OUT"), 1);
    EXPECT_EQ(gui->console.lastError, "ZOOMED OUT AS FAR AS POSSIBLE");
    EXPECT_EQ(gui->view.zoom, 0.25f);

    gui->view.zoom = 1.0f;
    run("FLAT_ZOOM_OUT");
    EXPECT_FLOAT_EQ(gui->view.zoom, 0.90909088f);
}

TEST_F(ViewVerbs, ZoomLevelAndDisplaceStage) {
    run("ZOOM_LEVEL 4.1");
    run("ZOOM_LEVEL 0.2");
    EXPECT_EQ(gui->view.zoom, 1.0f);
    run("ZOOM 2");
    EXPECT_EQ(gui->view.zoom, 2.0f);
    EXPECT_EQ(run("DISPLACE_STAGE X:100"), 0);
    EXPECT_EQ(gui->stagePanX, 50.0f);
    EXPECT_EQ(gui->stagePanY, 0.0f);
}

TEST_F(ViewVerbs, ShowHideAndTogglePanels) {
    gui->initPanelOrder();
    EXPECT_EQ(run("SHOW_PANEL ENVELOPES"), 0);
    EXPECT_EQ(gui->panels[2].shown, 1);
    EXPECT_EQ(gui->panelOrder[0], 2);
    run("SHOW_PANEL FILTERS");
    EXPECT_EQ(gui->panelOrder[0], 6);
    run("SHOW_PANEL ENVELOPES");
    EXPECT_EQ(gui->panelOrder[0], 6) << "a shown panel keeps its place";
    EXPECT_EQ(std::vector<int32_t>(gui->panelOrder, gui->panelOrder + 10),
              (std::vector<int32_t>{6, 2, 0, 1, 3, 4, 5, 7, 8, 9}));

    run("SHOW_PANEL CLI");
    EXPECT_EQ(run("HIDE_PANEL CLI"), 0);
    EXPECT_EQ(run("TOGGLE_PANEL CLI"), 0);
    EXPECT_EQ(gui->panels[0].shown, 1) << "the CLI panel cannot be hidden";
    run("TOGGLE_PANEL MACRO");
    EXPECT_EQ(gui->panels[9].shown, 1);
    run("TOGGLE_PANEL MASTER");
    EXPECT_EQ(gui->masterHidden, 1);
    run("HIDE_PANEL TOOLBOX");
    EXPECT_EQ(gui->toolboxHidden, 1);
    run("NO_PANELS");
    for (const PanelWindow& p : gui->panels) EXPECT_EQ(p.shown, 0);
    EXPECT_EQ(gui->masterHidden, 1) << "the chrome boxes are left";
}

TEST_F(ViewVerbs, PanelSetupAndPosition) {
    EXPECT_EQ(run("PANEL_SETUP FILTERS X:10 Y:20 W:400 H:250 S:2"), 0);
    const PanelWindow& filters = gui->panels[6];
    EXPECT_EQ(filters.x, 10.0f);
    EXPECT_EQ(filters.y, 20.0f);
    EXPECT_EQ(filters.width, 400.0f);
    EXPECT_EQ(filters.height, 250.0f);
    EXPECT_EQ(filters.scale, 2.0f);
    EXPECT_EQ(run("PANEL_SETUP MUTES X:5 S:0"), 0);
    EXPECT_EQ(gui->panels[3].x, 5.0f);
    EXPECT_EQ(gui->panels[3].scale, 1.0f);
    EXPECT_EQ(run("PANEL_SETUP X:10"), 1);
    EXPECT_EQ(gui->console.lastError, "PANEL SETUP - BAD PARAMETERS");

    run("PANEL_SETUP DELAY W:200 H:100");
    run("_AT X:3 Y:4");
    EXPECT_EQ(run("POSITION_PANEL_AT DELAY X:10"), 0);
    EXPECT_EQ(gui->panels[7].x, 400.0f - 100.0f - 2.0f + 10.0f + 3.0f);
    EXPECT_EQ(gui->panels[7].y, 300.0f - 50.0f - 9.0f + 4.0f);
}

TEST_F(ViewVerbs, PagesAndTheirChrome) {
    run("PAGE MATRIX");
    EXPECT_EQ(gui->currentPage, 3);
    EXPECT_EQ(gui->toolboxHidden, 1);
    EXPECT_EQ(gui->masterHidden, 1);
    EXPECT_EQ(gui->matrixPick[0], -1);
    run("PAGE STAGE");
    EXPECT_EQ(gui->toolboxHidden, 0);
    EXPECT_EQ(gui->masterHidden, 1);
    run("PREVIOUSPAGE");
    EXPECT_EQ(gui->currentPage, 4);
    run("NEXTPAGE");
    EXPECT_EQ(gui->currentPage, 0);
    run("PAGE INPUTS");
    EXPECT_EQ(gui->currentPage, 1);
    run("PAGE NOWHERE");
    EXPECT_EQ(gui->currentPage, 1);
}

TEST_F(ViewVerbs, ViewEnvelopes) {
    placeSources(*gui, {{"S1", 0, 0}, {"S2", 0, 0}, {"S3", 0, 0}});
    EXPECT_EQ(run("VIEW_ENVELOPES S1 T2 S3"), 0);
    EXPECT_EQ(gui->panels[2].subtitle, "S1 | T2 | S3 | ");
    EXPECT_EQ(gui->envelopeList.sourceCount, 2);
    EXPECT_EQ(gui->envelopeList.sources[1], 2);
    EXPECT_EQ(gui->envelopeList.targets[0], 1);
    EXPECT_EQ(gui->envelopeList.total, 3);
    EXPECT_EQ(run("VIEW_ENVELOPES G1"), 1);
    EXPECT_EQ(gui->console.lastError, "VIEW ENVELOPES - NO VALID SPECIFICATION SUPPLIED");
    EXPECT_EQ(gui->panels[2].subtitle, "");
    EXPECT_EQ(run("VIEW_ENVELOPES"), 1);
    EXPECT_EQ(gui->console.lastError, "VIEW ENVELOPES - NO ENVELOPES SPECIFIED");
}

TEST_F(ViewVerbs, FullscreenEntersAtOnceOnTheMonitorUnderTheMouse) {
    gui->configuration.displayCount = 2;
    gui->configuration.displays[1] = {800, 0, 1280, 720, 0};
    gui->lastMouseX = 900;
    gui->lastMouseY = 100;
    gui->reloadMacroName = "MACROS/LAYOUT.TXT";
    EXPECT_EQ(run("FULLSCREEN"), 0);
    EXPECT_EQ(gui->console.statusMessage, "entering fullscreen mode");
    EXPECT_EQ(gui->reloadOnResizePending, 1);
    const auto lines = consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MOUSE ON SCREEN 1"), lines.end());
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
    gui->panels[4].x = 900.0f;
    gui->panels[4].width = 100.0f;
    gui->panels[5].y = -30.0f;
    gui->panels[6].y = 650.0f;
    gui->panels[6].height = 200.0f;
    EXPECT_EQ(run("FULLSCREEN"), 0);
    EXPECT_EQ(gui->view.fullScreen, 0);
    EXPECT_EQ(gui->fullScreenDisplay, -1);
    EXPECT_EQ(gui->console.statusMessage, "no fullscreen vars");
    EXPECT_EQ(gui->panels[4].x, 800.0f - 100.0f - 20.0f);
    EXPECT_EQ(gui->panels[5].y, 20.0f);
    EXPECT_EQ(gui->panels[6].y, 600.0f - 200.0f - 20.0f);

    gui->view.fullScreen = 1;
    EXPECT_EQ(run("FULLSCREEN X:0 Y:0 W:1280 H:720"), 0);
    EXPECT_EQ(gui->console.statusMessage, "leaving fullscreen mode");
    EXPECT_EQ(gui->view.fullScreen, 0);
}

} // namespace
