// DELAY, FILTER, RESETFILTERS and PASTE_FILTERS, and the DELAY and FILTERS editors' settings.
#include <gtest/gtest.h>

#include <cmath>

#include "processing_test_support.h"

using namespace processing_test;

namespace {

struct DelayFilterTest : ::testing::Test, ProcessingStage {};

TEST_F(DelayFilterTest, DelayLinesSetSwitchAndTime) {
    struct Case {
        const char* line;
        int target; // 0 source S1, 1 target T2
        uint8_t on;
        float time;
        std::vector<std::string> console;
    } cases[] = {
        {"DELAY S1 TIME:2500", 0, 0, 1.0f, {}},
        {"DELAY S1 TIME:-5000", 0, 0, -1.0f, {}},
        {"DELAY S1 ON TIME:12.5", 0, 1, 0.0125f, {"DELAY ON"}},
        {"DELAY S1 ON OFF", 0, 0, 0.0f, {"DELAY ON", "DELAY OFF"}},
        {"DELAY T2 ON", 1, 1, 0.0f, {"DELAY ON"}},
    };
    for (const Case& c : cases) {
        gui->inputDelays[0] = DelayRecord();
        gui->outputDelays[1] = DelayRecord();
        const auto lines = run(c.line);
        const DelayRecord& r = c.target == 0 ? gui->inputDelays[0] : gui->outputDelays[1];
        EXPECT_EQ(r.changed, 1) << c.line;
        EXPECT_EQ(r.on, c.on) << c.line;
        EXPECT_FLOAT_EQ(r.time, c.time) << c.line;
        for (const std::string& text : c.console) EXPECT_TRUE(printed(lines, text)) << c.line;
        EXPECT_TRUE(flag(kSendInputDelays) && flag(kSendOutputDelays)) << c.line;
    }
}

TEST_F(DelayFilterTest, DelayWithoutSwitchOrTimeFailsAndChangesNothing) {
    const auto lines = run("DELAY S1 S2");
    EXPECT_TRUE(printed(lines, "NO VALID INPUT FOR DELAY COMMAND"));
    EXPECT_EQ(gui->inputDelays[0].changed, 0);
    EXPECT_EQ(gui->console.errorCount, 1);
    // A name holding ON counts as the switch word.
    gui->sources[2].name = "MONO1";
    run("DELAY MONO1");
    EXPECT_EQ(gui->inputDelays[2].on, 1);
}

TEST_F(DelayFilterTest, DelayEditorLoadsStoresAndSyndicates) {
    gui->loadDelayPanel(1, 2);
    EXPECT_EQ(gui->inputDelays[2].changed, 1);
    EXPECT_EQ(gui->inputDelays[2].channel, 2);
    EXPECT_EQ(gui->delayEditor.delayEnabled, 0);
    EXPECT_EQ(gui->delayEditor.delayTime, 0.0f);

    // Mode 0: only the shown item changes, yet both delay flags are raised.
    clearFlags();
    gui->delayEditor.delayTime = 0.25f;
    gui->delayEditor.delayEnabled = 1;
    gui->storeDelaySettings(1, 2);
    EXPECT_FLOAT_EQ(gui->inputDelays[2].time, 0.25f);
    EXPECT_EQ(gui->inputDelays[1].changed, 0);
    EXPECT_EQ(gui->syndicationFlash, 0);
    EXPECT_TRUE(flag(kSendInputDelays) && flag(kSendOutputDelays));

    // Mode 1 copies switch and time to the shown sources inside the marquee.
    setMarquee(*gui, 290, 290, 325, 310); // S1, S2, S3
    gui->syndicationMode = 1;
    gui->inputDelays[0].channel = 7;
    gui->storeDelaySettings(1, 2);
    EXPECT_FLOAT_EQ(gui->inputDelays[0].time, 0.25f);
    EXPECT_EQ(gui->inputDelays[0].channel, 7); // the member keeps its own channel
    EXPECT_EQ(gui->inputDelays[3].changed, 0); // S4 lies outside
    EXPECT_EQ(gui->syndicationFlash, 1);

    gui->resetDelays(3);
    EXPECT_EQ(gui->console.statusMessage, "CAN'T RESET DELAY SETTINGS");
    gui->loadDelayPanel(1, -1);
    EXPECT_EQ(gui->console.statusMessage, "delay target not in range");
    EXPECT_EQ(gui->delayEditor.delayPanelIndex, 2);
}

TEST_F(DelayFilterTest, FilterLinesEditBands) {
    struct Case {
        const char* line;
        int band; // 0-based band of S1 (or T2) checked
        bool target;
        int type;
        float frequency, gain, width;
        bool changed;
    } cases[] = {
        {"FILTER S1 BAND:0 G:6", 0, false, 5, 100.0f, 0.0f, 2.0f, false},
        {"FILTER S1 BAND:6 G:6", 4, false, 6, 6000.0f, 0.0f, 3.0f, false},
        {"FILTER S1 BAND:2.9 G:6", 1, false, 4, 250.0f, 6.0f, 2.0f, true},
        {"FILTER S1 BAND:1 TYPE:XYZ F:500", 0, false, 5, 500.0f, 0.0f, 2.0f, true},
        {"FILTER T2 BAND:3 F:5 G:40 BW:9", 2, true, 4, 20.0f, 12.0f, 5.0f, true},
        {"FILTER S1 BAND:5 TYPE:LP TYPE:HS", 4, false, 6, 6000.0f, 0.0f, 3.0f, true},
        {"FILTER S1 BAND:4 TYPE:NOTCH", 3, false, 3, 3000.0f, 0.0f, 2.0f, true},
    };
    for (const Case& c : cases) {
        gui->resetFilterRecord(1, 0);
        gui->resetFilterRecord(2, 1);
        FilterRecord& record = c.target ? gui->outputFilters[1] : gui->inputFilters[0];
        const FilterBandRecord before = record.bands[c.band];
        run(c.line);
        const FilterBandRecord& band = record.bands[c.band];
        EXPECT_EQ(band.type, c.type) << c.line;
        EXPECT_FLOAT_EQ(band.frequency, c.frequency) << c.line;
        EXPECT_FLOAT_EQ(band.gain, c.gain) << c.line;
        EXPECT_FLOAT_EQ(band.width, c.width) << c.line;
        // The coefficients are designed from what the band holds after the line.
        if (c.changed) {
            EqBand expected;
            expected.setType(band.type);
            expected.design(44100.0f, band.frequency, band.width, band.gain);
            EXPECT_DOUBLE_EQ(band.coefficients[0], expected.b0) << c.line;
            EXPECT_DOUBLE_EQ(band.coefficients[4], expected.a1) << c.line;
        } else {
            EXPECT_EQ(band.coefficients[0], before.coefficients[0]) << c.line;
        }
    }
}

TEST_F(DelayFilterTest, FilterSwitchesAndCountsBands) {
    gui->resetFilterRecord(1, 0);
    auto lines = run("FILTER S1 BAND:1 TYPE:XYZ F:500");
    EXPECT_TRUE(printed(lines, "INCORRECT BAND TYPE SPECIFIED"));
    EXPECT_EQ(gui->console.errorCount, 0);

    run("FILTER S1 ON");
    EXPECT_EQ(gui->inputFilters[0].enabled, 1);
    run("FILTER S1 DISABLE");
    EXPECT_EQ(gui->inputFilters[0].bands[0].enabled, 0);
    run("FILTER S1 BAND:2 ENABLE");
    run("FILTER S1 BAND:4 ENABLE");
    EXPECT_EQ(gui->inputFilters[0].activeBandCount, 2);
    run("FILTER S1 OFF");
    EXPECT_EQ(gui->inputFilters[0].enabled, 0);
    EXPECT_EQ(gui->inputFilters[0].bands[1].enabled, 1);
    // A group is skipped and the line still succeeds.
    placeGroups(*gui, {{"G1", 500, 500}});
    EXPECT_EQ(gui->executeCommandString("FILTER G1 BAND:1 ON"), 0);
    EXPECT_TRUE(flag(kSendInputEq) && flag(kSendOutputEq));
}

TEST_F(DelayFilterTest, FiltersEditorLoadsDefaultsAndStores) {
    gui->inputFilters[3].enabled = 1; // not in use: the load resets it
    gui->loadFiltersPanel(1, 3);
    const FilterRecord& r = gui->inputFilters[3];
    EXPECT_EQ(r.inUse, 1);
    EXPECT_EQ(r.enabled, 0);
    EXPECT_EQ(r.activeBandCount, 0);
    const int types[5] = {5, 4, 4, 4, 6};
    const float frequencies[5] = {100, 250, 1000, 3000, 6000};
    for (int b = 0; b < 5; ++b) {
        EXPECT_EQ(gui->filtersEditor.eqEditBands[b].type, types[b]);
        EXPECT_EQ(gui->filtersEditor.eqEditBands[b].frequency, frequencies[b]);
        EXPECT_EQ(gui->filtersEditor.eqEditBands[b].active, 0);
    }
    EXPECT_EQ(gui->filtersEditor.eqEditBands[4].width, 3.0);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[0].shortName, "LS");

