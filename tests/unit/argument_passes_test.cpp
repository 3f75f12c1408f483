// The named-argument, name and trimming passes.
#include <gtest/gtest.h>

#include "command_test_support.h"

using namespace command_test;

namespace {

struct ArgumentPassesTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();

    void SetUp() override {
        placeSources(*gui, {{"Kick", 0, 0}, {"S2", 0, 0}});
        placeTargets(*gui, {{"KICK", 0, 0}, {"T1", 0, 0}});
        placeGroups(*gui, {});
    }

    // Runs the passes as the executor does, arguments included.
    CliObject parse(const std::string& line) {
        CliObject command;
        command.commandString = line;
        command = gui->parseNamedArguments(std::move(command));
        std::string arguments;
        gui->splitTokens(command.commandString, ' ');
        for (int32_t i = 1; i < gui->tokenCount; ++i) arguments += gui->tokens[i] + " ";
        command.arguments = arguments;
        command = gui->resolveItemNames(std::move(command));
        return gui->trimArguments(std::move(command));
    }
};

TEST_F(ArgumentPassesTest, NamedValuesAreReadAndCutKeepingTheBlanks) {
    const CliObject c = parse("MOVE X:10 Y:5 KICK");
    EXPECT_EQ(c.commandString, "MOVE   KICK");
    EXPECT_TRUE(c.has(kKeyX));
    EXPECT_FLOAT_EQ(c.named(kKeyX), 10.0f);
    EXPECT_FLOAT_EQ(c.named(kKeyY), 5.0f);
    EXPECT_FALSE(c.has(kKeyW));
    ASSERT_EQ(c.refCount(), 1);
    EXPECT_EQ(c.refs[0].type, 1); // sources are searched before targets
    EXPECT_EQ(c.refs[0].index, 0);
    EXPECT_EQ(c.refs[0].rank, 2);
}

TEST_F(ArgumentPassesTest, NamedValueTexts) {
    struct Case {
        const char* line;
        NamedKey key;
        float value;
        const char* rest;
    } cases[] = {
        {"A X:-12.5", kKeyX, -12.5f, "A "},   {"A X:1A2", kKeyX, 12.0f, "A "},
        {"A X:1/2", kKeyX, 1.0f, "A "},       {"A TYPE:HP", kKeyType, 0.0f, "A "},
        {"A BW:3 W:7", kKeyBW, 3.0f, "A  "},  {"A BW:3 W:7", kKeyW, 7.0f, "A  "},
        {"A BAR:5", kKeyR, 5.0f, "A BA"},     // a key inside a longer word counts
        {"A X:5 X:7", kKeyX, 5.0f, "A  X:7"}, // only the first occurrence is read
        {"A G:", kKeyG, 0.0f, "A "},
    };
    for (const Case& c : cases) {
        const CliObject command = parse(c.line);
        EXPECT_TRUE(command.has(c.key)) << c.line;
        EXPECT_FLOAT_EQ(command.named(c.key), c.value) << c.line;
        EXPECT_EQ(command.commandString, c.rest) << c.line;
    }
    EXPECT_FALSE(parse("A BW:3").has(kKeyW)); // BW: is cut before W: is searched
}

TEST_F(ArgumentPassesTest, LastWordGivesStringAndValue) {
    struct Case {
        const char* line;
        const char* string;
        float value;
        int refs;
    } cases[] = {
        {"LEVEL KICK 0.5", "0.5", 0.5f, 1},
        {"LEVEL 0.5 kick", "kick", 0.0f, 0}, // a lower-case word names nothing
        {"LEVEL S2 1E3", "1E3", 1000.0f, 1},
        {"LEVEL S2 -6DB", "-6DB", -6.0f, 1},
        {"LEVEL S2 INF", "INF", 0.0f, 1},
        {"MOVE X:10", "", 0.0f, 0},
    };
    for (const Case& c : cases) {
        const CliObject command = parse(c.line);
        EXPECT_EQ(command.string, c.string) << c.line;
        EXPECT_FLOAT_EQ(command.value, c.value) << c.line;
        EXPECT_EQ(command.refCount(), c.refs) << c.line;
    }
}

TEST_F(ArgumentPassesTest, AWordThatNamesNothingIsSkippedAndEmptyWordsNameNothing) {
    gui->groupCount = 1; // a group whose name is still empty
    gui->groups[0].name = "";
    const CliObject c = parse("FOO  T1 NOPE S2 ");
    ASSERT_EQ(c.refCount(), 2);
    EXPECT_EQ(c.refs[0].type, 2);
    EXPECT_EQ(c.refs[0].rank, 1);
    EXPECT_EQ(c.refs[1].type, 1);
    EXPECT_EQ(c.refs[1].rank, 3);
}

TEST_F(ArgumentPassesTest, AtMost256ReferencesAreKept) {
    std::string line = "FOO";
    for (int i = 0; i < 300; ++i) line += " S2";
    EXPECT_EQ(parse(line).refCount(), 256);
}

TEST_F(ArgumentPassesTest, OneWordLinesKeepTheirDefaults) {
    // The executor dispatches a one-word line without the passes.
    CliObject c;
    EXPECT_EQ(c.string, "NO STRING");
    EXPECT_FLOAT_EQ(c.value, -1.0f);
    EXPECT_EQ(c.arguments, "NO ARGUMENTS");
    EXPECT_EQ(c.mode, -1);
    // An empty text through the trimming pass takes its number as start and end.
    CliObject empty;
    empty.commandString = "";
    empty = gui->trimArguments(std::move(empty));
    EXPECT_EQ(empty.start, 0);
    EXPECT_EQ(empty.end, 0);
}

TEST_F(ArgumentPassesTest, CopiesOfACommandAreIndependent) {
    CliObject a = parse("FOO S2 T1");
    CliObject b = a;
    b.string = "X";
    b.refs[0].name = "CHANGED";
    b.items.append(ItemSnapshot());
    EXPECT_EQ(a.string, "T1");
    EXPECT_EQ(a.refs[0].name, "S2");
    EXPECT_EQ(a.items.count(), 0);
}

} // namespace
