// Gestures on the INPUTS and OUTPUTS pages at 1376 x 800: fader and master drags, the TRIM
// drag, wheel steps, clicks with keys held, the rename entry, the processing switches with
// their panels, and the master reaching the view-state pin.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dsp_link_recording_gui.h"
#include "mixer_page_driver.h"
#include "panels/frame/panel_ids.h"
#include "screen_fixture.h"

namespace {

// Strip s of row 0 starts at x = 6 + 62 s, y = 13. A level of 0.5 puts the knob centre at
// local y 65, a level of 1.0 at 47; the MASTER knob at 1.0 sits 95 below the top of row 1.
constexpr int32_t kRow0 = 13;
int32_t stripX(int32_t s) {
    return 6 + 62 * s;
}

struct PageFixture : ScreenFixture {
    MixerPageDriver page;
    explicit PageFixture(int32_t pageId) : page(*gui, pageId) {
        gui->setSourceCount(12);
        gui->setTargetCount(8);
        for (int32_t i = 0; i < 12; ++i) gui->sources[i].level = 0.5f;
        for (int32_t i = 0; i < 8; ++i) gui->targets[i].level = 0.5f;
        clearFlags();
    }
    float& level(int32_t i) {
        return page.inputs() ? gui->sources[i].level : gui->targets[i].level;
    }
};

struct DragCase {
    const char* what;
    int32_t pageId;
    float start;
    int32_t grabY;        // local y of the grab in strip 0
    int32_t toStrip, toY; // where the pointer ends: strip and local y
    float expected;
};

TEST(MixerDrags, AFaderFollowsThePointerFromWhereTheKnobWasGrabbed) {
    const DragCase cases[] = {
        {"up 40 px from 0.5", kPageInputs, 0.5f, 65, 0, 25, 2.390f},
        {"up 60 px stops at 4.0", kPageInputs, 0.5f, 65, 0, 5, 4.0f},
        {"up 78 px from the knob's bottom stops at 4.0", kPageInputs, 0.5f, 78, 0, 0, 4.0f},
        {"1.0 moved up 1 px snaps back to 1.0", kPageInputs, 1.0f, 47, 0, 46, 1.0f},
        {"down 60 px from 1.0", kPageInputs, 1.0f, 47, 0, 107, 0.0957f},
        {"INPUTS: over another strip the level freezes", kPageInputs, 0.5f, 65, 1, 5, 0.5f},
        {"OUTPUTS: up 40 px from 0.5", kPageOutputs, 0.5f, 65, 0, 25, 2.390f},
        {"OUTPUTS: over another strip the level follows", kPageOutputs, 0.5f, 65, 1, 25, 2.390f},
    };
    for (const DragCase& c : cases) {
        PageFixture f(c.pageId);
        f.level(0) = c.start;
        f.page.press(stripX(0) + 31, kRow0 + c.grabY);
        ASSERT_EQ(f.gui->interaction.pageMouseHold, 1) << c.what;
        EXPECT_EQ(qxplatform::currentCursorId(), 32645) << c.what; // north-south
        f.page.move(stripX(c.toStrip) + 31, kRow0 + c.toY);
        f.page.release(stripX(c.toStrip) + 31, kRow0 + c.toY);
        EXPECT_NEAR(f.level(0), c.expected, 0.0005f) << c.what;
        EXPECT_EQ(f.level(1), 0.5f) << c.what;
        EXPECT_EQ(f.gui->interaction.pageMouseHold, 0) << c.what;
        // After the release the pointer moves nothing.
        const float kept = f.level(0);
        f.page.move(stripX(0) + 31, kRow0 + 100);
        EXPECT_EQ(f.level(0), kept) << c.what;
    }
}

TEST(MixerDrags, TheMasterFollowsOnlyOverItsOwnColumn) {
    PageFixture f(kPageOutputs);
    f.gui->viewSettings.masterVolume = 1.0f;
    f.page.press(1339, 271 + 95);
    EXPECT_EQ(f.gui->mixerPages.draggedStrip, kTwoRowStrip);
    f.page.move(1339, 271 + 85);
    EXPECT_NEAR(f.gui->viewSettings.masterVolume, 1.180f, 0.0005f);
    const float master = f.gui->viewSettings.masterVolume;
    f.page.move(stripX(20) + 31, 271 + 30); // over a target strip: neither moves
    EXPECT_EQ(f.gui->viewSettings.masterVolume, master);
    EXPECT_EQ(f.gui->targets[0].level, 0.5f);
    f.page.release(stripX(20) + 31, 271 + 30);
    // A target drag never moves the master, even over the MASTER column.
    f.page.press(stripX(0) + 31, kRow0 + 65);
    f.page.move(1339, 271 + 10);
    f.page.release(1339, 271 + 10);
    EXPECT_EQ(f.gui->viewSettings.masterVolume, master);
}

// A right press on the STAGE holds the mouse for the page; a line then turns to INPUTS with no
// source grabbed. Moving there over no strip (nor over the TRIM column) drags nothing.
TEST(MixerDrags, AHoldLeftByAnotherPageDragsNoSource) {
    PageFixture f(kPageStage);
    f.gui->graphicsReady = 1;
    f.gui->currentSource = -1;
    f.press(700, 400, ScreenFixture::Button::Right);
    ASSERT_EQ(f.gui->interaction.pageMouseHold, 1);
    f.run("PAGE INPUTS");
    ASSERT_EQ(f.gui->view.currentPage, kPageInputs);
    for (int32_t y : {5, 270, 540, 795})
        for (int32_t x : {2, 700, 1300, 1370}) f.move(x, y);
    for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(f.gui->sources[i].level, 0.5f) << i;
}

struct TrimCase {
    const char* what;
    int32_t moveUp; // pixels from the grab
    float expected[3];
    float offset;
};

TEST(MixerTrim, OneOffsetForAllSourcesSpringsBackOnRelease) {
    const TrimCase cases[] = {
        {"a press and 0 px", 0, {0.5f, 1.0f, 11.0f}, 0.0f},
        {"4 px is below 0.1 dB", 4, {0.5f, 1.0f, 11.0f}, 0.0f},
        {"up 46 px adds 1.008 dB, a gain stops at 12.0", 46, {0.56152f, 1.12304f, 12.0f}, 1.00797f},
        {"down 46 px", -46, {0.44522f, 0.89044f, 9.79480f}, -1.00797f},
        {"the offset stops at +5 dB", 250, {0.88914f, 1.77828f, 12.0f}, 5.0f},
    };
    for (const TrimCase& c : cases) {
        PageFixture f(kPageInputs);
        f.gui->setSourceCount(3);
        const float start[3] = {0.5f, 1.0f, 11.0f};
        for (int32_t s = 0; s < 3; ++s) f.gui->sources[s].level = start[s];
        f.clearFlags();
        f.page.press(1339, 271 + 257);
        EXPECT_EQ(f.gui->mixerPages.trimDragActive, 1) << c.what;
        for (int32_t s = 0; s < 3; ++s) EXPECT_EQ(f.gui->sources[s].level, start[s]) << c.what;
        f.page.move(1339, 271 + 257 - c.moveUp);
        EXPECT_NEAR(f.gui->mixerPages.inputTrimDb, c.offset, 1e-4f) << c.what;
        for (int32_t s = 0; s < 3; ++s)
            EXPECT_NEAR(f.gui->sources[s].level, c.expected[s], 1e-4f) << c.what << " " << s;
        f.page.release(1339, 271 + 257 - c.moveUp);
        EXPECT_EQ(f.gui->mixerPages.inputTrimDb, 0.0f) << c.what;
        EXPECT_EQ(f.gui->mixerPages.trimDragActive, 0) << c.what;
        for (int32_t s = 0; s < 3; ++s)
            EXPECT_NEAR(f.gui->sources[s].level, c.expected[s], 1e-4f) << c.what;
        // A click on the TRIM column raises no send flag.
        for (int32_t flag = 0; flag < QX_GUI::kSendFlags; ++flag)
            EXPECT_FALSE(f.page.raised(flag)) << c.what << " flag " << flag;
    }
}

TEST(MixerWheel, StepsTheHoveredLevelByHalfADecibel) {
    PageFixture in(kPageInputs);
    in.page.move(stripX(0) + 31, kRow0 + 100, 0);
    in.hold({VK_SHIFT});
    in.page.wheel(-1);
    in.page.wheel(-1);
    in.letGoAll();
    EXPECT_NEAR(in.gui->sources[0].level, 0.48862f, 1e-5f);
    EXPECT_EQ(in.gui->mixerPages.showLevelReadout, 1);
    // Past the source count, or at a level of 0, nothing changes.
    in.page.move(stripX(15) + 31, kRow0 + 100, 0);
    in.page.wheel(1);
    EXPECT_EQ(in.gui->sources[15].level, 0.0f);
    EXPECT_EQ(in.gui->mixerPages.showLevelReadout, 0);
    in.gui->sources[1].level = 0.0f;
    in.page.move(stripX(1) + 31, kRow0 + 100, 0);
    in.page.wheel(1);
    EXPECT_EQ(in.gui->sources[1].level, 0.0f);

    PageFixture out(kPageOutputs);
    out.gui->viewSettings.masterVolume = 1.0f;
    out.page.move(1339, 500, 0);
    for (int i = 0; i < 3; ++i) out.page.wheel(1);
    EXPECT_NEAR(out.gui->viewSettings.masterVolume, 1.18850f, 1e-5f);
    EXPECT_TRUE(out.page.raised(kSendViewState));
    EXPECT_TRUE(out.page.raised(kSendGainMatrix));
    EXPECT_EQ(out.gui->console.statusMessage, "IN CHANNEL 65");
    const RecordingDrawLayer frame = out.drawFrame();
    EXPECT_NE(frame.findText("1.50dB"), nullptr);
    // Over a target past the count nothing changes.
    out.page.move(stripX(10) + 31, kRow0 + 100, 0);
    out.page.wheel(1);
    EXPECT_EQ(out.gui->targets[10].level, 1.0f);
    EXPECT_EQ(out.gui->console.statusMessage, "IN CHANNEL 10");
}

struct KeyClickCase {
    const char* what;
    std::initializer_list<int> keys;
    int32_t solo, mute;
    float phase, level;
};

TEST(MixerClicks, KeysHeldOverTheFaderAreaSwitchTheItem) {
    const KeyClickCase cases[] = {
        {"S toggles solo", {'S'}, 1, 0, 1.0f, 0.5f},
        {"A toggles mute", {'A'}, 0, 1, 1.0f, 0.5f},
        {"M toggles mute", {'M'}, 0, 1, 1.0f, 0.5f},
        {"S and A together", {'S', 'A'}, 1, 1, 1.0f, 0.5f},
        {"P flips the phase", {'P'}, 0, 0, -1.0f, 0.5f},
        {"Z gives unity", {'Z'}, 0, 0, 1.0f, 1.0f},
        {"no key changes nothing", {}, 0, 0, 1.0f, 0.5f},
    };
    for (int32_t pageId : {kPageInputs, kPageOutputs}) {
        for (const KeyClickCase& c : cases) {
            PageFixture f(pageId);
            f.hold(c.keys);
            f.page.click(stripX(2) + 16, kRow0 + 150);
            f.letGoAll();
            const bool in = pageId == kPageInputs;
            const int32_t solo = in ? f.gui->sources[2].solo : f.gui->targets[2].solo;
            const int32_t mute = in ? f.gui->sources[2].mute : f.gui->targets[2].mute;
            const float phase = in ? f.gui->sources[2].phase : f.gui->targets[2].phase;
            EXPECT_EQ(solo, c.solo) << c.what;
            EXPECT_EQ(mute, c.mute) << c.what;
            EXPECT_EQ(phase, c.phase) << c.what;
            EXPECT_EQ(f.level(2), c.level) << c.what;
            EXPECT_TRUE(f.page.raised(in ? kSendSources : kSendTargets)) << c.what;
            EXPECT_TRUE(f.page.raised(kSendGainMatrix)) << c.what;
            EXPECT_FALSE(f.page.raised(kSendViewState)) << c.what;
            if (in) {
                EXPECT_EQ(f.gui->anySourceSoloed, c.solo) << c.what;
                EXPECT_EQ(f.gui->currentSource, 2) << c.what;
            } else {
                EXPECT_EQ(f.gui->mixerPages.lastClickedChannel, 66) << c.what;
            }
        }
    }
}

TEST(MixerClicks, ButtonsSwitchTheirItemAndAStripPastTheCountOnlyRaisesFlags) {
    PageFixture f(kPageInputs);
    f.page.click(stripX(0) + 16, kRow0 + 232); // M
    f.page.click(stripX(0) + 31, kRow0 + 232); // S
    f.page.click(stripX(0) + 56, kRow0 + 232); // P
    EXPECT_EQ(f.gui->sources[0].mute, 1);
    EXPECT_EQ(f.gui->sources[0].solo, 1);
    EXPECT_EQ(f.gui->sources[0].phase, -1.0f);
    f.clearFlags();
    f.hold({'Z'});
    f.page.click(stripX(14) + 16, kRow0 + 150); // past the count of 12
    f.letGoAll();
    EXPECT_EQ(f.gui->sources[14].level, 0.0f);
    EXPECT_EQ(f.gui->currentSource, 0);
    EXPECT_TRUE(f.page.raised(kSendSources));
    EXPECT_TRUE(f.page.raised(kSendGainMatrix));
}

TEST(MixerClicks, ProcessingSwitchesFlipWhileTheirPanelIsHiddenOrOnTheItem) {
    struct Case {
        const char* what;
        int32_t localX, panel, flag;
        uint8_t (*enabled)(QX_GUI&, int32_t);
        int32_t (*panelIndex)(QX_GUI&);
    };
    const Case cases[] = {
        {"D", 16, kPanelDelay, kSendInputDelays,
         [](QX_GUI& g, int32_t s) { return g.inputDelays[s].on; },
         [](QX_GUI& g) { return g.delayEditor.delayPanelIndex; }},
        {"E", 31, kPanelFilters, kSendInputEq,
         [](QX_GUI& g, int32_t s) { return g.inputFilters[s].enabled; },
         [](QX_GUI& g) { return g.filtersEditor.filterPanelIndex; }},
        {"C", 56, kPanelDynamics, kSendInputDynamics,
         [](QX_GUI& g, int32_t s) { return g.inputDynamics[s].mode; },
         [](QX_GUI& g) { return g.dynamicsEditor.dynamicsPanelIndex; }},
    };
    for (const Case& c : cases) {
        PageFixture f(kPageInputs);
        f.page.click(stripX(4) + c.localX, kRow0 + 247);
        EXPECT_EQ(c.enabled(*f.gui, 4), 1) << c.what << " hidden: flips";
        EXPECT_TRUE(f.page.raised(c.flag)) << c.what;

        // Shown on another source: the panel only moves here.
        f.gui->loadDelayPanel(kKindSource, 3);
        f.gui->loadFiltersPanel(kKindSource, 3);
        f.gui->loadDynamicsPanel(kKindSource, 3);
        f.gui->panelFrame.panels[c.panel].shown = 1;
        f.clearFlags();
        f.page.click(stripX(4) + c.localX, kRow0 + 247);
        EXPECT_EQ(c.enabled(*f.gui, 4), 1) << c.what << " shown elsewhere: keeps";
        EXPECT_FALSE(f.page.raised(c.flag)) << c.what;
        EXPECT_EQ(c.panelIndex(*f.gui), 4) << c.what;

        // Shown on this source: flips and reloads.
        f.page.click(stripX(4) + c.localX, kRow0 + 247);
        EXPECT_EQ(c.enabled(*f.gui, 4), 0) << c.what << " shown here: flips";
        EXPECT_TRUE(f.page.raised(c.flag)) << c.what;
    }
}

TEST(MixerClicks, TheNameBoxOpensTheRenameEntryOnTheFixedGrid) {
    PageFixture in(kPageInputs);
    in.gui->setSourceCount(30);
    in.page.click(6 + 3 * 62 + 16, 271 + 5); // source index 25
    EXPECT_EQ(in.gui->textEntry.textEntryId, 1);
    EXPECT_EQ(in.gui->textEntry.textEntryTitle, "NAME SOURCE");
    EXPECT_EQ(in.gui->textEntry.textEntryText, in.gui->sources[25].name);
    EXPECT_EQ(in.gui->textEntry.textEntryX, 211);
    EXPECT_EQ(in.gui->textEntry.textEntryY, 220);
    EXPECT_EQ(in.gui->textEntry.textEntryKeysOn, 1);
    EXPECT_EQ(in.gui->textEntry.textEntryFresh, 1);

    PageFixture out(kPageOutputs);
    out.page.click(stripX(5) + 16, kRow0 + 5);
    EXPECT_EQ(out.gui->textEntry.textEntryId, 2);
    EXPECT_EQ(out.gui->textEntry.textEntryTitle, "NAME TARGET");
    EXPECT_EQ(out.gui->textEntry.textEntryText, out.gui->targets[5].name);
    EXPECT_EQ(out.gui->textEntry.textEntryX, 331);
    EXPECT_EQ(out.gui->textEntry.textEntryY, 20);
}

TEST(MixerClicks, ZOnTheMasterColumnSilencesTheMasterAndRaisesTheViewState) {
    PageFixture f(kPageOutputs);
    f.gui->viewSettings.masterVolume = 1.0f;
    f.page.click(1339, 271 + 300); // no key: nothing
    EXPECT_EQ(f.gui->viewSettings.masterVolume, 1.0f);
    EXPECT_FALSE(f.page.raised(kSendViewState));
    f.hold({'Z'});
    f.page.click(1339, 271 + 300);
    f.letGoAll();
    EXPECT_EQ(f.gui->viewSettings.masterVolume, 0.0f);
    EXPECT_TRUE(f.page.raised(kSendViewState));
    EXPECT_TRUE(f.page.raised(kSendTargets));
    EXPECT_TRUE(f.page.raised(kSendGainMatrix));
}

// The view-state pin (5) carries the master at offset 56 after every master edit.
TEST(MixerMaster, EveryMasterEditReachesTheViewStatePin) {
    auto masterOnPin5 = [](RecordingGui& gui) {
        gui.sent.clear();
        gui.sendStateToDsp();
        const std::vector<uint8_t> bytes = gui.lastSent(5);
        float value = -1.0f;
        if (bytes.size() >= 60) std::memcpy(&value, bytes.data() + 56, 4);
        return value;
    };
    std::unique_ptr<RecordingGui> gui = makeGui();
    gui->windowWidth = 1376.0f;
    gui->windowHeight = 800.0f;
    gui->setTargetCount(8);
    gui->viewSettings.masterVolume = 1.0f;
    MixerPageDriver page(*gui, kPageOutputs);
    masterOnPin5(*gui);

    page.press(1339, 271 + 95); // drag up 10 px
    page.move(1339, 271 + 85);
    page.release(1339, 271 + 85);
    EXPECT_EQ(masterOnPin5(*gui), gui->viewSettings.masterVolume);
    EXPECT_NEAR(gui->viewSettings.masterVolume, 1.180f, 0.0005f);

    page.wheel(1);
    EXPECT_EQ(masterOnPin5(*gui), gui->viewSettings.masterVolume);
    EXPECT_NEAR(gui->viewSettings.masterVolume, 1.180f * 1.05925f, 0.0005f);

    qxplatform::setKeyDown('Z', true);
    page.click(1339, 271 + 300);
    qxplatform::releaseAllKeys();
    EXPECT_EQ(masterOnPin5(*gui), 0.0f);
}

// A wheel step on a strip sends the item's record (pin 9 for sources, 8 for targets, level
// at offset 12 of record 0) with the gain matrix, as the master goes out on the view-state pin.
TEST(MixerWheel, AStripStepReachesItsRecordPinInTheSameMessage) {
    for (const auto& [pageId, pin] : {std::pair{kPageInputs, 9}, std::pair{kPageOutputs, 8}}) {
        std::unique_ptr<RecordingGui> gui = makeGui();
        gui->windowWidth = 1376.0f;
        gui->windowHeight = 800.0f;
        gui->setSourceCount(4);
        gui->setTargetCount(4);
        gui->sources[0].level = gui->targets[0].level = 0.5f;
        MixerPageDriver page(*gui, pageId);
        gui->sendStateToDsp(); // every flag of the set-up is spent
        gui->sent.clear();

        page.move(stripX(0) + 31, kRow0 + 100, 0);
        page.wheel(1);
        gui->sendStateToDsp();
        const float level = page.inputs() ? gui->sources[0].level : gui->targets[0].level;
        EXPECT_NEAR(level, 0.5f * 1.05925f, 1e-4f) << pin;
        const std::vector<uint8_t> bytes = gui->lastSent(pin);
        ASSERT_GE(bytes.size(), 16u) << pin;
        float sent = -1.0f;
        std::memcpy(&sent, bytes.data() + 12, 4);
        EXPECT_EQ(sent, level) << pin;
    }
}

} // namespace
