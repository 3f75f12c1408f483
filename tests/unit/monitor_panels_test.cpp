// The CLI, SCOPE, FFT and ENVELOPES panels drawn into the recording layer in content
// coordinates: console scrolling, titles, curve placement, meter freshness and row layout.
#include <gtest/gtest.h>

#include "panel_test_support.h"

namespace {

const RecordedDraw* firstStrip(const RecordingDrawLayer& r) {
    for (const RecordedDraw& d : r.draws)
        if (d.kind == RecordedDraw::Kind::Vertices && d.primitive == Primitive::LineStrip)
            return &d;
    return nullptr;
}

int stripCount(const RecordingDrawLayer& r) {
    int n = 0;
    for (const RecordedDraw& d : r.draws)
        n += d.kind == RecordedDraw::Kind::Vertices && d.primitive == Primitive::LineStrip;
    return n;
}

TEST(CliPanel, AppendedLinesScrollInOnePerFrameAndTheCommandLineNeedsTheFocus) {
    PanelFixture f;
    f.gui->appendConsoleLine("OLD");
    f.gui->consolePanel.cliViewIndex = f.gui->console.writeIndex - 1;
    for (const char* line : {"L1", "L2", "L3", "L4", "L5"}) f.gui->appendConsoleLine(line);
    const float h = f.panel(kPanelCli).height;
    std::vector<std::string> bottom;
    for (int frame = 0; frame < 7; ++frame) {
        const RecordingDrawLayer r = f.drawContent([&] { f.gui->drawCliPanel(); });
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Text && d.xy[1] == h - 18.0f)
                bottom.push_back(d.text);
    }
    EXPECT_EQ(bottom, (std::vector<std::string>{"OLD", "L1", "L2", "L3", "L4", "L5", "L5"}));

    f.gui->consolePanel.cliLine = "ZOOM_IN";
    const RecordingDrawLayer unfocused = f.drawContent([&] { f.gui->drawCliPanel(); });
    const RecordedDraw* line =
        unfocused.findText("PANEL NOT ACTIVE - <SHIFT+C> OR CLICK IN WINDOW TO ACTIVATE");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->colour, (std::array<float, 4>{0, 1, 1, 0.5f}));
    f.panel(kPanelCli).focused = 1;
    f.gui->interaction.cursorBlinkCounter = 9;
    EXPECT_NE(f.drawContent([&] { f.gui->drawCliPanel(); }).findText("> ZOOM_IN1"), nullptr);
    f.gui->interaction.cursorBlinkCounter = 10;
    EXPECT_NE(f.drawContent([&] { f.gui->drawCliPanel(); }).findText("> ZOOM_IN"), nullptr);
}

// The line the keys type is the line the panel draws: typed, entered (and run), recalled.
TEST(CliPanel, DrawsTheLineTheKeysType) {
    PanelFixture f;
    f.hold({VK_SHIFT});
    f.tap('C');
    f.letGo({VK_SHIFT});
    f.gui->interaction.cursorBlinkCounter = 10; // cursor off: the drawn text is the line alone
    const auto commandLine = [&] {
        const RecordingDrawLayer r = f.drawContent([&] { f.gui->drawCliPanel(); });
        const float h = f.panel(kPanelCli).height;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Text && d.xy[1] == h - 7.0f) return d.text;
        return std::string("(none)");
    };
    for (char c : std::string("MUTE S3")) f.tap(c == ' ' ? VK_SPACE : c);
    EXPECT_EQ(commandLine(), "> MUTE S3");
    f.takeLines();
    f.tap(VK_RETURN);
    EXPECT_EQ(f.takeLines(), std::vector<std::string>{"MUTE S3"});
    EXPECT_EQ(commandLine(), "> ");
    f.tap(VK_UP);
    EXPECT_EQ(commandLine(), "> MUTE S3");
}

struct AnalyserFixture : PanelFixture {
    AnalyserFixture() {
        gui->initSpectrumTables();
        source(0, 0.0f, 0.0f);
        for (int t = 0; t < 3; ++t) target(t, 0.0f, 0.0f);
        gui->targets[2].name = "FRONT";
        gui->targets[2].colourRed = 1.0f;
        gui->monitorChannel = 64 + 2;
        setClock(10000);
        gui->dspLink.lastMeterTime = 9950;
    }
};

TEST(AnalyserPanels, MonitoringATargetTitlesBothPanelsWithItsName) {
    AnalyserFixture f;
    f.drawContent([&] {
        f.gui->drawScopePanel();
        f.gui->drawFftPanel();
    });
    EXPECT_EQ(f.panel(kPanelScope).subtitle, "SCOPE - FRONT");
    EXPECT_EQ(f.panel(kPanelFft).subtitle, "TARGET - FRONT");
    f.gui->monitorChannel = 64 + 9; // no such target: the background alone
    const RecordingDrawLayer none = f.drawContent([&] { f.gui->drawFftPanel(); });
    EXPECT_EQ(none.draws.size(), 1u);
    EXPECT_EQ(f.panel(kPanelFft).subtitle, "TARGET - FRONT");
}

