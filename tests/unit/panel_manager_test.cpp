// The panel manager: the z-order, the bar buttons, and presses, right presses and releases
// routed front to back, with the editors' handlers logged.
#include <gtest/gtest.h>

#include "panel_test_support.h"

namespace {

using Calls = std::vector<std::string>;

TEST(PanelManager, BringToFrontMovesTheIdAndKeepsTheCount) {
    PanelFixture f;
    f.gui->bringPanelToFront(4);
    EXPECT_EQ(f.order(), (std::vector<int32_t>{4, 0, 2, 1, 3, 5, 6, 7, 8, 9}));
    f.gui->bringPanelToFront(11);
    EXPECT_EQ(f.order(), (std::vector<int32_t>{11, 4, 0, 2, 1, 3, 5, 6, 7, 8}))
        << "an id not in the list pushes the last one out";
    f.gui->panelFrame.panelOrderCount = 0;
    f.gui->panelFrame.panelOrder[1] = 77;
    f.gui->bringPanelToFront(6);
    EXPECT_EQ(f.gui->panelFrame.panelOrder[0], 6);
    EXPECT_EQ(f.gui->panelFrame.panelOrder[1], 77);
    EXPECT_EQ(f.gui->panelFrame.panelOrderCount, 0);
    EXPECT_EQ(f.leftDown(10, 5), -1) << "an empty order routes nothing";
}

TEST(PanelManager, BarButtonsStandSideBySideLeftOfTheHeading) {
    PanelFixture f;
    EXPECT_EQ(f.panel(kPanelMacros).barButtonX, 708.0f);
    EXPECT_EQ(f.panel(kPanelCli).barButtonX + 60.0f, 1308.0f);
    const RecordingDrawLayer frame = f.drawFrame();
    const RecordedDraw* heading = frame.findText("PANELS");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->xy[0], 706.0f);
    EXPECT_EQ(heading->xy[1], 4.0f);
    EXPECT_EQ(heading->horizontalMode, 2);
    EXPECT_EQ(frame.matrixDepth(), 0);
    // A click on the MACROS/VIRTUAL edge goes to VIRTUAL, earlier in the order.
    EXPECT_EQ(f.leftDown(768, 5), 0);
    EXPECT_EQ(f.panel(kPanelVirtual).shown, 1);
    EXPECT_EQ(f.panel(kPanelMacros).shown, 0);
    EXPECT_EQ(f.order()[0], kPanelVirtual);
}

TEST(PanelManager, ABarButtonClosesAShownPanelAndTheClickGoesOnExceptForMacros) {
    PanelFixture f;
    f.panel(kPanelMacros).macroFileLoaded = 1;
    struct Case {
        int32_t id;
        int32_t result;
    } cases[] = {{kPanelFilters, -1}, {kPanelMacros, 0}, {kPanelScope, -1}};
    for (const Case& c : cases) {
        f.place(c.id, 300.0f, 300.0f);
        const int32_t x = static_cast<int32_t>(f.panel(c.id).barButtonX) + 30;
        EXPECT_EQ(f.leftDown(x, 6), c.result) << c.id;
        EXPECT_EQ(f.panel(c.id).shown, 0) << c.id;
    }
    // Opening DYNAMICS by its button reloads it; the bar button of a hidden panel opens it.
    EXPECT_EQ(f.leftDown(static_cast<int32_t>(f.panel(kPanelDynamics).barButtonX) + 1, 1), 0);
    EXPECT_EQ(f.panel(kPanelDynamics).shown, 1);
    EXPECT_EQ(f.order()[0], kPanelDynamics);
}

TEST(PanelManager, OnlyContentPressesReachTheEditorsAndTheFrontPanelTakesOverlaps) {
    PanelFixture f;
    f.place(kPanelDelay, 100.0f, 100.0f);   // 207 x 32
    f.place(kPanelFilters, 100.0f, 100.0f); // 400 x 250, in front
    EXPECT_EQ(f.leftDown(150, 104), 0);     // title bar: a move drag, no handler
    EXPECT_EQ(f.panel(kPanelFilters).dragMode, kPanelDragMove);
    EXPECT_EQ(f.logging->calls, Calls{});
    f.leftUp(150, 104); // a release on the frame still reaches the editor's release
    EXPECT_EQ(f.logging->calls, (Calls{"FILTERS up 150 104"}));
    f.logging->calls.clear();
    EXPECT_EQ(f.leftDown(498, 102), 0); // the "X"
    EXPECT_EQ(f.panel(kPanelFilters).shown, 0);
    EXPECT_EQ(f.logging->calls, Calls{});
    EXPECT_EQ(f.leftDown(150, 120), 0); // now DELAY's content
    EXPECT_EQ(f.logging->calls, (Calls{"DELAY down 150 120"}));
    EXPECT_EQ(f.order()[0], kPanelDelay);

    // A right click outside every editor travels on, so the page's menu still opens.
    f.place(kPanelFilters, 100.0f, 100.0f);
    f.logging->calls.clear();
    EXPECT_EQ(f.rightDown(900, 600), -1);
    EXPECT_EQ(f.logging->calls, (Calls{"FILTERS right 900 600", "DELAY right 900 600"}));
    f.logging->rightResult = 0;
    EXPECT_EQ(f.rightDown(150, 200), 0);
}

