// The DELAY, FILTERS, DYNAMICS and VIRTUAL editors show their item's record as it is now: a
// line, UNDO, or a record changed between window messages (a value from the DSP side, a page's
// switch) reaches the editor, and a click on the editor's switch then stores the switch alone.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "editor_panel_fixture.h"

namespace {

struct EditorsFollowModel : ::testing::Test, EditorFixture {
    EditorsFollowModel() {
        gui->setSourceCount(4);
        for (int s = 0; s < 4; ++s) source(s, 10.0f + 5.0f * s, 10.0f);
        useMouseDispatch();
        place(kPanelDelay, 100.0f, 100.0f);
        place(kPanelFilters, 100.0f, 200.0f);
        place(kPanelDynamics, 500.0f, 100.0f);
        place(kPanelVirtual, 900.0f, 100.0f);
        gui->loadDelayPanel(kKindSource, 0);
        gui->loadFiltersPanel(kKindSource, 0);
        gui->loadDynamicsPanel(kKindSource, 0);
        gui->loadVirtualPanel(1, 0);
    }
    // A left click at a content point of a panel, through the window procedure.
    void clickContent(int32_t panel, float cx, float cy) {
        const LPARAM at = MAKELPARAM(windowX(panel, cx), windowY(panel, cy));
        gui->windowProc(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, at);
        gui->windowProc(nullptr, WM_LBUTTONUP, 0, at);
    }
};

// One editor: the content point of its switch, how its record is read and changed, what the
// editor shows of it, and the part of the record its switch leaves alone.
struct Editor {
    const char* name;
    int32_t panel;
    float switchX, switchY;
    const char* line;                          // changes the record of S1 (or its routing)
    std::function<void(QX_GUI&)> changeDirect; // the same kind of change, made between messages
    std::function<std::string(QX_GUI&)> shown; // what the editor shows, as text
    std::function<std::string(QX_GUI&)> kept;  // what its switch must not change, as text
    std::function<int(QX_GUI&)> switchValue;   // the switch in the record
};

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

const Editor kEditors[] = {
    {"DELAY", kPanelDelay, 16.0f, 6.0f, "DELAY S1 ON TIME:12",
     [](QX_GUI& g) {
         g.inputDelays[0] = {0, 1, 1, 0, 0.012f};
     },
     [](QX_GUI& g) {
         return std::to_string(g.delayEditor.delayEnabled) + " " + number(g.delayEditor.delayTime);
     },
     [](QX_GUI& g) { return number(g.inputDelays[0].time); },
     [](QX_GUI& g) { return static_cast<int>(g.inputDelays[0].on); }},
    {"FILTERS", kPanelFilters, 16.0f, 6.0f, "FILTER S1 ON BAND:2 ENABLE F:500 G:6",
     [](QX_GUI& g) {
         g.inputFilters[0].enabled = 1;
         g.inputFilters[0].bands[1] = {1, 4, 500.0f, 6.0f, 2.0f, 0, {}};
     },
     [](QX_GUI& g) {
         const EqBand& band = g.filtersEditor.eqEditBands[1];
         return std::to_string(g.filtersEditor.filtersEnabled) + " " + std::to_string(band.active) +
                " " + number(band.frequency) + " " + number(band.gainDb);
     },
     [](QX_GUI& g) {
         const FilterBandRecord& band = g.inputFilters[0].bands[1];
         return std::to_string(band.enabled) + " " + number(band.frequency) + " " +
                number(band.gain);
     },
     [](QX_GUI& g) { return static_cast<int>(g.inputFilters[0].enabled); }},
    {"DYNAMICS", kPanelDynamics, 70.0f, 31.0f, "SIDECHAIN S2 S1 PRE_DELAY",
     [](QX_GUI& g) {
         g.inputDynamics[0].channelIndex = 1;
         g.inputDynamics[0].sideChainLocation = 0;
     },
     [](QX_GUI& g) {
         const DynamicsCurve& curve = g.dynamicsEditor.dynamicsEditCurve;
         return std::to_string(curve.sidechainIndex) + " " + std::to_string(curve.sidechainKind) +
                " " + std::to_string(curve.sidechainLocation);
     },
     [](QX_GUI& g) {
         const DynamicsRecord& r = g.inputDynamics[0];
         return std::to_string(r.channelIndex) + " " + std::to_string(r.direction) + " " +
                std::to_string(r.sideChainLocation);
     },
     [](QX_GUI& g) { return static_cast<int>(g.inputDynamics[0].mode); }},
    // The VIRTUAL editor on S1 edits the channel S1 is routed to; its "switch" here is the mute
    // dot of the first slot, 80 pixels left of the centre.
    {"VIRTUAL", kPanelVirtual, 45.0f, 125.0f, "VIRTUALISE S1 5",
     [](QX_GUI& g) { g.sources[0].virtualChannel = 4; },
     [](QX_GUI& g) { return std::to_string(g.virtualEditor.virtualEditIndex); },
     [](QX_GUI& g) { return std::to_string(g.inputMixers[0].mutes[0]); },
     [](QX_GUI& g) { return static_cast<int>(g.inputMixers[4].mutes[0]); }},
};

const char* const kShownAfterChange[] = {"1 0.012", "1 1 500.000 6.000", "1 1 0", "4"};

// The editor shows the changed record, and one click on its switch changes the switch alone.
void expectShownAndSwitchAlone(EditorsFollowModel& test, const Editor& editor, const char* shown) {
    QX_GUI& gui = *test.gui;
    EXPECT_EQ(editor.shown(gui), shown);
    const std::string kept = editor.kept(gui);
    const int before = editor.switchValue(gui);
    test.clickContent(editor.panel, editor.switchX, editor.switchY);
    EXPECT_EQ(editor.switchValue(gui), before ? 0 : 1);
    EXPECT_EQ(editor.kept(gui), kept);
}

TEST_F(EditorsFollowModel, ALineReachesTheEditorAndItsSwitchStoresOnlyTheSwitch) {
    for (size_t e = 0; e < std::size(kEditors); ++e) {
        const Editor& editor = kEditors[e];
        SCOPED_TRACE(editor.name);
        if (editor.panel == kPanelVirtual) run("INPUT_MIXER S1 RESET");
        run(editor.line);
        expectShownAndSwitchAlone(*this, editor, kShownAfterChange[e]);
    }
}

TEST_F(EditorsFollowModel, ARecordChangedBetweenWindowMessagesReachesTheEditor) {
    for (size_t e = 0; e < std::size(kEditors); ++e) {
        const Editor& editor = kEditors[e];
        SCOPED_TRACE(editor.name);
        if (editor.panel == kPanelVirtual) {
            run("INPUT_MIXER S1 RESET");
            gui->inputMixers[4] = gui->inputMixers[0];
        }
        editor.changeDirect(*gui);
        gui->windowProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        expectShownAndSwitchAlone(*this, editor, kShownAfterChange[e]);
    }
}

// UNDO gives S1 its routing back, and the VIRTUAL editor on S1 goes back to that channel.
TEST_F(EditorsFollowModel, UndoTakesTheEditorBackWithTheRecord) {
    run("VIRTUALISE S1 5");
    ASSERT_EQ(gui->virtualEditor.virtualEditIndex, 4);
    run("UNDO");
    EXPECT_EQ(gui->sources[0].virtualChannel, 0);
    EXPECT_EQ(gui->virtualEditor.virtualEditIndex, 0);
}

// The editor's own changes are not taken back: a time typed into the copy and not yet stored,
// or a drag under way, survives the lines and messages that leave the record alone.
TEST_F(EditorsFollowModel, TheCopyKeepsWhatTheEditorChangedWhileTheRecordStaysAsItWas) {
    gui->delayEditor.delayTime = 0.25f;
    run("MUTE S2");
    gui->windowProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FLOAT_EQ(gui->delayEditor.delayTime, 0.25f);
}

// A renamed item renames the caption of every editor on it.
TEST_F(EditorsFollowModel, TheCaptionFollowsTheItemsName) {
    run("NAME S1 VOX");
    for (int32_t panel : {kPanelDelay, kPanelFilters, kPanelDynamics})
        EXPECT_EQ(gui->panelFrame.panels[panel].subtitle, "SOURCE - VOX") << panel;
}

} // namespace
