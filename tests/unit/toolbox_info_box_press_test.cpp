// Presses on the toolbox rows, the TOOLS and MASTER titles, and the controls of the open info
// boxes, in a 1376 x 800 window with the toolbox at (0, 0).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"
#include "view/stage/info_box_layout.h"

namespace {

using Lines = std::vector<std::string>;

struct PressStage : ScreenFixture {
    PressStage() {
        gui->graphicsReady = 1;
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        lines.clear();
    }
    // One press and release at a window pixel; the lines it ran.
    Lines pressLines(int32_t x, int32_t y, std::initializer_list<int> keys = {}) {
        advanceClock(1000); // no double click
        hold(keys);
        lines.clear();
        press(x, y);
        const Lines got = takeLines();
        release(x, y);
        letGoAll();
        lines.clear();
        return got;
    }
};

// ---- Toolbox and MASTER box ---------------------------------------------------------------

const std::map<int, std::string> kRowLines = {
    {1, "TOGGLE ROOM_VISIBILITY"},   {2, "TOGGLE TARGET_VISIBILITY"},
    {3, "TOGGLE GROUP_VISIBILITY"},  {4, "TOGGLE SOURCE_VISIBILITY"},
    {5, "TOGGLE CABLE_VISIBILITY"},  {6, "TOGGLE X_HAIR_VISIBILITY"},
    {7, "TOGGLE GRID_VISIBILITY"},   {10, "TOGGLE ROOM_LABELS"},
    {11, "TOGGLE TARGET_LABELS"},    {12, "TOGGLE GROUP_LABELS"},
    {13, "TOGGLE SOURCE_LABELS"},    {15, "TOGGLE STAGE_LOCKS"},
    {16, "TOGGLE ROOM_LOCKS"},       {17, "TOGGLE TARGET_LOCKS"},
    {18, "TOGGLE GROUP_LOCKS"},      {19, "TOGGLE SOURCE_LOCKS"},
    {26, "ENTER SOURCE_COUNT"},      {27, "ENTER TARGET_COUNT"},
    {33, "DISMISS SOURCE_MUTES"},    {34, "DISMISS SOURCE_SOLOS"},
    {36, "DISMISS TARGET_MUTES"},    {37, "DISMISS TARGET_SOLOS"},
    {39, "DISMISS GROUP_MUTES"},     {40, "DISMISS GROUP_SOLOS"},
    {41, "TOGGLE ROTATION"},         {42, "TOGGLE MOVEMENT"},
    {44, "DISMISS ROOM_MUTES"},      {45, "DISMISS ROOM_SOLOS"},
    {47, "DISMISS CABLE_MUTES"},     {48, "DISMISS CABLE_SOLOS"},
    {50, "TOGGLE VISUALISATIONS"},   {52, "ZOOM_LEVEL 2.0"},
    {53, "ZOOM_LEVEL 1.0"},          {54, "ZOOM_LEVEL 0.5"},
    {56, "TOGGLE GUI_SNAP"},         {58, "DISMISS SOURCE_CLIPPING"},
    {59, "DISMISS TARGET_CLIPPING"},
};

// Every row, pressed in the middle of its drawn box: its line, or nothing for the headings
// and the two annotation switches; no row reaches the stage below it.
TEST(ToolboxPress, EveryRowRunsItsLineAndNothingElse) {
    for (int r = 0; r < 60; ++r) {
        SCOPED_TRACE(r);
        PressStage f;
        f.source(0, -688.0f + 30.0f, -400.0f + 18.0f + 11.0f * r); // under the row
        f.gui->sendFlags[kSendPanelLayout] = 0;
        f.gui->currentSource = -1;
        const Lines got = f.pressLines(30, 18 + 11 * r);
        if (r == 29) continue; // the mix-mode menu, below
        const auto line = kRowLines.find(r);
        if (line == kRowLines.end()) {
            EXPECT_TRUE(got.empty()) << got.front();
        } else {
            ASSERT_FALSE(got.empty());
            EXPECT_EQ(got.front(), line->second);
        }
        EXPECT_EQ(f.gui->sendFlags[kSendPanelLayout], 1);
        EXPECT_EQ(f.gui->currentSource, -1) << "the source under the row is not pressed";
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    }
}

TEST(ToolboxPress, AnnotationRowsFlipTheirSwitchesWithNoLine) {
    PressStage f;
    const uint8_t shown = f.gui->stageView.annotationVisibility;
    const uint8_t locked = f.gui->stageView.annotationLocks;
    EXPECT_TRUE(f.pressLines(30, 18 + 11 * 8).empty());
    EXPECT_EQ(f.gui->stageView.annotationVisibility, shown ? 0 : 1);
    EXPECT_TRUE(f.pressLines(30, 18 + 11 * 20).empty());
    EXPECT_EQ(f.gui->stageView.annotationLocks, locked ? 0 : 1);
    f.pressLines(30, 18 + 11 * 8);
    EXPECT_EQ(f.gui->stageView.annotationVisibility, shown);
}

TEST(ToolboxPress, TitlesEdgesAndTheMixModeMenu) {
    PressStage f;
    EXPECT_EQ(f.pressLines(30, 6), (Lines{"TOGGLE_PANEL TOOLBOX"}));
    EXPECT_EQ(f.pressLines(1340, 6), (Lines{"TOGGLE_PANEL MASTER"}));
    f.source(0, -688.0f, -360.0f); // at pixel (0, 40), on the toolbox's left edge
    EXPECT_TRUE(f.pressLines(0, 40).empty());
    EXPECT_EQ(f.gui->currentSource, 0) << "the edge misses the rows; the source takes it";

    PressStage m;
    EXPECT_TRUE(m.pressLines(30, 18 + 11 * 29).empty());
    EXPECT_EQ(m.gui->chrome.popupMenus[0].open, 1);
    EXPECT_EQ(m.gui->chrome.popupLayerOpen, 1);
    EXPECT_EQ(m.gui->chrome.popupMenus[0].x, 32);
    EXPECT_EQ(m.gui->chrome.popupMenus[0].y, 324); // 660 x (337 - 13) / 660, from the window's top
    EXPECT_EQ(m.gui->console.statusMessage, "GET MIX MODE MENU");
}

TEST(ToolboxPress, FoldedRowsLetThePressThrough) {
    PressStage f;
    f.gui->chrome.toolboxFolded = 1;
    f.source(0, -688.0f + 30.0f, -400.0f + 18.0f + 11.0f * 2);
    EXPECT_TRUE(f.pressLines(30, 18 + 11 * 2).empty());
    EXPECT_EQ(f.gui->currentSource, 0);
    EXPECT_EQ(f.pressLines(30, 6), (Lines{"TOGGLE_PANEL TOOLBOX"}));
}

// What the room-edge hover treats as the toolbox: the whole box while open, its title bar
// alone (as wide as the open box) while folded; edges are outside.
TEST(ToolboxPress, TheToolboxCoversItsTitleAloneWhileFolded) {
    struct Case {
        int32_t folded, x, y;
        bool over;
    };
    const Case cases[] = {
        {0, 30, 6, true},   {1, 30, 6, true},   {0, 30, 100, true},  {1, 30, 100, false},
        {0, 63, 6, true},   {1, 63, 6, true},   {0, 64, 6, false},   {1, 64, 6, false},
        {0, 30, 672, true}, {1, 30, 13, false}, {0, 30, 673, false},
    };
    PressStage f;
    for (const Case& c : cases) {
        f.gui->chrome.toolboxFolded = c.folded;
        EXPECT_EQ(f.gui->isOverToolbox(c.x, c.y), c.over)
            << "folded " << c.folded << " at " << c.x << "," << c.y;
    }
}

// ---- Info boxes ---------------------------------------------------------------------------

// Twelve sources far from the box, group G1 at stage (0, 0) with its box open: the box's
// corner is at (637, 340).
struct GroupBoxStage : PressStage {
    GroupBoxStage() {
        for (int s = 0; s < 12; ++s) source(s, -600.0f + 20.0f * s, 300.0f);
        gui->groupCount = 2;
        gui->groups[0].x = gui->groups[0].y = 0.0f;
        gui->groups[0].name = "G1";
        gui->groups[1].x = 500.0f;
        gui->groups[1].name = "G2";
        gui->currentGroup = 0;
        gui->stage.groupInfoBoxOpen = 1;
    }
};

TEST(InfoBoxPress, GroupBoxControls) {
    GroupBoxStage f;
    EXPECT_TRUE(f.pressLines(648, 356).empty());
    EXPECT_EQ(f.gui->sources[0].groupFlags[0], 1);
    EXPECT_TRUE(f.gui->groups[0].isMember(0));
    f.pressLines(648, 356);
    EXPECT_EQ(f.gui->sources[0].groupFlags[0], 0);
    EXPECT_FALSE(f.gui->groups[0].isMember(0));
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 1);
    EXPECT_EQ(f.gui->stageView.highlightSize, 50);

