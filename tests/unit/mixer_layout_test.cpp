// The strip grid of the mixer pages: geometry per window size, the grid look-up and hit tests
// at their edges, the fader mark tables and the fixed rename grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "screen_fixture.h"

namespace {

TEST(StripLayout, GeometryFollowsTheWindowSize) {
    ScreenFixture f; // 1376 x 800
    const FaderRecord n = f.gui->getStripLayout();
    EXPECT_EQ(n.stripWidth, 62.0f);
    EXPECT_EQ(n.marginX, 6.0f);
    EXPECT_EQ(n.rowHeight, 258.0f);
    EXPECT_EQ(n.upperButtonY, 226.0f);
    EXPECT_EQ(n.lowerButtonY, 241.0f);
    EXPECT_EQ(n.faderBottom, 224.0f);
    EXPECT_EQ(n.faderLength, 212.0f);
    const FaderRecord m = f.gui->getMasterStripLayout();
    EXPECT_EQ(m.rowHeight, 516.0f);
    EXPECT_EQ(m.faderBottom, 514.0f);
    EXPECT_EQ(m.faderLength, 502.0f);
    EXPECT_EQ(m.marginX, 37.0f);

    f.gui->windowWidth = 1320.0f;
    f.gui->windowHeight = 626.0f;
    const FaderRecord small = f.gui->getStripLayout();
    EXPECT_EQ(small.stripWidth, 60.0f);
    EXPECT_EQ(small.marginX, 0.0f);
    EXPECT_EQ(small.rowHeight, 200.0f);
    EXPECT_EQ(f.gui->getMasterStripLayout().faderLength, 386.0f);
}

TEST(StripLayout, TheTrimLayoutSaysOnceForEachWindowSize) {
    ScreenFixture f;
    f.gui->console.verbose = 1;
    f.gui->buildInputTrimFader();
    f.gui->buildInputTrimFader();
    f.gui->windowHeight = 700.0f;
    f.gui->buildInputTrimFader();
    EXPECT_EQ(std::count(std::begin(f.gui->console.lines), std::end(f.gui->console.lines),
                         "BUILD INPUT TRIM FADER"),
              2);
}

// Points in window pixels at 1376 x 800 (the grid starts at (6, 13); strips are 62 x 258).
// Source 0 at 1.0 puts its knob centre at local y 47, source 1 at 0 at local y 224.
struct HitCase {
    const char* what;
    int32_t x, y;
    int32_t strip, control;
};

TEST(StripLayout, HitTestsFindTheStripAndControlUnderThePointer) {
    ScreenFixture f;
    f.gui->sources[0].level = 1.0f;
    f.gui->sources[1].level = 0.0f;
    const HitCase cases[] = {
        {"fader area", 16, 113, 0, kControlFader},
        {"knob over the fader area", 37, 60, 0, kControlKnob},
        {"fader area just above the knob", 37, 13 + 32, 0, kControlFader},
        {"M", 16, 245, 0, kControlMute},
        {"left edge of M is no control", 10, 245, 0, -1},
        {"S", 37, 245, 0, kControlSolo},
        {"P", 56, 245, 0, kControlPhase},
        {"D", 16, 260, 0, kControlDelay},
        {"E", 37, 260, 0, kControlFilters},
        {"C", 56, 260, 0, kControlDynamics},
        {"name box", 16, 18, 0, kControlName},
        {"S over the knob of a level of 0", 68 + 31, 13 + 232, 1, kControlSolo},
        {"knob of a level of 0 below the fader area", 68 + 31, 13 + 224, 1, kControlKnob},
        {"row 1 starts at strip 22", 7, 272, 22, -1},
        {"row 2 starts at strip 43", 7, 530, 43, -1},
        {"last strip of row 0", 1360, 100, 21, kControlFader},
        {"left of the grid", 5, 100, -1, -1},
        {"above the grid", 100, 12, -1, -1},
        {"below the grid", 100, 13 + 775, -1, -1},
        {"right of the grid", 1370, 100, -1, -1},
        {"the bottom edge belongs to row 2", 7, 13 + 774, 43, -1},
        {"the two-row strip from its left edge, row 1", 1308, 400, kTwoRowStrip, -1},
        {"the two-row strip, row 2", 1369, 700, kTwoRowStrip, -1},
        {"the column before it", 1307, 400, 42, -1},
    };
    for (const HitCase& c : cases) {
        const StripHit hit = f.gui->hitTestStrip(kStripSource, c.x, c.y);
        EXPECT_EQ(hit.strip, c.strip) << c.what;
        if (c.strip >= 0 && c.strip < kTwoRowStrip) {
            EXPECT_EQ(hit.control, c.control) << c.what;
        }
    }
}

TEST(StripLayout, TheTwoRowStripHitsItsKnobOnItsOwnTravel) {
    ScreenFixture f;
    f.gui->viewSettings.masterVolume = 1.0f; // knob centre 95 below the top of row 1 (271)
    const HitCase cases[] = {
        {"master knob", 1339, 271 + 95, 0, kControlKnob},
        {"master fader area", 1339, 271 + 300, 0, kControlFader},
        {"master name box", 1320, 276, 0, kControlName},
        {"row 0 above it is nothing", 1339, 200, 0, -1},
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(f.gui->hitTestMasterStrip(kStripMaster, c.x, c.y).control, c.control) << c.what;
    // The TRIM knob stays at mid-travel: 257 below the top of row 1.
    EXPECT_EQ(f.gui->hitTestMasterStrip(kStripTrim, 1339, 271 + 257).control, kControlKnob);
    EXPECT_EQ(f.gui->hitTestMasterStrip(kStripTrim, 1339, 271 + 95).control, kControlFader);
    const StripHit local = f.gui->hitTestMasterStrip(kStripTrim, 1310, 300);
    EXPECT_EQ(local.localX, 2);
    EXPECT_EQ(local.localY, 29);
}

TEST(StripLayout, AWindowTooSmallForAPixelPerStripHasNoStrips) {
    for (const auto& size : {std::pair<float, float>{21.0f, 800.0f}, {1376.0f, 28.0f}}) {
        ScreenFixture f(size.first, size.second);
        for (int32_t x : {0, 5, 20})
            for (int32_t y : {0, 13, 14, 27}) {
                EXPECT_EQ(f.gui->hitTestStrip(kStripSource, x, y).strip, -1);
                EXPECT_EQ(f.gui->hitTestStrip(kStripTarget, x, y).control, -1);
            }
    }
}

TEST(FaderScales, MarksFollowTheirRules) {
    ScreenFixture f;
    FaderScale mixer;
    f.gui->buildMixerFader(mixer, 208.0f);
    EXPECT_NEAR(mixer.marks[0] / 208.0f, 0.99996f, 1e-5f); // +12 dB
    EXPECT_NEAR(mixer.marks[2] / 208.0f, 0.8333f, 1e-4f);  // 0 dB
    EXPECT_EQ(mixer.marks[12], 0.0f);                      // -60 dB, clamped
    FaderScale linear;
    f.gui->buildLinearFader(linear, 208.0f);
    EXPECT_EQ(linear.marks[0], 208.0f);
    EXPECT_NEAR(linear.marks[20], 20.8f, 1e-3f); // -20 dB
    f.gui->buildTrimFader(498.0f);
    EXPECT_EQ(f.gui->mixerPages.trimScale.marks[0], 249.0f);
}

TEST(FaderScales, ATableIsRebuiltOnlyWhenItsTravelOrRuleChanges) {
    ScreenFixture f;
    f.gui->console.verbose = 1;
    auto said = [&](const char* text) {
        return std::count(std::begin(f.gui->console.lines), std::end(f.gui->console.lines), text);
    };
    f.gui->buildTrimFader(498.0f);
    f.gui->buildTrimFader(498.0f);
    EXPECT_EQ(said("TRIM FADER BUILDER"), 1);
    f.gui->buildTrimFader(400.0f);
    EXPECT_EQ(said("TRIM FADER BUILDER"), 2);
    // Two rules taking turns in one table rebuild it every time.
    FaderScale shared;
    f.gui->buildLinearFader(shared, 100.0f);
    f.gui->buildMixerFader(shared, 100.0f);
    EXPECT_EQ(shared.kind, FaderScale::kMixer);
    EXPECT_NEAR(shared.marks[0], 99.996f, 1e-3f);
    f.gui->buildLinearFader(shared, 100.0f);
    EXPECT_EQ(shared.kind, FaderScale::kLinear);
    EXPECT_EQ(shared.marks[0], 100.0f);
}

TEST(StripLayout, TheRenameBoxGridIsFixed) {
    ScreenFixture f;
    const int32_t cases[][3] = {{0, 0, 20},     {21, 1260, 20}, {22, 0, 220},
                                {25, 180, 220}, {43, 0, 420},   {63, 1200, 420}};
    for (const auto& c : cases) {
        const ScreenPoint p = f.gui->stripOrigin(c[0]);
        EXPECT_EQ(p.x, c[1]) << c[0];
        EXPECT_EQ(p.y, c[2]) << c[0];
    }
}

} // namespace
