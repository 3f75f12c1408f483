// The DELAY, FILTERS, DYNAMICS and VIRTUAL editors in a real window, each on S1: S1's record
// is changed by a line, then by loading a file, then a slice is recalled. After each, the
// editor's next frame draws the record's values, and one click on the editor's switch (through
// the window procedure) changes the switch and nothing else: the patch saved then still holds
// the values the lines gave.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gui_window.h"
#include "panels/frame/panel_ids.h"
#include "render/recording_draw_layer.h"
#include "unit/module_file.h"

namespace {

// One editor and the three changes of S1's record that it must show.
struct EditorCase {
    const char* panel; // the name PANEL_SETUP and SHOW_PANEL take
    int32_t id;
    int x, y;                   // where PANEL_SETUP puts it
    int switchX, switchY;       // content point of its switch
    const char* typed;          // lines that change S1's record
    const char* typedShows;     // a text the editor then draws (or a part of one)
    const char* typedSaves;     // a text the saved patch then holds
    const char* loaded;         // a file's lines that change S1's record
    const char* loadedShows;    //
    const char* loadedSaves;    //
    int (*switchOf)(QX_GUI& g); // the switch in the model
};

const EditorCase kCases[] = {
    {"DELAY", kPanelDelay, 100, 100, 16, 7, "DELAY S1 ON TIME:12", "12.00MS", "TIME:12.00",
     "DELAY S1 ON TIME:25\n", "25.00MS", "TIME:25.00",
     [](QX_GUI& g) { return static_cast<int>(g.inputDelays[0].on); }},
    {"FILTERS", kPanelFilters, 400, 100, 16, 6, "FILTER S1 ON BAND:2 ENABLE F:500 G:6", "500h",
     "F:500.00 G:6.00", "FILTER S1 ON BAND:3 ENABLE F:700 G:-3\n", "700h", "F:700.00 G:-3.00",
     [](QX_GUI& g) { return static_cast<int>(g.inputFilters[0].enabled); }},
    // SIDECHAIN keys S1's dynamics on another source; the editor's description names it.
    {"DYNAMICS", kPanelDynamics, 100, 250, 70, 31,
     "DYNAMICS S1 ON ATTACK:12 RELEASE:300\nSIDECHAIN S2 S1 PRE_DELAY",
     "SIDECHAIN - S2 - PRE-DELAY", "SIDECHAIN S2 S1 PRE_DELAY",
     "DYNAMICS S1 ON ATTACK:40 RELEASE:500\nSIDECHAIN S3 S1 PRE_FILTER\n",
     "SIDECHAIN - S3 - PRE-FILTER", "SIDECHAIN S3 S1 PRE_FILTER",
     [](QX_GUI& g) { return static_cast<int>(g.inputDynamics[0].mode); }},
    // The VIRTUAL editor on S1 edits the mix of the channel S1 is routed to; the centre shows
    // that channel, and the switch here is the mute dot of the mix's first slot.
    {"VIRTUAL", kPanelVirtual, 900, 100, 45, 125, "VIRTUALISE S1 5\nINPUT_MIXER S1 ADD_PIN 9", "5",
     "# INPUT_MIXER 5", "VIRTUALISE S1 7\nINPUT_MIXER S1 ADD_PIN 11\n", "7", "# INPUT_MIXER 7",
     [](QX_GUI& g) {
         const int channel = g.sources[0].virtualChannel;
         return static_cast<int>(g.inputMixers[channel].mutes[0]);
     }},
};

class EditorsFollowModelWindow : public GuiWindow,
                                 public ::testing::WithParamInterface<EditorCase> {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        const EditorCase& c = GetParam();
        const std::string panel = c.panel;
        const std::vector<std::string> setUp = {"SET NUM_SOURCE 4", "SELECT S1", "TOUCH S1",
                                                "PANEL_SETUP " + panel +
                                                    " X:" + std::to_string(c.x) +
                                                    " Y:" + std::to_string(c.y) + " S:1",
                                                "SHOW_PANEL " + panel};
        for (const std::string& line : setUp) run(line);
    }

    LRESULT send(UINT message, WPARAM flags, int x, int y) {
        return gui->windowProc(window, message, flags,
                               MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    }
    void clickSwitch() {
        const EditorCase& c = GetParam();
        const PanelWindow& panel = gui->panelFrame.panels[c.id];
        const int x = static_cast<int>(panel.positionX + panel.margin) + c.switchX;
        const int y = static_cast<int>(panel.positionY + panel.titleBarHeight) + c.switchY;
        send(WM_MOUSEMOVE, 0, x, y);
        send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        send(WM_LBUTTONUP, 0, x, y);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) send(WM_TIMER, 0, 0, 0);
    }
    // The texts of one frame as the window draws it, after a message has run.
    std::vector<std::string> frameTexts() {
        send(WM_MOUSEMOVE, 0, 5, 790);
        RecordingDrawLayer recording;
        gui->drawLayer = &recording;
        gui->renderFrame();
        gui->drawLayer = &gui->glDrawLayer;
        std::vector<std::string> texts;
        for (const RecordedDraw& d : recording.draws)
            if (d.kind == RecordedDraw::Kind::Text) texts.push_back(d.text);
        return texts;
    }
    bool drawn(const std::string& text) {
        for (const std::string& t : frameTexts())
            if (t == text || (text.size() > 2 && t.find(text) != std::string::npos)) return true;
        return false;
    }
    std::string savedPatch() {
        const std::string path = qxplatform::toHostPath(modulePath("")) + "EDITOR_FOLLOWS.txt";
        EXPECT_EQ(gui->writePatchFile(path, 0), 0);
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        std::remove(path.c_str());
        return text.str();
    }
    // One click on the switch flips it and leaves the record's values as the patch shows them.
    void expectSwitchAloneChanges(const char* saved) {
        const int before = GetParam().switchOf(*gui);
        clickSwitch();
        EXPECT_EQ(GetParam().switchOf(*gui), before ? 0 : 1);
        EXPECT_NE(savedPatch().find(saved), std::string::npos) << "the patch lost " << saved;
    }
};

TEST_P(EditorsFollowModelWindow, ShowsTheRecordAfterALineALoadAndASliceRecall) {
    const EditorCase& c = GetParam();
    std::istringstream typed(c.typed);
    for (std::string line; std::getline(typed, line);) run(line);
    EXPECT_TRUE(drawn(c.typedShows)) << "after the line";
    expectSwitchAloneChanges(c.typedSaves);

    const TempFile file("MACROS/EDITOR_FOLLOWS_LOAD.txt", c.loaded);
    run("LOAD_MACRO MACROS/EDITOR_FOLLOWS_LOAD.txt");
    EXPECT_TRUE(drawn(c.loadedShows)) << "after the load";
    expectSwitchAloneChanges(c.loadedSaves);

    // A slice holding S1 elsewhere, recalled over the timer: S1 moves, its record stays.
    for (const char* row : {"SLICE_M S:1 X:1\tS1", "SLICE_X S:1 X:1\t3.00", "SLICE_Y S:1 X:1\t4.00",
                            "SLICE_S S:1 X:1\t1.00", "SLICE_L S:1 X:1\t0.50"})
        run(row);
    run("JUMP_TO_SLICE 0");
    ticks(25);
    EXPECT_FLOAT_EQ(gui->sources[0].x, 3.0f);
    EXPECT_TRUE(drawn(c.loadedShows)) << "after the slice recall";
    expectSwitchAloneChanges(c.loadedSaves);
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorsFollowModelWindow, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EditorCase>& param) {
                             return std::string(param.param.panel);
                         });

} // namespace
