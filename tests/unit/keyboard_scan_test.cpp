// The new-key scan and the full-screen timer that turns its reports into key-downs.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "screen_fixture.h"
#include "view/input/key_predicates.h"

namespace {

TEST(KeyboardScan, ReportsEachNewKeyOnceLowestFirst) {
    ScreenFixture f;
    KeyboardState& k = f.gui->keyboard;
    f.hold({'A'});
    EXPECT_EQ(k.scanNewKeyPress(), 'A');
    EXPECT_EQ(k.scanNewKeyPress(), 0);
    f.hold({'B', 'D'}); // two in one tick: B now, D on the next call
    EXPECT_EQ(k.scanNewKeyPress(), 'B');
    EXPECT_EQ(k.scanNewKeyPress(), 'D');
    EXPECT_EQ(k.scanNewKeyPress(), 0);
    f.letGo({'A'});
    EXPECT_EQ(k.scanNewKeyPress(), 0);
    f.hold({'A'});
    EXPECT_EQ(k.scanNewKeyPress(), 'A');
    f.hold({VK_LBUTTON});
    f.hold({'C'});
    EXPECT_EQ(k.scanNewKeyPress(), VK_LBUTTON);
    EXPECT_EQ(k.keyWasDown['C'], 0);
}

TEST(KeyboardScan, TheFullScreenTimerDispatchesNoKeyWhileAButtonIsHeld) {
    ScreenFixture f;
    f.gui->view.fullScreen = 1;
    f.gui->configuration.displayCount = 1;
    f.gui->configuration.displays[0] = DisplayRecord{-100, -100, 5000, 5000, 0};
    f.gui->fullScreenDisplay = 0;
    f.hold({VK_LBUTTON, VK_TAB});
    f.gui->onTimer();
    EXPECT_TRUE(f.takeLines().empty());
    f.letGo({VK_LBUTTON});
    f.gui->onTimer();
    EXPECT_EQ(f.takeLines(), std::vector<std::string>{"NEXTPAGE"});
    f.gui->onTimer(); // still held: not new
    EXPECT_TRUE(f.takeLines().empty());
}

TEST(KeyboardScan, PredicatesReadTheKeyNowAndCapsLockItsToggle) {
    ScreenFixture f;
    EXPECT_FALSE(isKeyDownF12());
    f.hold({VK_F12});
    EXPECT_TRUE(isKeyDownF12());
    qxplatform::setCapsLock(true);
    EXPECT_TRUE(isCapsLockOn());
    qxplatform::setCapsLock(false);
    EXPECT_FALSE(isCapsLockOn());
}

TEST(KeyboardScan, MapVirtualKeyGivesUnshiftedCharactersAndZeroForControlKeys) {
    const std::pair<UINT, UINT> cases[] = {
        {'A', 'A'},         {'7', '7'},          {VK_SPACE, ' '},      {VK_OEM_1, ';'},
        {VK_OEM_PLUS, '='}, {VK_OEM_MINUS, '-'}, {VK_OEM_3, '`'},      {VK_OEM_4, '['},
        {VK_OEM_5, '\\'},   {VK_OEM_6, ']'},     {VK_OEM_PERIOD, '.'}, {VK_NUMPAD0 + 4, '4'},
        {VK_TAB, 0},        {VK_RETURN, 0},      {VK_ESCAPE, 0},       {VK_BACK, 0},
        {VK_F1, 0},         {VK_SHIFT, 0},       {VK_LEFT, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapVirtualKeyA(c.first, MAPVK_VK_TO_CHAR), c.second) << c.first;
    EXPECT_EQ(MapVirtualKeyA('A', 0), 0u);
}

} // namespace
