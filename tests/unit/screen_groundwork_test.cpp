// The ground the screens stand on: a frame drawn through the recording layer, the layer's
// check of vertex counts, and the tap that sees every executed line.
#include <gtest/gtest.h>

#include <algorithm>

#include "module_file.h"
#include "screen_fixture.h"

namespace {

using Kind = RecordedDraw::Kind;

bool coversWindow(const RecordedDraw& d, float width, float height) {
    const std::array<float, 4> b = d.bounds();
    return d.kind == Kind::Vertices && b[0] == 0.0f && b[1] == 0.0f && b[2] == width &&
           b[3] == height;
}

size_t indexOf(const RecordingDrawLayer& r, const RecordedDraw* d) {
    return static_cast<size_t>(d - r.draws.data());
}

TEST(ScreenGroundwork, AFrameWithoutADisplayDrawsTheTitleLineAtItsPlace) {
    ScreenFixture f;
    const RecordingDrawLayer frame = f.drawFrame();
    EXPECT_TRUE(frame.failures.empty());
    const RecordedDraw* title = frame.findText("VELTRAMONDIS 05/12/22 RUNNING : ");
    ASSERT_NE(title, nullptr);
    EXPECT_FLOAT_EQ(title->xy[0], 3.0f);
    EXPECT_FLOAT_EQ(title->xy[1], 800.0f - 9.0f);
    EXPECT_EQ(title->scale, 1);
    EXPECT_EQ(frame.matrixDepth(), 0);
}

TEST(ScreenGroundwork, APendingConfirmDimsTintsRedAndDrawsTheBoxOnTop) {
    ScreenFixture f;
    f.run("CONFIRM 'LOAD' 'ARE YOU SURE' 'CLS'");
    ASSERT_EQ(f.gui->pendingConfirm, 1);
    const RecordingDrawLayer frame = f.drawFrame();
    std::vector<size_t> overlays;
    for (size_t i = 0; i < frame.draws.size(); ++i)
        if (coversWindow(frame.draws[i], 1376.0f, 800.0f)) overlays.push_back(i);
    ASSERT_GE(overlays.size(), 2u);
    const RecordedDraw& dim = frame.draws[overlays[overlays.size() - 2]];
    const RecordedDraw& red = frame.draws[overlays.back()];
    EXPECT_EQ(dim.colour, (std::array<float, 4>{0.0f, 0.0f, 0.0f, 0.8f}));
    EXPECT_EQ(red.colour, (std::array<float, 4>{1.0f, 0.0f, 0.0f, 0.2f}));
    // The red frame of the box comes after both overlays, and the title after the frame.
    const auto box = std::find_if(
        frame.draws.begin() + overlays.back() + 1, frame.draws.end(), [](const RecordedDraw& d) {
            return d.kind == Kind::Vertices && d.colour == std::array<float, 4>{1, 0, 0, 1};
        });
    ASSERT_NE(box, frame.draws.end());
    const RecordedDraw* title = frame.findText("LOAD");
    ASSERT_NE(title, nullptr);
    EXPECT_GT(indexOf(frame, title), static_cast<size_t>(box - frame.draws.begin()));
    EXPECT_TRUE(box->coversPoint(688.0f, 400.0f));
}

TEST(ScreenGroundwork, TheRecordingLayerRefusesADrawLargerThanItsTable) {
    RecordingDrawLayer layer;
    std::vector<float> disc(2 * 216, 1.0f);
    layer.vertices(Primitive::TriangleFan, disc.data(), 216, 360);
    ASSERT_EQ(layer.failures.size(), 1u);
    EXPECT_EQ(layer.failures[0], "draw of 360 vertices from a table of 216");
    EXPECT_TRUE(layer.draws.empty());
    layer.vertices(Primitive::TriangleFan, disc.data(), 216, 216);
    EXPECT_EQ(layer.draws.size(), 1u);
}

TEST(ScreenGroundwork, TheRecordingLayerFollowsTheTransformStack) {
    RecordingDrawLayer layer;
    layer.pushMatrix();
    layer.translate(100.0f, 50.0f);
    layer.scale(2.0f, 2.0f);
    layer.rect(0.0f, 0.0f, 10.0f, 5.0f);
    layer.popMatrix();
    layer.rect(0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(layer.draws[0].bounds(), (std::array<float, 4>{100.0f, 50.0f, 120.0f, 60.0f}));
    EXPECT_EQ(layer.draws[1].bounds(), (std::array<float, 4>{0.0f, 0.0f, 1.0f, 1.0f}));
    layer.popMatrix();
    EXPECT_EQ(layer.failures.size(), 1u);
}

TEST(ScreenGroundwork, TheLineTapSeesOuterAndNestedLinesInTheOrderTheyRan) {
    const TempFile inner("MACROS/TAP_INNER.txt", "SET NUM_SOURCE 3\nCLS\n");
    const TempFile outer("MACROS/TAP_OUTER.txt",
                         "SET NUM_TARGET 2\nLOAD_MACRO MACROS/TAP_INNER.txt\nVERBOSE 1\n");
    ScreenFixture f;
    f.run("LOAD_MACRO MACROS/TAP_OUTER.txt");
    EXPECT_EQ(f.lines,
              (std::vector<std::string>{"LOAD_MACRO MACROS/TAP_OUTER.txt", "SET NUM_TARGET 2",
                                        "LOAD_MACRO MACROS/TAP_INNER.TXT", "SET NUM_SOURCE 3",
                                        "CLS", "VERBOSE 1"}));
    EXPECT_EQ(f.gui->sourceCount, 3);
}

} // namespace
