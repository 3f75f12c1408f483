// Key shortcuts through the key state: every held row of a block runs, in table order, and
// nothing runs during a stage gesture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

using Lines = std::vector<std::string>;

struct ShortcutCase {
    const char* name;
    std::vector<int> held;
    int key;
    int32_t interactionMode;
    Lines expected;
};

const ShortcutCase kShortcutCases[] = {
    {"ctrl shift H",
     {VK_CONTROL, VK_SHIFT},
     'H',
     kModeIdle,
     {"TOGGLE ROOM_LOCKS", "TOGGLE ROOM_LABELS"}},
    // SWITCH_SELECT runs its own two lines after each.
    {"alt 1 2",
     {VK_MENU, '1'},
     '2',
     kModeIdle,
     {"SWITCH_SELECT 1", "STORE_SELECT 1", "RETRIEVE_SELECT 1", "SWITCH_SELECT 2", "STORE_SELECT 1",
      "RETRIEVE_SELECT 2"}},
    {"alt ctrl numpad 3",
     {VK_MENU, VK_CONTROL},
     VK_NUMPAD0 + 3,
     kModeIdle,
     {"DRIFT_TO_SLICE S:0.1 2", "STORE_SLICE 2"}},
    {"alt shift enter",
     {VK_MENU, VK_SHIFT},
     VK_RETURN,
     kModeIdle,
     {"VERBOSE 0", "VERBOSE 1", "CLS"}},
    {"tab", {}, VK_TAB, kModeIdle, {"NEXTPAGE"}},
    {"shift tab", {VK_SHIFT}, VK_TAB, kModeIdle, {"PREVIOUSPAGE"}},
    {"F12", {}, VK_F12, kModeIdle, {"TOGGLE STEALTH"}},
    {"plain H", {}, 'H', kModeIdle, {"TOGGLE ROOM_VISIBILITY"}},
    {"shift semicolon", {VK_SHIFT}, VK_OEM_1, kModeIdle, {"ENTER SOURCE_COUNT"}},
    {"equals and numpad minus",
     {VK_SUBTRACT},
     VK_OEM_PLUS,
     kModeIdle,
     {"UNSELECT MARQUEE", "ADDSELECT MARQUEE"}},
    {"during a drag", {VK_MENU}, VK_RETURN, kModeSourceLevel, {}},
    {"after a right release", {}, VK_TAB, kModeAfterRightRelease, {}},
    {"shift R without a kept line", {VK_SHIFT}, 'R', kModeIdle, {}},
};

TEST(KeyShortcuts, HeldKeysRunTheirRowsInTableOrder) {
    for (const ShortcutCase& c : kShortcutCases) {
        ScreenFixture f;
        f.gui->interaction.stageInteractionMode = c.interactionMode;
        f.gui->lastCommand.clear();
        for (int k : c.held) qxplatform::setKeyDown(k, true);
        f.tap(c.key);
        EXPECT_EQ(f.takeLines(), c.expected) << c.name;
    }
}

TEST(KeyShortcuts, ShiftRReRunsTheKeptLineAndNothingElse) {
    ScreenFixture f;
    f.run("CLS");
    ASSERT_EQ(f.gui->lastCommand, "CLS");
    f.takeLines();
    f.hold({VK_SHIFT, 'R'});
    f.tap('I');
    EXPECT_EQ(f.takeLines(), Lines{"CLS"});
    EXPECT_EQ(f.gui->view.currentPage, kPageStage);
}

TEST(KeyShortcuts, ArrowKeysActOnlyOnTheStagePage) {
    ScreenFixture f;
    f.source(0, 100.0f, 100.0f);
    f.gui->keyboard.arrowMode = 1;
    f.gui->view.currentPage = kPageInputs;
    f.tap(VK_RIGHT);
    EXPECT_EQ(f.gui->sources[0].x, 100.0f);
    f.gui->view.currentPage = kPageStage;
    f.tap(VK_RIGHT);
    EXPECT_EQ(f.gui->sources[0].x, 101.0f);
}

} // namespace
