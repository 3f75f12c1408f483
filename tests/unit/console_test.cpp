// The console ring and the status line.
#include <gtest/gtest.h>

#include <memory>

#include "app/qx_gui.h"

namespace {

struct ConsoleTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

TEST_F(ConsoleTest, CutsLinesLongerThan65Characters) {
    gui->appendConsoleLine(std::string(66, 'A'));
    gui->appendConsoleLine(std::string(65, 'B'));
    EXPECT_EQ(gui->console.lines[0], std::string(65, 'A') + " ...");
    EXPECT_EQ(gui->console.lines[1], std::string(65, 'B'));
}

} // namespace
