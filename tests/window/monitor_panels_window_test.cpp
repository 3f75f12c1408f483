// SCOPE and FFT in qxhost's window fed by its DSP side: a monitored source shows a moving
// waveform and its spectrum; muted, the waveform is flat.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

// Content origins: the panels placed at (100, 100) and (500, 100), content 2 right, 9 down.
constexpr int kScopeX = 102, kScopeY = 109, kFftX = 502, kFftY = 109;

Picture shot(const std::string& name, int frames, bool muted) {
    char folder[4096];
    const std::string here = getcwd(folder, sizeof folder) ? folder : ".";
    const std::string file = here + "/" + name + ".txt";
    const std::string png = name + ".png";
    std::ofstream(file) << "SET NUM_SOURCE 2\nSET NUM_TARGET 1\nTOUCH S2\n"
                        << (muted ? "MUTE S2\n" : "")
                        << "PANEL_SETUP SCOPE X:100 Y:100 S:1\nPANEL_SETUP FFT X:500 Y:100 S:1\n"
                           "SHOW_PANEL SCOPE\nSHOW_PANEL FFT\n";
    std::remove(png.c_str());
    const std::string command = "./qxhost --load " + file + " --frames " + std::to_string(frames) +
                                " --screenshot " + png + " 2>/dev/null";
    Picture picture;
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(readPng(png, picture));
    std::remove(file.c_str());
    std::remove(png.c_str());
    return picture;
}

// Pixels of a panel's content that differ between two pictures, over rows [top, bottom).
int differing(const Picture& a, const Picture& b, int x0, int y0, int top, int bottom) {
    int n = 0;
    for (int y = y0 + top; y < y0 + bottom; ++y)
        for (int x = x0; x < x0 + 300; ++x) n += a.at(x, y) != b.at(x, y);
    return n;
}

// Bright scope pixels (a trace, not the stage grid dimly showing through) away from content
// rows 96 to 104, where the zero line and a flat trace four pixels wide lie.
int traced(const Picture& p) {
    int n = 0;
    for (int y = kScopeY + 3; y < kScopeY + 197; ++y)
        for (int x = kScopeX + 2; x < kScopeX + 298; ++x) {
            const std::vector<int> c = p.at(x, y);
            if (y < kScopeY + 96 || y > kScopeY + 104) n += c[0] + c[1] + c[2] > 150;
        }
    return n;
}

TEST(MonitorPanelsWindow, ScopeAndFftShowTheMonitoredSourceAndMutingFlattensTheScope) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    const Picture first = shot("monitor_first", 20, false);
    const Picture later = shot("monitor_later", 23, false);
    const Picture muchLater = shot("monitor_much_later", 60, false);
    ASSERT_EQ(first.width, 1376);
    ASSERT_EQ(later.width, 1376);
    EXPECT_GT(traced(first), 300) << "no waveform on the scope";
    EXPECT_GT(differing(first, later, kScopeX, kScopeY, 0, 200), 100) << "the scope stands still";
    // The spectrum between the label rows: the source's peak stands above the floor.
    int peak = 0;
    for (int y = kFftY + 12; y < kFftY + 180; ++y)
        for (int x = kFftX; x < kFftX + 300; ++x) {
            const std::vector<int> c = first.at(x, y);
            peak += c[0] + c[1] + c[2] > 120;
        }
    EXPECT_GT(peak, 20) << "no spectrum on the FFT panel";
    // The vibrato moves the spectrum's slopes from one meter update to the next.
    EXPECT_GT(differing(first, muchLater, kFftX, kFftY, 12, 180), 20)
        << "the spectrum stands still";

    const Picture muted = shot("monitor_muted", 20, true);
    ASSERT_EQ(muted.width, 1376);
    EXPECT_EQ(traced(muted), 0) << "the muted source still draws a waveform";
}

} // namespace
