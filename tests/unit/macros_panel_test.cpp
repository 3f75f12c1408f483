// The MACROS panel: strict hover on a button, the hand cursor, a click running the lit
// button's command once, the doubled hit area at scale 2, and its drawing.
#include <gtest/gtest.h>

#include <algorithm>

#include "panel_test_support.h"
#include "qxplatform/test_hooks.h"

namespace {

constexpr int kHandCursor = 32649;

struct MacrosFixture : PanelFixture {
    MacrosFixture() {
        runAll({"DRAW_IN_MACRO", "PAINT RED:0 GREEN:0 BLUE:1 L:1",
                "BUTTON X:10 Y:20 W:40 H:12 \"PAGE MATRIX\"", "PAINT RED:0 GREEN:1 BLUE:0 L:1",
                "RECT X:100 Y:50 W:20 H:10"});
        gui->annotations.annotationInMacro = 0;
        place(kPanelMacros, 300.0f, 200.0f);
        takeLines();
    }
    // A move inside the panel, as the move walk makes it.
    int32_t hover(int32_t x, int32_t y) {
        panel(kPanelMacros).onMouseMove(0, x, y);
        return gui->macrosPanelMouseMove(0, x, y);
    }
    uint8_t lit() const { return gui->annotations.macroAnnotations.buttons[0].hover; }
    long count(const std::string& line) const {
        return std::count(lines.begin(), lines.end(), line);
    }
};

TEST(MacrosPanel, AButtonLightsOnlyStrictlyInsideAndAClickRunsItOnce) {
    MacrosFixture f;
    // Content x = window x - 302, y = window y - 209.
    EXPECT_EQ(f.hover(312, 234), -1);
    EXPECT_EQ(f.lit(), 0) << "on the left edge";
    EXPECT_EQ(f.hover(313, 234), 0);
    EXPECT_EQ(f.lit(), 1);
    EXPECT_EQ(qxplatform::currentCursorId(), kHandCursor);
    EXPECT_EQ(f.hover(313, 241), -1) << "y 32 is the bottom edge";
    EXPECT_EQ(f.lit(), 0);

    f.hover(313, 234);
    f.panel(kPanelMacros).macroFileLoaded = 1;
    EXPECT_EQ(f.leftDown(313, 234), 0);
    EXPECT_EQ(f.count("PAGE MATRIX"), 1);
    EXPECT_EQ(f.gui->view.currentPage, kPageMatrix);
    f.leftUp(313, 234);
    EXPECT_EQ(f.count("PAGE MATRIX"), 1);

    // At scale 2 the pointer is halved first: content (22, 44) is (11, 22) on the button.
    f.panel(kPanelMacros).scale = 2.0f;
    EXPECT_EQ(f.hover(302 + 22, 209 + 44), 0);
    EXPECT_EQ(f.lit(), 1);
}

TEST(MacrosPanel, TheFirstClickLoadsThePanelFileOnceBeforeTheButtons) {
    MacrosFixture f;
    f.leftDown(700, 300);
    f.leftUp(700, 300);
    f.leftDown(700, 300);
    EXPECT_EQ(f.count("LOAD_MACRO MACROS/MACRO_PANEL.txt"), 1);
    EXPECT_EQ(f.panel(kPanelMacros).macroFileLoaded, 1);
}

TEST(MacrosPanel, ACommandThatRebuildsThePanelEndsTheClickLoop) {
    MacrosFixture f;
    f.run("DRAW_IN_MACRO");
    f.run("BUTTON X:0 Y:0 W:5 H:5 \"DRAW_IN_MACRO\"");
    f.run("BUTTON X:0 Y:0 W:5 H:5 \"PAGE MATRIX\"");
    f.gui->annotations.annotationInMacro = 0;
    f.gui->annotations.macroAnnotations.buttons[0].hover = 1;
    f.gui->annotations.macroAnnotations.buttons[1].hover = 1;
    f.takeLines();
    f.gui->runLitMacroButtons();
    EXPECT_EQ(f.takeLines(), (std::vector<std::string>{"DRAW_IN_MACRO"}));
    EXPECT_EQ(f.gui->annotations.macroAnnotations.buttonCount, 0);
}

TEST(MacrosPanel, ButtonsDrawAtHalfAlphaUntilLitAndRectanglesCoverThem) {
    MacrosFixture f;
    const RecordingDrawLayer unlit = f.drawContent([&] { f.gui->drawMacroPanel(); });
    ASSERT_EQ(unlit.draws.size(), 3u);
    EXPECT_EQ(unlit.draws[0].colour, (std::array<float, 4>{0, 0, 0, 0.8f}));
    EXPECT_EQ(unlit.draws[0].bounds(), (std::array<float, 4>{0, 0, 600, 200}));
    EXPECT_EQ(unlit.draws[1].colour, (std::array<float, 4>{0, 0, 1, 0.5f}));
    EXPECT_EQ(unlit.draws[2].colour, (std::array<float, 4>{0, 1, 0, 1}));
    EXPECT_EQ(unlit.draws[2].bounds(), (std::array<float, 4>{100, 50, 120, 60}));
    f.hover(313, 234);
    f.panel(kPanelMacros).scale = 2.0f;
    const RecordingDrawLayer lit = f.drawContent([&] { f.gui->drawMacroPanel(); });
    EXPECT_EQ(lit.draws[1].colour[3], 1.0f);
    EXPECT_EQ(lit.draws[2].bounds(), (std::array<float, 4>{200, 100, 240, 120}));
    EXPECT_EQ(lit.matrixDepth(), 0);
}

} // namespace
