// The five editor panels as qxhost shows them, each placed by PANEL_SETUP: the lit switches of
// DYNAMICS, FILTERS and DELAY, a muted source's cell and its clear button in MUTES, and an
// inverted phase dot and the level disc of the VIRTUAL panel. One picture serves every probe; a
// content point (cx, cy) of a panel placed at (X, Y) is the window pixel (X + 2 + cx, Y + 9 + cy).
#include <gtest/gtest.h>

#include <string>

#include "qxhost_picture.h"
#include "qxplatform/test_hooks.h"

namespace {

struct Placed {
    int x, y;
    int contentX(int cx) const { return x + 2 + cx; }
    int contentY(int cy) const { return y + 9 + cy; }
};

const Placed kDynamics{80, 40};
const Placed kFilters{500, 40};
const Placed kDelay{500, 320};
const Placed kVirtual{920, 40};
const Placed kMutes{920, 320};

const std::vector<int> kWhite{255, 255, 255};
const std::vector<int> kYellow{255, 255, 0};
const std::vector<int> kCyan{0, 255, 255};

class EditorPanelsWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!qxplatform::hasDisplay()) return;
        // S1 is green; its mix gets four slots (pins 1 to 4) at unity, and the third, slot 2,
        // is phase-inverted.
        const PictureMacro macro("editor_panels_probe.txt", "RGB S1 RED:0 GREEN:1 BLUE:0\n"
                                                            "DELAY S1 ON TIME:12.5\n"
                                                            "FILTER S1 ON\n"
                                                            "DYNAMICS S1 COMPRESSOR ON\n"
                                                            "INPUT_MIXER S1 RESET\n"
                                                            "INPUT_MIXER S1 ADD_PIN 2\n"
                                                            "INPUT_MIXER S1 ADD_PIN 3\n"
                                                            "INPUT_MIXER S1 ADD_PIN 4\n"
                                                            "INPUT_MIXER S1 PHASE_PIN 3 -1\n"
                                                            "TOGGLE_MUTE S5\n"
                                                            "SELECT S1\n"
                                                            "TOUCH S1\n"
                                                            "PANEL_SETUP DYNAMICS X:80 Y:40 S:1\n"
                                                            "PANEL_SETUP FILTERS X:500 Y:40 S:1\n"
                                                            "PANEL_SETUP DELAY X:500 Y:320 S:1\n"
                                                            "PANEL_SETUP VIRTUAL X:920 Y:40 S:1\n"
                                                            "PANEL_SETUP MUTES X:920 Y:320 S:1\n"
                                                            "SHOW_PANEL DYNAMICS\n"
                                                            "SHOW_PANEL FILTERS\n"
                                                            "SHOW_PANEL DELAY\n"
                                                            "SHOW_PANEL VIRTUAL\n"
                                                            "SHOW_PANEL MUTES\n");
        shot = shoot("--load " + macro.name, "editor_panels_probe.png", picture);
    }
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        ASSERT_TRUE(shot);
        ASSERT_EQ(picture.width, 1376);
    }
    static std::vector<int> at(const Placed& panel, int cx, int cy) {
        return picture.at(panel.contentX(cx), panel.contentY(cy));
    }

    static Picture picture;
    static bool shot;
};

Picture EditorPanelsWindow::picture;
bool EditorPanelsWindow::shot = false;

TEST_F(EditorPanelsWindow, SwitchedOnEditorsLightTheirSwitchesWhite) {
    expectNear(at(kDynamics, 61, 35), kWhite, 0, "DYNAMICS ON box");
    expectNear(at(kDelay, 4, 9), kWhite, 0, "DELAY switch");
    expectNear(at(kFilters, 3, 3), kWhite, 0, "FILTERS switch");
}

TEST_F(EditorPanelsWindow, AMutedSourceLightsItsCellAndItsClearButtonYellow) {
    expectNear(at(kMutes, 57, 17), kYellow, 0, "S5 mute cell");
    expectNear(at(kMutes, 80, 7), kYellow, 0, "source mutes clear button");
}

TEST_F(EditorPanelsWindow, AnInvertedSlotShowsACyanPhaseDot) {
    expectNear(at(kVirtual, 180, 125), kCyan, 0, "phase dot of slot 2 of four");
}

// The disc is centred on the content and as wide as half the panel: between the spokes, 57
// pixels out, it glows evenly in the item's colour (half strength at full level); at its rim
// it has faded out.
TEST_F(EditorPanelsWindow, TheLevelDiscGlowsAroundTheCentreOfTheVirtualPanel) {
    const std::vector<int> glow{2, 122, 2};
    expectNear(at(kVirtual, 85, 85), glow, 20, "disc, upper left");
    expectNear(at(kVirtual, 165, 85), glow, 20, "disc, upper right");
    expectNear(at(kVirtual, 85, 165), glow, 20, "disc, lower left");
    expectNear(at(kVirtual, 165, 165), glow, 20, "disc, lower right");
    expectNear(at(kVirtual, 125, 5), {0, 0, 0}, 20, "disc rim");
}

} // namespace
