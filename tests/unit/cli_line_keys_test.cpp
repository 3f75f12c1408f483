// The CLI line from the keyboard: SHIFT+C focus, typing, the history, and keys that add
// nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panels/frame/panel_ids.h"
#include "screen_fixture.h"

namespace {

using Lines = std::vector<std::string>;

struct CliFixture : ScreenFixture {
    CliFixture() {
        hold({VK_SHIFT});
        tap('C');
        letGo({VK_SHIFT});
        takeLines();
    }
    // Letters and digits are their own key codes.
    void enter(const std::string& line) {
        for (char c : line) tap(c);
        tap(VK_RETURN);
    }
    const std::string& line() const { return gui->consolePanel.cliLine; }
};

TEST(CliLineKeys, ShiftCFocusesTheShownPanelAndTypedLinesRun) {
    CliFixture f;
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].focused, 1);
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].shown, 1);
    f.typeKeys({'C', 'L', 'S'});
    EXPECT_EQ(f.line(), "CLS");
    f.tap(VK_RETURN);
    EXPECT_EQ(f.takeLines(), Lines{"CLS"});
    EXPECT_EQ(f.line(), "");
}

TEST(CliLineKeys, UpAndDownBrowseTheHistory) {
    CliFixture f;
    for (const char* l : {"L1", "L2", "L3"}) f.enter(l);
    f.tap(VK_UP);
    EXPECT_EQ(f.line(), "L3");
    f.tap(VK_UP);
    EXPECT_EQ(f.line(), "L2");

    CliFixture full;
    for (int i = 0; i < 11; ++i) full.enter("L" + std::to_string(i));
    full.tap(VK_DOWN); // from b = 0: slot w, the oldest line
    EXPECT_EQ(full.line(), "L1");
}

TEST(CliLineKeys, KeysWithoutACharacterAddNothingAndRunNothing) {
    struct Case {
        std::vector<int> held;
        int key;
        std::string expected;
    };
    const Case cases[] = {
        {{}, VK_F1 + 4, ""},
        {{}, VK_TAB, ""},
        {{}, VK_ESCAPE, ""},
        {{}, VK_BACK, ""},
        {{}, VK_OEM_1, ":"},
        {{}, VK_OEM_3, "'"},
        {{VK_SHIFT}, VK_OEM_MINUS, "_"},
        {{VK_SHIFT, '2'}, 'A', "\""},
        {{}, VK_SPACE, " "},
    };
    for (const Case& c : cases) {
        CliFixture f;
        for (int k : c.held) qxplatform::setKeyDown(k, true);
        f.tap(c.key);
        EXPECT_EQ(f.line(), c.expected) << c.key;
        EXPECT_TRUE(f.takeLines().empty()) << c.key;
        EXPECT_EQ(f.gui->panelFrame.panels[kPanelMutes].shown, 0);
    }
}

TEST(CliLineKeys, ShiftCWithCtrlOnAFocusedLineHidesThePanel) {
    CliFixture f;
    f.hold({VK_SHIFT});
    f.tap('C'); // focused: the focus goes, the panel stays
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].focused, 0);
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].shown, 1);
    f.tap('C');
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].focused, 1);
    f.hold({VK_CONTROL});
    f.tap('C');
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].focused, 0);
    EXPECT_EQ(f.gui->panelFrame.panels[kPanelCli].shown, 0);
}

} // namespace
