// The frame's mouse dispatch: the PATCH FILE cells of the top bar, the page tabs, the popup
// menus and an open text entry, driven through the mouse operations.
#include <gtest/gtest.h>

#include <cstring>

#include "screen_fixture.h"

namespace {

using Lines = std::vector<std::string>;

struct ReadyScreen : ScreenFixture {
    ReadyScreen() { gui->graphicsReady = 1; }
    void patchPath(const char* path) {
        std::strncpy(gui->patchPath, path, sizeof gui->patchPath - 1);
        gui->patchPathLength = static_cast<int32_t>(std::strlen(path));
    }
    void mainMenu(std::initializer_list<const char*> rows) {
        gui->userMenus[0].name = "MAIN";
        int32_t n = 0;
        for (const char* row : rows) gui->userMenus[0].items[n++] = row;
        gui->userMenus[0].itemCount = n;
        gui->userMenuCount = 1;
    }
};

struct TopBarCase {
    int32_t x;
    bool ctrl;
    bool ready;
    Lines lines;
    const char* console; // a line the press appends, or null
};

TEST(MouseDispatch, TopBarCellsRunTheirLinesAndReachNothingElse) {
    const std::string confirm = "CONFIRM 'REVERT TO MOST RECENTLY SAVED VERSION' 'TYPE YES TO "
                                "CONTINUE' 'LOAD_MACRO PATCHES/SHOW.TXT'";
    const TopBarCase cases[] = {
        {470, false, true, {"LOAD_MACRO_FILE"}, nullptr},
        {470, true, true, {confirm}, nullptr},
        {500, false, true, {"SAVE_NOW"}, "SAVE THIS PATCH"},
        {540, false, true, {"SAVE_PATCH"}, nullptr},
        {580, false, true, {"TOGGLE AUTO_SAVE"}, nullptr},
        {650, false, true, {"TOGGLE AUTO_BACKUP"}, nullptr},
        {562, false, true, {}, nullptr},
        {470, false, false, {"LOAD_MACRO_FILE"}, nullptr},
        {500, false, false, {"SAVE_NOW"}, "SAVE THIS PATCH"},
        {580, false, false, {"TOGGLE AUTO_SAVE"}, nullptr},
        {562, false, false, {}, nullptr},
    };
    for (const TopBarCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "x " << c.x << " ctrl " << c.ctrl << " ready " << c.ready);
        ReadyScreen f;
        f.gui->graphicsReady = c.ready ? 1 : 0;
        f.patchPath("PATCHES/SHOW.TXT");
        if (c.ctrl) f.hold({VK_CONTROL});
        f.gui->onLButtonDown(0, c.x, 6);
        const Lines lines = f.takeLines();
        ASSERT_GE(lines.size(), c.lines.size());
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + c.lines.size()), c.lines);
        if (c.lines.empty()) {
            EXPECT_TRUE(lines.empty());
        }
        if (c.console) {
            EXPECT_TRUE(f.consoleHas(c.console));
        }
        EXPECT_EQ(f.gui->interaction.pageMouseHold, 0) << "the page saw the press";
        EXPECT_EQ(f.gui->interaction.leftButtonHeld, 0);
    }
}

TEST(MouseDispatch, CtrlOnOpenWithAQuoteInThePatchPathRunsNothingAndSaysSo) {
    ReadyScreen f;
    f.patchPath("PATCHES/BOB'S.TXT");
    f.hold({VK_CONTROL});
    f.gui->onLButtonDown(0, 470, 6);
    EXPECT_TRUE(f.takeLines().empty());
    EXPECT_TRUE(f.consoleHas("CAN'T REVERT: THE PATCH PATH HOLDS A QUOTE"));
}

