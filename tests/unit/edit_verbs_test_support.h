// A small stage for the stage edit verb tests, and one command line run with what it left:
// its result, its error text, the console lines it wrote after its echo and the send flags
// it raised.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "command_test_support.h"

namespace edit_verbs_test {

// The seventeen model send flags of the commit after every successful edit.
inline const std::set<int> kCommitFlags = {1,  2,  3,  4,  5,  11, 12, 15, 17,
                                           18, 19, 20, 21, 22, 23, 24, 25};

struct Outcome {
    int32_t result = -1;
    std::string error;                // the pending error printed for a failure
    std::vector<std::string> console; // every console line the line wrote
    std::set<int> flags;              // send flags raised
};

struct EditVerbsTest : ::testing::Test, command_test::LineRunner<> {

    // Room R1 (0, 0, 1000 x 1000) holds S1..S4, T1, T2 and G1, G2; every source has level 1.0
    // and size 1.0; targets use the global radius 75.
    void SetUp() override {
        using command_test::placeGroups;
        using command_test::placeSources;
        using command_test::placeTargets;
        placeSources(*gui,
                     {{"S1", 100, 100}, {"S2", 200, 100}, {"S3", 300, 100}, {"S4", 400, 100}});
        placeTargets(*gui, {{"T1", 100, 300}, {"T2", 400, 300}});
        placeGroups(*gui, {{"G1", 150, 150}, {"G2", 350, 150}});
        for (int i = 0; i < gui->sourceCount; ++i) gui->sources[i].size = 1.0f;
        gui->roomCount = 1;
        gui->rooms[0].name = "R1";
        gui->rooms[0].x = 0;
        gui->rooms[0].y = 0;
        gui->rooms[0].width = 1000;
        gui->rooms[0].height = 1000;
        gui->viewSettings.globalRadius = 75.0f;
        gui->viewSettings.masterVolume = 1.0f;
        gui->updateRoomMembership();
    }

    Outcome run(const std::string& line) {
        Outcome outcome;
        outcome.result = command_test::runAlone(*gui, line);
        outcome.error = outcome.result != 0 ? gui->console.lastError : "";
        outcome.console = command_test::consoleLines(*gui);
        for (int f = 0; f < QX_GUI::kSendFlags; ++f)
            if (gui->sendFlags[f] != 0) outcome.flags.insert(f);
        return outcome;
    }

    // Runs a line that must succeed and raise the commit's send flags.
    void runOk(const std::string& line) {
        const Outcome outcome = run(line);
        ASSERT_EQ(outcome.result, 0) << line << ": " << outcome.error;
        EXPECT_EQ(outcome.flags, kCommitFlags) << line;
    }

    // Runs a line that must fail with the message, raise no send flag and print the message
    // as the line's last console line.
    void runFails(const std::string& line, const std::string& message) {
        const Outcome outcome = run(line);
        EXPECT_EQ(outcome.result, 1) << line;
        EXPECT_EQ(outcome.error, message) << line;
        EXPECT_TRUE(outcome.flags.empty()) << line;
        ASSERT_FALSE(outcome.console.empty()) << line;
        EXPECT_EQ(outcome.console.back(), message) << line;
    }

    SourceRecord& S(int number) { return gui->sources[number - 1]; }
    TargetRecord& T(int number) { return gui->targets[number - 1]; }
    GroupRecord& G(int number) { return gui->groups[number - 1]; }
    RoomRecord& R(int number) { return gui->rooms[number - 1]; }
};

} // namespace edit_verbs_test
