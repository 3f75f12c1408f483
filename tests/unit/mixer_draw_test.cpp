// What the INPUTS and OUTPUTS pages draw, through the recording layer at 1376 x 800: strip
// places, lit and dim buttons, readouts, the veil and the meter history of the strips.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "screen_fixture.h"

namespace {

using Colour = std::array<float, 4>;

// A rectangle drawn with exactly these window bounds, in this colour (a null colour: any).
const RecordedDraw* findRect(const RecordingDrawLayer& r, std::array<float, 4> bounds,
                             const Colour* colour = nullptr) {
    for (const RecordedDraw& d : r.draws) {
        if (d.kind != RecordedDraw::Kind::Vertices) continue;
        const std::array<float, 4> b = d.bounds();
        bool same = true;
        for (int i = 0; i < 4; ++i) same = same && std::abs(b[i] - bounds[i]) < 0.01f;
        if (same && (colour == nullptr || d.colour == *colour)) return &d;
    }
    return nullptr;
}

struct PageFrame : ScreenFixture {
    explicit PageFrame(int32_t page) {
        gui->setSourceCount(12);
        gui->setTargetCount(8);
        gui->view.currentPage = page;
    }
};

TEST(MixerDraw, StripsSitOnTheGridAndTheTwoRowStripSpansTwoRows) {
    PageFrame f(kPageInputs);
    const RecordingDrawLayer frame = f.drawFrame();
    EXPECT_TRUE(frame.failures.empty());
    EXPECT_EQ(frame.matrixDepth(), 0);
    EXPECT_NE(findRect(frame, {6, 13, 68, 271}), nullptr);       // strip 0
    EXPECT_NE(findRect(frame, {6, 271, 68, 529}), nullptr);      // strip 22
    EXPECT_NE(findRect(frame, {6, 529, 68, 787}), nullptr);      // strip 43
    EXPECT_NE(findRect(frame, {1308, 271, 1370, 787}), nullptr); // TRIM
    EXPECT_NE(frame.findText("TRIM"), nullptr);
    EXPECT_NE(frame.findText("S12"), nullptr);
    // Strips past the count are veiled.
    const Colour veil{0.0f, 0.0f, 0.0f, 0.8f};
    EXPECT_NE(findRect(frame, {6 + 12 * 62, 13, 6 + 13 * 62, 271}, &veil), nullptr);
    EXPECT_EQ(findRect(frame, {6 + 11 * 62, 13, 6 + 12 * 62, 271}, &veil), nullptr);
}

TEST(MixerDraw, SwitchesLightTheirButtonsAndDarkenTheirLetters) {
    PageFrame f(kPageInputs);
    f.gui->sources[0].mute = 1;
    f.gui->sources[1].phase = -1.0f;
    f.gui->sources[2].phase = -0.99f;
    const RecordingDrawLayer frame = f.drawFrame();
    const float bw = 44.0f / 3.0f;
    auto button = [&](int32_t strip, float localX, const Colour& c) {
        const float x = 6.0f + 62.0f * strip + localX;
        return findRect(frame, {x, 239.0f, x + bw, 252.0f}, &c);
    };
    EXPECT_NE(button(0, 4.0f, {1, 1, 0, 1.0f}), nullptr) << "muted M lit";
    EXPECT_NE(button(1, 4.0f, {1, 1, 0, 0.3f}), nullptr) << "unmuted M dim";
    const float p = 62.0f - 4.0f - bw;
    EXPECT_NE(button(1, p, {0, 1, 1, 1.0f}), nullptr) << "phase -1 lights P";
    EXPECT_NE(button(2, p, {0, 1, 1, 0.3f}), nullptr) << "phase -0.99 leaves P dim";
    // The letters: black on a lit M, white on a dim one.
    int black = 0, white = 0;
    for (const RecordedDraw& d : frame.draws) {
        if (d.kind != RecordedDraw::Kind::Text || d.text != "M") continue;
        if (d.colour == Colour{0, 0, 0, 1}) ++black;
        if (d.colour == Colour{1, 1, 1, 1}) ++white;
    }
    EXPECT_EQ(black, 1);
    EXPECT_EQ(white, 64); // 63 dim source M's and the TRIM strip's
}

TEST(MixerDraw, TheTitleShowsTheLevelWhileDraggedOrWheeled) {
    PageFrame f(kPageInputs);
    f.gui->sources[3].level = 0.5f;
    f.gui->currentSource = 3;
    f.gui->interaction.pageMouseHold = 1;
    RecordingDrawLayer frame = f.drawFrame();
    EXPECT_NE(frame.findText("-6.02dB"), nullptr);
    EXPECT_EQ(frame.findText("S4"), nullptr);
    f.gui->interaction.pageMouseHold = 0;
    f.gui->mixerPages.hoveredStrip = 3;
    f.gui->mixerPages.showLevelReadout = 1;
    frame = f.drawFrame();
    EXPECT_NE(frame.findText("-6.02dB"), nullptr);
    // While the TRIM knob is dragged every source strip and the TRIM strip show levels.
    f.gui->mixerPages.showLevelReadout = 0;
    f.gui->mixerPages.trimDragActive = 1;
    f.gui->mixerPages.inputTrimDb = 1.5f;
    frame = f.drawFrame();
    EXPECT_NE(frame.findText("1.50dB"), nullptr);
    EXPECT_EQ(frame.findText("S1"), nullptr);

    PageFrame out(kPageOutputs);
    out.gui->viewSettings.masterVolume = 1.0f;
    frame = out.drawFrame();
    EXPECT_NE(frame.findText("0.00dB"), nullptr) << "the MASTER strip always shows its level";
    // The strip shows its level in place of its name (the MASTER box's own title stands above).
    for (const RecordedDraw& d : frame.draws) {
        if (d.kind == RecordedDraw::Kind::Text && d.text == "MASTER") {
            EXPECT_LT(d.xy[1], 271.0f);
        }
    }
    EXPECT_NE(findRect(frame, {1308, 271, 1370, 787}), nullptr);
}

TEST(MixerDraw, TheKnobRidesItsTravelAndStopsAtTheTop) {
    PageFrame f(kPageInputs);
    f.gui->sources[0].level = 0.0f;
    f.gui->sources[1].level = 4.0f;
    const RecordingDrawLayer frame = f.drawFrame();
    // Knob outer rectangles, 14.5 x 29, centred on x 31 of the strip: at B - 1 = 223 for a
    // level of 0, at the top of the travel (B - (L - 4) - 1 = 15) for 4.0.
    EXPECT_NE(findRect(frame, {6 + 23.75f, 13 + 208.5f, 6 + 38.25f, 13 + 237.5f}), nullptr);
    EXPECT_NE(findRect(frame, {68 + 23.75f, 13 + 0.5f, 68 + 38.25f, 13 + 29.5f}), nullptr);
}

TEST(MixerDraw, VisualisationsShowTheMeterHistoryOrACyanFill) {
    PageFrame f(kPageInputs);
    f.gui->stageView.visualisations = 1;
    f.gui->sources[0].level = 1.0f;
    f.gui->sources[0].envelope[0] = 0.5f;
    f.gui->sources[0].envelopeWrite = 0;
    const RecordingDrawLayer frame = f.drawFrame();
    EXPECT_TRUE(frame.failures.empty());
    // The newest meter value is the top row: half the fader width, centred, in mode 6.
    const RecordedDraw* row = findRect(frame, {6 + 31 - 14.5f, 25, 6 + 31 + 14.5f, 26});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->mode, 6);
    EXPECT_FLOAT_EQ(row->colour[3], 0.5f);
    const Colour cyan{0, 1, 1, 0.5f};
    EXPECT_NE(findRect(frame, {6 + 20 * 62 + 2, 25, 6 + 21 * 62 - 2, 237}, &cyan), nullptr)
        << "past the count";
    EXPECT_EQ(findRect(frame, {6 + 2, 25, 6 + 60, 237}, &cyan), nullptr);
}

} // namespace
