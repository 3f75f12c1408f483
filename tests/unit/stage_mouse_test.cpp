// The STAGE page's mouse: the head of the left press, double clicks, the wheel, hover, the
// drags from the state a press leaves, and the hit tests, driven through the mouse operations
// with the key state and the clock.
#include <gtest/gtest.h>

#include <cmath>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int kKeyF9 = 0x78;

struct StageScreen : ScreenFixture {
    StageScreen() {
        gui->graphicsReady = 1;
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        gui->groupCount = 0;
    }
    // The state a press leaves for a drag in `mode`, with the pointer at pixel (x, y).
    void pressed(int32_t mode, int32_t x, int32_t y) {
        gui->interaction.stageInteractionMode = mode;
        gui->interaction.pageMouseHold = 1;
        gui->interaction.dragStartPixelX = static_cast<float>(x);
        gui->interaction.dragStartPixelY = static_cast<float>(y);
    }
};

// ---- The head of the left press ------------------------------------------------------------

TEST(StagePress, TheSelectionStripAndTheSyndicationMenuTakeTheTopOfTheStage) {
    struct Case {
        int32_t x, y;
        Lines lines;
    } cases[] = {
        {125, 8, {"SWITCH_SELECT 1"}},
        {111, 8, {"SWITCH_SELECT 1"}},
        {290, 8, {"SWITCH_SELECT 10"}},
        {310, 8, {"SWITCH_SELECT 10"}},
        {311, 8, {"SWITCH_SELECT 10"}},
        {340, 8, {}},
        {110, 8, {}},
        {125, 12, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
        StageScreen f;
        f.gui->onLButtonDown(0, c.x, c.y);
        const Lines lines = f.takeLines();
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + std::min(lines.size(), c.lines.size())),
                  c.lines);
        EXPECT_EQ(lines.empty(), c.lines.empty());
        EXPECT_EQ(f.gui->interaction.pageMouseHold, c.lines.empty() ? 1 : 0) << "press record";
    }
}

TEST(StagePress, TheSyndicationSpotOpensItsMenuUnderTheStrip) {
    StageScreen f;
    f.gui->userMenus[0].name = "SYNDICATION_MODE";
    f.gui->userMenus[0].items[0] = "NONE|SYN_MODE NONE";
    f.gui->userMenus[0].itemCount = 1;
    f.gui->userMenuCount = 1;
    f.gui->chrome.popupSubmenuLevel = 3;
    f.gui->onLButtonDown(0, 385, 6);
    const PopupMenu& menu = f.gui->chrome.popupMenus[0];
    EXPECT_EQ(menu.open, 1);
    EXPECT_EQ(menu.x, 384);
    EXPECT_EQ(menu.y, 13);
    EXPECT_EQ(menu.itemCount, 1);
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 1);
    EXPECT_EQ(f.gui->chrome.popupSubmenuLevel, 0);
    EXPECT_EQ(f.gui->console.statusMessage, "GET SYNDICATION MODE MENU");
}

TEST(StagePress, TheSlicesStripDriftsAtTheDigitsStepOrStores) {
    struct Case {
        std::initializer_list<int> keys;
        bool drifts;
        float step;
        bool stores;
    } cases[] = {
        {{'3'}, true, 0.03f, false},        {{'3', VK_CONTROL}, true, 0.003f, false},
        {{'2', '7'}, true, 0.07f, false},   {{'0', '4'}, true, 0.1f, false},
        {{}, true, 0.05f, false},           {{VK_SHIFT}, false, 0.0f, true},
        {{VK_CONTROL}, false, 0.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "step " << c.step);
        StageScreen f;
        f.source(0, 40.0f, 40.0f);
        f.gui->marqueeRect[0] = f.gui->marqueeRect[1] = 0;
        f.gui->marqueeRect[2] = f.gui->marqueeRect[3] = 100;
        if (!c.stores) f.gui->storeSlice(2);
        f.hold(c.keys);
        f.gui->onLButtonDown(0, 572, 793);
        EXPECT_EQ(f.gui->sliceDrift.drifting, c.drifts ? 1 : 0);
        if (c.drifts) {
            EXPECT_EQ(f.gui->sliceDrift.driftSlice, 2);
            EXPECT_FLOAT_EQ(f.gui->sliceDrift.driftStep, c.step);
        }
        if (c.stores) {
            EXPECT_EQ(f.gui->slices[2].memberCount, 1);
        }
        EXPECT_EQ(f.gui->interaction.pageMouseHold, c.drifts || c.stores ? 0 : 1);
    }
}

