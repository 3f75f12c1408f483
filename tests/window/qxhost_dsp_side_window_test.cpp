// qxhost's stand-in DSP side with two instances in windows, as its pin trace shows it: local
// ids before the editors open, instance 0's configuration block reaching instance 1, every
// outgoing script handed to pin 3 of both, and the meters fed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxplatform/test_hooks.h"

namespace {

struct TracedValue {
    int instance = -1;
    std::string direction;
    int pin = -1;
    size_t size = 0;
    std::string hex;
};

std::vector<TracedValue> readTrace(const std::string& path) {
    std::vector<TracedValue> values;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        TracedValue v;
        fields >> v.instance >> v.direction >> v.pin >> v.size >> v.hex;
        values.push_back(v);
    }
    return values;
}

// The blank script: kind 2, for nobody (-1), 100 empty items of capacity 15, count 0.
std::string blankScriptHex() {
    std::vector<uint8_t> bytes(2416, 0);
    bytes[0] = 2;
    for (int b = 4; b < 8; ++b) bytes[b] = 0xff;
    for (int j = 0; j < 100; ++j) bytes[8 + 24 * j + 20] = 15;
    std::string hex;
    char pair[3];
    for (uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
    }
    return hex;
}

int find(const std::vector<TracedValue>& trace, int instance, const char* direction, int pin,
         int from = 0) {
    for (int i = from; i < static_cast<int>(trace.size()); ++i)
        if (trace[i].instance == instance && trace[i].direction == direction && trace[i].pin == pin)
            return i;
    return -1;
}

struct QxhostDspSideWindow : ::testing::Test {
    std::vector<TracedValue> trace;
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        const std::string path = "qxhost_dsp_side_trace.txt";
        ASSERT_EQ(
            std::system(("./qxhost --instances 2 --frames 10 --trace-pins " + path + " 2>/dev/null")
                            .c_str()),
            0);
        trace = readTrace(path);
        std::remove(path.c_str());
        ASSERT_GE(trace.size(), 2u);
    }
};

TEST_F(QxhostDspSideWindow, LocalIdsArriveFirstInCreationOrderBeforeTheEditorsOpen) {
    EXPECT_EQ(trace[0].hex, "00000000");
    EXPECT_EQ(trace[0].pin, 1);
    EXPECT_EQ(trace[0].instance, 0);
    EXPECT_EQ(trace[1].hex, "01000000");
    EXPECT_EQ(trace[1].pin, 1);
    EXPECT_EQ(trace[1].instance, 1);
    int open0 = find(trace, 0, "out", 20), open1 = find(trace, 1, "out", 20);
    ASSERT_GT(open0, 1);
    ASSERT_GT(open1, 1);
    EXPECT_EQ(trace[open0].hex, "01000000");
    EXPECT_EQ(trace[open1].hex, "01000000");
}

TEST_F(QxhostDspSideWindow, InstanceZerosConfigurationBlockReachesInstanceOne) {
    int published = find(trace, 0, "out", 2);
    ASSERT_GE(published, 0);
    EXPECT_EQ(trace[published].size, 13324u);
    int carried = find(trace, 1, "in", 2, published);
    ASSERT_GE(carried, 0);
    EXPECT_EQ(trace[carried].hex, trace[published].hex);
    // Only instance 0's block travels: nothing is handed back to instance 0 on pin 2.
    EXPECT_EQ(find(trace, 0, "in", 2), -1);
}

TEST_F(QxhostDspSideWindow, EveryOutgoingScriptReachesPinThreeOfBothInstances) {
    int scripts = 0;
    for (int i = 0; i < static_cast<int>(trace.size()); ++i) {
        if (trace[i].direction != "out" || trace[i].pin != 4) continue;
        ++scripts;
        for (int instance = 0; instance < 2; ++instance) {
            int handed = find(trace, instance, "in", 3, i);
            ASSERT_GE(handed, 0) << "script of line " << i << " to instance " << instance;
            EXPECT_EQ(trace[handed].hex, trace[i].hex);
        }
    }
    EXPECT_GE(scripts, 2); // each instance's blank script after its first tick
    // The first script of each instance is the blank one, after its window opened.
    for (int instance = 0; instance < 2; ++instance) {
        int first = find(trace, instance, "out", 4);
        ASSERT_GE(first, 0);
        EXPECT_EQ(trace[first].size, 2416u);
        EXPECT_EQ(trace[first].hex, blankScriptHex());
        EXPECT_GT(first, find(trace, instance, "out", 20));
    }
}

TEST_F(QxhostDspSideWindow, MetersAndStatusAreFedToBothInstances) {
    for (int instance = 0; instance < 2; ++instance)
        for (int pin : {61, 62, 63, 66, 67, 26})
            EXPECT_GE(find(trace, instance, "in", pin), 0)
                << "pin " << pin << " of instance " << instance;
    int status = find(trace, 0, "in", 26);
    ASSERT_GE(status, 0);
    EXPECT_EQ(trace[status].size, 4100u);
}

TEST_F(QxhostDspSideWindow, BothWindowsCloseWithPinTwentyBackToZero) {
    for (int instance = 0; instance < 2; ++instance) {
        int open = find(trace, instance, "out", 20);
        ASSERT_GE(open, 0);
        int closed = find(trace, instance, "out", 20, open + 1);
        ASSERT_GE(closed, 0);
        EXPECT_EQ(trace[closed].hex, "00000000");
        EXPECT_EQ(find(trace, instance, "out", 20, closed + 1), -1);
    }
}

} // namespace
