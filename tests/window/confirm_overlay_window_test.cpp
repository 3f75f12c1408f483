// The CONFIRM entry's overlay in a real frame: the stage dimmed to 20 per cent and tinted red.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    ASSERT_EQ(image.width, 1376u);
    ASSERT_EQ(image.height, 800u);
    const uint8_t* p = &rgb[(605u * image.width + 903u) * 3];
    EXPECT_NEAR(p[0], 51, 1);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 0);
    std::remove(png.c_str());
    std::remove(macro.c_str());
}

} // namespace