TEST(StagePress, F9StartsTheZoomDragEvenOnASourceAndTheZoomStaysInItsRange) {
    StageScreen f;
    f.source(0, 0.0f, 0.0f);
    f.hold({kKeyF9});
    f.press(688, 400);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    EXPECT_EQ(f.gui->interaction.pageMouseHold, 1);
    f.move(688, 700); // 300 pixels down: half a unit of zoom
    EXPECT_NEAR(f.gui->view.viewZoom, 1.5f, 1e-4f);
    f.move(688, 5000);
    EXPECT_FLOAT_EQ(f.gui->view.viewZoom, 5.0f);
    f.move(688, -5000);
    EXPECT_FLOAT_EQ(f.gui->view.viewZoom, 0.1f);
}

// ---- Double clicks -------------------------------------------------------------------------

TEST(StageRelease, TwoReleasesUnder200TicksOverAShownSourceOpenItsNamingEntry) {
    struct Case {
        int32_t gap;
        bool names;
    } cases[] = {{199, true}, {200, false}, {1000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gap);
        StageScreen f;
        f.source(0, 0.0f, 0.0f);
        f.gui->sources[0].name = "KICK";
        f.gui->textEntry.textEntryId = 0;
        f.setClock(5000);
        f.click(688, 400);
        f.advanceClock(c.gap);
        f.click(690, 402);
        EXPECT_EQ(f.gui->textEntry.textEntryId, c.names ? 1 : 0);
        EXPECT_EQ(f.gui->textEntry.textEntryPrompt == "NAME SOURCE", c.names);
        if (c.names) {
            EXPECT_EQ(f.gui->textEntry.textEntryTitle, "KICK");
            EXPECT_EQ(f.gui->currentSource, 0);
            EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
        }
    }
}

TEST(StageRelease, ADoubleClickInsideTheMarqueeSelectsItAndLeavesNoEntryOpen) {
    struct Case {
        bool shift;
        const char* line;
    } cases[] = {{false, "SELECT MARQUEE"}, {true, "ADDSELECT MARQUEE"}};
    for (const Case& c : cases) {
        StageScreen f;
        f.gui->marqueeRect[0] = f.gui->marqueeRect[1] = -50;
        f.gui->marqueeRect[2] = f.gui->marqueeRect[3] = 50;
        if (c.shift) f.hold({VK_SHIFT});
        f.click(688, 400);
        f.advanceClock(100);
        f.takeLines();
        f.click(688, 400);
        const Lines lines = f.takeLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.line);
        EXPECT_EQ(f.gui->textEntry.textEntryId, 0);
    }
}

TEST(StageRelease, AnyLeftReleaseEndsTheDragAndOrdersTheMarqueeCorners) {
    StageScreen f;
    f.pressed(kModeSourceLevel, 688, 400);
    f.gui->marqueeRubberBand = 1;
    f.gui->marqueeRect[0] = 30;
    f.gui->marqueeRect[2] = -20;
    f.gui->marqueeRect[1] = 10;
    f.gui->marqueeRect[3] = -40;
    f.release(688, 400);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    EXPECT_EQ(f.gui->interaction.pageMouseHold, 0);
    EXPECT_EQ(f.gui->marqueeRubberBand, 0);
    EXPECT_EQ((std::array<int32_t, 4>{f.gui->marqueeRect[0], f.gui->marqueeRect[1],
                                      f.gui->marqueeRect[2], f.gui->marqueeRect[3]}),
              (std::array<int32_t, 4>{-20, -40, 30, 10}));
}

// ---- Right and middle buttons, wheel -------------------------------------------------------

