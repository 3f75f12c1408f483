// Display enumeration, the configuration block it publishes, SYSTEM_INFO and the font lookup.
#include <gtest/gtest.h>

#include "app/display_table.h"
#include "dsp_link_recording_gui.h"
#include "qxplatform/test_hooks.h"

namespace {

RECT rect(LONG left, LONG top, LONG width, LONG height) {
    return RECT{left, top, left + width, top + height};
}

struct Displays : ::testing::Test {
    void SetUp() override { processDisplays() = DisplayTable{}; }
    void TearDown() override {
        qxplatform::clearDisplayList();
        processDisplays() = DisplayTable{};
    }
};

TEST_F(Displays, IdenticalRectanglesCountOnce) {
    qxplatform::setDisplayList({rect(0, 0, 1920, 1080), rect(0, 0, 1920, 1080)});
    auto gui = makeGui();
    gui->enumerateDisplays();
    EXPECT_EQ(gui->configuration.displayCount, 1);
    EXPECT_EQ(processDisplays().count, 2);
}

TEST_F(Displays, InstanceZeroPublishesTheBlockWithTheInstanceRecords) {
    qxplatform::setDisplayList({rect(0, 0, 1920, 1080), rect(1920, 0, 1280, 1024)});
    auto gui = makeGui();
    gui->enumerateDisplays();
    ASSERT_EQ(gui->sentIds(), std::vector<int32_t>{2});
    std::vector<uint8_t> bytes = gui->lastSent(2);
    ASSERT_EQ(bytes.size(), 13324u);
    Golden display1(20);
    display1.i32(0, 1920).i32(4, 0).i32(8, 1280).i32(12, 1024).u8(16, 1);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 24, bytes.begin() + 44), display1.bytes);
    EXPECT_EQ(bytes[5124], 2);
    Golden instance1(32), instance2(32);
    instance1.i32(8, 1).u8(12 + 9, 1).u8(12 + 11, 1).u8(12 + 12, 1);
    instance2.i32(8, 3).u8(12 + 11, 1).u8(12 + 12, 1);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 5160, bytes.begin() + 5192), instance1.bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 5192, bytes.begin() + 5224), instance2.bytes);
    EXPECT_EQ(gui->console.lines[0], "COMMUNICATE CONFIGURATION");
}

TEST_F(Displays, OtherInstancesNeitherEnumerateNorSend) {
    qxplatform::setDisplayList({rect(0, 0, 800, 600)});
    auto gui = makeGui();
    gui->localId = 1;
    gui->enumerateDisplays();
    EXPECT_TRUE(gui->sent.empty());
    EXPECT_EQ(processDisplays().count, 0);
}

TEST_F(Displays, WithoutADisplayOneScreenOf1376By800) {
    qxplatform::clearDisplayList();
    if (qxplatform::hasDisplay()) GTEST_SKIP() << "an X display is open";
    auto gui = makeGui();
    gui->enumerateDisplays();
    EXPECT_EQ(processDisplays().count, 1);
    EXPECT_EQ(gui->configuration.displays[0].width, 1376);
    EXPECT_EQ(gui->configuration.displays[0].height, 800);
}

TEST_F(Displays, SystemInformationListsEachScreen) {
    qxplatform::setDisplayList({rect(0, 0, 1920, 1080), rect(1920, 0, 1280, 1024)});
    auto gui = makeGui();
    gui->enumerateDisplays();
    gui->clearConsole();
    gui->console.writeIndex = 0;
    gui->logSystemInformation();
    std::vector<std::string> lines(gui->console.lines,
                                   gui->console.lines + gui->console.writeIndex);
    auto at = std::find(lines.begin(), lines.end(), "   NUMBER OF DISPLAYS : 2");
    ASSERT_NE(at, lines.end());
    std::vector<std::string> screens(at + 1, at + 7);
    EXPECT_EQ(screens,
              (std::vector<std::string>{"      SCREEN 1 :", "         DIMENSIONS : 1920 X :1080",
                                        "         POSITION : X:0 Y:0",
                                        "      SCREEN 2 :", "         DIMENSIONS : 1280 X :1024",
                                        "         POSITION : X:1920 Y:0"}));
    EXPECT_EQ(lines.front(), "SYSTEM INFORMATION :");
    EXPECT_EQ(lines.back().rfind("MOUSE IS ON SCREEN : ", 0), 0u);
}

TEST(FontLookup, ArialBoldIsTheInstalledMetricCompatibleFace) {
    auto gui = makeGui();
    std::string path = gui->findFontFile("Arial Bold");
    EXPECT_EQ(path, "Z:\\usr\\share\\Fonts\\truetype\\liberation\\LiberationSans-Bold.ttf");
    EXPECT_EQ(gui->findFontFile("arial bold"), path);
    EXPECT_EQ(gui->findFontFile("No Such Face At All"), "");
}

} // namespace
