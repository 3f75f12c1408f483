// The STAGE page as pixels under Mesa at 1376 x 800: where items, rooms, the marquee, the grid
// and annotation rectangles land, and the GL state the page leaves behind.
#include <array>

#include "stage_window.h"
#include "view/input/interaction_modes.h"

namespace {

using StagePixels = StageWindow;

TEST_F(StagePixels, ItemsLandWhereTheViewPutsThem) {
    SourceRecord& s = gui->sources[0];
    s.setPosition(100.0f, 50.0f);
    gui->targets[0].setPosition(-250.0f, 120.0f);
    render();
    const Rgb source{byte(s.colourRed), byte(s.colourGreen), byte(s.colourBlue)};
    expectNear(792, 454, source, 0, "source");
    const TargetRecord& t = gui->targets[0];
    expectNear(438, 520, {byte(t.colourRed), byte(t.colourGreen), byte(t.colourBlue)}, 0, "target");
    run("TOGGLE SOURCE_VISIBILITY");
    render();
    expectNear(792, 454, {0, 0, 0}, 0, "hidden sources");
}

TEST_F(StagePixels, ASourcesSmoothedOutlineFadesWithinAPixelOfItsEdge) {
    // The source box's outline is a smoothed line drawn as faded triangles: the row and column
    // just outside stay dark, and the outline's own outer row is only partly covered.
    gui->sources[0].setPosition(100.0f, 50.0f);
    render();
    expectNear(786, 442, {0, 0, 0}, 8, "row above the outline");
    expectNear(780, 450, {0, 0, 0}, 8, "column left of the outline");
    const Rgb edge = at(786, 443);
    EXPECT_GT(edge.g, 60) << "the outline is drawn";
    EXPECT_LT(edge.g, 200) << "the outline's outer row is faded";
}

TEST_F(StagePixels, AGroupShowsItsRotationQuadrantOverItsGreyFace) {
    gui->groupCount = 1;
    gui->groups[0].x = -100.0f;
    gui->groups[0].y = -100.0f;
    gui->groups[0].shown = 1;
    render();
    expectNear(584, 296, {26, 153, 26}, 1, "group quadrant");
}

TEST_F(StagePixels, ZoomTwoDoublesTheDistanceFromTheCentre) {
    gui->sources[0].setPosition(-50.0f, -50.0f);
    gui->view.viewZoom = 2.0f;
    render();
    const SourceRecord& s = gui->sources[0];
    expectNear(596, 308, {byte(s.colourRed), byte(s.colourGreen), byte(s.colourBlue)}, 0,
               "zoomed source");
}

TEST_F(StagePixels, RoomsMarqueeAndAnnotationRectangles) {
    run("SET NUM_ROOM 1");
    run("POS R1 X:-300 Y:-300 W:200 H:200");
    const int32_t marquee[4] = {200, 200, 300, 250};
    std::copy(marquee, marquee + 4, gui->marqueeRect);
    render();
    const RoomRecord& room = gui->rooms[0];
    expectNear(
        450, 200,
        {byte(0.8f * room.colourRed), byte(0.8f * room.colourGreen), byte(0.8f * room.colourBlue)},
        1, "room");
    expectNear(940, 625, {26, 26, 26}, 1, "marquee");

    std::fill(gui->marqueeRect, gui->marqueeRect + 4, 0);
    gui->roomCount = 0;
    // Start-up filled the MACROS panel, which keeps BUTTON, TEXT and RECT on the panel's set
    // until the next load; a load hands them back to the stage.
    run("LOAD_MACRO MACROS/NO_SUCH_FILE.txt");
    // Each layer verb starts an empty layer.
    run("PAINT RED:0.2 GREEN:0.6 BLUE:1.0 L:1.0");
    run("DRAW_WITH_STAGE");
    run("RECT X:100 Y:100 W:50 H:50");
    gui->view.viewZoom = 2.0f;
    render();
    const Rgb paint{51, 153, 255};
    expectNear(980, 690, paint, 1, "rectangle with the stage");
    expectNear(140, 140, {0, 0, 0}, 1, "no rectangle on top");
    run("DRAW_ON_TOP");
    run("RECT X:100 Y:100 W:50 H:50");
    render();
    expectNear(140, 140, paint, 1, "rectangle on top");
}

TEST_F(StagePixels, AFineGridLineAtStageXTen) {
    run("TOGGLE GRID_VISIBILITY");
    render();
    expectNear(698, 255, {0, 18, 18}, 1, "fine grid line");
}

TEST_F(StagePixels, GlowsAtOneTargetAddUpAsWhenDrawnOneByOne) {
    // Two uncabled sources reach one target at the stage centre with equal gains: their glows
    // share one shape. Away from the target's glyph, both glows read as the sum of each alone.
    gui->setSourceCount(3);
    gui->sources[1].setPosition(5000.0f, 5000.0f);
    gui->sources[2].setPosition(5000.0f, 5000.0f);
    gui->targets[0].setPosition(0.0f, 0.0f);
    gui->targets[0].gainRow[0] = gui->targets[0].gainRow[1] = gui->targets[0].gainRow[2] = 0.6f;
    gui->sources[0].setColour(0x000080FF); // packed 0x00BBGGRR
    gui->sources[1].setColour(0x00FF8000);
    gui->sources[2].setColour(0x00FF0000);
    struct Probe {
        int x, y;
    };
    const Probe probes[] = {{700, 400}, {688, 430}, {660, 380}};
    std::vector<Rgb> alone[3];
    for (int s = 0; s < 3; ++s) {
        for (int k = 0; k < 3; ++k) gui->sources[k].shown = k == s;
        render();
        for (const Probe& p : probes) alone[s].push_back(at(p.x, p.y));
    }
    for (int k = 0; k < 3; ++k) gui->sources[k].shown = 1;
    render();
    for (size_t i = 0; i < std::size(probes); ++i) {
        const Rgb& a = alone[0][i];
        const Rgb& b = alone[1][i];
        const Rgb& c = alone[2][i];
        EXPECT_GT(a.r + a.g, 20) << "a glow is seen at probe " << i;
        const Rgb sum{std::min(255, a.r + b.r + c.r), std::min(255, a.g + b.g + c.g),
                      std::min(255, a.b + b.b + c.b)};
        expectNear(probes[i].x, probes[i].y, sum, 2, "glows added");
    }
}

TEST_F(StagePixels, AGlowFadesOutAtItsRadiusAndLeavesTheSquareAroundItBlack) {
    // Gain 1 gives an uncabled glow of radius 70 pixels around the target at the centre.
    gui->targets[0].setPosition(0.0f, 0.0f);
    gui->targets[0].gainRow[0] = 1.0f;
    gui->sources[0].setPosition(5000.0f, 5000.0f);
    gui->sources[0].setColour(0x00FFFFFF);
    render();
    const Rgb inside = at(688 + 30, 400 + 30); // 0.6 of the radius out
    EXPECT_GT(inside.r, 10) << "the glow is seen inside its radius";
    expectNear(688 + 60, 400 + 60, {0, 0, 0}, 0, "outside the radius, inside its square");
    expectNear(688 + 69, 400 + 2, {0, 0, 0}, 1, "at the rim the glow has faded out");
}

TEST_F(StagePixels, ThePageLeavesModeZeroTheProjectionAndTheStandardBlend) {
    // Every special pass runs: a spread disc, glows, a feedback send, a cable.
    gui->sources[0].setPosition(0.0f, 0.0f);
    gui->targets[0].setPosition(0.0f, 100.0f);
    run("CABLE S1 T1");
    run("FEEDBACK S1 T1");
    gui->targets[0].gainRow[0] = 1.0f;
    gui->interaction.stageInteractionMode = kModeSourceSize;
    gui->stage.pickedSource = 0;
    gui->sources[0].size = 2.0f;
    makeSlotCurrent(gui->glSlot);
    gui->applyFramePreamble();
    std::array<float, 16> before{}, after{};
    glGetFloatv(GL_PROJECTION_MATRIX, before.data());
    gui->drawStagePage();
    glGetFloatv(GL_PROJECTION_MATRIX, after.data());
    GLint mode = -1, source = 0, destination = 0;
    glGetUniformiv(gui->uiProgram, gui->modeLocation, &mode);
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    glPopAttrib();
    EXPECT_EQ(gui->feedbackMixes[gui->sources[0].virtualChannel].pinCount, 1);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(before, after);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