TEST(StageRightButton, AGroupTogglesItsBoxAndSpinsASourceOrTargetOnlyTogglesTheirs) {
    StageScreen f;
    f.gui->groupCount = 1;
    f.gui->groups[0].x = 100.0f;
    f.source(0, -100.0f, 0.0f);
    const ScreenPoint group = f.stageToPixel(100.0f, 0.0f);
    const ScreenPoint source = f.stageToPixel(-100.0f, 0.0f);
    f.click(group.x, group.y, ScreenFixture::Button::Right);
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 1);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeAfterRightRelease)
        << "a right release ends in -1";
    f.gui->onRButtonDown(0, group.x, group.y);
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 0);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeGroupSpin);
    f.gui->onRButtonUp(0, group.x, group.y);
    f.gui->onRButtonDown(0, source.x, source.y);
    EXPECT_EQ(f.gui->stage.sourceInfoBoxOpen, 1);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    EXPECT_EQ(f.gui->chrome.popupLayerOpen, 0);
}

TEST(StageWheel, ZoomsOutOnAPositiveDeltaAndStopsAtItsLimitsOrTheViewLock) {
    struct Case {
        int32_t notches;
        float zoom;
        uint8_t lock;
        Lines lines;
    } cases[] = {
        {1, 1.0f, 0, {"ZOOM_OUT"}}, {-1, 1.0f, 0, {"ZOOM_IN"}}, {1, 0.25f, 0, {}},
        {-1, 4.0f, 0, {}},          {1, 1.0f, 2, {}},           {-1, 1.0f, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.notches << " at " << c.zoom << " lock " << int(c.lock));
        StageScreen f;
        f.gui->view.viewZoom = c.zoom;
        f.gui->view.stageLock = c.lock;
        f.wheel(c.notches);
        EXPECT_EQ(f.takeLines(), c.lines);
    }
}

TEST(StageMiddleButton, APanAtZoomTwoMovesHalfTheMouseTravelUnlessTheViewLockIsOne) {
    struct Case {
        uint8_t lock;
        float panX;
    } cases[] = {{0, 50.0f}, {2, 50.0f}, {1, 0.0f}};
    for (const Case& c : cases) {
        StageScreen f;
        f.gui->view.viewZoom = 2.0f;
        f.gui->view.stageLock = c.lock;
        f.move(600, 400);
        f.press(600, 400, ScreenFixture::Button::Middle);
        f.move(700, 400);
        f.release(700, 400, ScreenFixture::Button::Middle);
        EXPECT_FLOAT_EQ(f.gui->view.viewPanX, c.panX);
        EXPECT_FLOAT_EQ(f.gui->view.viewPanY, 0.0f);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    }
}

// ---- Drags ---------------------------------------------------------------------------------

float levelAfter(float start, int32_t dy, bool shift) {
    StageScreen f;
    f.source(0, 0.0f, 0.0f);
    f.pressed(kModeSourceLevel, 688, 400);
    f.gui->stage.pickedSource = 0;
    f.gui->interaction.dragStartValue = start;
    if (shift) f.hold({VK_SHIFT});
    f.move(688, 400 + dy);
    return f.gui->sources[0].level;
}

TEST(StageDrags, ALevelDragSnapsAroundUnityAndStaysInZeroToFour) {
    // Ten pixels up raise the fader position by 0.06, about x1.514 in gain.
    const float up10 = std::exp(6.91f * 0.06f);
    EXPECT_FLOAT_EQ(levelAfter(1.01f / up10, -10, false), 1.0f);
    EXPECT_NEAR(levelAfter(1.06f / up10, -10, false), 1.06f, 1e-3f);
    EXPECT_NEAR(levelAfter(0.5f, -10, false), 0.5f * up10, 1e-3f);
    EXPECT_FLOAT_EQ(levelAfter(1.0f, -2000, false), 4.0f);
    const float low = levelAfter(1.0f, 2000, false);
    EXPECT_GE(low, 0.0f);
    EXPECT_LT(low, 1e-6f);
    EXPECT_FLOAT_EQ(levelAfter(0.0f, -300, false), 0.0f);
    // SHIFT: the same travel moves the fader position a quarter as far.
    const FaderLaw law;
    const float plain = law.gainToPosition(levelAfter(0.5f, -40, false)) - law.gainToPosition(0.5f);
    const float fine = law.gainToPosition(levelAfter(0.5f, -40, true)) - law.gainToPosition(0.5f);
    EXPECT_NEAR(plain, 4.0f * fine, 1e-4f);
}

