// The editor verbs that the dispatcher runs inline: the FILTERS editor's reset and band type,
// the EQ preset table and presets, the DYNAMICS editor's reset and side-chain settings.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "app/text_services.h"
#include "processing_test_support.h"
#include "qxplatform/runtime.h"

using namespace processing_test;

namespace {

constexpr int kAllProcessingFlags[] = {kSendInputDelays, kSendOutputDelays,  kSendInputEq,
                                       kSendOutputEq,    kSendInputDynamics, kSendOutputDynamics};

struct EditorStage : ProcessingStage {
    int32_t result = 0;
    std::vector<std::string> lines;
    void exec(const std::string& line) {
        clearConsoleLog(*gui);
        clearFlags();
        result = gui->executeCommandString(line);
        lines = consoleLines(*gui);
    }
    bool anyFlag() const {
        return std::any_of(std::begin(gui->sendFlags), std::end(gui->sendFlags),
                           [](uint8_t f) { return f != 0; });
    }
};

struct EditorVerbs : ::testing::Test, EditorStage {};

TEST_F(EditorVerbs, SetFilterTypeChangesThePickedBandOfTheShownItem) {
    struct Case {
        int32_t picked;
        const char* line;
        int32_t result;
        const char* error;
        int32_t storedType; // band 1 of source 2's record afterwards (4 PEAK as loaded)
    };
    const Case cases[] = {
        {1, "SET_FILTER_TYPE 2", 0, "", 2},
        {1, "SET_FILTER_TYPE 6", 0, "", 6},
        {1, "SET_FILTER_TYPE 0", 0, "", 0},
        {1, "SET_FILTER_TYPE", 1, "FILTER TYPE MUST BE A NUMBER FROM 0 TO 6", 4},
        {1, "SET_FILTER_TYPE 7", 1, "FILTER TYPE MUST BE A NUMBER FROM 0 TO 6", 4},
        {1, "SET_FILTER_TYPE -1", 1, "FILTER TYPE MUST BE A NUMBER FROM 0 TO 6", 4},
        {1, "SET_FILTER_TYPE LOUD", 1, "FILTER TYPE MUST BE A NUMBER FROM 0 TO 6", 4},
        {-1, "SET_FILTER_TYPE 2", 1, "NO FILTER BAND SELECTED", 4},
        {5, "SET_FILTER_TYPE 2", 1, "NO FILTER BAND SELECTED", 4},
    };
    for (const Case& c : cases) {
        EditorStage fresh;
        fresh.gui->loadFiltersPanel(1, 1);
        fresh.gui->filtersEditor.filterDragBand = c.picked;
        fresh.exec(c.line);
        EXPECT_EQ(fresh.result, c.result) << c.line;
        EXPECT_EQ(fresh.gui->console.lastError, c.error) << c.line;
        EXPECT_EQ(fresh.gui->inputFilters[1].bands[1].type, c.storedType) << c.line;
        EXPECT_EQ(fresh.flag(kSendInputEq), c.result == 0) << c.line;
        if (c.result == 0) {
            EXPECT_EQ(fresh.gui->filtersEditor.eqEditBands[1].type, c.storedType) << c.line;
        }
    }
}

TEST_F(EditorVerbs, ResetFiltersPutsTheShownItemBackToFlatDefaults) {
    gui->loadFiltersPanel(2, 1);
    for (int b = 0; b < 5; ++b) {
        gui->filtersEditor.eqEditBands[b].setType(0);
        gui->filtersEditor.eqEditBands[b].gainDb = 6.0;
        gui->filtersEditor.eqEditBands[b].active = 1;
        gui->filtersEditor.eqEditBands[b].frequency = 50.0;
    }
    gui->filtersEditor.filtersEnabled = 1;
    gui->storeFilterSettings(2, 1);
    const FilterRecord untouched = gui->outputFilters[0];

    exec("RESET_FILTERS");
    EXPECT_EQ(result, 0);
    const FilterRecord& r = gui->outputFilters[1];
    const int32_t types[] = {5, 4, 4, 4, 6};
    const float frequencies[] = {100.0f, 250.0f, 1000.0f, 3000.0f, 6000.0f};
    for (int b = 0; b < 5; ++b) {
        EXPECT_EQ(r.bands[b].type, types[b]) << b;
        EXPECT_EQ(r.bands[b].frequency, frequencies[b]) << b;
        EXPECT_EQ(r.bands[b].gain, 0.0f) << b;
        EXPECT_EQ(r.bands[b].width, 1.0f) << b;
        EXPECT_EQ(r.bands[b].enabled, 0) << b;
    }
    EXPECT_EQ(r.enabled, 0);
    EXPECT_EQ(r.activeBandCount, 0);
    EXPECT_EQ(gui->outputFilters[0].bands[0].frequency, untouched.bands[0].frequency);
    EXPECT_TRUE(flag(kSendInputEq) && flag(kSendOutputEq));
}

// A preset file beside the module, removed afterwards.
struct PresetFile {
    std::string hostPath;
    PresetFile(const std::string& name, const std::string& text) {
        hostPath = qxplatform::toHostPath(modulePath("")) + name;
        std::ofstream(hostPath, std::ios::binary) << text;
    }
    ~PresetFile() { std::remove(hostPath.c_str()); }
};

TEST_F(EditorVerbs, LoadEqPresetsReadsThePresetFileBesideTheModule) {
    gui->eqPresets = EqPresetTable();
    exec("LOAD_EQ_PRESETS");
    EXPECT_EQ(result, 0);
    const EqPresetTable shipped = gui->readEqPresetFile("EQ_PRESETS.txt");
    ASSERT_GT(shipped.count, 0);
    ASSERT_EQ(gui->eqPresets.count, shipped.count);
    for (int32_t i = 0; i < shipped.count; ++i)
        EXPECT_EQ(gui->eqPresets.entries[i].name, shipped.entries[i].name);

    // The shipped presets are in the form the preset loader reads.
    gui->loadFiltersPanel(1, 0);
    exec("EQ_PRESET LOW_CUT");
    EXPECT_EQ(result, 0);
    const FilterRecord& r = gui->inputFilters[0];
    EXPECT_EQ(r.bands[0].type, 5);
    EXPECT_EQ(r.bands[0].frequency, 120.0f);
    EXPECT_EQ(r.bands[0].gain, -12.0f);
    EXPECT_EQ(r.bands[0].enabled, 1);
    EXPECT_EQ(r.activeBandCount, 1);
    EXPECT_EQ(r.bands[4].type, 6);
    EXPECT_EQ(r.bands[4].frequency, 6000.0f);
}

TEST_F(EditorVerbs, EqPresetAppliesANamedPresetAndAnUnknownNameChangesNothing) {
    PresetFile file("EQ_PRESETS_INLINE_TEST.txt",
                    "EQ_PRESET|WARM\r\nNODE\r\nTYPE|5\r\nFREQUENCY|150\r\nGAIN|2\r\n"
                    "Q|1\r\n/NODE\r\n/EQ_PRESET\r\n");
    gui->eqPresets = gui->readEqPresetFile("EQ_PRESETS_INLINE_TEST.txt");
    ASSERT_EQ(gui->eqPresets.count, 1);
    gui->loadFiltersPanel(1, 0);

    exec("EQ_PRESET WARM");
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(printed(lines, "LOAD EQ PRESET : WARM"));
    const FilterRecord& r = gui->inputFilters[0];
    EXPECT_EQ(r.bands[0].type, 5);
    EXPECT_EQ(r.bands[0].frequency, 150.0f);
    EXPECT_EQ(r.bands[0].gain, 2.0f);
    EXPECT_EQ(r.enabled, 1);
    EXPECT_EQ(r.bands[1].frequency, 250.0f) << "the preset starts from the reset bands";

    const FilterRecord before = gui->inputFilters[0];
    for (const char* line : {"EQ_PRESET COLD", "EQ_PRESET", "EQ_PRESET warm"}) {
        exec(line);
        EXPECT_EQ(result, 1) << line;
        EXPECT_EQ(gui->console.lastError.rfind("NO EQ PRESET NAMED ", 0), 0u) << line;
        EXPECT_EQ(gui->inputFilters[0].bands[0].frequency, before.bands[0].frequency) << line;
        EXPECT_EQ(gui->inputFilters[0].enabled, 1) << line;
        EXPECT_EQ(gui->filtersEditor.eqEditBands[0].gainDb, 2.0) << line;
        EXPECT_FALSE(flag(kSendInputEq)) << line;
    }
    EXPECT_EQ(gui->console.lastError, "NO EQ PRESET NAMED warm");
}

TEST_F(EditorVerbs, SideChainLocationsStoreSendAndRaiseEveryProcessingFlag) {
    struct Case {
        const char* line;
        int32_t location;
    };
    const Case cases[] = {{"SIDE_CHAIN_PRE_DELAY", 0},
                          {"SIDE_CHAIN_PRE_FILTER", 1},
                          {"SIDE_CHAIN_POST_FILTER", 2},
                          {"SIDE_CHAIN_POST_DYNAMICS", 3}};
    gui->loadDynamicsPanel(2, 1);
    gui->dynamicsEditor.dynamicsEditCurve.sidechainKind = 1; // keyed on a source
    for (const Case& c : cases) {
        exec(c.line);
        EXPECT_EQ(result, 0) << c.line;
        EXPECT_EQ(gui->dynamicsEditor.dynamicsEditCurve.sidechainLocation, c.location) << c.line;
        EXPECT_EQ(gui->outputDynamics[1].sideChainLocation, c.location) << c.line;
        for (int f : kAllProcessingFlags) EXPECT_TRUE(flag(f)) << c.line << " flag " << f;
    }
}

// As SIDECHAIN and a loaded patch have it: only a target keyed on a source is keyed after the
// dynamics; any other record is keyed after the filter.
TEST_F(EditorVerbs, SideChainPostDynamicsIsPostFilterUnlessATargetIsKeyedOnASource) {
    const struct {
        int32_t kind;
        int32_t keyKind;
    } records[] = {{2, 2}, {1, 1}, {1, 2}};
    for (const auto& r : records) {
        gui->loadDynamicsPanel(r.kind, 1);
        gui->dynamicsEditor.dynamicsEditCurve.sidechainKind = static_cast<uint8_t>(r.keyKind);
        exec("SIDE_CHAIN_POST_DYNAMICS");
        EXPECT_EQ(result, 0);
        const DynamicsRecord& record = r.kind == 1 ? gui->inputDynamics[1] : gui->outputDynamics[1];
        EXPECT_EQ(record.sideChainLocation, 2) << r.kind << " keyed on " << r.keyKind;
        EXPECT_EQ(gui->dynamicsEditor.dynamicsEditCurve.sidechainLocation, 2);
    }
}

TEST_F(EditorVerbs, SideChainInternalKeysTheItemByItselfAndLeavesPostDynamics) {
    gui->loadDynamicsPanel(1, 2);
    gui->dynamicsEditor.dynamicsEditCurve.sidechainIndex = 7;
    gui->dynamicsEditor.dynamicsEditCurve.sidechainKind = 2;
    gui->dynamicsEditor.dynamicsEditCurve.sidechainLocation = 3;
    exec("SIDE_CHAIN_INTERNAL");
    EXPECT_EQ(result, 0);
    const DynamicsRecord& r = gui->inputDynamics[2];
    EXPECT_EQ(r.channelIndex, 2);
    EXPECT_EQ(r.direction, 1);
    EXPECT_EQ(r.sideChainLocation, 2);
    EXPECT_TRUE(flag(kSendInputDynamics) && flag(kSendOutputDynamics));

    gui->dynamicsEditor.dynamicsEditCurve.sidechainLocation = 1;
    exec("SIDE_CHAIN_INTERNAL");
    EXPECT_EQ(gui->inputDynamics[2].sideChainLocation, 1) << "only post-dynamics moves";
}

TEST_F(EditorVerbs, ResetDynamicsSetsTheShownItemUpAfreshAndSwitchesItOff) {
    gui->loadDynamicsPanel(1, 3);
    gui->inputDynamics[3].attack = 99.0f;
    gui->inputDynamics[3].mode = 1;
    gui->loadDynamicsPanel(1, 3);
    const DynamicsRecord neighbour = gui->inputDynamics[2];
    exec("RESET_DYNAMICS");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gui->inputDynamics[3].attack, 250.0f);
    EXPECT_EQ(gui->inputDynamics[3].mode, 0);
    EXPECT_EQ(gui->inputDynamics[3].active, 1);
    EXPECT_EQ(gui->inputDynamics[2].attack, neighbour.attack);
    EXPECT_TRUE(flag(kSendInputDynamics));
}