TEST(AnalyserPanels, ScopeAndSpectrumPointsLandWhereTheirValuesSay) {
    AnalyserFixture f;
    f.gui->dspLink.display->scopeTable[0][1] = 0.5f;
    const RecordingDrawLayer scope = f.drawContent([&] { f.gui->drawScopePanel(); });
    const RecordedDraw* wave = firstStrip(scope);
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->vertexCount(), 512);
    EXPECT_FLOAT_EQ(wave->xy[1], 100.0f - 47.5f);

    f.gui->dspLink.display->spectrumCurves[0][0][0] = 52.0f;
    f.gui->dspLink.display->spectrumCurves[0][0][1] = -20.0f;
    const RecordingDrawLayer fft = f.drawContent([&] { f.gui->drawFftPanel(); });
    EXPECT_EQ(stripCount(fft), 4);
    const RecordedDraw& newest =
        *std::find_if(fft.draws.rbegin(), fft.draws.rend(), [](const RecordedDraw& d) {
            return d.primitive == Primitive::LineStrip && d.kind == RecordedDraw::Kind::Vertices;
        });
    EXPECT_EQ(newest.vertexCount(), 300 / 4) << "the start-up length of 300";
    EXPECT_FLOAT_EQ(newest.xy[0], 50.0f);
    EXPECT_FLOAT_EQ(newest.xy[1], 80.0f);
    EXPECT_FLOAT_EQ(newest.colour[3], 0.2f);
    EXPECT_TRUE(fft.failures.empty());
    f.gui->dspLink.display->spectrumLength = 7792 * 4;
    EXPECT_TRUE(f.drawContent([&] { f.gui->drawFftPanel(); }).failures.empty())
        << "never more than the 2,048 points a curve holds";
}

TEST(AnalyserPanels, MeterDataOneHundredMillisecondsOldDrawsNoCurve) {
    AnalyserFixture f;
    f.gui->dspLink.lastMeterTime = 10000 - 100;
    EXPECT_EQ(stripCount(f.drawContent([&] { f.gui->drawScopePanel(); })), 0);
    EXPECT_EQ(stripCount(f.drawContent([&] { f.gui->drawFftPanel(); })), 0);
    f.gui->dspLink.lastMeterTime = 10000 - 99;
    EXPECT_EQ(stripCount(f.drawContent([&] { f.gui->drawScopePanel(); })), 1);
}

TEST(EnvelopesPanel, RowsShareTheHeightWhichOnlyGrows) {
    PanelFixture f;
    for (int s = 0; s < 30; ++s) f.source(s, 0.0f, 0.0f);
    f.target(0, 0.0f, 0.0f);
    EnvelopeList& list = f.gui->envelopeList;
    list.sourceCount = 3;
    for (int i = 0; i < 3; ++i) list.sources[i] = i;
    list.targetCount = 1;
    list.targets[0] = 0;
    f.gui->sources[1].level = 0.5f;
    f.gui->sources[1].envelope[f.gui->sources[1].envelopeWrite] = 1.0f;
    const RecordingDrawLayer r = f.drawContent([&] { f.gui->drawEnvelopesPanel(); });
    EXPECT_EQ(f.gui->monitorPanels.envelopeRowCount, 4);
    EXPECT_EQ(f.panel(kPanelEnvelopes).height, 200.0f);
    std::vector<float> separators;
    for (const RecordedDraw& d : r.draws)
        if (d.colour == std::array<float, 4>{1, 1, 1, 0.5f}) separators.push_back(d.bounds()[1]);
    EXPECT_EQ(separators, (std::vector<float>{50.0f, 100.0f, 150.0f}));
    // The oldest sample of source 1 (row 1, middle 75) fills half the row at level 0.5.
    bool found = false;
    for (const RecordedDraw& d : r.draws)
        if (d.mode == 6 && d.metrics[3] == 0.5f) {
            EXPECT_EQ(d.bounds()[1], 75.0f - 12.5f);
            EXPECT_EQ(d.bounds()[3], 75.0f + 12.5f);
            found = true;
        }
    EXPECT_TRUE(found);

    list.sourceCount = 30;
    for (int i = 0; i < 30; ++i) list.sources[i] = i;
    list.targetCount = 0;
    f.drawContent([&] { f.gui->drawEnvelopesPanel(); });
    EXPECT_EQ(f.panel(kPanelEnvelopes).height, 270.0f);
    list.sourceCount = 1;
    list.sources[0] = 200; // a removed item: no row drawn, nothing read
    const RecordingDrawLayer stale = f.drawContent([&] { f.gui->drawEnvelopesPanel(); });
    EXPECT_EQ(f.panel(kPanelEnvelopes).height, 270.0f);
    EXPECT_TRUE(stale.draws.empty());
}

} // namespace
