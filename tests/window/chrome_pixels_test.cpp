// The frame chrome as pixels under X with Mesa, at 1376 x 800: the page tabs, the SELECTION
// strip, the SYNDICATE cell, the SLICES and PATCH FILE cells, the MASTER box, the toolbox rows
// and a popup row under the pointer.
#include <initializer_list>

#include "gui_window.h"

#include <X11/Xlib.h>

namespace {

const Rgb kTeal{0, 128, 128};
const Rgb kGrey{102, 102, 102};
const Rgb kDarkGrey{51, 51, 51};
const Rgb kOrange{255, 128, 0};
const Rgb kBlack{0, 0, 0};

class ChromePixels : public GuiWindow {
protected:
    using GuiWindow::run;
    void run(std::initializer_list<const char*> lines) {
        for (const char* line : lines) gui->executeCommandString(line);
    }
};

TEST_F(ChromePixels, PageTabsShowTheCurrentPage) {
    render();
    EXPECT_EQ(at(1322, 790), kTeal) << "STAGE";
    EXPECT_EQ(at(1261, 796), kGrey) << "OUTPUTS";
    run({"PAGE INPUTS"});
    render();
    EXPECT_EQ(at(1203, 790), kTeal) << "INPUTS";
    EXPECT_EQ(at(1322, 790), kGrey) << "STAGE";
}

TEST_F(ChromePixels, SelectionSetsSyndicateSlicesAndPatchFileCells) {
    gui->storedSelectionCounts[1] = 1;
    gui->storedSelectionCounts[5] = 2;
    gui->storedSelectionNumber = 3;
    render();
    EXPECT_EQ(at(167, 3), kOrange) << "current set 3";
    EXPECT_EQ(at(127, 3), kTeal) << "set 1";
    EXPECT_EQ(at(207, 3), kTeal) << "set 5";
    EXPECT_EQ(at(147, 3), kGrey) << "set 2";
    EXPECT_EQ(at(402, 3), kGrey) << "SYNDICATE";
    EXPECT_EQ(at(541, 789), kGrey) << "slice 1";
    EXPECT_EQ(at(571, 789), kGrey) << "slice 3";
    EXPECT_EQ(at(461, 10), (Rgb{51, 153, 51})) << "OPEN";
    EXPECT_EQ(at(514, 3), (Rgb{153, 51, 51})) << "SAVE";
    EXPECT_EQ(at(521, 10), (Rgb{153, 102, 51})) << "SAVE AS";
    EXPECT_EQ(at(600, 2), kGrey) << "AUTO SAVE";
    EXPECT_EQ(at(1312, 10), kGrey) << "MASTER header";
    EXPECT_EQ(at(1370, 6), kDarkGrey) << "MASTER header frame";

    run({"SYN_MODE BOTH", "TOGGLE AUTO_SAVE"});
    gui->slices[2].memberCount = 1;
    render();
    EXPECT_EQ(at(402, 3), kTeal) << "SYNDICATE";
    EXPECT_EQ(at(571, 789), kTeal) << "slice index 2";
    EXPECT_EQ(at(600, 2), kTeal) << "AUTO SAVE";
}

TEST_F(ChromePixels, ToolboxRowsShowZoomAndMutesAndFoldAway) {
    run({"SET NUM_SOURCE 2", "ZOOM_LEVEL 1.0"});
    render();
    EXPECT_EQ(at(4, 604), kTeal) << "row 53 at zoom 1";
    EXPECT_EQ(at(4, 593), kGrey) << "row 52";
    EXPECT_EQ(at(4, 615), kGrey) << "row 54";
    run({"TOGGLE_MUTE S1"});
    render();
    EXPECT_EQ(at(4, 384), (Rgb{255, 255, 0})) << "row 33 with a muted source";

    run({"STEALTH ON"});
    render();
    const Rgb stage = at(4, 604);
    run({"STEALTH OFF", "TOGGLE_PANEL TOOLBOX"});
    ASSERT_EQ(gui->chrome.toolboxFolded, 1);
    render();
    EXPECT_EQ(at(4, 604), stage) << "the folded toolbox leaves the stage";
    EXPECT_EQ(at(49, 3), kGrey) << "the TOOLS header stays";
}

TEST_F(ChromePixels, OpenMasterBoxShowsOneBarPerTarget) {
    gui->chrome.masterHidden = 0;
    gui->targetCount = 0;
    render();
    EXPECT_EQ(at(1340, 400), kBlack) << "empty well";
    EXPECT_EQ(at(1374, 400), kGrey) << "panel";

    gui->targetCount = 1;
    gui->targets[0].room = 0;
    gui->targets[0].level = 1.0f;
    gui->targets[0].colourRed = 0.8f;
    gui->targets[0].colourGreen = 0.2f;
    gui->targets[0].colourBlue = 0.6f;
    gui->rooms[0].colourRed = 0.2f;
    gui->rooms[0].colourGreen = 0.4f;
    gui->rooms[0].colourBlue = 1.0f;
    render();
    EXPECT_EQ(at(1340, 400), (Rgb{204, 51, 153})) << "a target at 0 dB fills its bar";
    EXPECT_EQ(at(1340, 20), (Rgb{204, 51, 153})) << "to the top of the well";
    gui->targets[0].level = 0.00031622776f; // -70 dB
    render();
    EXPECT_EQ(at(1340, 400), (Rgb{51, 102, 255})) << "a silent target shows its room";
}

TEST_F(ChromePixels, PopupRowUnderThePointerIsGreen) {
    PopupMenu& menu = gui->chrome.popupMenus[0];
    menu.open = 1;
    menu.x = 700;
    menu.y = 300;
    menu.itemCount = 3;
    menu.labels[0] = "A";
    menu.labels[1] = "B";
    menu.labels[2] = "C";
    gui->chrome.popupLayerOpen = 1;
    gui->interaction.pointerPixelX = 700;
    gui->interaction.pointerPixelY = 315;
    render();
    const Rgb row1 = at(672, 311);
    EXPECT_GT(row1.g, 120) << row1;
    EXPECT_LT(row1.r, 40) << row1;
    EXPECT_LT(row1.b, 40) << row1;
    for (int y : {301, 321}) {
        const Rgb other = at(672, y);
        EXPECT_LT(other.r, 30) << other;
        EXPECT_LT(other.g, 30) << other;
        EXPECT_LT(other.b, 30) << other;
    }
}

} // namespace
