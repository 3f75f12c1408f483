// qxhost in a window: the screenshot of a few frames, and pin 20 and the blank script in the
// pin trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int run(const std::string& arguments) {
    return std::system(("./qxhost " + arguments + " 2>/dev/null").c_str());
}

TEST(QxhostWindow, ThreeFramesGiveAPictureWithTheTitleLine) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const std::string png = "qxhost_window_test.png";
    std::remove(png.c_str());
    ASSERT_EQ(run("--frames 3 --screenshot " + png), 0);
    Picture picture;
    ASSERT_TRUE(readPng(png, picture));
    EXPECT_EQ(picture.width, 1376);
    EXPECT_EQ(picture.height, 800);
    // The "V" that begins the title at (3, 791): white, as the MASTER box leaves it.
    EXPECT_EQ(picture.at(3, 791)[0], 255);
    EXPECT_EQ(picture.at(4, 791)[0], 0);
    EXPECT_EQ(picture.at(5, 795)[1], 255);
    // The stage's axes cross at the window's centre.
    EXPECT_GT(picture.at(688, 400)[2], 0);
    std::remove(png.c_str());
}

TEST(QxhostWindow, TheTraceShowsTheWindowOpenPinAndTheBlankScript) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const std::string trace = "qxhost_window_trace.txt";
    ASSERT_EQ(run("--frames 10 --trace-pins " + trace), 0);
    std::vector<std::string> lines = readLines(trace);
    int open = -1, blank = -1, closed = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i] == "0 out 20 4 01000000" && open < 0) open = i;
        if (lines[i].rfind("0 out 4 2416 02000000ffffffff", 0) == 0 && blank < 0) blank = i;
        if (lines[i] == "0 out 20 4 00000000") {
            EXPECT_LT(closed, 0) << "pin 20 cleared twice";
            closed = i;
        }
    }
    EXPECT_GE(open, 0);
    EXPECT_GT(blank, open);
    EXPECT_GT(closed, blank);
    std::remove(trace.c_str());
}

TEST(QxhostWindow, ExitAfterEndsARunWithoutFrames) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    EXPECT_EQ(run("--exit-after 200 --instances 2"), 0);
}

TEST(QxhostWindow, WindowOptionsAreRefusedInAHeadlessRun) {
    EXPECT_NE(run("--headless --frames 1"), 0);
}

} // namespace
