// Rooms and groups that a count brings into use: on every kind of stage (fresh, restored from
// the pins, cut down after a reset) they are named, can be seen and addressed, and a saved
// patch brings them back the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"
#include "patch_round_trip_support.h"

namespace {

using patch_test::runLines;

// What HARD_RESET gives room slot r.
struct RoomSlot {
    float x, y, width, height;
};
RoomSlot hardResetRoom(int r) {
    return {-470.0f + 120.0f * static_cast<float>(r), -200.0f, 100.0f, 100.0f};
}

// A stage restored from the pins of a desk with one room and one group, as a desk session
// hands them back; the slots past its counts are as a fresh instance has them.
std::unique_ptr<QX_GUI> restoredDesk() {
    auto desk = makeGui();
    runLines(*desk, {"HARD_RESET", "SET NUM_ROOM 1", "SET NUM_GROUP 1", "SET NUM_SOURCE 2",
                     "POS R1 X:-50 Y:-60 W:300 H:200", "NAME R1 HALL"});
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) desk->sendFlags[flag] = 1;
    desk->sendStateToDsp();
    auto restored = makeGui();
    for (int32_t id : {5, 7, 8, 9, 10, 11}) restored->deliver(id, desk->lastSent(id));
    return restored;
}

// A stage cut down to one room and one group after a reset, whose other slots were moved and
// renamed while they were in use.
std::unique_ptr<QX_GUI> cutDownStage() {
    auto gui = std::make_unique<QX_GUI>();
    runLines(*gui, {"HARD_RESET", "POS R3 X:900 Y:900 W:-40 H:10", "NAME R3 OLD", "NAME G3 OLD",
                    "POS G3 X:500 Y:500", "SET NUM_ROOM 1", "SET NUM_GROUP 1"});
    return gui;
}

struct StartingStage {
    const char* what;
    std::unique_ptr<QX_GUI> (*make)();
    int keptRooms; // rooms in use before the counts grow: kept as they are
};
const StartingStage kStages[] = {
    {"a fresh instance", [] { return std::make_unique<QX_GUI>(); }, 0},
    {"a restored desk", restoredDesk, 1},
    {"a stage cut down after a reset", cutDownStage, 1},
};

const std::vector<std::string> kCountLines = {"SET NUM_SOURCE 2", "SET NUM_ROOM 3",
                                              "SET NUM_GROUP 3", "GROUPIFY S1 S2 G3"};

void expectNamedAndAddressable(QX_GUI& gui) {
    for (int r = 0; r < 3; ++r) {
        const std::string handle = "R" + std::to_string(r + 1);
        EXPECT_EQ(gui.findItemKindByName(gui.rooms[r].name), 5) << handle;
    }
    for (int g = 0; g < 3; ++g) {
        const std::string handle = "G" + std::to_string(g + 1);
        EXPECT_EQ(gui.groups[g].name, handle);
        EXPECT_EQ(gui.findItemIndexByName(handle), g);
    }
    EXPECT_EQ(gui.groups[2].memberCount, 2);
}

void expectRoomsAsAReset(QX_GUI& gui, int from) {
    for (int r = from; r < 3; ++r) {
        SCOPED_TRACE("room " + std::to_string(r + 1));
        const RoomRecord& room = gui.rooms[r];
        const RoomSlot slot = hardResetRoom(r);
        EXPECT_EQ(room.name, "R" + std::to_string(r + 1));
        EXPECT_EQ(room.x, slot.x);
        EXPECT_EQ(room.y, slot.y);
        EXPECT_EQ(room.width, slot.width);
        EXPECT_EQ(room.height, slot.height);
        EXPECT_EQ(room.colour, 0x0A0A0Au);
        EXPECT_TRUE(room.containsPoint(slot.x + 50.0f, slot.y + 50.0f)) << "a room to grab";
    }
}

TEST(CountedSlots, RoomsAndGroupsACountBringsInAreNamedPlacedAndAddressable) {
    for (const StartingStage& stage : kStages) {
        SCOPED_TRACE(stage.what);
        std::unique_ptr<QX_GUI> gui = stage.make();
        EXPECT_EQ(runLines(*gui, kCountLines), std::vector<std::string>());
        expectNamedAndAddressable(*gui);
        expectRoomsAsAReset(*gui, stage.keptRooms);
        for (int g = 0; g < 2; ++g) {
            EXPECT_EQ(gui->groups[g].x, 0.0f);
            EXPECT_EQ(gui->groups[g].y, 0.0f);
        }
        EXPECT_EQ(gui->executeCommandString("MUTE R3"), 0);
        EXPECT_EQ(gui->rooms[2].mute, 1);
    }
}

TEST(CountedSlots, AFreshInstanceNamesTheGroupsItCounts) {
    auto owned = std::make_unique<QX_GUI>();
    QX_GUI& gui = *owned;
    ASSERT_EQ(gui.groupCount, 16);
    for (int g = 0; g < gui.groupCount; ++g)
        EXPECT_EQ(gui.groups[g].name, "G" + std::to_string(g + 1));
    for (uint8_t flag : gui.sendFlags) EXPECT_EQ(flag, 0) << "a fresh instance has nothing to send";
}

TEST(CountedSlots, TheRoomCountEntryBringsRoomsInAsSetDoes) {
    auto owned = std::make_unique<QX_GUI>();
    QX_GUI& gui = *owned;
    gui.commitRoomCount(29, "3");
    EXPECT_EQ(gui.roomCount, 3);
    expectRoomsAsAReset(gui, 0);
    gui.commitRoomCount(29, "9");
    EXPECT_EQ(gui.roomCount, 3);
}

TEST(CountedSlots, ASavedPatchBringsTheSameRoomsAndGroupsBack) {
    patch_test::ScratchFolder scratch("counted");
    for (const StartingStage& stage : kStages) {
        SCOPED_TRACE(stage.what);
        std::unique_ptr<QX_GUI> gui = stage.make();
        runLines(*gui, kCountLines);
        const std::string path = scratch.path + "/COUNTED.txt";
        ASSERT_EQ(gui->writePatchFile(path, 0), 0);
        const std::string text = patch_test::readFile(path);
        EXPECT_EQ(text.find("w:-5.00"), std::string::npos) << text;
        EXPECT_EQ(text.find("NAME R3 \n"), std::string::npos);
        EXPECT_EQ(text.find("NAME G1 \n"), std::string::npos);

        auto owned = std::make_unique<QX_GUI>();
        QX_GUI& loaded = *owned;
        loaded.console.errorCount = 0;
        patch_test::loadPatch(loaded, path);
        EXPECT_EQ(loaded.console.errorCount, 0) << loaded.failedLines[0];
        ASSERT_EQ(loaded.roomCount, 3);
        ASSERT_EQ(loaded.groupCount, 3);
        for (int r = 0; r < 3; ++r) {
            SCOPED_TRACE("room " + std::to_string(r + 1));
            EXPECT_EQ(loaded.rooms[r].name, gui->rooms[r].name);
            EXPECT_EQ(loaded.rooms[r].x, gui->rooms[r].x);
            EXPECT_EQ(loaded.rooms[r].y, gui->rooms[r].y);
            EXPECT_EQ(loaded.rooms[r].width, gui->rooms[r].width);
            EXPECT_EQ(loaded.rooms[r].height, gui->rooms[r].height);
        }
        for (int g = 0; g < 3; ++g) {
            EXPECT_EQ(loaded.groups[g].name, gui->groups[g].name);
            EXPECT_EQ(loaded.groups[g].memberCount, gui->groups[g].memberCount);
        }
    }
}

} // namespace
