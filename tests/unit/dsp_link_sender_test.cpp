// The state sender, compare-before-send, the local-id handshake and the patch checker.
#include <gtest/gtest.h>

#include "command_test_support.h"
#include "dsp_link_recording_gui.h"

namespace {

void raiseAll(QX_GUI& gui) {
    for (int flag : {1, 2, 3, 4, 5, 11, 12, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30})
        gui.sendFlags[flag] = 1;
}

void populate(QX_GUI& gui) {
    gui.sourceCount = 2;
    gui.targetCount = 2;
    gui.roomCount = 1;
    gui.groupCount = 2;
    gui.cableCount = 1;
    gui.cables[0].source = 0;
    gui.cables[0].target = 1;
    gui.cables[0].level = 1.0f;
    for (int i = 0; i < 2; ++i) {
        gui.sources[i].name = "S" + std::to_string(i + 1);
        gui.targets[i].name = "T" + std::to_string(i + 1);
        gui.sources[i].level = 1.0f;
        gui.sources[i].x = 10.0f * i;
    }
    gui.storedSelections[1][0] = "S1";
    gui.storedSelections[1][1] = "T2";
}

TEST(StateSender, WalksTheFlagsInTheFixedOrder) {
    auto gui = makeGui();
    populate(*gui);
    gui->targets[0].gainRow[0] = 1.0f; // a non-empty matrix
    raiseAll(*gui);
    gui->sendStateToDsp();
    std::vector<int32_t> expected = {5,  7,  8,  10, 9,  11, 21, 15, 24, 25, 22,
                                     23, 12, 18, 13, 16, 14, 17, 27, 29, 30, 31};
    EXPECT_EQ(gui->sentIds(), expected);
    for (int flag = 0; flag < 64; ++flag) EXPECT_EQ(gui->sendFlags[flag], 0) << flag;
}

TEST(StateSender, SendsNothingWithoutFlagsOrDuringABatch) {
    auto gui = makeGui();
    populate(*gui);
    gui->sendStateToDsp();
    EXPECT_TRUE(gui->sent.empty());
    raiseAll(*gui);
    gui->batch = 1;
    gui->sendStateToDsp();
    EXPECT_TRUE(gui->sent.empty());
    EXPECT_EQ(gui->sendFlags[1], 1); // the flags wait for the batch to end
}

TEST(StateSender, APinSendsOnlyWhenItsBytesChange) {
    auto gui = makeGui();
    populate(*gui);
    raiseAll(*gui);
    gui->sendStateToDsp();
    gui->sent.clear();

    raiseAll(*gui); // an edit that changes nothing
    gui->sendStateToDsp();
    EXPECT_TRUE(gui->sent.empty());

    gui->sources[1].x = 11.0f; // an edit that changes one source
    raiseAll(*gui);
    gui->sendStateToDsp();
    EXPECT_EQ(gui->sentIds(), std::vector<int32_t>{9});
}

TEST(StateSender, OnlyLocalIdZeroRecomputesTheMatrix) {
    auto gui = makeGui();
    populate(*gui);
    gui->localId = 1;
    gui->targets[1].gainRow[0] = 0.25f; // as last received; a recompute would change it
    gui->targets[1].cabled[0] = 1;
    gui->sendFlags[15] = 1;
    gui->sendStateToDsp();
    std::vector<uint8_t> bytes = gui->lastSent(15);
    ASSERT_EQ(bytes.size(), 16u);
    Golden g(8);
    g.u8(0, 0).u8(1, 1).u8(2, 64).u8(3, 64).f32(4, 0.25f);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.end()), g.bytes);
}

TEST(LocalId, IsClampedToTheInstancesAndWrittenBack) {
    struct Case {
        int32_t given;
        int32_t instances;
        int32_t id;
        bool writtenBack;
    };
    const Case cases[] = {{-3, 3, 0, true}, {7, 3, 2, true},       {1, 3, 1, false},
                          {5, 0, 0, true},  {300, 999, 255, true}, {0, 0, 0, false}};
    for (const Case& c : cases) {
        auto gui = makeGui();
        gui->configuration.instanceCount = c.instances;
        gui->deliverInt(1, c.given);
        EXPECT_EQ(gui->localId, c.id) << c.given;
        EXPECT_EQ(gui->wasSent(1), c.writtenBack) << c.given;
        if (c.writtenBack) {
            Golden g(4);
            g.i32(0, c.id);
            EXPECT_EQ(gui->lastSent(1), g.bytes);
        }
        EXPECT_EQ(gui->console.lines[0], " --> SET LOCAL ID TO " + std::to_string(c.id));
    }
}

