// Gathering the addressed items into snapshots and writing them back; the model commit and
// the cable lookup.
#include <gtest/gtest.h>

#include "command_test_support.h"

using namespace command_test;

namespace {

struct ItemSnapshotsTest : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();

    void SetUp() override {
        placeSources(*gui, {{"S1", 1, 2}, {"S2", 3, 4}, {"S3", 5, 6}, {"KICK", 7, 8}});
        placeTargets(*gui, {{"T1", 9, 10}});
        placeGroups(*gui, {{"G1", 11, 12}});
        gui->roomCount = 2;
        gui->rooms[0].name = "R1";
        gui->rooms[1].name = "R2";
        gui->rooms[1].width = 40.0f;
    }

    CliObject refsTo(std::initializer_list<std::pair<int, int>> refs) {
        CliObject c;
        for (auto [type, index] : refs) {
            ItemRef r;
            r.type = type;
            r.index = index;
            c.refs.append(r);
        }
        return c;
    }
};

TEST_F(ItemSnapshotsTest, GatherFollowsTheReferencesInOrder) {
    const ItemSnapshotList list = gui->gatherItemRecords(refsTo({{1, 3}, {5, 1}, {-1, 0}, {1, 3}}));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list[0].type, 1);
    EXPECT_EQ(list[0].name, "KICK");
    EXPECT_FLOAT_EQ(list[0].x, 7.0f);
    EXPECT_EQ(list[1].type, 5);
    EXPECT_FLOAT_EQ(list[1].width, 40.0f);
    EXPECT_EQ(list[2].index, 3); // named twice, gathered twice
}

TEST_F(ItemSnapshotsTest, WriteBackRestoresTheGatheredFields) {
    gui->groups[0].movementOn = 7;
    gui->targets[0].useGlobalRadius = 0;
    gui->targets[0].ownRadius = 33.0f;
    const ItemSnapshotList list = gui->gatherItemRecords(refsTo({{1, 1}, {2, 0}, {3, 0}}));
    gui->sources[1].name = "RENAMED";
    gui->sources[1].mute = 1;
    gui->targets[0].ownRadius = 1.0f;
    gui->targets[0].useGlobalRadius = 1;
    gui->scatterItemRecords(list);
    EXPECT_EQ(gui->sources[1].name, "S2");
    EXPECT_EQ(gui->sources[1].mute, 0);
    EXPECT_FLOAT_EQ(gui->targets[0].ownRadius, 33.0f);
    EXPECT_EQ(gui->targets[0].useGlobalRadius, 0);
    EXPECT_EQ(gui->groups[0].movementOn, 1); // a non-zero switch comes back as 1
}

TEST_F(ItemSnapshotsTest, CablesKeepTheirEndsAndAnIndexOutsideItsTableIsSkipped) {
    gui->cableCount = 1;
    gui->cables[0].source = 2;
    gui->cables[0].target = 0;
    gui->cables[0].level = 0.5f;
    ItemSnapshotList list = gui->gatherItemRecords(refsTo({{4, 0}}));
    EXPECT_EQ(list[0].cableSource, 2);
    EXPECT_EQ(list[0].cableTarget, 0);
    ItemSnapshot stray;
    stray.type = 1;
    stray.index = 100000;
    list.append(stray);
    gui->scatterItemRecords(list); // must not write past the source table
    EXPECT_FLOAT_EQ(gui->cables[0].level, 0.5f);
}

TEST_F(ItemSnapshotsTest, SnapshotByNameComparesExactly) {
    EXPECT_EQ(gui->makeItemSnapshot("KICK").index, 3);
    EXPECT_EQ(gui->makeItemSnapshot("kick").type, -1);
    EXPECT_EQ(gui->makeItemSnapshot("R2").type, 5);
}

TEST_F(ItemSnapshotsTest, CommitRaisesTheModelSendFlagsUnlessABatchIsLoading) {
    gui->batch = 1;
    gui->commitModelChange();
    for (int i = 0; i < QX_GUI::kSendFlags; ++i) EXPECT_EQ(gui->sendFlags[i], 0) << i;
    gui->batch = 0;
    gui->commitModelChange();
    const int raised[] = {1, 2, 3, 4, 5, 11, 12, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25};
    int expected[QX_GUI::kSendFlags] = {};
    for (int flag : raised) expected[flag] = 1;
    for (int i = 0; i < QX_GUI::kSendFlags; ++i) EXPECT_EQ(gui->sendFlags[i], expected[i]) << i;
}

TEST_F(ItemSnapshotsTest, CableLookupIsDirectedAndFindsTheFirst) {
    gui->cableCount = 3;
    gui->cables[0] = CableRecord();
    gui->cables[0].source = 3;
    gui->cables[0].target = 5;
    gui->cables[1].source = 1;
    gui->cables[1].target = 0;
    gui->cables[2].source = 1;
    gui->cables[2].target = 0;
    EXPECT_EQ(gui->findCableIndex(3, 5), 0);
    EXPECT_EQ(gui->findCableIndex(5, 3), -1);
    EXPECT_EQ(gui->findCableIndex(1, 0), 1);
    EXPECT_EQ(gui->findCableIndex(-1, -1), -1);
}

} // namespace
