// The GL-free geometry of the stage: connection curves and handles, and the info-box layout.
#include <gtest/gtest.h>

#include "view/stage/curve_geometry.h"
#include "view/stage/info_box_layout.h"

namespace cg = curve_geometry;

namespace {

void expectPoints(const cg::FivePointCurve& c, std::initializer_list<CurvePoint> expected) {
    int i = 0;
    for (const CurvePoint& p : expected) {
        EXPECT_FLOAT_EQ(c.points[i].x, p.x) << "point " << i;
        EXPECT_FLOAT_EQ(c.points[i].y, p.y) << "point " << i;
        ++i;
    }
}

TEST(CurveGeometry, ControlPointsOfBothShapesAndTheOppositeRulesAtEqualDistances) {
    expectPoints(cg::verticalCurve(0, 0, 10, 20), {{0, 0}, {0, 10}, {5, 10}, {10, 10}, {10, 20}});
    expectPoints(cg::horizontalCurve(0, 0, 10, 20), {{0, 0}, {5, 0}, {5, 10}, {5, 20}, {10, 20}});
    // Equal distances: cables vertical (drawn from the target), feedback horizontal.
    expectPoints(cg::cableCurve(0, 0, 10, 10), {{10, 10}, {10, 5}, {5, 5}, {0, 5}, {0, 0}});
    expectPoints(cg::feedbackCurve(0, 0, 10, 10), {{0, 0}, {5, 0}, {5, 5}, {5, 10}, {10, 10}});
    expectPoints(cg::cableCurve(0, 0, 30, 10), {{30, 10}, {15, 10}, {15, 5}, {15, 0}, {0, 0}});
    expectPoints(cg::feedbackCurve(0, 0, 30, 10), {{0, 0}, {0, 5}, {15, 5}, {30, 5}, {30, 10}});
}

TEST(CurveGeometry, StrokeHandlesAndDots) {
    const cg::FivePointCurve c = cg::verticalCurve(0, 0, 100, 40);
    float v[2 * cg::kStrokeTableVertices];
    cg::strokeVertices(c, v);
    EXPECT_FLOAT_EQ(v[0], 0.0f);
    EXPECT_FLOAT_EQ(v[1], 0.0f);
    // Each step's point closes one segment and opens the next.
    EXPECT_FLOAT_EQ(v[2], v[4]);
    EXPECT_FLOAT_EQ(v[3], v[5]);
    EXPECT_NEAR(v[2 * (cg::kStrokeVertices - 1)], 100.0f, 1e-3f);
    EXPECT_NEAR(v[2 * (cg::kStrokeVertices - 1) + 1], 40.0f, 1e-3f);
    // Symmetric control points put B(0.5) at the middle; B(0.4) lies before it.
    EXPECT_FLOAT_EQ(cg::cableHandle(c).x, 50.0f);
    EXPECT_FLOAT_EQ(cg::cableHandle(c).y, 20.0f);
    EXPECT_LT(cg::feedbackHandle(c).x, 50.0f);
    EXPECT_FLOAT_EQ(cg::feedbackHandle(c).x, c.at(0.4f).x);
    EXPECT_TRUE(cg::handleHit(50, 20, 57.9f, 12.1f, 8));
    EXPECT_FALSE(cg::handleHit(50, 20, 58.0f, 20.0f, 8));
    EXPECT_FLOAT_EQ(cg::dotPosition(1, 4, 0.5f), 0.75f);
    EXPECT_FLOAT_EQ(cg::dotPosition(3, 4, 0.5f), 0.25f);
    EXPECT_FLOAT_EQ(cg::dotPosition(3, 4, 2.0f), 0.75f);
}

TEST(CurveGeometry, TheCableMidpointTruncatesTheEndsAndRoundsHalvesDown) {
    const struct {
        float xs, ys, xt, yt;
        int32_t mx, my;
    } cases[] = {{0, 0, 10, 20, 5, 10},
                 {0, 0, 11, -11, 5, -6},
                 {10.9f, -3.9f, 0.2f, 4.7f, 5, 0},
                 {-5, -5, -10, -10, -8, -8}};
    for (const auto& c : cases) {
        const cg::WholePoint m = cg::cableMidpoint(c.xs, c.ys, c.xt, c.yt);
        EXPECT_EQ(m.x, c.mx) << c.xs << "," << c.xt;
        EXPECT_EQ(m.y, c.my) << c.ys << "," << c.yt;
    }
}

TEST(InfoBoxLayout, CellsRunAlongRowsAndTheRotationBarGrowsBothWays) {
    const info_box::Rect cell = info_box::cellRect(9);
    EXPECT_FLOAT_EQ(cell.x0, 12.0f);
    EXPECT_FLOAT_EQ(cell.y0, 12.0f);
    EXPECT_FLOAT_EQ(cell.x1, 22.0f);
    const info_box::Rect plus = info_box::rotationBar(0.01f);
    EXPECT_FLOAT_EQ(plus.x0, 99.0f);
    EXPECT_NEAR(plus.x1, 108.8f, 1e-4f);
    // A negative speed draws leftwards from x = 99.
    const info_box::Rect minus = info_box::rotationBar(-0.05f);
    EXPECT_NEAR(minus.x0, 50.0f, 1e-4f);
    EXPECT_FLOAT_EQ(minus.x1, 99.0f);
    const info_box::Rect bar = info_box::meterBar(info_box::kSourceMeters, -68, -54, 2.0f);
    EXPECT_FLOAT_EQ(bar.y0, 112.0f - 123.0f);
    EXPECT_FLOAT_EQ(bar.y1, 112.0f);
}

} // namespace
