// The popup cascade without drawing: the row hit test, opening and placing a level from a
// submenu row, the cache by name, detaching on a plain row, a missing user menu, and the
// last level.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

struct PopupCascade : ::testing::Test, ScreenFixture {
    PopupCascade() {
        addUserMenu("ROOT", {"OPEN A|x|SUB", "PLAIN|RUN", "OPEN B|x|SUB", "NOWHERE|x|MISSING"});
        addUserMenu("SUB", {"ONE|RUN ONE", "TWO|RUN TWO"});
        gui->chrome.popupMenus[0] = gui->fillPopupMenuFromUserMenu("ROOT");
        gui->chrome.popupMenus[0].open = 1;
        gui->chrome.popupMenus[0].x = 100;
        gui->chrome.popupMenus[0].y = 200;
        gui->chrome.popupLayerOpen = 1;
    }
    void addUserMenu(const std::string& name, std::initializer_list<const char*> rows) {
        NamedStringList& list = gui->userMenus[gui->userMenuCount++];
        list.name = name;
        list.itemCount = 0;
        for (const char* row : rows) list.items[list.itemCount++] = row;
    }
    // The pointer on row `row` of menu 0.
    bool pointAtRow(int row) {
        gui->interaction.pointerPixelX = 100;
        gui->interaction.pointerPixelY = 200 + 10 * row + 4;
        return gui->stepPopupMenu(0, states);
    }
    int8_t states[100] = {};
};

TEST_F(PopupCascade, RowHitTestUsesStrictEdgesAndTruncation) {
    PopupMenu& m = gui->chrome.popupMenus[0];
    m.width = 61;
    struct Case {
        float x, y;
        int32_t row;
    } cases[] = {
        {70.0f, 204.0f, -1}, {70.5f, 204.0f, 0},  {130.9f, 204.0f, 0}, {131.0f, 204.0f, -1},
        {100.0f, 195.0f, 0}, {100.0f, 191.0f, 0}, {100.0f, 225.0f, 2}, {100.0f, 1200.0f, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gui->popupRowAt(c.x, c.y, 0), c.row) << c.x << ", " << c.y;
    EXPECT_EQ(gui->popupRowAt(100.0f, 204.0f, 10), -1) << "no eleventh menu";
}

TEST_F(PopupCascade, ASubmenuRowOpensThePlacedLevelOnceByName) {
    EXPECT_TRUE(pointAtRow(2));
    const PopupMenu& next = gui->chrome.popupMenus[1];
    EXPECT_EQ(next.open, 1);
    EXPECT_EQ(next.parentRow, 2);
    EXPECT_EQ(next.parentName, "SUB");
    EXPECT_EQ(next.itemCount, 2);
    EXPECT_EQ(next.x, 161);
    EXPECT_EQ(next.y, 220);
    EXPECT_EQ(states[2], kPopupRowPointer) << "green in the frame that opens it";

    gui->chrome.popupMenus[1].labels[0] = "KEPT";
    gui->chrome.popupMenus[3].open = 1;
    EXPECT_TRUE(pointAtRow(0));
    EXPECT_EQ(gui->chrome.popupMenus[1].labels[0], "KEPT") << "same name: not rebuilt";
    EXPECT_EQ(gui->chrome.popupMenus[1].parentRow, 0);
    EXPECT_EQ(gui->chrome.popupMenus[1].y, 200);
    EXPECT_EQ(gui->chrome.popupMenus[3].open, 0) << "levels from two down close";
    pointAtRow(0);
    EXPECT_EQ(states[0], kPopupRowOpenParent) << "blue once its level hangs from it";
}

TEST_F(PopupCascade, APlainRowDetachesEveryDeeperLevel) {
    pointAtRow(0);
    for (int k = 2; k < 10; ++k) gui->chrome.popupMenus[k].parentRow = 1;
    EXPECT_FALSE(pointAtRow(1));
    for (int k = 1; k < 10; ++k) {
        EXPECT_EQ(gui->chrome.popupMenus[k].parentRow, -1) << "menu " << k;
    }
    EXPECT_EQ(gui->chrome.popupMenus[1].open, 1) << "open flags stay";
    PopupCascadeFrame frame;
    gui->interaction.pointerPixelX = 20; // left of the detached level
    gui->stepPopupCascade(frame);
    EXPECT_EQ(frame.levelCount, 1) << "a detached level is not drawn";
}

TEST_F(PopupCascade, AMissingUserMenuOpensAnEmptyLevelWithARedParent) {
    EXPECT_TRUE(pointAtRow(3));
    EXPECT_EQ(gui->chrome.popupMenus[1].open, 1);
    EXPECT_EQ(gui->chrome.popupMenus[1].itemCount, 0);
    pointAtRow(3);
    EXPECT_EQ(states[3], kPopupRowEmptyParent);
}

TEST_F(PopupCascade, ABlankLabelIsGreyInEveryState) {
    gui->chrome.popupMenus[0].labels[1] = " ";
    pointAtRow(1);
    EXPECT_EQ(states[1], kPopupRowBlank);
}

TEST_F(PopupCascade, ASubmenuRowInTheLastLevelChangesNothing) {
    gui->chrome.popupMenus[9] = gui->chrome.popupMenus[0];
    for (int k = 1; k < 9; ++k) {
        gui->chrome.popupMenus[k].open = 1;
        gui->chrome.popupMenus[k].parentRow = 0;
        gui->chrome.popupMenus[k].parentName = "L" + std::to_string(k);
    }
    PopupMenu before[10];
    for (int k = 0; k < 10; ++k) before[k] = gui->chrome.popupMenus[k];
    gui->interaction.pointerPixelX = 100;
    gui->interaction.pointerPixelY = 204;
    EXPECT_TRUE(gui->stepPopupMenu(9, states));
    EXPECT_EQ(states[0], kPopupRowPointer);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(gui->chrome.popupMenus[k].open, before[k].open) << k;
        EXPECT_EQ(gui->chrome.popupMenus[k].parentRow, before[k].parentRow) << k;
        EXPECT_EQ(gui->chrome.popupMenus[k].parentName, before[k].parentName) << k;
        EXPECT_EQ(gui->chrome.popupMenus[k].x, before[k].x) << k;
    }
}

TEST_F(PopupCascade, TheFrameDrawsEachOpenLevelOnItsGrid) {
    pointAtRow(0);
    gui->interaction.pointerPixelX = 161;
    gui->interaction.pointerPixelY = 214;
    RecordingDrawLayer frame = drawFrame();
    EXPECT_NE(frame.findText("OPEN A"), nullptr);
    const RecordedDraw* two = frame.findText("TWO");
    ASSERT_NE(two, nullptr) << "the open level is drawn";
    EXPECT_EQ(two->xy[0], 161.0f);
    EXPECT_EQ(two->xy[1], 212.0f);
    bool green = false;
    for (const RecordedDraw& d : frame.draws)
        if (d.kind == RecordedDraw::Kind::Vertices && d.coversPoint(140.0f, 215.0f) &&
            d.colour == std::array<float, 4>{0.1f, 1.0f, 0.1f, 0.5f})
            green = true;
    EXPECT_TRUE(green) << "row 1 of the open level under the pointer";
}

} // namespace
