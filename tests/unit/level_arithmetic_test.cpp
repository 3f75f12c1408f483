// Fader law, decibels and the dynamics transfer curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/level_arithmetic.h"

namespace {

TEST(LevelArithmetic, DecibelConversions) {
    const struct {
        float gain, db;
    } toDb[] = {{1.0f, 0.0f}, {0.5f, -6.0206f}, {2.0f, 6.0206f}, {0.001f, -60.0f}, {10.0f, 20.0f}};
    for (const auto& c : toDb) EXPECT_NEAR(gainToDb(c.gain), c.db, 1e-4) << c.gain;
    EXPECT_EQ(gainToDb(0.0f), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(gainToDb(-1.0f)));

    const struct {
        float db, gain;
    } toGain[] = {
        {-6.0f, 0.501187f}, {0.0f, 1.0f}, {20.0f, 10.0f}, {-60.0f, 0.001f}, {-200.0f, 1e-10f}};
    for (const auto& c : toGain) EXPECT_NEAR(dbToGain(c.db) / c.gain, 1.0f, 1e-5) << c.db;
    for (float db : {-48.0f, -3.0f, 0.0f, 6.0f}) EXPECT_NEAR(gainToDb(dbToGain(db)), db, 1e-4);
}

TEST(LevelArithmetic, FaderLawAcrossTheRangeAndOutsideIt) {
    const FaderLaw law;
    const struct {
        float position, gain;
    } cases[] = {{0.0f, 0.001f},
                 {1.0f, 1.002247f},
                 {0.5f, 0.03165829f},
                 {-0.5f, 3.158731e-5f},
                 {1.5f, 31.72943f}};
    for (const auto& c : cases) EXPECT_NEAR(law.positionToGain(c.position) / c.gain, 1.0f, 1e-5);
    EXPECT_NEAR(law.gainToPosition(0.001f), 0.0f, 1e-6);
    EXPECT_NEAR(law.gainToPosition(1.0f), 0.99968f, 1e-5);
    EXPECT_NEAR(law.gainToPositionForward(2.0f), law.gainToPosition(2.0f), 0.0f);
    // Not an exact inverse at the top, but close everywhere inside the range.
    for (float p : {0.1f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f})
        EXPECT_NEAR(law.gainToPosition(law.positionToGain(p)), p, 5e-4) << p;
    EXPECT_EQ(law.gainToPosition(0.0f), -std::numeric_limits<float>::infinity());
}

TEST(LevelArithmetic, LerpAndLerpPoint) {
    EXPECT_EQ(lerp(2.0f, 6.0f, 0.25f), 3.0f);
    CurvePoint p;
    lerpPoint(p, 0.0f, 10.0f, 4.0f, 20.0f, 0.5f);
    EXPECT_EQ(p.x, 2.0f);
    EXPECT_EQ(p.y, 15.0f);
    EXPECT_EQ(ln2(), std::log(2.0));
}

DynamicsCurve curveOf(std::initializer_list<CurvePoint> points) {
    DynamicsCurve curve;
    int i = 0;
    for (const CurvePoint& p : points) curve.points[i++] = p;
    curve.pointCount = i;
    return curve;
}

TEST(DynamicsCurveTest, EvalBezierEndsOnTheFirstAndLastPoints) {
    const DynamicsCurve curve = curveOf({{0.1f, 0.2f}, {0.3f, 0.9f}, {0.5f, 0.1f}, {0.9f, 0.7f}});
    EXPECT_EQ(curve.evalBezier(0.0f).x, 0.1f);
    EXPECT_EQ(curve.evalBezier(0.0f).y, 0.2f);
    EXPECT_FLOAT_EQ(curve.evalBezier(1.0f).x, 0.9f);
    EXPECT_FLOAT_EQ(curve.evalBezier(1.0f).y, 0.7f);
    // Three points: the quadratic midpoint.
    const DynamicsCurve quad = curveOf({{0.0f, 0.0f}, {0.5f, 1.0f}, {1.0f, 0.0f}});
    EXPECT_FLOAT_EQ(quad.evalBezier(0.5f).y, 0.5f);
    const CurvePoint one = {0.4f, 0.6f};
    EXPECT_EQ(DynamicsCurve::evalBezier(&one, 1, 0.7f).x, 0.4f);
}

TEST(DynamicsCurveTest, Table60OfTheIdentityCurveFallsOneDecibelPerEntry) {
    DynamicsCurve curve =
        curveOf({{0.0f, 0.0f}, {0.25f, 0.25f}, {0.5f, 0.5f}, {0.75f, 0.75f}, {1.0f, 1.0f}});
    curve.buildTable60();
    for (int k = 0; k < 80; ++k) EXPECT_NEAR(curve.table60[k], 19.0f - k, 1e-3) << k;
    for (int k = 80; k < 192; ++k) EXPECT_EQ(curve.table60[k], 20.0f - k) << k;
}

TEST(DynamicsCurveTest, Table60KeepsTheLargestOutputPerEntry) {
    // Every sample lands on input entry 30; the output falls from 0 dB to -60 dB along t.
    DynamicsCurve curve =
        curveOf({{0.5f, 1.0f}, {0.5f, 1.0f}, {0.5f, 0.5f}, {0.5f, 0.0f}, {0.5f, 0.0f}});
    curve.buildTable60();
    EXPECT_EQ(curve.table60[79 - 30], 0.0f);
}

TEST(DynamicsCurveTest, SamplesOutsideTheTablesAreIgnored) {
    DynamicsCurve far =
        curveOf({{5.0f, 0.5f}, {6.0f, 0.5f}, {7.0f, 0.5f}, {8.0f, 0.5f}, {9.0f, 0.5f}});
    far.buildTable60(); // would write at entries 300 and beyond
    EXPECT_EQ(far.table60[79 - 60], 0.5f * 60.0f - 60.0f);
    far.buildTable(100);
    EXPECT_EQ(far.table[100], 0.5f);
    DynamicsCurve below =
        curveOf({{-5.0f, 0.5f}, {-5.0f, 0.5f}, {-5.0f, 0.5f}, {-5.0f, 0.5f}, {-5.0f, 0.5f}});
    below.buildTable(50);
    below.buildTable60();
    SUCCEED();
}

TEST(DynamicsCurveTest, BuildTableSizes) {
    DynamicsCurve curve =
        curveOf({{0.0f, 0.0f}, {0.25f, 0.25f}, {0.5f, 0.5f}, {0.75f, 0.75f}, {1.0f, 0.9f}});
    curve.table[1] = 7.0f;
    curve.buildTable(0);
    EXPECT_EQ(curve.table[0], 0.9f);
    EXPECT_EQ(curve.table[1], 7.0f);
    EXPECT_EQ(curve.tableSize, 0.0f);

    curve.table[0] = 3.0f;
    curve.buildTable(-4); // writes nothing
    EXPECT_EQ(curve.table[0], 3.0f);
    EXPECT_EQ(curve.tableSize, -4.0f);

    curve.buildTable(1);
    EXPECT_EQ(curve.table[0], 0.0f);
    EXPECT_EQ(curve.table[1], 0.9f);

    curve.buildTable(100);
    for (int i = 0; i < 100; ++i) EXPECT_GT(curve.table[i], -1.0f) << i; // no holes left
    EXPECT_NEAR(curve.table[50], curve.evalBezier(0.5f).y, 0.02f);
    EXPECT_EQ(curve.table[100], 0.9f);

    curve.buildTable(2000); // larger than the table: stops at its end
    EXPECT_EQ(curve.tableSize, 2000.0f);
}

// The reset curve crowds its points in the middle, so a fine table has holes near both ends:
// they are filled from their neighbours and do not spread over the whole table.
TEST(DynamicsCurveTest, AFineTableOfTheResetCurveFollowsTheDiagonal) {
    DynamicsCurve curve =
        curveOf({{0.0f, 0.0f}, {0.45f, 0.45f}, {0.5f, 0.5f}, {0.55f, 0.55f}, {1.0f, 1.0f}});
    curve.buildTable(272);
    for (int i = 0; i <= 272; ++i) EXPECT_NEAR(curve.table[i], i / 272.0f, 0.01f) << i;
}

} // namespace