TEST(LocalId, TakesTheOwnRecordOfTheConfigurationBlock) {
    auto gui = makeGui();
    gui->configuration.instances[2].startPage = 3;
    gui->configuration.instances[2].asleep = 0;
    gui->deliverInt(1, 2);
    EXPECT_EQ(gui->ownInstance.startPage, 3);
    EXPECT_EQ(gui->ownInstance.asleep, 0);
}

struct PatchChecker : ::testing::Test {
    std::unique_ptr<RecordingGui> gui = makeGui();
    void SetUp() override {
        gui->sourceCount = 3;
        gui->targetCount = 3;
        gui->sendInputDelaysBlob();
        gui->sendOutputDelaysBlob();
        gui->sendInputEqBlob();
        gui->sendOutputEqBlob();
        gui->sendInputDynamicsBlob();
        gui->sendOutputDynamicsBlob();
        gui->sent.clear();
    }
};

TEST_F(PatchChecker, PassesWhenEveryBlobMatchesTheCounts) {
    gui->patchCheckPending = 0;
    gui->checkPatch();
    EXPECT_EQ(gui->console.statusMessage,
              "----- PATCH CHECKS COMPLETE :) ----------------------------");
    EXPECT_EQ(gui->patchCheckPending, 0);
    EXPECT_TRUE(gui->sent.empty());
}

TEST_F(PatchChecker, ResendsAMismatchAndRetriesTwoTicksLater) {
    std::vector<uint8_t> twoRecords(736, 0);
    gui->deliver(13, twoRecords);
    gui->checkPatch();
    EXPECT_EQ(gui->sentIds(), std::vector<int32_t>{13});
    EXPECT_EQ(gui->lastSent(13).size(), 1104u);
    EXPECT_EQ(gui->console.statusMessage,
              "----- PATCH FAILED VERIFICATION - TRIGGER RETRY -----------");
    EXPECT_EQ(gui->patchCheckPending, 1);
    EXPECT_EQ(gui->patchCheckCountdown, 2);
    gui->advancePatchRetry();
    EXPECT_EQ(gui->patchCheckPending, 1);
    gui->advancePatchRetry();
    EXPECT_EQ(gui->patchCheckPending, 0);
    EXPECT_EQ(gui->console.statusMessage,
              "----- PATCH CHECKS COMPLETE :) ----------------------------");
}

TEST_F(PatchChecker, PendingRetryHoldsTheMatrixBackButCountsIt) {
    gui->targets[0].gainRow[0] = 1.0f;
    gui->targets[0].cabled[0] = 1;
    gui->patchCheckPending = 1;
    gui->sendGainMatrixBlob();
    EXPECT_FALSE(gui->wasSent(15));
    EXPECT_EQ(gui->gainMatrixStaging.entryCount, 1);
}

TEST_F(PatchChecker, RetryRequestsAreNotLost) {
    // Pin 19 and the output-delays callback arm the retry; a new message cannot clear it.
    gui->deliverInt(19, 1);
    EXPECT_EQ(gui->patchCheckPending, 1);
    EXPECT_EQ(gui->patchCheckCountdown, 2);
    gui->patchCheckPending = 0;
    gui->deliver(18, std::vector<uint8_t>(16, 0));
    EXPECT_EQ(gui->patchCheckPending, 1);
    EXPECT_EQ(gui->patchCheckCountdown, 2);
    command_test::clearFlags(*gui); // what the next window message does
    gui->advancePatchRetry();
    gui->advancePatchRetry();
    // The check ran: it sent the short output delays again and armed a new retry.
    EXPECT_EQ(gui->sentIds(), std::vector<int32_t>{18});
    EXPECT_EQ(gui->lastSent(18).size(), 32u);
    EXPECT_EQ(gui->patchCheckPending, 1);
}

} // namespace
