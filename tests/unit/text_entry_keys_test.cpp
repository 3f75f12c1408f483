// Keys of the open text entry, by input kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_fixture.h"

namespace {

constexpr int kMinus = VK_OEM_MINUS;
constexpr int kPoint = VK_OEM_PERIOD;

struct EntryCase {
    const char* name;
    int32_t kind;
    int32_t limit;
    const char* initial;
    std::vector<int> keys;
    const char* expected;
};

const EntryCase kEntryCases[] = {
    {"minus replaces in kind 1", 1, 16, "7", {'1', '2', kMinus}, "-"},
    {"minus appends in kind 2", 2, 16, "7", {'1', '2', kMinus}, "12-"},
    {"second point ignored in kind 4", 4, 16, "7", {'1', kPoint, '2', kPoint, '3'}, "1.23"},
    {"letters ignored in kind 3", 3, 16, "7", {'4', 'A', '2'}, "42"},
    {"seventeenth character ignored",
     3,
     16,
     "7",
     {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5', '6', '7'},
     "1234567890123456"},
    {"blank joins words in kind 0", 0, 16, "X", {'A', 'B', VK_SPACE, 'C'}, "AB_C"},
    {"blank stays in kind 5", 5, 16, "X", {'A', 'B', VK_SPACE, 'C'}, "AB C"},
    {"first key unmapped, later minus mapped", 0, 16, "X", {kMinus, kMinus}, "-_"},
    {"semicolon and backquote keys", 0, 16, "X", {'A', VK_OEM_1, VK_OEM_3}, "A:'"},
    {"a rejected first key keeps the text fresh", 3, 16, "12", {'A', '5'}, "5"},
    {"erasing everything leaves a blank", 0, 16, "X", {'A', 'B', VK_BACK, VK_BACK, VK_BACK}, " "},
    {"erasing a fresh text leaves a blank", 0, 16, "NAME", {VK_DELETE}, " "},
    {"function keys add nothing", 0, 16, "X", {'A', VK_F1 + 4, VK_TAB}, "A"},
};

TEST(TextEntryKeys, EachKindTakesItsCharacters) {
    for (const EntryCase& c : kEntryCases) {
        ScreenFixture f;
        f.gui->openTextEntry(100, 100, -1, -1, c.initial, c.limit, c.kind, "T", "P", 1);
        f.gui->textEntry.textEntryId = 999; // commits nothing
        for (int k : c.keys) f.tap(k);
        EXPECT_EQ(f.gui->textEntry.textEntryText, c.expected) << c.name;
        EXPECT_EQ(f.gui->textEntry.textEntryId, 999) << c.name;
    }
}

TEST(TextEntryKeys, CtrlIsIgnoredEscClosesAndTheEntryTakesEveryKey) {
    ScreenFixture f;
    f.gui->openTextEntry(100, 100, -1, -1, "AB", 16, 0, "T", "P", 0);
    f.gui->textEntry.textEntryId = 1;
    f.hold({VK_CONTROL});
    f.tap('H'); // no CTRL+H shortcut while the entry is open
    f.letGo({VK_CONTROL});
    EXPECT_EQ(f.gui->textEntry.textEntryText, "AB");
    EXPECT_TRUE(f.takeLines().empty());
    const std::string before = f.gui->sources[0].name;
    f.tap(VK_ESCAPE);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 0);
    EXPECT_EQ(f.gui->sources[0].name, before);
    f.tap(VK_TAB); // the entry is closed: the shortcut runs again
    EXPECT_EQ(f.takeLines(), std::vector<std::string>{"NEXTPAGE"});
}

} // namespace
