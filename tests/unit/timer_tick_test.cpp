// The timer tick driven by the settable clock: drifts, the 10 ms gate, auto-save and its
// indicator, the macro queue, the blank script, the phases, backups and the key poll.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"

namespace {

struct TimerTick : ::testing::Test {
    void SetUp() override {
        qxplatform::setManualClock(100000);
        qxplatform::setMessageBoxesQuiet(true);
        gui->lastTickTime = 100000;
        gui->autoLastClock = 100000;
    }
    void TearDown() override {
        qxplatform::releaseManualClock();
        qxplatform::releaseAllKeys();
    }
    int consoleCount(const std::string& line) const {
        int n = 0;
        for (const std::string& l : gui->console.lines) n += l == line;
        return n;
    }
    bool consoleHas(const std::string& text) const {
        for (const std::string& l : gui->console.lines)
            if (l.find(text) != std::string::npos) return true;
        return false;
    }
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

TEST_F(TimerTick, ADriftWithStepAQuarterTakesFiveTicks) {
    gui->sliceDrift.drifting = 1;
    gui->sliceDrift.driftT = 0.0f;
    gui->sliceDrift.driftStep = 0.25f;
    const float expectedAfter[5] = {0.25f, 0.5f, 0.75f, 1.0f, 1.0f};
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(gui->sliceDrift.drifting, 1) << tick;
        gui->onTimer();
        EXPECT_FLOAT_EQ(gui->sliceDrift.driftT, expectedAfter[tick]) << tick;
    }
    EXPECT_EQ(gui->sliceDrift.drifting, 0);
}

TEST_F(TimerTick, TheGatedStepRunsOnceForTwoTicksNineMillisecondsApart) {
    qxplatform::advanceManualClock(10);
    gui->onTimer();
    EXPECT_EQ(gui->interaction.cursorBlinkCounter, 1);
    qxplatform::advanceManualClock(9);
    gui->onTimer();
    EXPECT_EQ(gui->interaction.cursorBlinkCounter, 1);
    qxplatform::advanceManualClock(1);
    gui->onTimer();
    EXPECT_EQ(gui->interaction.cursorBlinkCounter, 2);
}

TEST_F(TimerTick, TheGatedStepRecordsEachItemsMeterLevelInItsHistoryRing) {
    gui->sourceCount = 2;
    gui->targetCount = 1;
    gui->sources[1].meter[0] = 0.5f;
    gui->sources[1].envelopeWrite = 799;
    gui->targets[0].meter[0] = 0.25f;
    qxplatform::advanceManualClock(10);
    gui->onTimer();
    EXPECT_EQ(gui->sources[1].envelope[799], 0.5f);
    EXPECT_EQ(gui->sources[1].envelopeWrite, 0); // the ring wraps
    EXPECT_EQ(gui->targets[0].envelope[0], 0.25f);
    EXPECT_EQ(gui->targets[0].envelopeWrite, 1);
    EXPECT_EQ(gui->sources[2].envelopeWrite, 0); // items past the count are left alone
    qxplatform::advanceManualClock(5);
    gui->onTimer(); // inside the 10 ms gate: nothing recorded
    EXPECT_EQ(gui->targets[0].envelopeWrite, 1);
}

TEST_F(TimerTick, AutoSaveWritesOncePerIntervalAndTheIndicatorGoesOutAfterHalfASecond) {
    gui->autoSave = 1;
    qxplatform::advanceManualClock(4999);
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 0);
    qxplatform::advanceManualClock(1);
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 1);
    EXPECT_EQ(gui->autoSaveShown, 1);
    qxplatform::advanceManualClock(500);
    gui->onTimer();
    EXPECT_EQ(gui->autoSaveShown, 1);
    qxplatform::advanceManualClock(1);
    gui->onTimer();
    EXPECT_EQ(gui->autoSaveShown, 0);
    qxplatform::advanceManualClock(4498);
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 1);
    qxplatform::advanceManualClock(1);
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 2);
}

TEST_F(TimerTick, ToggleAutoSaveStartsTheIntervalAndTheSaveRecordsItsClock) {
    qxplatform::advanceManualClock(3000); // clock 103000
    gui->executeCommandString("TOGGLE AUTO_SAVE");
    EXPECT_EQ(gui->autoSave, 1);
    EXPECT_EQ(gui->autoLastClock, 103000) << "the interval runs from the switch";
    qxplatform::advanceManualClock(4999);
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 0);
    EXPECT_EQ(gui->autoSaveClock, 0);
    qxplatform::advanceManualClock(1); // clock 108000
    gui->onTimer();
    EXPECT_EQ(consoleCount("[AUTO SAVE]"), 1);
    EXPECT_EQ(gui->autoSaveClock, 108000);
    EXPECT_EQ(gui->autoLastClock, 108000);
    gui->executeCommandString("TOGGLE AUTO_BACKUP");
    EXPECT_EQ(gui->autoBackupOn, 1);
}