    gui->filtersEditor.eqEditBands[1].active = 1;
    gui->filtersEditor.eqEditBands[3].active = 1;
    gui->filtersEditor.filtersEnabled = 1;
    clearFlags();
    gui->storeFilterSettings(1, 3);
    EXPECT_EQ(r.activeBandCount, 2);
    EXPECT_EQ(r.channel, 3);
    EXPECT_EQ(r.enabled, 1);
    EXPECT_TRUE(flag(kSendInputEq));
    EXPECT_FALSE(flag(kSendOutputEq));

    // A record in use keeps its switch and bands on the next load.
    gui->loadFiltersPanel(1, 3);
    EXPECT_EQ(gui->filtersEditor.filtersEnabled, 1);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[3].active, 1);

    gui->storeFilterSettings(3, 0);
    EXPECT_EQ(gui->console.statusMessage, "CAN'T SEND FILTERS");
    gui->loadFiltersPanel(1, -1);
    EXPECT_EQ(gui->console.statusMessage, "filter source not in range");
    EXPECT_EQ(gui->filtersEditor.filterPanelIndex, 3);
    gui->resetFilters(1);
    EXPECT_EQ(gui->inputFilters[3].channel, 255);
    EXPECT_EQ(gui->console.statusMessage, "RESETTING INPUT FILTERS");
}

