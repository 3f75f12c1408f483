// A new QX_GUI object: its defaults and its registered pins.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/qx_gui.h"
#include "dsp_link/host_lines_pin.h"

namespace {

struct NewObject : ::testing::Test {
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

TEST_F(NewObject, HasTheDocumentedDefaults) {
    EXPECT_EQ(gui->groupCount, 16);
    EXPECT_EQ(gui->sourceCount, 0);
    EXPECT_EQ(gui->targetCount, 0);
    EXPECT_EQ(gui->roomCount, 0);
    EXPECT_EQ(gui->cableCount, 0);
    EXPECT_EQ(gui->console.ringSize, 60);
    EXPECT_EQ(gui->console.writeIndex, 0);
    EXPECT_EQ(gui->patchCheckCountdown, 10);
    EXPECT_EQ(gui->patchCheckPending, 0);
    EXPECT_EQ(gui->viewSettings.macroPanelPath, "MACROS/MACRO_PANEL.txt");
    EXPECT_EQ(gui->viewSettings.masterVolume, 0.0f);
    EXPECT_EQ(gui->viewSettings.globalRadius, 75.0f);
    EXPECT_EQ(gui->ownInstance.asleep, 1); // the first frame is blank
    EXPECT_EQ(gui->sampleRate, 44100);
    EXPECT_EQ(gui->view.viewZoom, 1.0f);
    EXPECT_EQ(gui->view.fullScreen, 0);
    EXPECT_EQ(gui->localId, 0);
    EXPECT_EQ(gui->configuration.valid, 1);
    EXPECT_EQ(gui->configuration.displayCount, 1);
    EXPECT_EQ(gui->configuration.instanceCount, 3);
    EXPECT_EQ(gui->configuration.displays[255].width, 800);
    EXPECT_EQ(gui->configuration.displays[255].height, 600);
    EXPECT_EQ(gui->autoSaveInterval, 5000);
    EXPECT_EQ(gui->patchPathLength, 0);
    EXPECT_EQ(gui->sendFlagCount, 64);
    for (uint8_t flag : gui->sendFlags) EXPECT_EQ(flag, 0);
    EXPECT_EQ(gui->tokenCount, 0);
    EXPECT_EQ(gui->textEntry.entryCaption, "TITLE");
    EXPECT_EQ(gui->textEntry.entryPrompt, "HINT HERE");
    EXPECT_EQ(gui->view.currentPage, 0);
}

TEST_F(NewObject, ClearsTheProcessWideFullScreenTable) {
    for (uint8_t& done : fullScreenDone) done = 1;
    auto another = std::make_unique<QX_GUI>(); // too large for the stack
    for (uint8_t done : fullScreenDone) EXPECT_EQ(done, 0);
}

TEST_F(NewObject, RegistersExactlyThePinTableWithItsValueTypes) {
    // Id to value-type code: 1 wide string, 4 bool, 6 float, 8 int, 10 blob.
    std::map<int32_t, int32_t> expected = {{0, 1},  {1, 8},  {19, 8}, {20, 8}, {33, 8},
                                           {34, 8}, {35, 8}, {36, 8}, {60, 8}, {37, 4},
                                           {58, 6}, {59, 6}, {38, 1}, {52, 1}, {65, 1}};
    for (int32_t id = 40; id <= 45; ++id) expected[id] = 1;
    expected[kHostLinesPin] = 1; // the host's lines for the console
    for (int32_t id : {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18,
                       21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 61, 62, 63, 66, 67})
        expected[id] = 10;
    ASSERT_EQ(expected.size(), 55u);

    std::map<int32_t, int32_t> registered;
    for (const auto& [id, pin] : gui->pins()) {
        EXPECT_EQ(pin->getId(), id);
        registered[id] = pin->getDatatype();
    }
    EXPECT_EQ(registered, expected);

    for (int32_t id = -2; id < 70; ++id) {
        const int32_t value = 0;
        int32_t want = expected.count(id) ? 0 : -1;
        EXPECT_EQ(gui->setPin(id, 0, 4, &value), want) << id;
        EXPECT_EQ(gui->notifyPin(id, 0), want) << id;
    }
}

TEST_F(NewObject, EveryRegisteredPinHasACallback) {
    for (const auto& [id, pin] : gui->pins()) EXPECT_NE(pin->callback(), nullptr) << id;
}

} // namespace