TEST(StageDrags, ARoomsLeftEdgeStopsTwentyUnitsBeforeItsRightEdge) {
    StageScreen f;
    f.room(0, -100.0f, -100.0f, 200.0f, 200.0f);
    f.gui->stage.roomResizing = 1;
    f.gui->stage.stageHoverIndex = 0;
    f.gui->stage.hoveredRoomHandle = 2;
    const ScreenPoint far = f.stageToPixel(500.0f, 0.0f);
    f.move(far.x, far.y);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].x, 80.0f);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].width, 20.0f);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].x + f.gui->rooms[0].width, 100.0f);
    EXPECT_FLOAT_EQ(f.gui->rooms[0].height, 200.0f);
}

TEST(StageDrags, ASourceDraggedPastItsRoomStaysOnTheBoundAndSnapsToTens) {
    StageScreen f;
    f.room(0, -100.0f, -100.0f, 200.0f, 200.0f);
    f.source(0, 0.0f, 0.0f);
    f.gui->guiSnap = 1;
    f.gui->beginDragSource(0, 3.0f, 2.0f);
    f.pressed(kModeSourceMove, 688, 400);
    f.gui->stage.pickedSource = 0;
    const ScreenPoint out = f.stageToPixel(400.0f, 37.0f);
    f.move(out.x, out.y);
    EXPECT_FLOAT_EQ(f.gui->sources[0].x, 100.0f);
    EXPECT_FLOAT_EQ(f.gui->sources[0].y, 30.0f);
}

TEST(StageDrags, GroupScalingWithoutVerticalMotionShrinksByThreePercentPerEvent) {
    StageScreen f;
    f.gui->groupCount = 1;
    f.source(0, 100.0f, 50.0f);
    f.join(0, 0);
    f.pressed(kModeGroupScale, 688, 400);
    f.gui->stage.pickedGroup = 0;
    f.move(700, 400);
    f.move(710, 400);
    EXPECT_NEAR(f.gui->sources[0].x, 100.0f * 0.97f * 0.97f, 1e-3f);
    EXPECT_NEAR(f.gui->sources[0].y, 50.0f * 0.97f * 0.97f, 1e-3f);
    f.move(710, 390); // ten pixels up: grows
    EXPECT_NEAR(f.gui->sources[0].x, 100.0f * 0.97f * 0.97f * 1.0309278f, 1e-3f);
}

TEST(StageDrags, ADragWhosePickedItemLeftItsTableChangesNothing) {
    const int32_t modes[] = {
        kModeSourceMove,  kModeGroupMove,    kModeTargetMove, kModeAnnotationMove, kModeCableLevel,
        kModeSourceLevel, kModeSourceSize,   kModeGroupScale, kModeTargetRadius,   kModeGroupLevel,
        kModeTargetLevel, kModeFeedbackGain, kModeGroupSpin,  kModeGroupRotate,    kModeGroupNudge};
    for (int32_t mode : modes) {
        SCOPED_TRACE(mode);
        StageScreen f;
        f.source(0, 0.0f, 0.0f);
        f.pressed(mode, 688, 400);
        StageState& m = f.gui->stage;
        m.pickedSource = m.pickedTarget = m.pickedGroup = 7;
        m.pickedCable = 3;
        m.pickedFeedbackEntry = 70;
        std::fill(std::begin(f.gui->sendFlags), std::end(f.gui->sendFlags), 0);
        f.move(600, 300);
        EXPECT_EQ(f.gui->sendFlags[kSendSources] + f.gui->sendFlags[kSendTargets] +
                      f.gui->sendFlags[kSendGroups] + f.gui->sendFlags[kSendCables],
                  0);
    }
}

// ---- Hover ---------------------------------------------------------------------------------

