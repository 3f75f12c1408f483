// The upkeep hooks, the cable table, the count setters, resets and small model services.
#include <gtest/gtest.h>

#include <vector>

#include "model/colour.h"
#include "qxplatform/test_hooks.h"
#include "stage_fixture.h"

namespace {

struct UpkeepTest : ::testing::Test, StageFixture {};

// ---- Room membership, group mute and solo, summaries: small scenes ---------------------------

struct Scene {
    const char* what;
    std::vector<std::pair<float, float>> sources;
    std::vector<std::vector<int>> groupMembers; // per group g, its member sources
    std::vector<int> mutedGroups;
    std::vector<int> soloedGroups;
    std::vector<int> expectedRoom;
    std::vector<int> expectedGroupMuted;
    std::vector<int> expectedGroupSoloed;
};

TEST_F(UpkeepTest, HooksKeepRoomsGroupsAndSummariesRight) {
    const Scene scenes[] = {
        {"right edge is inside",
         {{100.0f, 50.0f}, {100.01f, 50.0f}},
         {},
         {},
         {},
         {0, -1},
         {0, 0},
         {0, 0}},
        {"overlap ends in the highest room",
         {{150.0f, 50.0f}, {5.0f, 5.0f}},
         {},
         {},
         {},
         {2, 0},
         {0, 0},
         {0, 0}},
        {"highest muted group decides",
         {{5.0f, 5.0f}, {5.0f, 5.0f}},
         {{0, 1}, {0}},
         {0},
         {},
         {0, 0},
         {0, 1},
         {0, 0}},
        {"a muted higher group wins", {{5.0f, 5.0f}}, {{0}, {0}}, {1}, {0}, {0}, {1}, {0}},
        {"solo goes to members only",
         {{5.0f, 5.0f}, {5.0f, 5.0f}, {5.0f, 5.0f}},
         {{}, {}, {1, 2}},
         {},
         {2},
         {0, 0, 0},
         {0, 0, 0},
         {0, 1, 1}},
    };
    for (const Scene& scene : scenes) {
        StageFixture f;
        f.room(0, 0.0f, 0.0f, 100.0f, 100.0f);
        f.room(1, 300.0f, 300.0f, 10.0f, 10.0f);
        f.room(2, 120.0f, 0.0f, 100.0f, 100.0f);
        for (size_t s = 0; s < scene.sources.size(); ++s)
            f.source(static_cast<int>(s), scene.sources[s].first, scene.sources[s].second);
        for (size_t g = 0; g < scene.groupMembers.size(); ++g)
            for (int s : scene.groupMembers[g]) f.join(s, static_cast<int>(g));
        for (int g : scene.mutedGroups) f.gui->groups[g].mute = 1;
        for (int g : scene.soloedGroups) f.gui->groups[g].solo = 1;
        f.commit();
        for (size_t s = 0; s < scene.sources.size(); ++s) {
            EXPECT_EQ(f.gui->sources[s].room, scene.expectedRoom[s]) << scene.what << " S" << s;
            EXPECT_EQ(f.gui->sources[s].groupMuted, scene.expectedGroupMuted[s]) << scene.what;
            EXPECT_EQ(f.gui->sources[s].groupSoloed, scene.expectedGroupSoloed[s]) << scene.what;
        }
        EXPECT_EQ(f.gui->anyGroupMuted, scene.mutedGroups.empty() ? 0 : 1) << scene.what;
        EXPECT_EQ(f.gui->anyGroupSoloed, scene.soloedGroups.empty() ? 0 : 1) << scene.what;
    }
}

TEST_F(UpkeepTest, RoomListsNameEveryItemInsideThemAndGroupsByHandle) {
    room(0, 0.0f, 0.0f, 200.0f, 200.0f);
    room(1, 100.0f, 0.0f, 200.0f, 200.0f);
    source(0, 150.0f, 10.0f);
    target(0, 150.0f, 20.0f);
    gui->groups[9].x = 250.0f;
    gui->groups[9].y = 10.0f;
    commit();
    EXPECT_EQ(gui->sources[0].room, 1);
    EXPECT_EQ(gui->targets[0].room, 1);
    EXPECT_EQ(gui->rooms[0].sourceCount, 1);
    EXPECT_EQ(gui->rooms[1].sourceList[0], 0);
    EXPECT_EQ(gui->rooms[0].targetFlags[0], 1);
    EXPECT_EQ(gui->rooms[1].groupFlags[9], 1);
    EXPECT_EQ(gui->rooms[0].groupFlags[9], 0);
    EXPECT_EQ(gui->rooms[1].groupList[gui->rooms[1].groupCount - 1], 9);
    // Leaving every room clears room but keeps lastRoom.
    source(0, 5000.0f, 0.0f);
    commit();
    EXPECT_EQ(gui->sources[0].room, -1);
    EXPECT_EQ(gui->sources[0].lastRoom, 1);
    EXPECT_EQ(gui->rooms[1].sourceCount, 0);
}

TEST_F(UpkeepTest, SummariesFollowEveryKind) {
    room(0, 0.0f, 0.0f, 100.0f, 100.0f);
    source(0, 1.0f, 1.0f);
    target(0, 1.0f, 1.0f);
    cable(0, 0);
    commit();
    EXPECT_EQ(gui->anySourceMuted + gui->anyTargetSoloed + gui->anyRoomMuted + gui->anyCableSoloed,
              0);
    gui->sources[0].mute = 2; // a stored 2 counts in the sums
    gui->targets[0].solo = 1;
    gui->rooms[0].mute = 1;
    gui->cables[0].solo = 1;
    gui->cables[0].mute = 2; // but cables count only 1
    commit();
    EXPECT_EQ(gui->anySourceMuted, 1);
    EXPECT_EQ(gui->anyTargetSoloed, 1);
    EXPECT_EQ(gui->anyRoomMuted, 1);
    EXPECT_EQ(gui->anyCableSoloed, 1);
    EXPECT_EQ(gui->anyCableMuted, 0);
    gui->clearAllMuteSolo();
    commit();
    EXPECT_EQ(gui->anySourceMuted + gui->anyTargetSoloed + gui->anyRoomMuted + gui->anyCableSoloed,
              0);
}

// ---- Cables ----------------------------------------------------------------------------------

TEST_F(UpkeepTest, AddPendingCableAppendsAndMarksThePair) {
    source(0, 0.0f, 0.0f);
    target(1, 0.0f, 0.0f);
    gui->pendingCableLevel = 0.3f;
    EXPECT_EQ(cable(0, 1), 0);
    const CableRecord& c = gui->cables[0];
    EXPECT_EQ(c.source, 0);
    EXPECT_EQ(c.target, 1);
    EXPECT_EQ(c.level, 0.5f);
    EXPECT_EQ(c.useGroups, 1);
    EXPECT_EQ(gui->targets[1].cabled[0], 1);
    EXPECT_EQ(gui->targets[1].gainRow[0], 0.3f);
    EXPECT_EQ(gui->pendingCableSource, -1);
    EXPECT_EQ(gui->cableCount, 1);
    gui->pendingCableSource = -1;
    EXPECT_EQ(gui->addPendingCable(), -1);
    EXPECT_EQ(gui->cableCount, 1);
}

TEST_F(UpkeepTest, AFullCableTableRefusesWithAMessage) {
    source(0, 0.0f, 0.0f);
    target(0, 0.0f, 0.0f);
    for (int c = 0; c < QX_GUI::kMaxCables; ++c) {
        gui->cables[c].source = 0;
        gui->cables[c].target = 0;
    }
    gui->cableCount = QX_GUI::kMaxCables;
    EXPECT_EQ(cable(0, 0), -1);
    EXPECT_EQ(gui->cableCount, QX_GUI::kMaxCables);
    EXPECT_TRUE(consoleHas("MAXIMUM NUMBER OF CABLES = 4096"));
}

TEST_F(UpkeepTest, RemoveCableCompactsAndKeepsTheFlagWhileADuplicateRemains) {
    for (int s = 0; s < 3; ++s) source(s, 0.0f, 0.0f);
    target(0, 0.0f, 0.0f);
    cable(0, 0);
    cable(1, 0);
    cable(2, 0);
    cable(1, 0); // a duplicate of the pair (1, 0)
    gui->cables[2].useGroups = 0;
    gui->cables[2].level = 0.9f;
    gui->cables[2].mute = 1;
    gui->cables[2].phase = -1.0f;

    gui->removeCable(1);
    ASSERT_EQ(gui->cableCount, 3);
    EXPECT_EQ(gui->targets[0].cabled[1], 1); // cable 3 still joins S2 and T1
    EXPECT_EQ(gui->cables[0].source, 0);
    EXPECT_EQ(gui->cables[1].source, 2);
    EXPECT_EQ(gui->cables[1].useGroups, 0);
    EXPECT_EQ(gui->cables[1].level, 0.9f);
    EXPECT_EQ(gui->cables[1].mute, 1);
    EXPECT_EQ(gui->cables[1].phase, -1.0f);
    EXPECT_EQ(gui->cables[2].source, 1);

    gui->removeCable(2);
    EXPECT_EQ(gui->targets[0].cabled[1], 0);
    EXPECT_EQ(gui->cableCount, 2);
    gui->removeCable(7); // no such cable
    gui->removeCable(-1);
    EXPECT_EQ(gui->cableCount, 2);
}

// ---- Counts --------------------------------------------------------------------------------

TEST_F(UpkeepTest, SetSourceCountAddsInAGridAndStopsAt64) {
    room(0, 10.0f, 20.0f, 200.0f, 400.0f); // six columns of 30
    gui->setRoomCount(1);
    gui->setSourceCount(4);
    gui->setSourceCount(70);
    EXPECT_EQ(gui->sourceCount, 64);
    EXPECT_EQ(gui->currentSource, 63);
    const SourceRecord& s5 = gui->sources[4]; // the first of the second batch: k = 0
    EXPECT_EQ(s5.x, 30.0f);
    EXPECT_EQ(s5.y, 40.0f);
    const SourceRecord& s12 = gui->sources[11]; // k = 7: second row, second column
    EXPECT_EQ(s12.x, 60.0f);
    EXPECT_EQ(s12.y, 70.0f);
    EXPECT_EQ(s12.name, "S12");
    EXPECT_EQ(s12.virtualChannel, 11);
    EXPECT_EQ(s12.level, 1.0f);
    EXPECT_EQ(s12.colour, 0xC8C8C8u);
    EXPECT_EQ(s12.room, 0);
    EXPECT_EQ(gui->inputDynamics[11].channelIndex, 11);
    EXPECT_EQ(gui->inputDynamics[11].direction, 1);
    EXPECT_EQ(gui->sendFlags[kSendSources], 1);
    // The matrix went out at once through the state sender (its flag is lowered again).
    EXPECT_EQ(gui->pinGainMatrix.getSize(), (gui->gainMatrixStaging.entryCount + 1) * 8);
    EXPECT_EQ(gui->sendFlags[kSendGainMatrix], 0);
}

TEST_F(UpkeepTest, SetSourceCountRemovesCablesAndMemberships) {
    room(0, 0.0f, 0.0f, 300.0f, 300.0f);
    for (int s = 0; s < 4; ++s) source(s, 10.0f, 10.0f);
    target(0, 0.0f, 0.0f);
    join(2, 1);
    join(3, 1);
    join(0, 1);
    cable(2, 0);
    cable(0, 0);
    cable(3, 0);
    gui->setSourceCount(2);
    EXPECT_EQ(gui->sourceCount, 2);
    ASSERT_EQ(gui->cableCount, 1);
    EXPECT_EQ(gui->cables[0].source, 0);
    EXPECT_EQ(gui->targets[0].cabled[2], 0);
    EXPECT_EQ(gui->targets[0].cabled[3], 0);
    EXPECT_EQ(gui->groups[1].memberCount, 1);
    EXPECT_EQ(gui->sources[2].groupCount, 0);
}

TEST_F(UpkeepTest, SetTargetCountPlacesTargetsAndFreesTheirCables) {
    room(0, 0.0f, 0.0f, 0.0f, 0.0f); // width 0: six columns
    gui->setTargetCount(8);
    EXPECT_EQ(gui->targets[7].x, 20.0f + 30.0f);
    EXPECT_EQ(gui->targets[7].y, 50.0f);
    EXPECT_EQ(gui->targets[7].ownRadius, 75.0f); // what a load gives it
    EXPECT_EQ(gui->targets[7].colour, 0x323232u);
    EXPECT_EQ(gui->targets[7].colourRed, 0x32 * kColourByteScale); // the float copies match
    EXPECT_EQ(gui->outputDynamics[7].sideChainLocation, -1);
    EXPECT_EQ(gui->outputDynamics[7].direction, 2);
    source(0, 0.0f, 0.0f);
    cable(0, 7);
    gui->setTargetCount(7);
    EXPECT_EQ(gui->cableCount, 0);
    EXPECT_EQ(gui->currentTarget, 6);
}

TEST_F(UpkeepTest, RoomAndGroupCountsAreClampedWithAMessage) {
    room(0, 0.0f, 0.0f, 10.0f, 10.0f);
    gui->setRoomCount(8);
    EXPECT_EQ(gui->roomCount, 8);
    gui->setRoomCount(3);
    gui->setRoomCount(12);
    EXPECT_EQ(gui->roomCount, 8);
    EXPECT_TRUE(consoleHas("MAXIMUM NUMBER OF ROOMS = 8"));
    gui->setRoomCount(0);
    EXPECT_EQ(gui->roomCount, 8);

    source(0, 0.0f, 0.0f);
    gui->setGroupCount(32);
    join(0, 20);
    join(0, 40);
    gui->setGroupCount(100);
    EXPECT_EQ(gui->groupCount, 32);
    EXPECT_TRUE(consoleHas("MAXIMUM NUMBER OF GROUPS = 32"));
    EXPECT_EQ(gui->sources[0].groupCount, 1); // group 40 lies beyond the count
    EXPECT_EQ(gui->groups[40].memberCount, 0);
    gui->setGroupCount(10);
    EXPECT_EQ(gui->sources[0].groupCount, 0);
    EXPECT_EQ(gui->groups[20].memberCount, 0);
}

TEST_F(UpkeepTest, SetupRoomTakesTheMarqueeAndCreatesMissingRooms) {
    gui->console.verbose = 1; // status lines reach the console
    gui->rooms[0].name = "OLD";
    const int32_t marquee[4] = {10, 20, 110, 70};
    std::copy(marquee, marquee + 4, gui->marqueeRect);
    gui->setupRoom(2);
    EXPECT_EQ(gui->roomCount, 3);
    EXPECT_EQ(gui->rooms[0].name, "R1");
    EXPECT_EQ(gui->rooms[2].x, 10.0f);
    EXPECT_EQ(gui->rooms[2].height, 50.0f);
    EXPECT_EQ(gui->currentRoom, 2);
    EXPECT_TRUE(consoleHas("NOT ENOUGH ROOMS DEFINED!"));
    EXPECT_EQ(gui->console.statusMessage, "NUM ROOMS 3 CUR ROOM 2");
    gui->setupRoom(8);
    EXPECT_EQ(gui->roomCount, 3);
}

// ---- Resets --------------------------------------------------------------------------------

TEST_F(UpkeepTest, ResetSourceKeepsPositionAndProcessingValues) {
    room(0, 0.0f, 0.0f, 100.0f, 100.0f);
    source(0, 40.0f, 50.0f);
    target(0, 0.0f, 0.0f);
    SourceRecord& s = gui->sources[0];
    s.level = 0.2f;
    s.mute = 1;
    s.name = "KICK";
    join(0, 3);
    cable(0, 0);
    gui->inputDelays[0].on = 1;
    gui->inputDelays[0].time = 0.25f;
    gui->inputFilters[0].inUse = 1;
    gui->inputFilters[0].bands[2].frequency = 500.0f;
    gui->inputDynamics[0].active = 1;
    gui->inputDynamics[0].curve[5] = -3.0f;
    gui->inputMixers[0].pinCount = 5;
    gui->inputMixers[0].inUse = 1;
    gui->resetSource(0);
    EXPECT_EQ(s.x, 40.0f);
    EXPECT_EQ(s.level, 1.0f);
    EXPECT_EQ(s.mute, 0);
    EXPECT_EQ(s.name, "S1");
    EXPECT_EQ(s.colour, 0xC0C0C0u);
    EXPECT_EQ(s.groupCount, 0);
    EXPECT_EQ(gui->groups[3].memberCount, 0);
    EXPECT_EQ(gui->cableCount, 0);
    EXPECT_EQ(gui->targets[0].cabled[0], 0);
    EXPECT_EQ(gui->inputDelays[0].on, 0);
    EXPECT_EQ(gui->inputDelays[0].time, 0.25f);
    EXPECT_EQ(gui->inputFilters[0].inUse, 0);
    EXPECT_EQ(gui->inputFilters[0].bands[2].frequency, 500.0f);
    EXPECT_EQ(gui->inputDynamics[0].active, 0);
    EXPECT_EQ(gui->inputDynamics[0].curve[5], -3.0f);
    EXPECT_EQ(gui->inputMixers[0].pinCount, 1);
    EXPECT_EQ(gui->inputMixers[0].inUse, 0);
    EXPECT_EQ(gui->sendFlags[kSendMixers], 1);
}

TEST_F(UpkeepTest, ResetTargetGroupAndRoom) {
    gui->viewSettings.globalRadius = 60.0f;
    target(1, 5.0f, 5.0f);
    gui->targets[1].useGlobalRadius = 0;
    gui->targets[1].solo = 1;
    gui->resetTarget(1);
    EXPECT_EQ(gui->targets[1].ownRadius, 75.0f); // the default, not the global radius
    EXPECT_EQ(gui->targets[1].useGlobalRadius, 1);
    EXPECT_EQ(gui->targets[1].name, "T2");
    EXPECT_EQ(gui->targets[1].x, 5.0f);

    source(0, 0.0f, 0.0f);
    gui->sources[0].shown = 0;
    join(0, 2);
    gui->groups[2].rotationOn = 1;
    gui->groups[2].mute = 1;
    gui->applyGroupMuteSolo();
    EXPECT_EQ(gui->sources[0].groupMuted, 1);
    gui->resetGroup(2);
    EXPECT_EQ(gui->sources[0].shown, 1);
    EXPECT_EQ(gui->sources[0].groupMuted, 0);
    EXPECT_EQ(gui->groups[2].memberCount, 0);
    EXPECT_EQ(gui->groups[2].rotationOn, 0);
    EXPECT_EQ(gui->groups[2].name, "G3");

    room(4, 1.0f, 2.0f, 3.0f, 4.0f);
    gui->rooms[4].level = 0.1f;
    gui->resetRoom(4);
    EXPECT_EQ(gui->rooms[4].colour, 0x0A0A0Au);
    EXPECT_EQ(gui->rooms[4].name, "R5");
    EXPECT_EQ(gui->rooms[4].level, 1.0f);
    EXPECT_EQ(gui->rooms[4].width, 3.0f);
}

// ---- Small services ------------------------------------------------------------------------

TEST(ModelServices, ColoursPackAndConvert) {
    const struct {
        float h, s, l;
        uint32_t packed;
    } cases[] = {{0.0f, 1.0f, 0.5f, 0x0000FF},
                 {1.0f / 3.0f, 1.0f, 0.5f, 0x00FF00},
                 {2.0f / 3.0f, 1.0f, 0.5f, 0xFF0000},
                 {0.0f, 0.0f, 0.5f, 0x808080},
                 {0.0f, 0.0f, 1.0f, 0xFFFFFF}};
    for (const auto& c : cases) EXPECT_EQ(hslToRgb(c.h, c.s, c.l), c.packed) << c.h;
    EXPECT_EQ(packColour(0x12, 0x34, 0x56), 0x563412u);
    float r, g, b;
    unpackColour(r, g, b, 0x00FF0080);
    EXPECT_FLOAT_EQ(r, 128.0f / 255.0f);
    EXPECT_EQ(g, 0.0f);
    EXPECT_FLOAT_EQ(b, 1.0f);
    EXPECT_TRUE(pointStrictlyInRect(0, 0, 10, 10, 5, 5));
    EXPECT_FALSE(pointStrictlyInRect(0, 0, 10, 10, 10, 5));
}

TEST_F(UpkeepTest, SnapPickColourAndPin60) {
    StagePoint p = gui->snapStagePoint(-17.0f, 19.9f);
    EXPECT_EQ(p.x, -17.0f);
    gui->guiSnap = 1;
    p = gui->snapStagePoint(-17.0f, 19.9f);
    EXPECT_EQ(p.x, -10.0f);
    EXPECT_EQ(p.y, 10.0f);

    qxplatform::clearDialogAnswers();
    EXPECT_EQ(gui->pickColour(0x123456), 0x123456u); // cancelled
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "0x00FF00");
    EXPECT_EQ(gui->pickColour(0x123456), 0x00FF00u);

    gui->setPin60Value(69, 2);
    EXPECT_EQ(gui->pinNode.getValue(), 69);
    EXPECT_EQ(gui->monitorSource, 2);

    gui->markAllDirty();
    for (int flag :
         {kSendSources, kSendTargets, kSendGroups, kSendCables, kSendRooms, kSendViewState})
        EXPECT_EQ(gui->sendFlags[flag], 1) << flag;
}

} // namespace
