// The CONFIRM entry's overlay in a real frame: the stage dimmed to 20 per cent and tinted red.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

TEST(ConfirmOverlayWindow, AnOpenConfirmTintsAnEmptyStageDarkRed) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const std::string macro = "confirm_overlay_test.txt";
    const std::string png = "confirm_overlay_test.png";
    {
        std::ofstream out(macro);
        out << "TOGGLE GRID_VISIBILITY\n";
        out << "CONFIRM 'A' 'B' 'LOAD_MACRO PATCHES/BLANK.txt'\n";
    }
    std::remove(png.c_str());
    const std::string command =
        "./qxhost --load " + macro + " --frames 5 --screenshot " + png + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Picture picture;
    ASSERT_TRUE(readPng(png, picture));
    ASSERT_EQ(picture.width, 1376);
    ASSERT_EQ(picture.height, 800);
    const std::vector<int> p = picture.at(903, 605);
    EXPECT_NEAR(p[0], 51, 1);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 0);
    std::remove(png.c_str());
    std::remove(macro.c_str());
}

} // namespace