    f.pressLines(729, 439); // cell 63, past the twelve sources
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 1);
    EXPECT_EQ(f.gui->groups[0].memberCount, 0);

    f.gui->groups[0].rotationSpeed = 0.2f;
    f.hold({VK_CONTROL});
    f.press(700, 470);
    EXPECT_EQ(f.gui->groups[0].rotationSpeed, 0.0f);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
    f.release(700, 470);
    f.letGoAll();

    f.advanceClock(1000);
    f.press(700, 470);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeInfoBoxSpin);
    f.release(700, 470);

    f.gui->groups[0].movementX = f.gui->groups[0].movementY = 0.0f;
    f.advanceClock(1000);
    f.hold({VK_CONTROL, VK_SHIFT});
    f.gui->groups[0].movementX = 0.01f; // still on the middle handle
    f.gui->groups[0].movementY = -0.01f;
    f.press(790, 400);
    EXPECT_EQ(f.gui->groups[0].movementX, 0.0f);
    EXPECT_EQ(f.gui->groups[0].movementY, 0.0f);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle) << "no drag starts";
    f.release(790, 400);
    f.letGoAll();

    f.advanceClock(1000);
    f.press(790, 400);
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeInfoBoxMovement);
    f.release(790, 400);
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 1);
}

// A press in the box's lower margin closes it and goes on to the stage beneath.
TEST(InfoBoxPress, AMissClosesTheBoxAndThePressGoesOn) {
    GroupBoxStage f;
    f.source(0, 640.0f - 688.0f, 481.0f - 400.0f);
    f.pressLines(640, 481);
    EXPECT_EQ(f.gui->stage.groupInfoBoxOpen, 0);
    EXPECT_EQ(f.gui->currentSource, 0);
}

