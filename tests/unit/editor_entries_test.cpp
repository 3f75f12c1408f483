// Numbers typed into the editors, end to end: a press on the panel through the mouse dispatch
// opens the entry, the keys typed commit it, and the value reaches the record and its pin.
#include <gtest/gtest.h>

#include <string>

#include "editor_panel_fixture.h"

namespace {

struct EditorEntries : ::testing::Test, EditorFixture {
    EditorEntries() {
        source(0, 0.0f, 0.0f);
        useMouseDispatch();
    }
    // Shows the panel in front at (100, 100) and clicks content point (cx, cy).
    void clickContent(int32_t id, float cx, float cy) {
        place(id, 100.0f, 100.0f);
        gui->bringPanelToFront(id);
        advanceClock(1000); // never a double click
        click(windowX(id, cx), windowY(id, cy));
    }
    void typeAndCommit(const std::string& text) {
        for (char c : text) tap(c);
        tap(VK_RETURN);
    }
};

TEST_F(EditorEntries, TypedAttackAndReleaseTimesSetTheirCoefficientsAndGoOutOnThePin) {
    struct Case {
        float cx;   // the field clicked in the top row
        int32_t id; // the entry it opens
        const char* typed;
        float ms;
        size_t wireMs, wireCoefficient; // offsets in the item's record on pin 14
    };
    const Case cases[] = {
        {80.0f, 23, "20", 20.0f, 4, 68},
        {150.0f, 24, "20", 20.0f, 8, 72},
        {80.0f, 23, "5000", 2000.0f, 4, 68},
    };
    gui->sampleRate = 44100;
    gui->loadDynamicsPanel(kKindSource, 0);
    for (const Case& c : cases) {
        pins->sent.clear();
        clickContent(kPanelDynamics, c.cx, 10.0f);
        ASSERT_EQ(gui->textEntry.textEntryId, c.id) << c.typed;
        typeAndCommit(c.typed);
        EXPECT_EQ(gui->textEntry.textEntryId, 0) << c.typed;
        const DynamicsCurve& curve = gui->dynamicsEditor.dynamicsEditCurve;
        const bool attack = c.id == 23;
        EXPECT_EQ(attack ? curve.attackMs : curve.releaseMs, c.ms) << c.typed;
        const float coefficient = attack ? curve.attackCoefficient : curve.releaseCoefficient;
        if (c.ms == 20.0f) {
            EXPECT_NEAR(coefficient, 0.9947923f, 1e-7f) << c.typed;
        }
        const std::vector<uint8_t> bytes = pins->lastSent(14);
        ASSERT_GE(bytes.size(), 860u) << c.typed;
        EXPECT_EQ(wireFloat(bytes, c.wireMs), c.ms) << c.typed;
        EXPECT_EQ(wireFloat(bytes, c.wireCoefficient), coefficient) << c.typed;
    }
}

TEST_F(EditorEntries, ATypedPinNumberRenumbersTheSlotUnlessTheMixHasItAlready) {
    gui->sources[0].virtualChannel = 0;
    gui->loadVirtualPanel(1, 0);
    MixRecord& mix = gui->inputMixers[0];
    mix.pinCount = 2; // pins 1 and 2: slot 0 at the left, slot 1 at the right
    mix.pinNumbers[1] = 1;
    mix.gains[1] = 1.0f;
    mix.phases[1] = 1.0f;
    mix.routed[1] = 1;
    struct Case {
        float cx;           // the handle clicked
        const char* typed;  // 1-based
        int32_t slot, pin;  // the slot checked and its pin number afterwards
        const char* status; // the status line left
    };
    const Case cases[] = {
        {235.0f, "5", 1, 4, "SWAP VIRTUAL CHANNELS"},
        {15.0f, "5", 0, 0, "CHANNEL ALREADY SETUP IN ROUTING"},
        {15.0f, "0", 0, 0, nullptr},  // outside 1 to 64: no change
        {15.0f, "65", 0, 0, nullptr}, // two digits at most: "65" is out of range too
    };
    for (const Case& c : cases) {
        pins->sent.clear();
        gui->console.statusMessage.clear();
        clickContent(kPanelVirtual, c.cx, 125.0f);
        ASSERT_EQ(gui->textEntry.textEntryId, 26) << c.typed;
        typeAndCommit(c.typed);
        EXPECT_EQ(gui->textEntry.textEntryId, 0) << c.typed;
        EXPECT_EQ(mix.pinNumbers[c.slot], c.pin) << c.typed;
        if (c.status == nullptr) {
            EXPECT_FALSE(pins->wasSent(22)) << c.typed;
            continue;
        }
        EXPECT_TRUE(statusIs(c.status)) << c.typed;
        // The mix goes out on pin 22: mix 0's pin numbers follow its count and index.
        const std::vector<uint8_t> bytes = pins->lastSent(22);
        if (c.pin == 4) {
            ASSERT_EQ(bytes.size(), 64u * 912u);
            EXPECT_EQ(wireInt(bytes, 4), 2);
            EXPECT_EQ(wireInt(bytes, 12 + 4), 4);
        }
    }
}

} // namespace
