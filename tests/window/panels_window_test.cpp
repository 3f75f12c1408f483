// Pixels of the panels in qxhost's window under Xvfb: a hidden panel's bar button, and a
// rectangle of a macro file drawn inside the MACROS panel where PANEL_SETUP placed it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

// Runs qxhost for a few frames after loading the macro text, and reads its screenshot.
Picture shotAfter(const std::string& name, const std::string& macro) {
    char folder[4096];
    const std::string here = getcwd(folder, sizeof folder) ? folder : ".";
    const std::string file = here + "/" + name + ".txt";
    const std::string png = name + ".png";
    std::ofstream(file) << macro;
    std::remove(png.c_str());
    const std::string command =
        "./qxhost --load " + file + " --frames 3 --screenshot " + png + " 2>/dev/null";
    Picture picture;
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(readPng(png, picture));
    std::remove(file.c_str());
    std::remove(png.c_str());
    return picture;
}

TEST(PanelsWindow, AHiddenBarButtonIsGreyAndDimsOnceItsPanelIsShown) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const Picture hidden = shotAfter("panels_bar_hidden", "VERBOSE 0\n");
    ASSERT_EQ(hidden.width, 1376);
    EXPECT_EQ(hidden.at(1251, 3), (std::vector<int>{102, 102, 102}));
    const Picture shown = shotAfter("panels_bar_shown", "SHOW_PANEL CLI\n");
    ASSERT_EQ(shown.width, 1376);
    EXPECT_NE(shown.at(1251, 3), (std::vector<int>{102, 102, 102}));
}

TEST(PanelsWindow, AMacroRectangleLandsInTheMacrosPanelContent) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const Picture picture = shotAfter("panels_macro_rect", "DRAW_IN_MACRO\n"
                                                           "PAINT RED:0 GREEN:1 BLUE:0 L:1\n"
                                                           "RECT X:100 Y:50 W:20 H:10\n"
                                                           "PANEL_SETUP MACRO X:300 Y:200 S:1\n"
                                                           "SHOW_PANEL MACRO\n");
    ASSERT_EQ(picture.width, 1376);
    EXPECT_EQ(picture.at(412, 264), (std::vector<int>{0, 255, 0}));
}

} // namespace
