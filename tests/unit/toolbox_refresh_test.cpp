// The toolbox refresh on the demo patch, and the toolbox as drawn into a recording.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

struct ToolboxOnDemo : ::testing::Test, ScreenFixture {
    ToolboxOnDemo() {
        for (int i = 0; i < 60; ++i) gui->chrome.toolboxTexts[i] = "row";
        gui->chrome.toolboxTextCount = 60;
        run("LOAD_MACRO PATCHES/DEMO.txt");
    }
    int32_t state(int row) const { return gui->chrome.toolboxRowStates[row]; }
};

TEST_F(ToolboxOnDemo, CountersMutesAndZoomRows) {
    const int kept[] = {22, 23, 24, 28, 30, 31};
    for (int row : kept) gui->chrome.toolboxRowStates[row] = 100 + row;
    gui->drawToolboxInfo();
    EXPECT_EQ(gui->chrome.toolboxTexts[26], "12 SOURCES");
    EXPECT_EQ(gui->chrome.toolboxTexts[27], "8 TARGETS");
    EXPECT_EQ(gui->chrome.toolboxTexts[29], "256 BIT MIXING");
    EXPECT_EQ(state(26), 1);
    EXPECT_EQ(state(27), 1);
    EXPECT_EQ(state(29), 1);
    for (int row : kept) EXPECT_EQ(state(row), 100 + row) << "row " << row;
    EXPECT_EQ(state(33), 2) << "nothing muted";
    EXPECT_EQ(state(34), 4) << "nothing soloed";

    run("TOGGLE_MUTE S3");
    gui->drawToolboxInfo();
    EXPECT_EQ(state(33), 3) << "a muted source";
    EXPECT_EQ(state(36), 2) << "targets untouched";

    run("ZOOM_LEVEL 1.0");
    gui->drawToolboxInfo();
    EXPECT_EQ(state(52), 0);
    EXPECT_EQ(state(53), 1);
    EXPECT_EQ(state(54), 0);
    run("ZOOM_LEVEL 1.5");
    gui->drawToolboxInfo();
    for (int row : {52, 53, 54}) EXPECT_EQ(state(row), 0) << "row " << row;
    for (int row : kept) EXPECT_EQ(state(row), 100 + row) << "row " << row;
}

TEST_F(ToolboxOnDemo, AMutedSourceRowIsYellowWithABlackLabelAndFoldingLeavesTheHeader) {
    gui->chrome.toolboxTexts[33] = "   [mute]   ";
    run("TOGGLE_MUTE S1");
    RecordingDrawLayer open = drawFrame();
    const RecordedDraw* label = nullptr;
    for (const RecordedDraw& d : open.draws)
        if (d.kind == RecordedDraw::Kind::Text && d.text == "   [mute]   ") {
            label = &d;
            break;
        }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->colour, (std::array<float, 4>{0.0f, 0.0f, 0.0f, 1.0f}));
    bool yellowRow33 = false;
    for (const RecordedDraw& d : open.draws)
        if (d.kind == RecordedDraw::Kind::Vertices && d.coversPoint(4.0f, 384.0f) &&
            d.colour == std::array<float, 4>{1.0f, 1.0f, 0.0f, 1.0f})
            yellowRow33 = true;
    EXPECT_TRUE(yellowRow33);
    EXPECT_NE(open.findText("12 SOURCES"), nullptr);

    run("TOGGLE_PANEL TOOLBOX");
    RecordingDrawLayer folded = drawFrame();
    EXPECT_NE(folded.findText("TOOLS"), nullptr);
    EXPECT_EQ(folded.findText("12 SOURCES"), nullptr);
    EXPECT_EQ(folded.findText("   [mute]   "), nullptr);
}

TEST(ToolboxGeometry, RowsPressedAreRowsDrawn) {
    ChromeState chrome;
    EXPECT_EQ(chrome.toolboxHeight, chrome.toolboxTitleHeight + 11.0f * 60.0f);
    for (int row : {0, 1, 33, 53, 59}) {
        const int top = chrome.toolboxRowTop(row);
        EXPECT_EQ(chrome.toolboxRowAt(4.0f, top + 0.5f), row);
        EXPECT_EQ(chrome.toolboxRowAt(4.0f, top + 8.5f), row);
    }
    EXPECT_EQ(chrome.toolboxRowAt(0.0f, 100.0f), -1) << "left edge";
    EXPECT_EQ(chrome.toolboxRowAt(64.0f, 100.0f), -1) << "right edge";
    EXPECT_EQ(chrome.toolboxRowAt(4.0f, 13.0f), -1) << "title";
    EXPECT_EQ(chrome.toolboxRowAt(4.0f, 673.0f), -1) << "below the rows";
}

} // namespace
