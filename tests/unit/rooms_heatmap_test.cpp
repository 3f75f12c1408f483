// The rooms heat map through the recording draw layer: coverage under the pointer, cell
// placement and size, out-of-view messages, and rooms far from the view.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "screen_fixture.h"

namespace {

struct RoomsHeatmap : ::testing::Test {
    ScreenFixture f{800.0f, 600.0f};
    QX_GUI& gui = *f.gui;
    void SetUp() override {
        gui.buildFixedVertexTables();
        gui.stageView.gridShown = 0;
        gui.stageView.heatmapOn = 1;
        gui.viewSettings.globalRadius = 100.0f;
    }
    RecordingDrawLayer page() { return f.drawStage(); }
    static std::vector<const RecordedDraw*> cells(const RecordingDrawLayer& r) {
        std::vector<const RecordedDraw*> out;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.mode == 10) out.push_back(&d);
        return out;
    }
    void pointAt(float sx, float sy) {
        const ScreenPoint p = f.stageToPixel(sx, sy);
        gui.interaction.pointerPixelX = static_cast<int32_t>(p.x);
        gui.interaction.pointerPixelY = static_cast<int32_t>(p.y);
    }
    int consoleCount(const std::string& line) const {
        int n = 0;
        for (const std::string& l : gui.console.lines) n += l == line;
        return n;
    }
};

TEST_F(RoomsHeatmap, ThePointerValueIsTheCoverageOfItsRoomInDecibels) {
    f.room(0, -100.0f, -100.0f, 200.0f, 200.0f);
    f.target(0, 0.0f, 0.0f);
    f.commit();
    ASSERT_EQ(gui.rooms[0].targetCount, 1);
    const float inf = -std::numeric_limits<float>::infinity();
    const struct {
        float px, py;
        int32_t mute;
        uint8_t visible;
        float db;
        const char* text;
    } cases[] = {{0, 0, 0, 1, 0.0f, "0.00 dB"},
                 {50, 0, 0, 1, -6.0206f, "-6.02 dB"},
                 {0, 100, 0, 1, inf, "-inf dB"},
                 {0, 0, 1, 1, inf, "-inf dB"},
                 {0, 0, 0, 0, inf, "-inf dB"}};
    for (const auto& c : cases) {
        pointAt(c.px, c.py);
        gui.targets[0].mute = c.mute;
        gui.targets[0].visible = c.visible;
        const RecordingDrawLayer r = page();
        if (std::isinf(c.db))
            EXPECT_TRUE(std::isinf(gui.stage.heatmapValueDb) && gui.stage.heatmapValueDb < 0);
        else
            EXPECT_NEAR(gui.stage.heatmapValueDb, c.db, 1e-3);
        EXPECT_NE(r.findText(c.text), nullptr) << c.text;
        // Muted or hidden: every cell transparent.
        if (c.mute || !c.visible) {
            for (const RecordedDraw* d : cells(r)) EXPECT_EQ(d->colour[3], 0.0f);
        }
    }
}

TEST_F(RoomsHeatmap, OverlappingRoomsGiveTheValueOfTheHigherIndex) {
    f.room(0, -100.0f, -100.0f, 200.0f, 200.0f);
    f.room(1, -10.0f, -10.0f, 20.0f, 20.0f);
    f.target(0, 0.0f, 0.0f);
    f.target(1, 0.0f, 50.0f);
    gui.rooms[0].targetCount = 1;
    gui.rooms[0].targetList[0] = 0;
    gui.rooms[1].targetCount = 1;
    gui.rooms[1].targetList[0] = 1;
    pointAt(0.0f, 0.0f);
    page();
    EXPECT_NEAR(gui.stage.heatmapValueDb, -6.0206f, 1e-3);
    // A room without targets over the pointer gives minus infinity and is not painted.
    f.room(2, -5.0f, -5.0f, 10.0f, 10.0f);
    gui.rooms[2].targetCount = 0;
    const size_t before = cells(page()).size();
    EXPECT_TRUE(std::isinf(gui.stage.heatmapValueDb));
    gui.roomCount = 2;
    EXPECT_EQ(cells(page()).size(), before);
}

TEST_F(RoomsHeatmap, RoomsOutOfViewAreReportedOnEachAxisAndNotPainted) {
    const struct {
        float x, y;
        int leftRight, topBottom;
    } cases[] = {{-2000, -2000, 1, 1}, {-2000, 0, 1, 0}, {0, 1000, 0, 1}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        gui.clearConsole();
        f.room(0, c.x, c.y, 50.0f, 50.0f);
        gui.rooms[0].targetCount = 1;
        gui.rooms[0].targetList[0] = 0;
        f.target(0, c.x, c.y);
        const size_t painted = cells(page()).size();
        EXPECT_EQ(consoleCount(" ROOM OUT OF VIEW L-R"), c.leftRight) << c.x << "," << c.y;
        EXPECT_EQ(consoleCount(" ROOM OUT OF VIEW T-B"), c.topBottom) << c.x << "," << c.y;
        EXPECT_EQ(painted > 0, c.leftRight + c.topBottom == 0);
    }
    // A room without targets is never reported.
    gui.clearConsole();
    f.room(0, -2000.0f, -2000.0f, 50.0f, 50.0f);
    gui.rooms[0].targetCount = 0;
    page();
    EXPECT_EQ(consoleCount(" ROOM OUT OF VIEW L-R"), 0);
}

TEST_F(RoomsHeatmap, CellsStartHalfACellInsideTheClippedCornerAndKeepTenPixels) {
    // The room reaches past the view's top-left corner: its cells start at the window's.
    for (float zoom : {1.0f, 2.0f}) {
        gui.view.viewZoom = zoom;
        f.room(0, -1000.0f, -1000.0f, 1000.0f + 25.0f, 1000.0f + 25.0f);
        f.target(0, 0.0f, 0.0f);
        gui.rooms[0].targetCount = 1;
        gui.rooms[0].targetList[0] = 0;
        const RecordingDrawLayer r = page();
        const auto c = cells(r);
        ASSERT_FALSE(c.empty());
        const auto first = c.front()->bounds();
        EXPECT_NEAR(first[0], 0.0f, 1e-3) << zoom;
        EXPECT_NEAR(first[1], 0.0f, 1e-3) << zoom;
        for (const RecordedDraw* d : c) {
            const auto b = d->bounds();
            EXPECT_NEAR(b[2] - b[0], 10.0f, 1e-3);
            EXPECT_NEAR(b[3] - b[1], 10.0f, 1e-3);
        }
        // The room's right edge at window x 400 + 25 zoom: the last partial cell is whole.
        const float edge = 400.0f + 25.0f * zoom;
        const int columns = static_cast<int>(std::ceil(edge / 10.0f - 0.5f));
        const int rows = static_cast<int>(std::ceil((300.0f + 25.0f * zoom) / 10.0f - 0.5f));
        EXPECT_EQ(static_cast<int>(c.size()), columns * rows) << zoom;
    }
}

TEST_F(RoomsHeatmap, AHugeRoomFarFromTheOriginPaintsAtMostTheWindowsCells) {
    gui.view.viewPanX = -1.0e7f;
    gui.view.viewZoom = 0.01f;
    f.room(0, 0.0f, -1.0e9f, 2.0e9f, 2.0e9f);
    f.target(0, 1.0e7f, 0.0f);
    gui.rooms[0].targetCount = 1;
    gui.rooms[0].targetList[0] = 0;
    const auto c = cells(page());
    EXPECT_GT(c.size(), 0u);
    EXPECT_LE(c.size(), static_cast<size_t>(81 * 61));
}

} // namespace
