// The stage view's zoom and pan stay in the range the wheel and the drags give, whichever way
// they are set (a verb run many times, a host's pin, a far pan), and the stage still draws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "dsp_link/blob_layouts.h"
#include "screen_fixture.h"

namespace {

constexpr int32_t kViewStatePin = 5;

struct ViewValueBounds : ::testing::Test {
    ScreenFixture f{800.0f, 600.0f};
    QX_GUI& gui = *f.gui;
    void SetUp() override {
        gui.buildFixedVertexTables();
        gui.graphicsReady = 1;
    }

    // Hands pin 5 a view-state blob whose zoom is `zoom` (the rest as the stage sends it).
    void viewStatePinWithZoom(float zoom) {
        std::vector<uint8_t> blob(blob_layout::kViewStateSize, 0);
        std::memcpy(blob.data() + 28, &zoom, 4);
        const float count = 1.0f;
        for (int at : {40, 44, 48, 52}) std::memcpy(blob.data() + at, &count, 4);
        for (int at = 4; at <= 14; ++at) blob[at] = 1; // every kind, the grid and labels shown
        gui.setPin(kViewStatePin, 0, static_cast<int32_t>(blob.size()), blob.data());
        gui.notifyPin(kViewStatePin, 0);
    }
    void runTimes(const char* line, int times) {
        for (int i = 0; i < times; ++i) f.run(line);
    }
    // The fine grid lines the stage page draws (the cyan of the first pass).
    int gridLines() {
        int n = 0;
        for (const RecordedDraw& d : f.drawStage().draws)
            n += d.kind == RecordedDraw::Kind::Vertices &&
                 d.colour == std::array<float, 4>{0.0f, 1.0f, 1.0f, 0.07f};
        return n;
    }
};

TEST_F(ViewValueBounds, EveryWayOfSettingTheZoomKeepsItInRangeAndTheStageDraws) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        float before;
        std::function<void(ViewValueBounds&)> act;
        float after;
    } cases[] = {
        {"700 flat steps out", 1.0f, [](ViewValueBounds& t) { t.runTimes("FLAT_ZOOM_OUT", 700); },
         0.25f},
        {"700 flat steps in", 1.0f, [](ViewValueBounds& t) { t.runTimes("FLAT_ZOOM_IN", 700); },
         4.0f},
        {"a flat step out from a dragged zoom below the steps", 0.1f,
         [](ViewValueBounds& t) { t.f.run("FLAT_ZOOM_OUT"); }, 0.1f},
        {"a flat step in from a dragged zoom above the steps", 5.0f,
         [](ViewValueBounds& t) { t.f.run("FLAT_ZOOM_IN"); }, 5.0f},
        {"a flat step out near the end stops at it", 0.26f,
         [](ViewValueBounds& t) { t.f.run("FLAT_ZOOM_OUT"); }, 0.25f},
        {"pin 5 with a zoom of 1e-30", 1.0f,
         [](ViewValueBounds& t) { t.viewStatePinWithZoom(1.0e-30f); }, 0.1f},
        {"pin 5 with a zoom of 1e30", 1.0f,
         [](ViewValueBounds& t) { t.viewStatePinWithZoom(1.0e30f); }, 5.0f},
        {"pin 5 with a negative zoom", 1.0f,
         [](ViewValueBounds& t) { t.viewStatePinWithZoom(-3.0f); }, 0.1f},
        {"pin 5 with no number keeps the zoom", 2.0f,
         [nan](ViewValueBounds& t) { t.viewStatePinWithZoom(nan); }, 2.0f},
        {"pin 5 with a zoom in range keeps it", 1.0f,
         [](ViewValueBounds& t) { t.viewStatePinWithZoom(0.15f); }, 0.15f},
    };
    for (const auto& c : cases) {
        gui.view.viewZoom = c.before;
        c.act(*this);
        EXPECT_FLOAT_EQ(gui.view.viewZoom, c.after) << c.name;
        EXPECT_GT(gridLines(), 0) << c.name;
    }
}

TEST_F(ViewValueBounds, PinFiveHoldsTheGlobalRadiusAndTheMasterGainToWhatTheDragsGive) {
    gui.viewSettings.globalRadius = 100.0f;
    gui.viewSettings.masterVolume = 1.0f;
    std::vector<uint8_t> blob(blob_layout::kViewStateSize, 0);
    const float zoom = 1.0f, radius = -5.0f, master = 1.0e20f;
    std::memcpy(blob.data() + 0, &radius, 4);
    std::memcpy(blob.data() + 28, &zoom, 4);
    std::memcpy(blob.data() + 56, &master, 4);
    gui.setPin(kViewStatePin, 0, static_cast<int32_t>(blob.size()), blob.data());
    gui.notifyPin(kViewStatePin, 0);
    EXPECT_EQ(gui.viewSettings.globalRadius, 100.0f);
    EXPECT_EQ(gui.viewSettings.masterVolume, kMaxDragLevel);
}

TEST_F(ViewValueBounds, FarPansAreHeldSoEveryPixelHasAStagePointAnIntegerHolds) {
    const struct {
        const char* line;
        float panX;
    } cases[] = {
        {"DISPLACE_STAGE X:1000000000000", kPanLimit},
        {"DISPLACE_STAGE X:-100000000000000000000", -kPanLimit},
        {"DISPLACE_STAGE X:70", 700.0f},
    };
    for (const auto& c : cases) {
        gui.view.viewZoom = 0.1f;
        gui.view.viewPanX = 7.0f;
        f.run(c.line);
        EXPECT_EQ(gui.view.viewPanX, c.panX) << c.line;
        const StagePoint corner = gui.screenToStage(-32768, 32767);
        EXPECT_LT(std::fabs(corner.x), 2.0e9f) << c.line;
    }
    // The middle-button pan drag past the bound stops at it.
    gui.view.viewZoom = 0.1f;
    gui.view.viewPanX = kPanLimit - 1000.0f;
    f.move(100, 300);
    f.drag(100, 300, 700, 300, 1, ScreenFixture::Button::Middle);
    EXPECT_EQ(gui.view.viewPanX, kPanLimit);
}

} // namespace
