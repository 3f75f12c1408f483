// One panel frame: hit tests on their exact bounds, the scale button about the centre, move
// and resize drags, the close zone, and what the frame draws.
#include <gtest/gtest.h>

#include "panel_test_support.h"

namespace {

PanelWindow filtersAt200x150() {
    PanelWindow p;
    p.width = 400.0f;
    p.height = 250.0f;
    p.positionX = 200.0f;
    p.positionY = 150.0f;
    p.hasScaleButton = 1;
    p.shown = 1;
    return p;
}

TEST(PanelWindow, ConstructionGivesTheDefaultsOfTheRecord) {
    const PanelWindow p;
    EXPECT_EQ(p.width, 600.0f);
    EXPECT_EQ(p.height, 200.0f);
    EXPECT_EQ(p.positionX, 100.0f);
    EXPECT_EQ(p.positionY, 100.0f);
    EXPECT_EQ(p.contentOffsetX, 2.0f);
    EXPECT_EQ(p.contentOffsetY, 9.0f);
    EXPECT_EQ(p.alpha, 0.5f);
    EXPECT_EQ(p.title, "PANEL");
    EXPECT_EQ(p.resizable, 1);
    EXPECT_EQ(p.shown, 0);
    EXPECT_EQ(p.writeGeometry(), "X:100 Y:100 W:600 H:200 S:1\n");
}

TEST(PanelWindow, HitTestsIncludeBothBoundsAndNothingBeyond) {
    PanelWindow p = filtersAt200x150();
    struct Case {
        int32_t x, y;
        bool window, resize, close, content;
    } cases[] = {
        {200, 150, true, false, false, false},  {199, 150, false, false, false, false},
        {604, 404, true, true, false, false},   {605, 404, false, false, false, false},
        {604, 405, false, true, false, false},  {604, 416, false, true, false, false},
        {604, 417, false, false, false, false}, {592, 159, true, false, true, true},
        {591, 159, true, false, false, true},   {592, 160, true, false, false, true},
        {202, 159, true, false, false, true},   {201, 159, true, false, false, false},
        {600, 409, false, true, false, true},   {601, 409, false, true, false, false},
        {300, 149, false, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(p.hitWindow(c.x, c.y), c.window) << c.x << "," << c.y;
        EXPECT_EQ(p.hitResizeGrip(c.x, c.y), c.resize) << c.x << "," << c.y;
        EXPECT_EQ(p.hitCloseZone(c.x, c.y), c.close) << c.x << "," << c.y;
        EXPECT_EQ(p.closeHover, c.close ? 1 : 0);
        EXPECT_EQ(p.hitContent(c.x, c.y), c.content) << c.x << "," << c.y;
    }
    p.barButtonX = 708.0f;
    EXPECT_TRUE(p.hitBarButton(768, 13));
    EXPECT_TRUE(p.hitBarButton(708, 0));
    EXPECT_FALSE(p.hitBarButton(769, 5));
    EXPECT_FALSE(p.hitBarButton(720, 14));
}

TEST(PanelWindow, TheScaleButtonKeepsTheCentreAndStoresOnlyCoordinatesAboveZero) {
    PanelWindow p;
    p.width = 400.0f;
    p.height = 300.0f;
    p.positionX = 500.0f;
    p.positionY = 100.0f;
    p.hasScaleButton = 1;
    p.shown = 1;
    p.onMouseDown(0, 890, 104); // 12 left of the content's right edge, in the title bar
    EXPECT_EQ(p.scale, 2.0f);
    EXPECT_EQ(p.positionX, 300.0f);
    EXPECT_EQ(p.positionY, 100.0f) << "100 - 150 is not above 0";
    EXPECT_EQ(p.dragging, 0) << "the scale button lies in the title bar but starts no drag";
    p.onMouseDown(0, 300 + 2 + 800 - 12, 104);
    EXPECT_EQ(p.scale, 1.0f);
    EXPECT_EQ(p.writeGeometry(), "X:500 Y:250 W:400 H:300 S:1\n");
    p.hasScaleButton = 0;
    p.onMouseDown(0, 890, 254);
    EXPECT_EQ(p.scale, 1.0f) << "no scale button, no toggle";
    EXPECT_EQ(p.dragging, 1);
}

TEST(PanelWindow, DragsMoveByTheIntegerDeltaAndResizeStopsAtTheMinimumHeight) {
    PanelWindow p;
    p.positionX = 100.5f;
    p.positionY = 100.0f;
    p.shown = 1;
    p.onMouseDown(0, 150, 104);
    ASSERT_EQ(p.dragMode, kPanelDragMove);
    p.onMouseMove(0, 160, 90);
    EXPECT_EQ(p.positionX, 110.0f);
    EXPECT_EQ(p.positionY, 86.0f);
    p.onMouseMove(0, -2000, -2000);
    EXPECT_EQ(p.positionX, -2050.0f) << "no clamp";
    p.endDrag(0, 0, 0);
    EXPECT_EQ(p.dragging, 0);
    EXPECT_EQ(p.dragMode, kPanelDragNone);

    // ENVELOPES stays resizable: dragging its bottom edge far up stops at height 0.
    PanelWindow envelopes;
    envelopes.shown = 1;
    envelopes.onMouseDown(0, 300, 100 + 9 + 200);
    ASSERT_EQ(envelopes.dragMode, kPanelDragResize);
    envelopes.onMouseMove(0, 300, 200);
    EXPECT_EQ(envelopes.height, 91.0f);
    envelopes.onMouseMove(0, 300, -500);
    EXPECT_EQ(envelopes.height, 0.0f);

    PanelWindow fixed;
    fixed.resizable = 0;
    fixed.shown = 1;
    fixed.onMouseDown(0, 300, 309);
    EXPECT_EQ(fixed.dragMode, kPanelDragResize) << "the resize mode is entered";
    fixed.onMouseMove(0, 300, 250);
    EXPECT_EQ(fixed.height, 200.0f) << "and changes nothing";
}

TEST(PanelWindow, TheCloseZoneClosesInTheSameClick) {
    PanelWindow p = filtersAt200x150();
    p.onMouseDown(0, 600, 152);
    EXPECT_EQ(p.shown, 0);
    EXPECT_EQ(p.closeHover, 1);
}

TEST(PanelWindow, AHiddenPanelDrawsItsBarButtonAtFullOpacityAShownOneDimmedAndFramed) {
    PanelFixture f;
    PanelWindow& cli = f.panel(kPanelCli);
    RecordingDrawLayer hidden;
    cli.draw(hidden);
    ASSERT_EQ(hidden.draws.size(), 3u);
    EXPECT_EQ(hidden.draws[1].colour, (std::array<float, 4>{0.4f, 0.4f, 0.4f, 1.0f}));
    EXPECT_TRUE(hidden.draws[1].coversPoint(1251.0f, 3.0f));
    EXPECT_EQ(hidden.draws[2].text, "CLI");
    EXPECT_EQ(hidden.draws[2].horizontalMode, 1);

    f.place(kPanelCli, 20.0f, 30.0f);
    RecordingDrawLayer shown;
    cli.draw(shown);
    EXPECT_EQ(shown.draws[1].colour[3], 0.3f);
    EXPECT_EQ(shown.draws[3].colour, (std::array<float, 4>{1.0f, 1.0f, 1.0f, 0.4f}))
        << "the underline";
    const RecordedDraw* caption = shown.findText("CLI");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(shown.findText("X")->colour, (std::array<float, 4>{0, 0, 0, 1}))
        << "no scale button: the X stays black";
    EXPECT_EQ(shown.findText("X")->xy[0], 20.0f + 300.0f + 2.0f - 1.0f);
    EXPECT_EQ(shown.matrixDepth(), 0);

    PanelWindow& filters = f.place(kPanelFilters, 200.0f, 150.0f);
    filters.subtitle = "S1";
    filters.onMouseMove(0, 600, 152);
    RecordingDrawLayer hovered;
    filters.draw(hovered);
    ASSERT_NE(hovered.findText("FILTERS - S1"), nullptr);
    EXPECT_EQ(hovered.findText("X")->colour, (std::array<float, 4>{1, 0, 0, 1}));
    filters.onMouseMove(0, 300, 300);
    RecordingDrawLayer plain;
    filters.draw(plain);
    EXPECT_EQ(plain.findText("X")->colour, (std::array<float, 4>{1, 1, 1, 1}))
        << "after the scale button the X is white";
}

} // namespace
