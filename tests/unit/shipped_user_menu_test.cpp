// The shipped user menu file: every plain row runs a line the dispatcher knows, and every
// submenu row names a menu with rows.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

struct ShippedUserMenu : ::testing::Test, ScreenFixture {
    ShippedUserMenu() {
        qxplatform::setMessageBoxesQuiet(true);
        UserMenuTable table = gui->loadUserMenu("USER_MENU.txt");
        for (int i = 0; i < 100; ++i) gui->userMenus[i] = table.menus[i];
        gui->userMenuCount = table.count;
    }
    int notFoundLines() const {
        int n = 0;
        for (const std::string& line : gui->console.lines)
            if (line.find("NOT FOUND") != std::string::npos) ++n;
        return n;
    }
};

TEST_F(ShippedUserMenu, EveryRowRunsWithoutNotFound) {
    ASSERT_GT(gui->userMenuCount, 0);
    int rows = 0;
    for (int m = 0; m < gui->userMenuCount; ++m) {
        const PopupMenu menu = gui->fillPopupMenuFromUserMenu(gui->userMenus[m].name);
        for (int i = 0; i < menu.itemCount; ++i, ++rows) {
            if (menu.flags[i] == 1) {
                EXPECT_GT(gui->fillPopupMenuFromUserMenu(menu.commands[i]).itemCount, 0)
                    << menu.commands[i];
                continue;
            }
            const int before = notFoundLines();
            run(menu.commands[i]);
            EXPECT_EQ(notFoundLines(), before)
                << gui->userMenus[m].name << ": " << menu.commands[i];
            EXPECT_EQ(gui->console.lastError.find("NOT FOUND"), std::string::npos)
                << menu.commands[i];
        }
    }
    EXPECT_GT(rows, 30);
}

TEST_F(ShippedUserMenu, SyndicationModeRowsSetTheMode) {
    const PopupMenu menu = gui->fillPopupMenuFromUserMenu("SYNDICATION_MODE");
    ASSERT_EQ(menu.itemCount, 4);
    const char* labels[4] = {"NONE", "MARQUEE", "SELECTION", "BOTH"};
    const char* commands[4] = {"SYN_MODE NONE", "SYN_MODE MARQ", "SYN_MODE SELECT",
                               "SYN_MODE BOTH"};
    for (int mode : {3, 1, 2, 0}) {
        EXPECT_EQ(menu.labels[mode], labels[mode]);
        EXPECT_EQ(menu.commands[mode], commands[mode]);
        run(menu.commands[mode]);
        EXPECT_EQ(gui->syndicationMode, mode) << commands[mode];
    }
}

} // namespace
