// Arrow-key nudging on the STAGE page.
#include <gtest/gtest.h>

#include <cmath>

#include "screen_fixture.h"

namespace {

struct ArrowFixture : ScreenFixture {
    ArrowFixture() {
        source(0, 100.0f, 100.0f);
        source(1, 200.0f, 100.0f);
        target(0, 0.0f, 0.0f);
        target(1, 50.0f, 0.0f);
        target(2, 80.0f, 0.0f);
    }
};

TEST(ArrowNudging, ArrowsMoveOneUnitAndTenWithShift) {
    struct Case {
        std::vector<int> held;
        int key;
        float dx, dy;
    };
    const Case cases[] = {
        {{}, VK_RIGHT, 1, 0},        {{VK_SHIFT}, VK_RIGHT, 10, 0}, {{}, VK_UP, 0, -1},
        {{VK_LEFT}, VK_DOWN, -1, 1}, {{VK_SHIFT}, VK_LEFT, -10, 0},
    };
    for (const Case& c : cases) {
        ArrowFixture f;
        f.gui->keyboard.arrowMode = 1;
        f.gui->keyboard.arrowIndex = 1;
        for (int k : c.held) qxplatform::setKeyDown(k, true);
        f.tap(c.key);
        EXPECT_EQ(f.gui->sources[1].x, 200.0f + c.dx) << c.key;
        EXPECT_EQ(f.gui->sources[1].y, 100.0f + c.dy) << c.key;
        EXPECT_EQ(f.gui->sources[0].x, 100.0f);
        EXPECT_EQ(f.gui->sendFlags[kSendSources], 1);
    }
}

TEST(ArrowNudging, ShiftPageDownChoosesTargetsAndStepsOnce) {
    ArrowFixture f;
    f.gui->keyboard.arrowMode = 1;
    f.hold({VK_SHIFT});
    f.tap(VK_NEXT);
    EXPECT_EQ(f.gui->keyboard.arrowMode, 2);
    EXPECT_EQ(f.gui->keyboard.arrowIndex, 1);
    EXPECT_EQ(f.gui->currentTarget, 0);
    EXPECT_EQ(f.gui->currentSource, -1);
    EXPECT_TRUE(f.consoleHas("move targets with arrow keys") ||
                f.gui->console.statusMessage == "move targets with arrow keys");
}

TEST(ArrowNudging, PageKeysWrapBothWaysAndAnEmptyKindChangesNothing) {
    ArrowFixture f;
    f.gui->keyboard.arrowMode = 2;
    f.gui->keyboard.arrowIndex = 0;
    f.tap(VK_PRIOR);
    EXPECT_EQ(f.gui->keyboard.arrowIndex, 2);
    f.tap(VK_NEXT);
    EXPECT_EQ(f.gui->keyboard.arrowIndex, 0);
    f.gui->keyboard.arrowIndex = 7; // items removed elsewhere
    f.tap(VK_RIGHT);
    EXPECT_EQ(f.gui->targets[2].x, 81.0f);
    f.gui->keyboard.arrowMode = 3; // no groups
    f.gui->groupCount = 0;
    f.gui->keyboard.arrowIndex = -1;
    f.tap(VK_PRIOR);
    EXPECT_EQ(f.gui->keyboard.arrowIndex, -1);
}

TEST(ArrowNudging, CAndVWithUpScaleOrTurnAGroupsMembers) {
    ArrowFixture f;
    f.gui->groupCount = 1;
    f.gui->groups[0].x = 150.0f;
    f.gui->groups[0].y = 100.0f;
    f.source(0, 140.0f, 100.0f);
    f.source(1, 160.0f, 100.0f);
    f.join(0, 0);
    f.join(1, 0);
    f.gui->keyboard.arrowMode = 3;
    f.hold({'C', 'V'});
    f.tap(VK_UP); // scales only
    const float apart = f.gui->sources[1].x - f.gui->sources[0].x;
    EXPECT_NEAR(apart, 22.222f, 1e-3f);
    EXPECT_EQ(f.gui->sources[0].y, 100.0f);
    EXPECT_EQ(f.gui->groups[0].y, 100.0f);
    f.letGo({'V'});
    f.tap(VK_DOWN);
    EXPECT_NEAR(f.gui->sources[1].x - f.gui->sources[0].x, apart * 0.9f, 1e-3f);
    f.letGo({'C'});
    f.hold({'V'});
    f.tap(VK_UP);
    EXPECT_NE(f.gui->sources[0].y, 100.0f);
    f.letGoAll();
    f.hold({VK_CONTROL});
    const float memberX = f.gui->sources[0].x;
    f.tap(VK_RIGHT);
    EXPECT_EQ(f.gui->groups[0].x, 151.0f);
    EXPECT_EQ(f.gui->sources[0].x, memberX + 1.0f);
    f.letGoAll();
    f.tap(VK_RIGHT);
    EXPECT_EQ(f.gui->groups[0].x, 152.0f);
    EXPECT_EQ(f.gui->sources[0].x, memberX + 1.0f);
}

} // namespace
