// Glows gathered by shape: draws of one shape sum into one draw of the summed premultiplied
// tint; any difference of shape, or a colour outside [0, 1], keeps draws apart in the order
// their shapes came.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render/tint_sum.h"

namespace {

using Rgba = std::array<float, 4>;
using Metrics = std::array<float, 4>;

const std::vector<float> kTriangle = {0, 0, 100, 0, 0, 100};
const std::vector<float> kOtherTriangle = {0, 0, 100, 0, 0, 50};
const Affine2d kMoved = {1, 0, 0, 1, 5, 0};
const float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Add {
    Primitive primitive;
    const std::vector<float>* xy;
    Affine2d matrix;
    Metrics metrics;
    Rgba colour;
};
struct Out {
    size_t fromAdd; // the add whose shape the draw has
    Rgba colour;
    bool summed;
};

TEST(TintSum, DrawsOfOneShapeSumAndEveryOtherDrawStaysApartInOrder) {
    const Metrics m = {10, 20, 0.3f, 1};
    const Metrics n = {10, 20, 0.3f, 75};
    const Primitive tri = Primitive::Triangles;
    struct Case {
        const char* name;
        std::vector<Add> adds;
        std::vector<Out> draws;
    };
    const std::vector<Case> cases = {
        {"one shape, tints summed premultiplied",
         {{tri, &kTriangle, kAffineIdentity, m, {1, 0, 0, 0.4f}},
          {tri, &kTriangle, kAffineIdentity, m, {0, 1, 0.5f, 0.2f}},
          {tri, &kTriangle, kAffineIdentity, m, {1, 1, 1, 0.4f}}},
         {{0, {0.8f, 0.6f, 0.5f, 1}, true}}},
        {"sums above 1 are kept whole",
         {{tri, &kTriangle, kAffineIdentity, m, {1, 1, 1, 1}},
          {tri, &kTriangle, kAffineIdentity, m, {1, 0.5f, 0, 1}}},
         {{0, {2, 1.5f, 1, 1}, true}}},
        {"METRICS, matrix, vertices and primitive each part shapes",
         {{tri, &kTriangle, kAffineIdentity, m, {1, 0, 0, 1}},
          {tri, &kTriangle, kAffineIdentity, n, {0, 1, 0, 1}},
          {tri, &kTriangle, kMoved, m, {0, 0, 1, 1}},
          {tri, &kOtherTriangle, kAffineIdentity, m, {1, 1, 0, 1}},
          {Primitive::TriangleFan, &kTriangle, kAffineIdentity, m, {0, 1, 1, 1}},
          {tri, &kTriangle, kAffineIdentity, n, {0, 1, 0, 1}}},
         {{0, {1, 0, 0, 1}, true},
          {1, {0, 2, 0, 1}, true},
          {2, {0, 0, 1, 1}, true},
          {3, {1, 1, 0, 1}, true},
          {4, {0, 1, 1, 1}, true}}},
        {"a colour outside [0, 1] is drawn as given, apart",
         {{tri, &kTriangle, kAffineIdentity, m, {1, 0, 0, 0.5f}},
          {tri, &kTriangle, kAffineIdentity, m, {1, 0, 0, 1.5f}},
          {tri, &kTriangle, kAffineIdentity, m, {-0.5f, 1, 0, 1}},
          {tri, &kTriangle, kAffineIdentity, m, {0, 0, 1, 0.5f}}},
         {{0, {0.5f, 0, 0.5f, 1}, true},
          {1, {1, 0, 0, 1.5f}, false},
          {2, {-0.5f, 1, 0, 1}, false}}},
        {"-0 and 0 are one METRICS, NaN is never equal",
         {{tri, &kTriangle, kAffineIdentity, {0, 0, 1, 1}, {1, 0, 0, 1}},
          {tri, &kTriangle, kAffineIdentity, {-0.0f, 0, 1, 1}, {0, 1, 0, 1}},
          {tri, &kTriangle, kAffineIdentity, {kNaN, 0, 1, 1}, {0, 0, 1, 1}},
          {tri, &kTriangle, kAffineIdentity, {kNaN, 0, 1, 1}, {0, 0, 1, 1}}},
         {{0, {1, 1, 0, 1}, true}, {2, {0, 0, 1, 1}, true}, {3, {0, 0, 1, 1}, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TintSum sum;
        for (const Add& a : c.adds)
            sum.add(a.primitive, a.xy->data(), static_cast<int32_t>(a.xy->size() / 2), a.matrix,
                    a.metrics, a.colour);
        ASSERT_EQ(sum.draws().size(), c.draws.size());
        for (size_t i = 0; i < c.draws.size(); ++i) {
            const TintSum::Draw& got = sum.draws()[i];
            const Add& from = c.adds[c.draws[i].fromAdd];
            EXPECT_EQ(got.shape.primitive, from.primitive) << i;
            EXPECT_EQ(got.shape.xy, *from.xy) << i;
            EXPECT_EQ(got.shape.matrix, from.matrix) << i;
            for (int k = 0; k < 4; ++k) {
                EXPECT_FLOAT_EQ(got.colour[k], c.draws[i].colour[k]) << i << " component " << k;
                if (!std::isnan(from.metrics[k])) {
                    EXPECT_EQ(got.shape.metrics[k], from.metrics[k]);
                }
            }
            EXPECT_EQ(got.summed, c.draws[i].summed) << i;
        }
    }
}

TEST(TintSum, ATableRewrittenInPlaceIsANewShapeAndClearEmpties) {
    std::vector<float> table = kTriangle;
    TintSum sum;
    sum.add(Primitive::Triangles, table.data(), 3, kAffineIdentity, {0, 0, 1, 1}, {1, 0, 0, 1});
    table[5] = 50.0f; // same address, other vertices
    sum.add(Primitive::Triangles, table.data(), 3, kAffineIdentity, {0, 0, 1, 1}, {0, 1, 0, 1});
    sum.add(Primitive::Triangles, nullptr, 3, kAffineIdentity, {0, 0, 1, 1}, {0, 1, 0, 1});
    sum.add(Primitive::Triangles, table.data(), 0, kAffineIdentity, {0, 0, 1, 1}, {0, 1, 0, 1});
    ASSERT_EQ(sum.draws().size(), 2u);
    EXPECT_EQ(sum.draws()[0].shape.xy, kTriangle);
    EXPECT_EQ(sum.draws()[1].shape.xy, table);
    sum.clear();
    EXPECT_TRUE(sum.empty());
    sum.add(Primitive::Triangles, table.data(), 3, kAffineIdentity, {0, 0, 1, 1}, {0, 1, 0, 1});
    EXPECT_EQ(sum.draws().size(), 1u);
}

} // namespace
