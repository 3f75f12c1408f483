// The console ring: cutting, wrapping, flags, status messages and the debug output.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"

namespace {

struct ConsoleRingTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

TEST_F(ConsoleRingTest, CutRuleByLength) {
    struct Case {
        size_t length;
        std::string stored;
    } cases[] = {{0, ""},
                 {65, std::string(65, 'x')},
                 {66, std::string(65, 'x') + " ..."},
                 {500, std::string(65, 'x') + " ..."}};
    for (const Case& c : cases) {
        int32_t slot = gui->console.writeIndex;
        gui->appendConsoleLine(std::string(c.length, 'x'));
        EXPECT_EQ(gui->console.lines[slot], c.stored) << c.length;
        EXPECT_EQ(gui->console.writeIndex, slot + 1) << "an empty line still advances";
    }
}

TEST_F(ConsoleRingTest, WrapsAtSixtyNotAtOneHundred) {
    for (int i = 0; i < 60; ++i) gui->appendConsoleLine("LINE " + std::to_string(i));
    EXPECT_EQ(gui->console.writeIndex, 0);
    gui->appendConsoleLine("LINE 60");
    EXPECT_EQ(gui->console.lines[0], "LINE 60");
    EXPECT_EQ(gui->console.lines[59], "LINE 59");
    EXPECT_EQ(gui->console.lines[60], "");
    EXPECT_EQ(gui->console.writeIndex, 1);
}

TEST_F(ConsoleRingTest, StatusMessageReachesTheConsoleOnlyWhenVerbose) {
    gui->setStatusMessage("QUIET");
    EXPECT_EQ(gui->console.statusMessage, "QUIET");
    EXPECT_EQ(gui->console.writeIndex, 0);
    EXPECT_EQ(gui->console.lines[0], "");
    gui->console.verbose = 1;
    gui->setStatusMessage("LOUD");
    EXPECT_EQ(gui->console.statusMessage, "LOUD");
    EXPECT_EQ(gui->console.writeIndex, 1);
    EXPECT_EQ(gui->console.lines[0], "LOUD");
}

TEST_F(ConsoleRingTest, FlagsAreKeptPerLine) {
    gui->console.highlight = 1;
    gui->appendConsoleLine("ERROR");
    gui->console.highlight = 0;
    gui->console.notice = 1;
    gui->appendConsoleLine("NOTICE");
    gui->console.notice = 0;
    gui->appendConsoleLine("PLAIN");
    EXPECT_EQ(gui->console.lineHighlight[0], 1);
    EXPECT_EQ(gui->console.lineNotice[0], 0);
    EXPECT_EQ(gui->console.lineHighlight[1], 0);
    EXPECT_EQ(gui->console.lineNotice[1], 1);
    EXPECT_EQ(gui->console.lineHighlight[2], 0);
    EXPECT_EQ(gui->console.lineNotice[2], 0);
}

TEST_F(ConsoleRingTest, ClearingKeepsTheWriteIndex) {
    for (int i = 0; i < 3; ++i) gui->appendConsoleLine("X");
    gui->clearConsole();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gui->console.lines[i], "");
    EXPECT_EQ(gui->console.writeIndex, 3);
    gui->appendConsoleLine("NEXT");
    EXPECT_EQ(gui->console.lines[3], "NEXT");
}

TEST_F(ConsoleRingTest, EveryStoredLineGoesToTheDebugOutput) {
    std::vector<std::string> seen;
    qxplatform::setDebugOutputSink([&](const std::string& line) { seen.push_back(line); });
    gui->appendConsoleLine("ONE");
    gui->appendConsoleLine(std::string(70, 'y'));
    gui->setStatusMessage("NOT SHOWN");
    qxplatform::setDebugOutputSink(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"ONE", std::string(65, 'y') + " ..."}));
}

} // namespace
