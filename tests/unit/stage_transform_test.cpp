// The stage view transform, the marquee test and the syndication set.
#include <gtest/gtest.h>

#include "stage_fixture.h"

namespace {

TEST(StageTransform, ForwardAndBackAgreeAndTruncateTowardZero) {
    StageFixture f;
    QX_GUI& gui = *f.gui;
    gui.windowWidth = 800.0f;
    gui.windowHeight = 600.0f;
    gui.view.viewZoom = 2.0f;
    gui.view.viewPanX = 10.0f;
    gui.view.viewPanY = 0.0f;
    EXPECT_EQ(gui.stageToScreen(0.0f, 0.0f).x, 420);
    EXPECT_EQ(gui.stageToScreen(0.0f, 0.0f).y, 300);
    EXPECT_FLOAT_EQ(gui.screenToStage(420, 300).x, 0.0f);
    EXPECT_FLOAT_EQ(gui.screenToStage(420, 300).y, 0.0f);

    // With no window, zoom 1 and no pan a stage point is its own pixel, truncated.
    gui.windowWidth = gui.windowHeight = 0.0f;
    gui.view.viewZoom = 1.0f;
    gui.view.viewPanX = 0.0f;
    const struct {
        float stage;
        int32_t pixel;
    } cases[] = {{12.9f, 12}, {-0.5f, 0}, {-12.9f, -12}, {0.99f, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(gui.stageToScreen(c.stage, 0.0f).x, c.pixel) << c.stage;
        EXPECT_EQ(gui.stageToScreen(0.0f, c.stage).y, c.pixel) << c.stage;
    }
}

TEST(StageTransform, EveryMarqueeEdgeIsInsideAndAnEmptyMarqueeHoldsOnlyTheOrigin) {
    StageFixture f;
    QX_GUI& gui = *f.gui;
    const int32_t rect[4] = {10, 20, 30, 40};
    std::copy(rect, rect + 4, gui.marqueeRect);
    const struct {
        int32_t x, y;
        bool inside;
    } cases[] = {{10, 20, true},  {30, 40, true},  {10, 40, true}, {30, 20, true},
                 {20, 20, true},  {10, 30, true},  {9, 30, false}, {31, 30, false},
                 {20, 19, false}, {20, 41, false}, {0, 0, false}};
    for (const auto& c : cases)
        EXPECT_EQ(gui.isPointInMarquee(c.x, c.y), c.inside) << c.x << "," << c.y;
    std::fill(gui.marqueeRect, gui.marqueeRect + 4, 0);
    EXPECT_TRUE(gui.isPointInMarquee(0, 0));
    EXPECT_FALSE(gui.isPointInMarquee(1, 0));
    EXPECT_FALSE(gui.isPointInMarquee(0, -1));
}

struct SyndicationSet : ::testing::Test {
    StageFixture f;
    QX_GUI& gui = *f.gui;
    void SetUp() override {
        f.source(0, 10.9f, 5.0f); // truncated to 10: on the right edge
        f.source(1, -0.9f, 5.0f); // truncated to 0: on the left edge
        f.source(2, 11.0f, 5.0f); // outside
        f.source(3, 5.0f, 5.0f);  // inside, hidden below
        f.target(0, 5.0f, 5.0f);
        const int32_t rect[4] = {0, 0, 10, 10};
        std::copy(rect, rect + 4, gui.marqueeRect);
    }
    std::vector<int32_t> build(int32_t mode, int32_t kind) {
        gui.syndicationMode = mode;
        gui.buildSyndicationSet(kind);
        return std::vector<int32_t>(gui.syndicationSet,
                                    gui.syndicationSet + gui.syndicationSetCount);
    }
    void names(std::initializer_list<const char*> list) {
        gui.selectedCount = 0;
        for (const char* n : list) gui.selectedNames[gui.selectedCount++] = n;
    }
};

TEST_F(SyndicationSet, MarqueeModeTakesShownItemsByTruncatedPosition) {
    gui.sources[3].shown = 0;
    EXPECT_EQ(build(1, kKindSource), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(build(1, kKindTarget), (std::vector<int32_t>{0}));
    EXPECT_TRUE(build(0, kKindSource).empty());
}

TEST_F(SyndicationSet, NameModeTakesOnlyNamesOfTheKindAndBothModesAddTwice) {
    names({"S3", "T1", "S1"});
    EXPECT_EQ(build(2, kKindSource), (std::vector<int32_t>{2, 0}));
    EXPECT_EQ(build(2, kKindTarget), (std::vector<int32_t>{0}));
    names({"S1"});
    EXPECT_EQ(build(3, kKindSource), (std::vector<int32_t>{0, 1, 3, 0}));
}

TEST_F(SyndicationSet, TheSetStopsAtSixtyFourEntries) {
    for (int s = 0; s < 64; ++s) f.source(s, 5.0f, 5.0f);
    gui.selectedCount = 0;
    for (int s = 0; s < 64; ++s) gui.selectedNames[gui.selectedCount++] = gui.sources[s].name;
    build(3, kKindSource);
    EXPECT_EQ(gui.syndicationSetCount, 64);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(gui.syndicationSet[i], i);
}

} // namespace