TEST_F(EditorVerbs, DynamicsVerbsWithoutAnItemInTheEditorChangeNothing) {
    gui->loadDynamicsPanel(1, 0);
    exec("RESET_DY"); // leaves the editor on no item (kind -1)
    ASSERT_EQ(gui->dynamicsEditor.dynamicsPanelKind, -1);
    const DynamicsRecord before = gui->inputDynamics[0];
    for (const char* line :
         {"RESET_DYNAMICS", "SIDE_CHAIN_INTERNAL", "SIDE_CHAIN_PRE_DELAY", "SIDE_CHAIN_PRE_FILTER",
          "SIDE_CHAIN_POST_FILTER", "SIDE_CHAIN_POST_DYNAMICS"}) {
        exec(line);
        EXPECT_EQ(result, 1) << line;
        EXPECT_EQ(gui->console.lastError, "THE DYNAMICS PANEL SHOWS NO SOURCE OR TARGET") << line;
        EXPECT_FALSE(anyFlag()) << line;
        EXPECT_EQ(gui->inputDynamics[0].sideChainLocation, before.sideChainLocation) << line;
        EXPECT_EQ(gui->inputDynamics[0].active, before.active) << line;
    }
}

TEST_F(EditorVerbs, SideChainSelectOpensTheEntryWithTheKeyingItemsName) {
    gui->loadDynamicsPanel(1, 0);
    gui->dynamicsEditor.dynamicsEditCurve.sidechainIndex = 3;
    exec("SIDE_CHAIN_SELECT");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(gui->textEntry.textEntryId, 25);
    EXPECT_EQ(gui->textEntry.textEntryText, "S4");
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 16);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "SELECT SIDECHAIN");

    // A target keyed by a target shows the target's name; keyed by a source, the source's.
    gui->loadDynamicsPanel(2, 0);
    gui->dynamicsEditor.dynamicsEditCurve.sidechainIndex = 2;
    gui->outputDynamics[0].direction = 2;
    exec("SIDE_CHAIN_SELECT");
    EXPECT_EQ(gui->textEntry.textEntryText, "T3");
    gui->outputDynamics[0].direction = 1;
    exec("SIDE_CHAIN_SELECT");
    EXPECT_EQ(gui->textEntry.textEntryText, "S3");

    struct Refusal {
        int32_t kind;
        int32_t result;
        const char* error;
    };
    for (const Refusal& r :
         {Refusal{3, 1, "SELECTING GROUP SIDECHAIN NOT IMPLEMENTED YET"},
          Refusal{4, 1, "SELECTING ROOM SIDECHAIN NOT IMPLEMENTED YET"}, Refusal{-1, 0, ""}}) {
        gui->dynamicsEditor.dynamicsPanelKind = r.kind;
        gui->textEntry.textEntryId = -1;
        exec("SIDE_CHAIN_SELECT");
        EXPECT_EQ(result, r.result) << r.kind;
        EXPECT_EQ(gui->console.lastError, r.error) << r.kind;
        EXPECT_EQ(gui->textEntry.textEntryId, -1) << r.kind;
    }
}

} // namespace
