// The user menu file and the popup menus filled from it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

namespace {

struct UserMenus : ::testing::Test {
    void write(const std::string& text) {
        FILE* f = qxplatform::openFile(modulePath(kFile), "w");
        ASSERT_NE(f, nullptr);
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
    void TearDown() override { std::remove(qxplatform::toHostPath(modulePath(kFile)).c_str()); }
    void load() {
        UserMenuTable table = gui->loadUserMenu(kFile);
        for (int i = 0; i < 100; ++i) gui->userMenus[i] = table.menus[i];
        gui->userMenuCount = table.count;
    }
    // One file per test: tests run in parallel beside the same module.
    const std::string kFile = std::string("USER_MENU_") +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                              ".txt";
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

TEST_F(UserMenus, ABlockGivesAMenuAndItsRows) {
    write("MENU|MAIN\nA|b\nSave|x|files\n/MENU\n");
    load();
    ASSERT_EQ(gui->userMenuCount, 1);
    EXPECT_EQ(gui->userMenus[0].name, "MAIN");
    EXPECT_EQ(gui->userMenus[0].itemCount, 2);
    EXPECT_EQ(gui->userMenus[0].items[0], "A|b");
    PopupMenu menu = gui->fillPopupMenuFromUserMenu("MAIN");
    ASSERT_EQ(menu.itemCount, 2);
    EXPECT_EQ(menu.labels[0], "A");
    EXPECT_EQ(menu.commands[0], "B");
    EXPECT_EQ(menu.flags[0], 0);
    EXPECT_EQ(menu.labels[1], "Save");
    EXPECT_EQ(menu.commands[1], "FILES");
    EXPECT_EQ(menu.flags[1], 1);
}

TEST_F(UserMenus, CommentLinesAreSkippedWholeAndCarriageReturnsDropped) {
    write("MENU|MAIN\r\nX|ONE;TWO\r\na#b|CMD\r\n\r\nREAL|GO\r\n/MENU\r\n");
    load();
    ASSERT_EQ(gui->userMenuCount, 1);
    EXPECT_EQ(gui->userMenus[0].itemCount, 1);
    EXPECT_EQ(gui->userMenus[0].items[0], "REAL|GO");
}

TEST_F(UserMenus, UnnamedBlocksDuplicatesAndMissingMenus) {
    write("MENU|A\nX|1\n/MENU\n/MENU\nMENU|A\nY|2\n/MENU\nMENU|lower\nZ|3\n/MENU\n");
    load();
    ASSERT_EQ(gui->userMenuCount, 4);
    EXPECT_EQ(gui->userMenus[1].name, "");
    EXPECT_EQ(gui->userMenus[1].itemCount, 0);
    EXPECT_EQ(gui->fillPopupMenuFromUserMenu("A").labels[0], "Y"); // the last of a name wins
    EXPECT_EQ(gui->fillPopupMenuFromUserMenu("LOWER").itemCount, 0);
    EXPECT_EQ(gui->fillPopupMenuFromUserMenu("NONE").itemCount, 0);
}

TEST_F(UserMenus, AMissingFileGivesNoMenusAndOverlongMenusStopAtTheirLimits) {
    UserMenuTable none = gui->loadUserMenu("NO_SUCH_MENU_FILE.txt");
    EXPECT_EQ(none.count, 0);
    std::string text = "MENU|BIG\n";
    for (int i = 0; i < 150; ++i) text += "R|C\n";
    text += "/MENU\n";
    for (int i = 0; i < 120; ++i) text += "MENU|M\n/MENU\n";
    write(text);
    load();
    EXPECT_EQ(gui->userMenuCount, 100);
    EXPECT_EQ(gui->userMenus[0].itemCount, 100);
    EXPECT_EQ(gui->fillPopupMenuFromUserMenu("BIG").itemCount, 100);
}

TEST_F(UserMenus, TheShippedFileHasTheMenusOpenedByName) {
    UserMenuTable table = gui->loadUserMenu("USER_MENU.txt");
    for (int i = 0; i < 100; ++i) gui->userMenus[i] = table.menus[i];
    gui->userMenuCount = table.count;
    for (const char* name : {"MAIN", "DYNAMICS", "FILTERS", "MIXMODE"})
        EXPECT_GT(gui->fillPopupMenuFromUserMenu(name).itemCount, 0) << name;
    PopupMenu main = gui->fillPopupMenuFromUserMenu("MAIN");
    for (int i = 0; i < main.itemCount; ++i)
        if (main.flags[i]) {
            EXPECT_GT(gui->fillPopupMenuFromUserMenu(main.commands[i]).itemCount, 0)
                << main.commands[i];
        }
}

} // namespace
