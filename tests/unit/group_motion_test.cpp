// Group rotation and movement.
#include <gtest/gtest.h>

#include <cmath>

#include "qxplatform/test_hooks.h"
#include "stage_fixture.h"

namespace {

struct GroupMotionTest : ::testing::Test, StageFixture {
    GroupMotionTest() {
        room(0, 0.0f, 0.0f, 200.0f, 100.0f);
        source(0, 150.0f, 50.0f);
        source(1, 50.0f, 50.0f);
        join(0, 0);
        join(1, 0);
        gui->groups[0].x = 50.0f;
        gui->groups[0].y = 50.0f;
        commit();
    }
    float distance(int s) const {
        const float dx = gui->sources[s].x - gui->groups[0].x;
        const float dy = gui->sources[s].y - gui->groups[0].y;
        return std::sqrt(dx * dx + dy * dy);
    }
};

TEST_F(GroupMotionTest, RotationKeepsTheDistanceAndTurnsDownwards) {
    const float halfPi = 1.5707964f;
    gui->groups[0].rotationSpeed = halfPi / 100.0f; // 1000 ms: pi / 2
    gui->rotateGroupMembers(0, 1000);
    EXPECT_NEAR(gui->sources[0].x, 50.0f, 1e-4);
    EXPECT_NEAR(gui->sources[0].y, 150.0f, 1e-4); // screen y grows downwards
    EXPECT_NEAR(distance(0), 100.0f, 1e-5);
    for (int step = 0; step < 1000; ++step) gui->rotateGroupMembers(0, 7);
    EXPECT_NEAR(distance(0), 100.0f, 1e-3);
}

TEST_F(GroupMotionTest, AMemberOnTheCentreStaysThere) {
    gui->rotateGroupMembers(0, 1000);
    EXPECT_EQ(gui->sources[1].x, 50.0f);
    EXPECT_EQ(gui->sources[1].y, 50.0f);
    EXPECT_FALSE(std::isnan(gui->sources[0].x));
}

TEST_F(GroupMotionTest, RotateGroupTurnsByAmountTimesHalfAMilliradian) {
    gui->rotateGroup(0, 0.0f);
    EXPECT_EQ(gui->sources[0].x, 150.0f);
    EXPECT_EQ(gui->sources[0].y, 50.0f);
    gui->rotateGroup(0, 2000.0f); // one radian
    EXPECT_NEAR(gui->sources[0].x, 50.0f + 100.0f * std::cos(1.0f), 1e-4);
    EXPECT_NEAR(gui->sources[0].y, 50.0f + 100.0f * std::sin(1.0f), 1e-4);
    EXPECT_EQ(gui->sources[1].x, 50.0f);
}

TEST_F(GroupMotionTest, MovementStepsAndWrapsInsideTheRoom) {
    GroupRecord& group = gui->groups[0];
    group.movementX = 1.0f;
    gui->stepGroupMovement(0, 0);
    EXPECT_EQ(gui->sources[0].x, 150.0f);
    gui->stepGroupMovement(0, 10);
    EXPECT_EQ(gui->sources[0].x, 151.0f);
    gui->sources[0].x = 199.0f; // right - 1
    group.movementX = 0.5f;
    gui->stepGroupMovement(0, 100); // +5
    EXPECT_EQ(gui->sources[0].x, 4.0f);
    group.movementX = 0.0f;
    group.movementY = -1.0f;
    gui->sources[0].y = 3.0f;
    gui->stepGroupMovement(0, 50); // -5
    EXPECT_EQ(gui->sources[0].y, 98.0f);
    // A member outside every room does not move.
    gui->sources[1].room = -1;
    const float before = gui->sources[1].y;
    gui->stepGroupMovement(0, 50);
    EXPECT_EQ(gui->sources[1].y, before);
    EXPECT_EQ(gui->sources[0].y, 93.0f);
}

TEST_F(GroupMotionTest, ClockedStepsCoverTheTimeSinceTheLastStep) {
    qxplatform::setManualClock(1000);
    gui->groups[0].movementOn = 1;
    gui->groups[0].movementX = 1.0f;
    gui->setMovementClock(1);
    EXPECT_EQ(gui->movementRunning, 1);
    qxplatform::setManualClock(1030);
    gui->advanceGroupMotion();
    EXPECT_EQ(gui->sources[0].x, 153.0f);
    EXPECT_EQ(gui->sendFlags[kSendGainMatrix], 1);
    gui->setMovementClock(0);
    qxplatform::setManualClock(2000);
    gui->advanceGroupMotion();
    EXPECT_EQ(gui->sources[0].x, 153.0f);
    qxplatform::releaseManualClock();
}

} // namespace
