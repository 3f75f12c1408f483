// The patch-file sections of rooms, targets, sources and groups, compared as exact text.
#include <gtest/gtest.h>

#include <cmath>

#include "model/stage_records.h"

namespace {

TEST(PatchSections, Room) {
    RoomRecord room;
    room.x = 10.0f;
    room.y = 20.0f;
    room.setSize(300.0f, 200.0f);
    room.colourRed = room.colourGreen = room.colourBlue = 0.5f;
    room.name = "R1";
    EXPECT_EQ(room.writePatchSection(0), "# ROOM : 1\n"
                                         "POS R1 X:10.00 y:20.00 w:300.00 h:200.00\n"
                                         "LEVEL R1 0.0000\n"
                                         "RGB R1 RED:0.5000 GREEN:0.5000 BLUE:0.5000\n"
                                         "\n");
    room.mute = 1;
    room.solo = 1;
    room.phase = -1.0f;
    room.level = 2.0f;
    room.name = "HALL";
    EXPECT_EQ(room.writePatchSection(1), "# ROOM : 2\n"
                                         "POS R2 X:10.00 y:20.00 w:300.00 h:200.00\n"
                                         "LEVEL R2 6.0206\n"
                                         "RGB R2 RED:0.5000 GREEN:0.5000 BLUE:0.5000\n"
                                         "MUTE R2\n"
                                         "SOLO R2\n"
                                         "PHASE R2 -1.0\n"
                                         "NAME R2 HALL\n"
                                         "\n");
}

TEST(PatchSections, SourceKeepsItsHandleAndEndsWithItsName) {
    SourceRecord source;
    source.x = -12.5f;
    source.y = 3.0f;
    source.size = 1.5f;
    source.level = 0.5f;
    source.phase = -1.0f;
    source.virtualChannel = 2;
    source.setColour(0x0000FF);
    source.name = "KICK";
    EXPECT_EQ(source.writePatchSection(2), "# SOURCE : S3\n"
                                           "POS S3 X:-12.50 y:3.00\n"
                                           "SET_SIZE S3 1.50\n"
                                           "LEVEL S3 -6.0206\n"
                                           "RGB S3 RED:1.0000 GREEN:0.0000 BLUE:0.0000\n"
                                           "PHASE S3 -1.0\n"
                                           "NAME S3 KICK\n"
                                           "\n");
    source.virtualChannel = 7;
    source.name = "S3";
    source.phase = std::nanf("");
    EXPECT_EQ(source.writePatchSection(2), "# SOURCE : S3\n"
                                           "POS S3 X:-12.50 y:3.00\n"
                                           "SET_SIZE S3 1.50\n"
                                           "LEVEL S3 -6.0206\n"
                                           "RGB S3 RED:1.0000 GREEN:0.0000 BLUE:0.0000\n"
                                           "PHASE S3 nan\n"
                                           "VIRTUALISE S3 8\n"
                                           "\n");
}

TEST(PatchSections, Target) {
    TargetRecord target;
    target.x = 1.0f;
    target.y = 2.0f;
    target.virtualChannel = 2;
    target.name = "T3";
    EXPECT_EQ(target.writePatchSection(2), "# TARGET : T3\n"
                                           "POS T3 X:1.00 y:2.00\n"
                                           "LEVEL T3 0.0000\n"
                                           "RGB T3 RED:0.0000 GREEN:0.0000 BLUE:0.0000\n"
                                           "\n");
    target.virtualChannel = 5;
    target.useGlobalRadius = 0;
    target.ownRadius = 42.5f;
    target.visible = 0;
    target.mute = 1;
    target.name = "SUB";
    EXPECT_EQ(target.writePatchSection(2), "# TARGET : T3\n"
                                           "POS T3 X:1.00 y:2.00\n"
                                           "GLOBALZ T3 FALSE\n"
                                           "SET_ZERO T3 42.50\n"
                                           "LEVEL T3 0.0000\n"
                                           "RGB T3 RED:0.0000 GREEN:0.0000 BLUE:0.0000\n"
                                           "MUTE T3\n"
                                           "VIRTUALISE T3 6\n"
                                           "HIDE T3\n"
                                           "NAME T3 SUB\n"
                                           "\n");
}

TEST(PatchSections, Group) {
    GroupRecord group;
    group.name = "G1";
    group.rotationSpeed = 0.0f;
    EXPECT_EQ(group.writePatchSection(0), "# GROUP : G1\n"
                                          "POS G1 X:0.00 y:0.00\n"
                                          "RGB G1 RED:0.0000 GREEN:0.0000 BLUE:0.0000\n"
                                          "\n");
    group.rotationSpeed = 0.01f;
    group.movementY = -0.25f;
    group.level = 0.5f;
    group.solo = 1;
    group.name = "g1"; // names compare case-sensitively
    EXPECT_EQ(group.writePatchSection(0), "# GROUP : G1\n"
                                          "POS G1 X:0.00 y:0.00\n"
                                          "LEVEL G1 -6.0206\n"
                                          "RGB G1 RED:0.0000 GREEN:0.0000 BLUE:0.0000\n"
                                          "SOLO G1\n"
                                          "SET_ROTATION G1 S:0.59999999 NO\n"
                                          "SET_MOVEMENT G1 X:0.0000 Y:-0.2500 NO\n"
                                          "NAME G1 g1\n"
                                          "\n");
    // S:0.6 gives back 0.6f / 60 (not 0.01f): such a speed keeps its usual one decimal.
    group.rotationSpeed = 0.6f / 60.0f;
    EXPECT_NE(group.writePatchSection(0).find("SET_ROTATION G1 S:0.6 NO\n"), std::string::npos);
    group.rotationOn = 1;
    group.rotationSpeed = 0.0f;
    group.movementOn = 1;
    group.movementY = 0.0f;
    group.solo = 0;
    group.level = 1.0f;
    group.name = "G1";
    EXPECT_EQ(group.writePatchSection(0), "# GROUP : G1\n"
                                          "POS G1 X:0.00 y:0.00\n"
                                          "RGB G1 RED:0.0000 GREEN:0.0000 BLUE:0.0000\n"
                                          "SET_ROTATION G1 S:0.0 YES\n"
                                          "SET_MOVEMENT G1 X:0.0000 Y:0.0000 YES\n"
                                          "\n");
}

TEST(PatchSections, LongNamesAreWrittenWhole) {
    SourceRecord source;
    source.name = std::string(300, 'A');
    const std::string text = source.writePatchSection(0);
    EXPECT_NE(text.find("NAME S1 " + std::string(300, 'A') + "\n"), std::string::npos);
}

} // namespace