TEST_F(DelayFilterTest, PasteFiltersNeedsTheClipboardAndReindexes) {
    auto lines = run("PASTE_FILTERS S2");
    EXPECT_TRUE(printed(lines, "NO FILTER IN CLIPBOARD!"));

    gui->loadFiltersPanel(1, 0);
    gui->filtersEditor.eqEditBands[2].active = 1;
    gui->filtersEditor.eqEditBands[2].gainDb = 6.0;
    gui->filtersEditor.eqEditBands[2].redesign();
    gui->filtersEditor.filtersEnabled = 1;
    run("COPY_FILTER");
    EXPECT_EQ(gui->filterClipboard.channel, 0);
    run("PASTE_FILTERS S2 S3");
    for (int s : {1, 2}) {
        EXPECT_EQ(gui->inputFilters[s].channel, s);
        EXPECT_EQ(gui->inputFilters[s].enabled, 1);
        EXPECT_EQ(gui->inputFilters[s].bands[2].gain, 6.0f);
        EXPECT_EQ(gui->inputFilters[s].activeBandCount, 1);
    }
    EXPECT_EQ(gui->filtersEditor.filterPanelIndex, 2); // the editor shows the last pasted item
}

TEST_F(DelayFilterTest, FilterSyndicationCopiesWholeRecords) {
    setMarquee(*gui, 290, 290, 335, 310);
    gui->syndicationMode = 1;
    gui->loadFiltersPanel(1, 0);
    gui->filtersEditor.eqEditBands[0].active = 1;
    gui->storeFilterSettings(1, 0);
    clearFlags();
    gui->syndicateFilters();
    for (int s = 1; s < 4; ++s) {
        EXPECT_EQ(gui->inputFilters[s].channel, s); // a copy that drives its own channel
        EXPECT_EQ(gui->inputFilters[s].bands[0].enabled, 1);
    }
    EXPECT_TRUE(flag(kSendInputEq) && flag(kSendOutputEq));
    gui->syndicationMode = 0;
    clearFlags();
    gui->syndicateFilters();
    EXPECT_FALSE(flag(kSendInputEq));
}