TEST_F(TimerTick, QueuedLinesRunOnePerTickAndTheEndIsReportedOnce) {
    gui->queuedLines[0] = "VERBOSE 0";
    gui->queuedLines[1] = "VERBOSE 0 ; SKIPPED";
    gui->queuedLines[2] = "CLS_NOT_A_VERB";
    gui->queuedLineCount = 3;
    gui->queueNext = 0;
    gui->queueActive = 1;
    gui->onTimer();
    EXPECT_TRUE(consoleHas("-> VERBOSE 0"));
    EXPECT_EQ(gui->queueNext, 1);
    gui->onTimer();
    EXPECT_FALSE(consoleHas("SKIPPED"));
    EXPECT_EQ(consoleCount(">> END OF EXTENDED PARSING <<"), 0);
    gui->onTimer();
    EXPECT_TRUE(consoleHas("CLS_NOT_A_VERB"));
    EXPECT_EQ(gui->queueActive, 0);
    gui->onTimer();
    EXPECT_EQ(consoleCount(">> END OF EXTENDED PARSING <<"), 1);
}

TEST_F(TimerTick, TheFirstTickWritesTheBlankScript) {
    EXPECT_EQ(gui->blankScriptDue, 1);
    gui->onTimer();
    const MpBlob& script = gui->pinScriptOut.getValue();
    ASSERT_EQ(script.getSize(), 2416);
    const uint8_t* b = script.getData();
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[4], 0xff);
    EXPECT_EQ(b[7], 0xff);
    for (int j = 0; j < 100; ++j) {
        EXPECT_EQ(b[8 + 24 * j], 0);
        EXPECT_EQ(b[8 + 24 * j + 16], 0);
        EXPECT_EQ(b[8 + 24 * j + 20], 15);
    }
    EXPECT_EQ(b[2408], 0);
    EXPECT_EQ(gui->blankScriptDue, 0);
}

TEST_F(TimerTick, AnimationPhasesWrap) {
    gui->stage.heatmapPhase = 0.49995f;
    gui->onTimer();
    EXPECT_FLOAT_EQ(gui->stage.heatmapPhase, -0.5f);
    gui->stage.curvePhase = 1.0f;
    int ticks = 0;
    do {
        gui->onTimer();
        ++ticks;
    } while (gui->stage.curvePhase != 1.0f && ticks < 200);
    EXPECT_EQ(ticks, 100);
}

TEST_F(TimerTick, BackupNamesDropTheDriveAndTheFolders) {
    std::tm when{};
    when.tm_mday = 7;
    when.tm_mon = 11;
    when.tm_year = 2026 - 1900;
    when.tm_hour = 22;
    when.tm_min = 58;
    when.tm_sec = 4;
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\PATCHES\\SHOW.txt", "BACKUPS\\07-12-2026--22-58-04--SHOW.txt"},
        {"SHOW.txt", "BACKUPS\\07-12-2026--22-58-04--SHOW.txt"},
        {"Z:/a/b/c.txt", "BACKUPS\\07-12-2026--22-58-04--c.txt"},
    };
    for (const Case& c : cases) {
        std::memset(gui->patchPath, 0, sizeof gui->patchPath);
        std::strcpy(gui->patchPath, c.path);
        gui->patchPathLength = static_cast<int32_t>(std::strlen(c.path));
        EXPECT_EQ(gui->backupFileName(when), c.name) << c.path;
    }
}

TEST_F(TimerTick, TheKeyPollUsesANamedDisplayOrTheInstancesOwnScreen) {
    RECT rect{};
    EXPECT_FALSE(gui->fullScreenRect(rect));
    gui->configuration.displayCount = 2;
    gui->configuration.displays[1] = DisplayRecord{1376, 0, 1920, 1080, 0};
    gui->localId = 1;
    gui->fullScreenOnOwnScreen = 1;
    ASSERT_TRUE(gui->fullScreenRect(rect));
    EXPECT_EQ(rect.left, 1376);
    EXPECT_EQ(rect.right, 1376 + 1920);
    gui->fullScreenDisplay = 0;
    ASSERT_TRUE(gui->fullScreenRect(rect));
    EXPECT_EQ(rect.left, 0);
    gui->fullScreenDisplay = 5; // beyond the display count
    gui->fullScreenOnOwnScreen = 0;
    EXPECT_FALSE(gui->fullScreenRect(rect));
}

TEST_F(TimerTick, FullScreenKeyPollReportsEachNewKeyOnceAndNoneWhileAButtonIsHeld) {
    gui->view.fullScreen = 1;
    qxplatform::setKeyDown('A', true);
    qxplatform::setKeyDown('B', true);
    gui->onTimer();
    EXPECT_EQ(gui->keyboard.keyWasDown['A'], 1);
    EXPECT_EQ(gui->keyboard.keyWasDown['B'], 0);
    gui->onTimer();
    EXPECT_EQ(gui->keyboard.keyWasDown['B'], 1);
    qxplatform::setKeyDown('A', false);
    gui->onTimer();
    EXPECT_EQ(gui->keyboard.keyWasDown['A'], 0);
    qxplatform::setKeyDown(VK_LBUTTON, true);
    qxplatform::setKeyDown('A', true);
    gui->onTimer();
    EXPECT_EQ(gui->keyboard.keyWasDown['A'], 0);
}

} // namespace
