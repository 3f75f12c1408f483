// The chrome as drawn into a recording: the SYNDICATE flash, the MASTER bars, the PATCH FILE
// placement and the title line.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

using Colour = std::array<float, 4>;

const RecordedDraw* lastBoxCovering(const RecordingDrawLayer& frame, float x, float y) {
    const RecordedDraw* found = nullptr;
    for (const RecordedDraw& d : frame.draws)
        if (d.kind == RecordedDraw::Kind::Vertices && d.coversPoint(x, y)) found = &d;
    return found;
}

TEST(ChromeDraw, TheSyndicateLabelIsGreenInExactlyOneDrawnFrame) {
    ScreenFixture f;
    f.gui->syndicationFlash = 1;
    f.gui->chrome.chromeHidden = 1;
    f.drawFrame();
    EXPECT_EQ(f.gui->syndicationFlash, 1) << "a hidden strip keeps the flash";
    f.gui->chrome.chromeHidden = 0;
    const Colour green{0.0f, 1.0f, 0.0f, 1.0f};
    const Colour white{1.0f, 1.0f, 1.0f, 1.0f};
    RecordingDrawLayer first = f.drawFrame();
    ASSERT_NE(first.findText("SYNDICATE"), nullptr);
    EXPECT_EQ(first.findText("SYNDICATE")->colour, green);
    EXPECT_EQ(f.gui->syndicationFlash, 0);
    RecordingDrawLayer second = f.drawFrame();
    EXPECT_EQ(second.findText("SYNDICATE")->colour, white);
}

TEST(ChromeDraw, MasterBarsShareTheWellWhateverTheTargetCount) {
    ScreenFixture f;
    f.gui->chrome.masterHidden = 0;
    f.gui->targetCount = 0;
    RecordingDrawLayer empty = f.drawFrame();
    EXPECT_TRUE(empty.failures.empty());
    EXPECT_EQ(lastBoxCovering(empty, 1340.0f, 400.0f)->colour, (Colour{0.0f, 0.0f, 0.0f, 1.0f}));

    for (int t = 0; t < 5; ++t) f.target(t, 0.0f, 0.0f);
    f.gui->targets[2].level = 1.0f;
    f.gui->targets[2].colourRed = 0.25f;
    RecordingDrawLayer five = f.drawFrame();
    // Bar i starts at 1310 + 12.8 i and is 12 pixels wide: bar 2 spans 1335.6 to 1347.6.
    const RecordedDraw* bar = lastBoxCovering(five, 1340.0f, 400.0f);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->colour[0], 0.25f);
    EXPECT_FLOAT_EQ(bar->bounds()[0], 1335.6f);
    EXPECT_FLOAT_EQ(bar->bounds()[2], 1347.6f);
    EXPECT_FLOAT_EQ(bar->bounds()[1], 15.0f) << "0 dB reaches the top of the well";
}

TEST(ChromeDraw, PatchFileMenuFollowsTheWindowCentre) {
    for (float width : {1376.0f, 1000.0f}) {
        ScreenFixture f(width, 800.0f);
        RecordingDrawLayer frame = f.drawFrame();
        const float x0 = width / 2.0f - 230.0f;
        const RecordedDraw* open = frame.findText("OPEN");
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->xy[0], x0 + 15.0f);
        EXPECT_EQ(frame.findText("AUTO BACKUP")->xy[0], x0 + 184.0f);
        EXPECT_EQ(frame.findText("PATCH FILE")->xy[0], x0 - 2.0f);
    }
}

TEST(ChromeDraw, PageTabsAndSliceCellsByState) {
    ScreenFixture f;
    f.gui->view.currentPage = 7;
    f.gui->slices[4].memberCount = 3;
    f.gui->sliceDrift.drifting = 1;
    f.gui->sliceDrift.driftBlink = 1;
    f.gui->sliceDrift.driftSlice = 4;
    RecordingDrawLayer frame = f.drawFrame();
    const Colour grey{0.4f, 0.4f, 0.4f, 1.0f};
    for (float x : {1322.0f, 1261.0f, 1203.0f, 1150.0f, 1090.0f})
        EXPECT_EQ(lastBoxCovering(frame, x, 790.0f)->colour, grey) << "no tab for page 7";
    EXPECT_EQ(lastBoxCovering(frame, 601.0f, 790.0f)->colour, (Colour{1.0f, 0.5f, 0.0f, 1.0f}))
        << "the drifted slice blinks orange";
    f.gui->sliceDrift.driftBlink = 0;
    RecordingDrawLayer off = f.drawFrame();
    EXPECT_EQ(lastBoxCovering(off, 601.0f, 790.0f)->colour, (Colour{0.0f, 0.5f, 0.5f, 1.0f}));
}

// The dimming quad over the whole window is drawn for an entry with an action to commit and
// for nothing else, whatever the key switch says.
TEST(ChromeDraw, TheFrameDimsWhileAnEntryWithAnActionIsOpen) {
    struct Case {
        int32_t action;
        uint8_t keysOn;
        bool dimmed;
    };
    const Case cases[] = {{0, 0, false}, {0, 1, false}, {-1, 1, false}, {5, 1, true}, {5, 0, true}};
    for (const Case& c : cases) {
        ScreenFixture f;
        f.gui->textEntry.textEntryId = c.action;
        f.gui->textEntry.textEntryKeysOn = c.keysOn;
        const RecordingDrawLayer frame = f.drawFrame();
        const RecordedDraw* top = lastBoxCovering(frame, 5.0f, 795.0f);
        const Colour dim{0.0f, 0.0f, 0.0f, 0.8f};
        const bool dimmed = top != nullptr && top->colour == dim;
        EXPECT_EQ(dimmed, c.dimmed) << "action " << c.action << ", keys " << int(c.keysOn);
    }
}

} // namespace
