// The radius-100 disc of the disc and glow modes, and the test that knows it again: only the
// table itself is the disc, so only a glow of that disc is drawn as its square.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/unit_disc.h"

namespace {

std::vector<float> disc() {
    std::vector<float> xy(2 * kUnitDiscVertices);
    fillUnitDisc(xy.data());
    return xy;
}

TEST(UnitDisc, SeventyTwoWedgesFromTheCentreToTheRimLieInTheSquare) {
    const std::vector<float> xy = disc();
    for (int k = 0; k < 72; ++k) {
        const float* w = xy.data() + 6 * k;
        EXPECT_EQ(w[0], 0.0f);
        EXPECT_EQ(w[1], 0.0f);
        EXPECT_NEAR(std::hypot(w[2], w[3]), 100.0f, 1e-3f);
        EXPECT_NEAR(std::hypot(w[4], w[5]), 100.0f, 1e-3f);
        // Each wedge ends where the next begins, so the 72 close the disc.
        const float* next = xy.data() + 6 * ((k + 1) % 72);
        EXPECT_NEAR(w[4], next[2], 1e-3f);
        EXPECT_NEAR(w[5], next[3], 1e-3f);
    }
    for (float v : xy) EXPECT_LE(std::fabs(v), 100.0f);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(std::fabs(kUnitDiscSquare[i]), 100.0f);
}

TEST(UnitDisc, OnlyTheTableItselfIsKnownAsTheDisc) {
    std::vector<float> xy = disc();
    EXPECT_TRUE(isUnitDisc(xy.data(), kUnitDiscVertices));
    EXPECT_FALSE(isUnitDisc(xy.data(), kUnitDiscVertices - 3));
    xy[100] = std::nextafter(xy[100], 1000.0f);
    EXPECT_FALSE(isUnitDisc(xy.data(), kUnitDiscVertices));
}

} // namespace
