// Text services: the token splitter, upper-casing, module paths, names and the text entry.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <memory>
#include <string>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

namespace {

struct TextServicesTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    std::vector<std::string> tokens() {
        return std::vector<std::string>(gui->tokens, gui->tokens + gui->tokenCount);
    }
};

TEST_F(TextServicesTest, SplitKeepsEmptyFields) {
    struct Case {
        std::string text;
        char separator;
        std::vector<std::string> tokens;
    } cases[] = {
        {"A||B", '|', {"A", "", "B"}},
        {"A|", '|', {"A", ""}},
        {"|", '|', {"", ""}},
        {"ONE", ' ', {"ONE"}},
        {"MENU|MAIN", '|', {"MENU", "MAIN"}},
        {" X ", ' ', {"", "X", ""}},
    };
    for (const Case& c : cases) {
        gui->splitTokens(c.text, c.separator);
        EXPECT_EQ(tokens(), c.tokens) << c.text;
    }
}

TEST_F(TextServicesTest, SplittingEmptyTextLeavesTheTableAsItWas) {
    gui->splitTokens("A B", ' ');
    gui->splitTokens("", ' ');
    EXPECT_EQ(gui->tokenCount, 0);
    EXPECT_EQ(gui->tokens[0], "A");
    EXPECT_EQ(gui->tokens[1], "B");
}

TEST_F(TextServicesTest, TwoHundredWordsTwiceHoldExactlyTheirWords) {
    for (const char* prefix : {"W", "LONGER_WORD_"}) {
        std::string line;
        for (int i = 0; i < 200; ++i)
            line += (i ? " " : "") + std::string(prefix) + std::to_string(i);
        gui->splitTokens(line, ' ');
        ASSERT_EQ(gui->tokenCount, 200);
        for (int i = 0; i < 200; ++i) EXPECT_EQ(gui->tokens[i], prefix + std::to_string(i));
    }
}

TEST_F(TextServicesTest, SplitNeverWritesPastItsTables) {
    std::string many;
    for (int i = 0; i < 600; ++i) many += "T" + std::to_string(i) + ",";
    gui->splitTokens(many, ',');
    EXPECT_EQ(gui->tokenCount, 512); // tokens past the table are dropped
    EXPECT_EQ(gui->tokens[511], "T511");

    gui->splitTokens(std::string(5000, 'L') + "|END", '|');
    ASSERT_EQ(gui->tokenCount, 2);
    EXPECT_EQ(gui->tokens[0], std::string(2047, 'L')); // a token of 2048 or more is cut
    EXPECT_EQ(gui->tokens[1], "END");
}

TEST(TextServices, UpperCaseAndNumbers) {
    EXPECT_EQ(toUpperCopy("Abc-1"), "ABC-1");
    EXPECT_EQ(toUpperCopy("\xe9t\xe9"), "\xe9T\xe9"); // only a to z change
    EXPECT_EQ(intToString(-42), "-42");
    EXPECT_EQ(intToString(0), "0");
}

TEST(TextServices, ModuleFolderJoin) {
    EXPECT_EQ(joinModuleFolder("D:\\host\\plugins\\x.sem", "USER_MENU.txt"),
              "D:\\host\\plugins\\USER_MENU.txt");
    EXPECT_EQ(joinModuleFolder("Z:\\a\\\\b\\m.sem", "MACROS/MACRO_PANEL.txt"),
              "Z:\\a\\b\\MACROS/MACRO_PANEL.txt"); // empty parts vanish, the name stays as is
    EXPECT_EQ(joinModuleFolder("Z:\\a\\m.sem", ""), "Z:\\a\\");
}

TEST(TextServices, ModulePathIsTheFolderOfThisModuleInDriveForm) {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = 0;
    std::string folder(self);
    folder = folder.substr(0, folder.rfind('/'));
    std::string expected = qxplatform::toModulePath(folder) + "\\USER_MENU.txt";
    EXPECT_EQ(modulePath("USER_MENU.txt"), expected);
    EXPECT_EQ(modulePathWide("USER_MENU.txt"), qxplatform::widen(expected));
    EXPECT_EQ(qxplatform::toHostPath(modulePath("USER_MENU.txt")), folder + "/USER_MENU.txt");
}

TEST(TextServices, Utf8ToWide) {
    EXPECT_EQ(utf8ToWide(""), u"");
    EXPECT_EQ(utf8ToWide("A\xc3\xa9\xe2\x82\xac"), u"A\u00e9\u20ac");
    EXPECT_EQ(utf8ToWide("\xf0\x9f\x8e\xb5"), u"\U0001F3B5");
}

TEST_F(TextServicesTest, NameSeparatorsAreCleanedAndSent) {
    gui->sourceCount = 1;
    gui->sources[0].name = "MY SRC-2";
    gui->targetCount = 1;
    gui->targets[0].name = "- T -";
    gui->rooms[0].name = "NOT IN USE";
    gui->replaceNameSeparators();
    EXPECT_EQ(gui->sources[0].name, "MYSRC_2");
    EXPECT_EQ(gui->targets[0].name, "_T_");
    EXPECT_EQ(gui->rooms[0].name, "NOT IN USE"); // the room count is 0
    for (int flag : {kSendRooms, kSendSources, kSendTargets, kSendGroups})
        EXPECT_EQ(gui->sendFlags[flag], 1) << flag;
}

TEST_F(TextServicesTest, OpenTextEntryStoresItsArgumentsAndArms) {
    gui->openTextEntry(10, 20, -1, -1, "OLD", 40, 3, "FIRST", "SECOND", 1);
    EXPECT_EQ(gui->textEntry.textEntryX, 10);
    EXPECT_EQ(gui->textEntry.textEntryY, 20);
    EXPECT_EQ(gui->textEntry.textEntryWidth, 60);
    EXPECT_EQ(gui->textEntry.textEntryHeight, 20);
    EXPECT_EQ(gui->textEntry.textEntryText, "OLD");
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 16);
    EXPECT_EQ(gui->textEntry.textEntryKind, 3);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "FIRST");
    EXPECT_EQ(gui->textEntry.textEntryPrompt, "SECOND");
    EXPECT_EQ(gui->textEntry.textEntryFresh, 1);
    EXPECT_EQ(gui->textEntry.textEntryKeysOn, 1);
    gui->openTextEntry(0, 0, 100, 30, "", 8, 0, "", "", 0);
    EXPECT_EQ(gui->textEntry.textEntryWidth, 100);
    EXPECT_EQ(gui->textEntry.textEntryHeight, 30);
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 8);
}

} // namespace