TEST_F(DelayFilterTest, ResetFiltersRestoresDefaultsAndReloadsTheEditor) {
    run("FILTER S1 BAND:1 G:6 ENABLE");
    gui->loadFiltersPanel(1, 0);
    run("RESETFILTERS S1 T1");
    EXPECT_EQ(gui->inputFilters[0].bands[0].gain, 0.0f);
    EXPECT_EQ(gui->inputFilters[0].bands[0].enabled, 0);
    EXPECT_EQ(gui->outputFilters[0].inUse, 1);
    EXPECT_EQ(gui->filtersEditor.eqEditBands[0].gainDb, 0.0);
    EXPECT_EQ(gui->console.statusMessage, "2 ITEMS");
}

TEST_F(DelayFilterTest, DelaysReachTheirPinsWithTheOffset) {
    run("DELAY S2 ON TIME:12.5");
    std::vector<uint8_t> bytes = sentBySender(12);
    ASSERT_EQ(bytes.size(), 8u + 4 * 8);
    EXPECT_EQ(wireI32(bytes, 0), 255);
    EXPECT_EQ(wireF32(bytes, 4), 0.0f);
    const uint8_t second[4] = {1, 1, 1, 0};
    for (int b = 0; b < 4; ++b) EXPECT_EQ(bytes[8 + 8 + b], second[b]);
    EXPECT_FLOAT_EQ(wireF32(bytes, 8 + 8 + 4), 0.0125f);

    // An enabled negative delay shifts every target by the smallest one.
    run("DELAY T2 ON TIME:-5");
    bytes = sentBySender(18);
    ASSERT_EQ(bytes.size(), 8u + 3 * 8);
    EXPECT_FLOAT_EQ(wireF32(bytes, 4), -0.005f);
    const uint8_t first[4] = {0, 1, 0, 1};
    for (int b = 0; b < 4; ++b) EXPECT_EQ(bytes[8 + b], first[b]);
    EXPECT_FLOAT_EQ(wireF32(bytes, 8 + 4), 0.005f);
    EXPECT_EQ(bytes[8 + 8 + 2], 1);
    EXPECT_FLOAT_EQ(wireF32(bytes, 8 + 8 + 4), 0.0f);
}

TEST_F(DelayFilterTest, FiltersReachTheirPins) {
    struct Case {
        const char* line;
        int pin, index;
        size_t records;
        int band;
    } cases[] = {
        {"FILTER S3 BAND:2 F:500 G:6", 13, 2, 4, 1},
        {"FILTER T1 BAND:5 TYPE:HS F:8000", 16, 0, 3, 4},
    };
    for (const Case& c : cases) {
        run(c.line);
        const FilterRecord& record =
            c.pin == 13 ? gui->inputFilters[c.index] : gui->outputFilters[c.index];
        const FilterBandRecord& band = record.bands[c.band];
        const std::vector<uint8_t> bytes = sentBySender(c.pin);
        ASSERT_EQ(bytes.size(), c.records * 368) << c.line;
        const size_t at = static_cast<size_t>(c.index) * 368;
        EXPECT_EQ(bytes[at + 2], record.inUse) << c.line;
        const size_t b = at + 8 + static_cast<size_t>(c.band) * 72;
        EXPECT_EQ(wireI32(bytes, b + 4), band.type) << c.line;
        EXPECT_EQ(wireF32(bytes, b + 8), band.frequency) << c.line;
        EXPECT_EQ(wireF32(bytes, b + 12), band.gain) << c.line;
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(wireF64(bytes, b + 24 + 8 * k), band.coefficients[k]) << c.line << " " << k;
    }
    EXPECT_FLOAT_EQ(gui->inputFilters[2].bands[1].frequency, 500.0f);
    EXPECT_FLOAT_EQ(gui->outputFilters[0].bands[4].frequency, 8000.0f);
}

} // namespace