TEST(PanelManager, ReleasesEndEveryDragWhereverThePointerIs) {
    PanelFixture f;
    f.place(kPanelDelay, 600.0f, 100.0f);
    f.place(kPanelCli, 500.0f, 50.0f); // in front, over the pointer
    // A DELAY control holds the mouse; the release over the CLI still reaches DELAY.
    f.gui->interaction.controlDragActive = 1;
    f.gui->interaction.controlDragPanel = 4;
    EXPECT_EQ(f.leftUp(550, 200), 0);
    EXPECT_EQ(f.logging->calls, (Calls{"DELAY up 550 200"}));
    EXPECT_EQ(f.gui->interaction.controlDragActive, 0);

    // A frame drag released off every panel ends, and a later move changes nothing.
    PanelWindow& scope = f.place(kPanelScope, 100.0f, 500.0f);
    EXPECT_EQ(f.leftDown(150, 503), 0);
    f.frameMove(160, 510);
    EXPECT_EQ(scope.positionX, 110.0f);
    EXPECT_EQ(f.leftUp(1300, 790), 0);
    EXPECT_EQ(scope.dragging, 0);
    EXPECT_EQ(f.gui->interaction.controlDragActive, 0);
    f.frameMove(300, 700);
    EXPECT_EQ(scope.positionX, 110.0f);
    EXPECT_EQ(scope.positionY, 507.0f);
    EXPECT_EQ(f.leftUp(1300, 790), -1) << "nothing held, nothing hit";
}

TEST(PanelManager, TheCliContentTakesTheFocusAndItsTitleBarDropsIt) {
    PanelFixture f;
    PanelWindow& cli = f.place(kPanelCli, 20.0f, 30.0f);
    f.place(kPanelScope, 400.0f, 30.0f);
    EXPECT_EQ(f.leftDown(100, 100), 0);
    EXPECT_EQ(cli.focused, 1);
    EXPECT_EQ(cli.dragging, 0);
    EXPECT_EQ(f.order()[0], kPanelCli);
    EXPECT_EQ(f.leftDown(100, 33), 0);
    EXPECT_EQ(cli.focused, 0);
    EXPECT_EQ(cli.dragMode, kPanelDragMove);
}

TEST(PanelManager, PanelSetupAndTheLayoutPinTakeOnlyScalesOneAndTwo) {
    PanelFixture f;
    for (const char* line : {"PANEL_SETUP FFT S:3", "PANEL_SETUP FFT S:-2"}) {
        f.panel(kPanelFft).scale = 2.0f;
        EXPECT_EQ(f.run(line), 0);
        EXPECT_EQ(f.panel(kPanelFft).scale, 1.0f) << line;
    }
    f.run("PANEL_SETUP FFT S:2");
    EXPECT_EQ(f.panel(kPanelFft).scale, 2.0f);

    f.gui->view.currentPage = kPageMatrix;
    f.gui->panelFrame.panels[kPanelDelay].scale = 5.0f;
    f.gui->sendPanelLayoutBlob();
    const auto* sent = static_cast<const uint8_t*>(f.gui->pinPanelLayout.getData());
    std::vector<uint8_t> blob(sent, sent + f.gui->pinPanelLayout.getSize());
    ASSERT_GT(blob.size(), 200u);
    blob[196] = 9; // a page beyond FEEDBACK
    f.gui->view.currentPage = kPageInputs;
    f.gui->pinPanelLayout.setValueRaw(0, static_cast<int32_t>(blob.size()), blob.data());
    f.gui->onPanelLayoutPin();
    EXPECT_EQ(f.gui->view.currentPage, kPageInputs);
    EXPECT_EQ(f.panel(kPanelDelay).scale, 1.0f);
}

} // namespace
