// Position verbs: MOVE, POS, SWAP_POS, TRANSPORT and GRID.
#include "edit_verbs_test_support.h"

using namespace edit_verbs_test;

namespace {

using PositionVerbs = EditVerbsTest;

TEST_F(PositionVerbs, MoveAndPosChangeOnlyTheKeysGiven) {
    runOk("MOVE S1 T1 X:10");
    EXPECT_EQ(S(1).x, 110.0f);
    EXPECT_EQ(S(1).y, 100.0f);
    EXPECT_EQ(T(1).x, 110.0f);
    EXPECT_EQ(T(1).y, 300.0f);
    runOk("MOVE G1 Y:-5.5");
    EXPECT_EQ(G(1).y, 144.5f);
    runOk("MOVE S2"); // no key: nothing moves
    EXPECT_EQ(S(2).x, 200.0f);

    runOk("POS R1 X:0 Y:0 W:200 H:100");
    EXPECT_EQ(R(1).width, 200.0f);
    EXPECT_EQ(R(1).height, 100.0f);
    runOk("POS S1 W:200"); // a source takes no width
    EXPECT_EQ(S(1).x, 110.0f);
    runOk("POS S1 S2 X:5 Y:6");
    EXPECT_EQ(S(1).x + S(2).x, 10.0f);
    EXPECT_EQ(S(2).y, 6.0f);
    // Patch files write the keys in lower case; the loader upper-cases the line.
    runOk("POS T2 X:1.50 Y:2.25");
    EXPECT_EQ(T(2).x, 1.5f);
    EXPECT_EQ(T(2).y, 2.25f);
    runFails("MOVE S1 S9 X:1", "ITEM \"S9\" NOT FOUND");
    EXPECT_EQ(S(1).x, 5.0f);
}

TEST_F(PositionVerbs, PositionsMoveRoomMembershipAlong) {
    runOk("POS S1 X:5000 Y:5000");
    EXPECT_EQ(S(1).room, -1);
    runOk("POS S1 X:10 Y:10");
    EXPECT_EQ(S(1).room, 0);
}

TEST_F(PositionVerbs, SwapExchangesTheFirstTwoItems) {
    runFails("SWAP_POS S1", "LESS THAN 2 NODES SPECIFIED");
    runFails("SWAP_POS", "LESS THAN 2 NODES SPECIFIED");
    const Outcome outcome = run("SWAP_POS S1 T1 S2");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.flags, kCommitFlags);
    EXPECT_EQ(S(1).x, 100.0f);
    EXPECT_EQ(S(1).y, 300.0f);
    EXPECT_EQ(T(1).y, 100.0f);
    EXPECT_EQ(S(2).x, 200.0f);
    runOk("SWAP_POS S3 R1"); // two kinds
    EXPECT_EQ(S(3).x, 0.0f);
    EXPECT_EQ(R(1).x, 300.0f);
    EXPECT_EQ(R(1).width, 1000.0f);
}

TEST_F(PositionVerbs, TransportCarriesTheRoomAndWhatItHolds) {
    runOk("GROUPIFY S1 G1");
    runFails("TRANSPORT S1 R1", "SPECIFIED ITEM MUST BE A ROOM");
    runFails("TRANSPORT X:5", "SPECIFIED ITEM MUST BE A ROOM");
    runOk("TRANSPORT R1"); // no keys
    EXPECT_EQ(R(1).x, 0.0f);
    EXPECT_EQ(S(1).x, 100.0f);
    runOk("TRANSPORT R1 X:50");
    EXPECT_EQ(R(1).x, 50.0f);
    EXPECT_EQ(R(1).y, 0.0f);
    EXPECT_EQ(S(1).x, 150.0f); // a group member moves once
    EXPECT_EQ(S(4).x, 450.0f);
    EXPECT_EQ(T(2).x, 450.0f);
    EXPECT_EQ(G(1).x, 200.0f);
    EXPECT_EQ(S(1).y, 100.0f);
    runOk("TRANSPORT R1 X:100 Y:50");
    EXPECT_EQ(R(1).x, 100.0f);
    EXPECT_EQ(R(1).y, 50.0f);
    EXPECT_EQ(T(1).x, 200.0f);
    EXPECT_EQ(T(1).y, 350.0f);
}

TEST_F(PositionVerbs, GridNeedsItsKeysAndItemRanges) {
    const std::string badParameters =
        "BAD PARAMETERS\n ... grid starts at x,y, runs w,h with stride S";
    const Outcome missing = run("GRID X:0 Y:0 W:100");
    EXPECT_EQ(missing.result, 1);
    EXPECT_EQ(missing.error, badParameters);
    EXPECT_EQ(missing.console.back(), " "); // the second line of the message
    runFails("GRID X:0 Y:0 W:100 S:5", "NO ITEMS");
}

TEST_F(PositionVerbs, GridLaysOutTheItemsOfItsRanges) {
    // No pass of the executor fills the ranges; a command built with them shows the layout.
    CliObject command;
    command.action = "GRID";
    command.mode = 2;
    const NamedKey keys[] = {kKeyX, kKeyY, kKeyW, kKeyS};
    const float values[] = {10.0f, 20.0f, 100.0f, 2.0f};
    for (int k = 0; k < 4; ++k) {
        command.namedSet[keys[k]] = 1;
        command.namedValue[keys[k]] = values[k];
    }
    command.starts.append(0);
    command.ends.append(2);
    EXPECT_EQ(gui->cmdGrid(command), 0);
    EXPECT_EQ(T(1).x, 10.0f);
    EXPECT_EQ(T(2).x, 110.0f);
    EXPECT_EQ(T(2).y, 20.0f);
    EXPECT_EQ(T(2).ownRadius, 200.0f);
    EXPECT_EQ(T(2).useGlobalRadius, 0);

    command.mode = 1;
    command.starts[0] = 0;
    command.ends[0] = 3;
    EXPECT_EQ(gui->cmdGrid(command), 0);
    EXPECT_EQ(S(3).x, 10.0f); // third item wraps to the second row
    EXPECT_EQ(S(3).y, 120.0f);

    command.ends[0] = 0;
    EXPECT_EQ(gui->cmdGrid(command), 1);
    EXPECT_EQ(gui->console.pendingError, "BAD ITEMS");
}

} // namespace
