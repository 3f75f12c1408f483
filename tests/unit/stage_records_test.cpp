// Stage, processing and mix records: defaults, record operations and the blob-carried layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "app/qx_gui.h"

namespace {

TEST(StageRecords, SetColourSplitsThePackedBytesAndReturnsBlue) {
    SourceRecord source;
    EXPECT_EQ(source.setColour(0x00FF8000), 255u);
    EXPECT_EQ(source.colour, 0x00FF8000u);
    EXPECT_FLOAT_EQ(source.colourRed, 0.0f);
    EXPECT_FLOAT_EQ(source.colourGreen, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(source.colourBlue, 1.0f);
}

TEST(StageRecords, SnapToGridTruncatesTowardZero) {
    const struct {
        float in, out;
    } cases[] = {{-17.0f, -10.0f}, {19.9f, 10.0f}, {25.0f, 20.0f}, {-5.0f, 0.0f}, {0.0f, 0.0f}};
    for (const auto& c : cases) {
        GroupRecord group;
        group.x = c.in;
        group.y = c.in;
        group.snapToGrid();
        EXPECT_EQ(group.x, c.out) << c.in;
        EXPECT_EQ(group.y, c.out) << c.in;
    }
}

TEST(StageRecords, RoomContainsItsEdgesButNotNaNAndTheDefaultRoomContainsNothing) {
    RoomRecord room;
    EXPECT_FALSE(room.containsPoint(0.0f, 0.0f)); // width and height -5
    room.x = 10.0f;
    room.y = 20.0f;
    room.setSize(100.0f, 50.0f);
    EXPECT_TRUE(room.containsPoint(110.0f, 70.0f));
    EXPECT_TRUE(room.containsPoint(10.0f, 20.0f));
    EXPECT_FALSE(room.containsPoint(110.01f, 70.0f));
    EXPECT_FALSE(room.containsPoint(std::nanf(""), 30.0f));
    const IntRect r = room.rectAsInts();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.bottom, 70);
}

TEST(StageRecords, WrapIntoMovesByOnePeriodAtMost) {
    const struct {
        float in, out;
    } cases[] = {{-30.0f, 70.0f}, {250.0f, 150.0f}, {50.0f, 50.0f}, {100.0f, 100.0f}};
    for (const auto& c : cases) {
        SourceRecord source;
        source.x = c.in;
        source.wrapInto(0, 0, 100, 100);
        EXPECT_EQ(source.x, c.out) << c.in;
    }
}

TEST(StageRecords, DragClampedStopsOnTheNearestBound) {
    TargetRecord target;
    target.setPosition(10.0f, 10.0f);
    target.beginDrag(12.0f, 13.0f);
    target.dragClamped(1e6f, -1e6f);
    EXPECT_EQ(target.x, 5000.0f);
    EXPECT_EQ(target.y, -5000.0f);
    target.dragTo(1e6f, 3.0f);
    EXPECT_EQ(target.x, 1e6f - 2.0f);
}

TEST(StageRecords, GroupListsCountOnlyFlagsOfOneBelowGroup64) {
    SourceRecord source;
    source.groupFlags[3] = 1;
    source.groupFlags[1] = 1;
    source.groupFlags[5] = 2;
    source.groupFlags[70] = 1;
    source.rebuildGroupList();
    ASSERT_EQ(source.groupCount, 2);
    EXPECT_EQ(source.groupList[0], 1);
    EXPECT_EQ(source.groupList[1], 3);
    source.addToGroup(200); // outside the flag table: ignored
    source.removeFromGroup(1);
    EXPECT_EQ(source.groupCount, 1);

    GroupRecord group;
    group.addMember(7);
    group.addMember(2);
    EXPECT_TRUE(group.isMember(7));
    EXPECT_FALSE(group.isMember(-1));
    ASSERT_EQ(group.memberCount, 2);
    EXPECT_EQ(group.memberList[0], 2);
    group.clearMembers();
    EXPECT_EQ(group.memberCount, 0);
}

TEST(StageRecords, ConstructionDefaults) {
    const SourceRecord source;
    EXPECT_EQ(source.virtualChannel, 64);
    EXPECT_EQ(source.level, 0.0f);
    EXPECT_EQ(source.phase, 1.0f);
    EXPECT_EQ(source.room, -1);
    EXPECT_EQ(source.meter[2], -150.0f);
    EXPECT_EQ(source.meter[6], -150.0f);
    EXPECT_EQ(source.envelopeLength, 800);
    const TargetRecord target;
    EXPECT_EQ(target.level, 1.0f);
    EXPECT_EQ(target.useGlobalRadius, 1);
    EXPECT_EQ(target.sourceShown[127], 1);
    EXPECT_EQ(target.room, 0);
    const GroupRecord group;
    EXPECT_EQ(group.rotationSpeed, 0.0001f);
    EXPECT_EQ(group.boundsXMin, -10000);
    const RoomRecord room;
    EXPECT_EQ(room.sourceList[0], -1);
    EXPECT_EQ(room.sourceList[1], 0);
    EXPECT_EQ(room.sourceCount, -1);
    const CableRecord cable;
    EXPECT_EQ(cable.source, -1);
    EXPECT_EQ(cable.useGroups, 1);
}

TEST(ProcessingRecords, FreshFilterRecordHasFiveDisabledPeakBands) {
    const FilterRecord filter;
    EXPECT_EQ(filter.channel, 255);
    for (const FilterBandRecord& band : filter.bands) {
        EXPECT_EQ(band.enabled, 0);
        EXPECT_EQ(band.type, 4);
        EXPECT_EQ(band.frequency, 1000.0f);
        EXPECT_EQ(band.gain, 0.0f);
        EXPECT_EQ(band.width, 2.0f);
    }
}

TEST(ProcessingRecords, FreshDynamicsRecordStartsWith255And255And0And0) {
    const DynamicsRecord dynamics;
    uint8_t head[4];
    std::memcpy(head, &dynamics, 4);
    EXPECT_EQ(head[0], 255);
    EXPECT_EQ(head[1], 255);
    EXPECT_EQ(head[2], 0);
    EXPECT_EQ(head[3], 0);
    EXPECT_EQ(dynamics.ratio, 1.0f);
    EXPECT_EQ(dynamics.knee, 0.1f);
    for (float v : dynamics.curve) EXPECT_EQ(v, 0.0f);
}

TEST(MixRecords, FreshRecordIsZeroBytesExceptTheMasterOne) {
    const MixRecord mix;
    uint8_t bytes[sizeof(MixRecord)];
    std::memcpy(bytes, &mix, sizeof bytes);
    for (size_t i = 0; i < 908; ++i) ASSERT_EQ(bytes[i], 0) << i;
    float master;
    std::memcpy(&master, bytes + 908, 4);
    EXPECT_EQ(master, 1.0f);
}

TEST(StageRecords, QxGuiRowsHoldTheirDefaults) {
    auto gui = std::make_unique<QX_GUI>();
    EXPECT_EQ(gui->pendingCableSource, -1);
    EXPECT_EQ(gui->pendingCableTarget, -1);
    EXPECT_EQ(gui->cableWorkTable[4095].source, -1);
    EXPECT_EQ(gui->inputFilters[63].channel, 255);
    EXPECT_EQ(gui->outputFilters[0].bands[4].type, 4);
    EXPECT_EQ(gui->inputDelays[0].channel, 255);
    EXPECT_EQ(gui->outputDelays[63].time, 0.0f);
    EXPECT_EQ(gui->feedbackMixes[10].masterLevel, 1.0f);
    EXPECT_EQ(gui->inputMixers[0].pinCount, 0);
    EXPECT_EQ(gui->mixerPages.trimStripLayout.name, "FADER");
    EXPECT_EQ(gui->faderLaw.expFactor, 6.91f);
    EXPECT_EQ(gui->cableCurve.pointCount, 5);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[9].type, 4);
    EXPECT_EQ(gui->groupCount, 16);
}

} // namespace