TEST(InfoBoxPress, SourceAndTargetBoxesSetGroupsAndChannels) {
    PressStage f;
    f.source(0, 0.0f, 0.0f);
    f.target(0, 300.0f, 0.0f);
    f.gui->groupCount = 5;
    f.gui->currentSource = 0;
    f.gui->stage.sourceInfoBoxOpen = 1;
    // Source box corner (637, 377): groups at (641, 389), channels at (641, 417).
    f.pressLines(641 + 12 * 3 + 2, 389 + 5); // group cell 3
    EXPECT_EQ(f.gui->sources[0].groupFlags[3], 1);
    EXPECT_TRUE(f.gui->groups[3].isMember(0));
    f.pressLines(641 + 12 * 6 + 2, 389 + 5); // cell 6: no group 6
    EXPECT_EQ(f.gui->sources[0].groupFlags[6], 0);
    EXPECT_EQ(f.gui->stage.sourceInfoBoxOpen, 1);
    f.pressLines(641 + 2, 417 + 3 * 94 / 8 + 2); // row 3, column 0
    EXPECT_EQ(f.gui->sources[0].virtualChannel, 24);

    f.gui->currentTarget = 0;
    f.gui->stage.targetInfoBoxOpen = 1;
    // The press above closed nothing; target box corner (937, 340), channels at (942, 352).
    f.pressLines(942 + 94 - 2, 352 + 94 - 2); // cell 63
    EXPECT_EQ(f.gui->targets[0].virtualChannel, 63);
    EXPECT_EQ(f.gui->stage.targetInfoBoxOpen, 1);
    EXPECT_EQ(f.gui->stage.sourceInfoBoxOpen, 0) << "the source box's miss closed it";
}

// Every cell the drawing paints is pressed as that cell: the drawn grids and handle lie on the
// press geometry.
TEST(InfoBoxPress, DrawnCellsAndHandleAreWherePressesLand) {
    namespace ib = info_box;
    GroupBoxStage f;
    for (int s = 12; s < 64; ++s) f.source(s, -600.0f + 10.0f * s, 300.0f);
    for (int cell = 0; cell < 64; ++cell) {
        SCOPED_TRACE(cell);
        const ib::Rect r = ib::cellRect(cell);
        const int x = 688 + static_cast<int>(ib::kChannelGridOrigin.x + (r.x0 + r.x1) * 0.5f);
        const int y = 400 + static_cast<int>(ib::kChannelGridOrigin.y + (r.y0 + r.y1) * 0.5f);
        f.pressLines(x, y);
        EXPECT_EQ(f.gui->sources[cell].groupFlags[0], 1);
    }
    const ib::Rect h = ib::movementHandle(0.0f, 0.0f);
    f.advanceClock(1000);
    f.press(688 + static_cast<int>(ib::kChannelGridOrigin.x + (h.x0 + h.x1) * 0.5f),
            400 + static_cast<int>(ib::kChannelGridOrigin.y + (h.y0 + h.y1) * 0.5f));
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeInfoBoxMovement);
}

} // namespace