TEST(StageHover, TheToolsRowsOfGroupRotationAndMovementLightTheirSwitches) {
    struct Case {
        int32_t y;
        uint8_t rotation, movement;
    } cases[] = {{469, 1, 0}, {480, 0, 1}, {447, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        StageScreen f;
        f.gui->chrome.toolboxX = f.gui->chrome.toolboxY = 0.0f;
        f.gui->chrome.toolboxTextCount = 60; // as the graphics start-up sets it
        f.move(30, c.y);
        EXPECT_EQ(f.gui->stage.toolsHoverRotation, c.rotation);
        EXPECT_EQ(f.gui->stage.toolsHoverMovement, c.movement);
    }
}

TEST(StageHover, AMoveOverItemsLeavesAnOpenTextEntryAndTheHighlightAlone) {
    StageScreen f;
    f.source(0, 0.0f, 0.0f);
    f.gui->textEntry.textEntryId = 1;
    f.gui->stageView.highlightSize = 50;
    f.move(900, 100); // over nothing
    f.move(688, 400); // over the source
    EXPECT_EQ(f.gui->textEntry.textEntryId, 1);
    EXPECT_EQ(f.gui->stageView.highlightSize, 50);
}

// ---- Hit tests and selectors ---------------------------------------------------------------

TEST(StageHitTests, TheLowerIndexWinsAndTheReachIsStrict) {
    StageScreen f;
    f.source(0, 0.0f, 0.0f);
    f.source(1, 5.0f, 0.0f);
    struct Case {
        float x, y;
        int32_t hit;
    } cases[] = {{3.0f, 0.0f, 0},   {9.0f, 0.0f, 0},   {12.0f, 0.0f, 1}, {10.0f, 0.0f, 1},
                 {15.0f, 0.0f, -1}, {0.0f, 10.0f, -1}, {0.0f, -9.9f, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(f.gui->hitSource(c.x, c.y), c.hit) << c.x << ", " << c.y;
    }
    f.gui->textEntry.textEntryId = 4;
    EXPECT_EQ(f.gui->hitSourceNoReset(100.0f, 0.0f), -1);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 4);
    EXPECT_EQ(f.gui->hitSource(100.0f, 0.0f), -1);
    EXPECT_EQ(f.gui->textEntry.textEntryId, 0);
    f.gui->groupCount = 1;
    f.gui->groups[0].x = 50.0f;
    EXPECT_EQ(f.gui->hitGroup(64.0f, 0.0f), 0);
    EXPECT_EQ(f.gui->hitGroup(65.0f, 0.0f), -1);
    EXPECT_EQ(f.gui->stageView.highlightSize, 10);
}

TEST(StageSelectors, EachSyndicationModeAddressesThePressedItem) {
    StageScreen f;
    f.source(0, 0.0f, 0.0f);
    f.source(1, 500.0f, 0.0f);
    f.gui->sources[0].name = "S1";
    f.gui->sources[1].name = "S2";
    f.gui->marqueeRect[0] = f.gui->marqueeRect[1] = -50;
    f.gui->marqueeRect[2] = f.gui->marqueeRect[3] = 50;
    f.gui->selectedNames[0] = "S1";
    f.gui->selectedCount = 1;
    struct Case {
        int32_t mode, index;
        const char* name;
        const char* word;
    } cases[] = {
        {0, 0, "S1", "S1"},          {1, 0, "S1", "MARQUEE"}, {1, 1, "S2", "S2"},
        {2, 0, "S1", "SYNDICATION"}, {2, 1, "S2", "S2"},      {3, 0, "S1", "SYNDICATIONMARQUEE"},
        {3, 1, "S2", "S2"},
    };
    for (const Case& c : cases) {
        f.gui->syndicationMode = c.mode;
        EXPECT_EQ(f.gui->chooseSyndicationMode(c.name, kKindSource, c.index, 0), c.word)
            << "mode " << c.mode << " " << c.name;
    }
    f.gui->syndicationMode = 2;
    EXPECT_EQ(f.gui->selectSyndicationFromType("S2", kKindSource, 1, 0), "S2");
    EXPECT_EQ(f.gui->selectSyndicationFromType("S1", kKindSource, 0, 0), "S1 ");
}

} // namespace