TEST(MouseDispatch, PageTabsSelectTheirPageOnlyBelowTheLastThirteenPixelsEdge) {
    struct Case {
        int32_t x, y, page;
    } cases[] = {
        {1300, 795, kPageOutputs}, {1370, 795, kPageStage},    {1200, 795, kPageInputs},
        {1150, 795, kPageMatrix},  {1100, 795, kPageFeedback}, {1300, 787, kPageInputs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
        ReadyScreen f;
        f.gui->view.currentPage = kPageInputs;
        f.gui->matrixPage.sourceRowPick = f.gui->matrixPage.inputChannelPick = 3;
        f.gui->onLButtonDown(0, c.x, c.y);
        EXPECT_EQ(f.gui->view.currentPage, c.page);
        const bool matrixLike = c.page == kPageMatrix || c.page == kPageFeedback;
        EXPECT_EQ(f.gui->matrixPage.sourceRowPick, matrixLike ? -1 : 3);
    }
}

TEST(MouseDispatch, ARightPressOnEmptyStageOpensMainThereAndAPressRunsTheRowUnderTheLastMove) {
    ReadyScreen f;
    f.mainMenu({"SELECT ALL|SELECT ALL_SOURCES", "UNSELECT ALL|UNSELECT ALL", "PAGES|x|PAGES"});
    for (int menu = 1; menu < 10; ++menu) f.gui->chrome.popupMenus[menu].open = 1;
    f.click(700, 300, ScreenFixture::Button::Right);
    const PopupMenu& main = f.gui->chrome.popupMenus[0];
    EXPECT_EQ(main.open, 1);
    EXPECT_EQ(main.x, 700);
    EXPECT_EQ(main.y, 300);
    EXPECT_EQ(main.itemCount, 3);
    for (int menu = 1; menu < 10; ++menu) EXPECT_EQ(f.gui->chrome.popupMenus[menu].open, 0) << menu;
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 1);

    // Five pixels above the top is still row 0; the press's own point does not count.
    f.move(700, 295);
    f.gui->onLButtonDown(0, 10, 10);
    EXPECT_EQ(f.takeLines(), Lines{"SELECT ALL_SOURCES"});
    EXPECT_EQ(f.gui->chrome.lastMenuCommand, "SELECT ALL_SOURCES");
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 0);
    EXPECT_EQ(f.gui->interaction.pageMouseHold, 0) << "the page saw a press the menu took";
}

TEST(MouseDispatch, ASubmenuRowKeepsTheMenusOpenAndAPressOutsideClosesThemAndGoesOn) {
    ReadyScreen f;
    f.mainMenu({"SELECT ALL|SELECT ALL_SOURCES", "UNSELECT ALL|UNSELECT ALL", "PAGES|x|PAGES"});
    f.click(700, 300, ScreenFixture::Button::Right);
    f.move(700, 325);
    f.gui->onLButtonDown(0, 700, 325);
    EXPECT_TRUE(f.takeLines().empty());
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 1);
    EXPECT_EQ(f.gui->interaction.pageMouseHold, 0);

    f.move(200, 200);
    f.gui->onLButtonDown(0, 200, 200);
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 0);
    EXPECT_EQ(f.gui->interaction.pageMouseHold, 1) << "the stage page did not get the press";
}

TEST(MouseDispatch, APressWithATextEntryOpenCommitsItAndDoesNothingElse) {
    const ScreenPoint points[] = {{200, 200}, {1300, 795}, {125, 8}};
    for (const ScreenPoint& at : points) {
        ReadyScreen f;
        f.gui->openTextEntry(10, 10, -1, -1, "NEW", 15, 0, "S1", "NAME SOURCE", 1);
        f.gui->textEntry.textEntryId = 1;
        f.gui->onLButtonDown(0, at.x, at.y);
        EXPECT_EQ(f.gui->textEntry.textEntryId, 0);
        EXPECT_EQ(f.gui->view.currentPage, kPageStage);
        EXPECT_EQ(f.gui->interaction.pageMouseHold, 0);
        EXPECT_EQ(f.gui->interaction.leftButtonHeld, 0);
        for (const std::string& line : f.takeLines())
            EXPECT_EQ(line.rfind("SWITCH_SELECT", 0), std::string::npos);
    }
}

TEST(MouseDispatch, BeforeTheGuiIsReadyOnlyTheTopBarAnswers) {
    ReadyScreen f;
    f.gui->graphicsReady = 0;
    f.source(0, 0.0f, 0.0f);
    f.gui->onLButtonDown(0, 1300, 795);
    f.gui->onRButtonDown(0, 700, 300);
    f.wheel(1);
    f.move(700, 300);
    EXPECT_EQ(f.gui->view.currentPage, kPageStage);
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 0);
    EXPECT_TRUE(f.takeLines().empty());
}

} // namespace
