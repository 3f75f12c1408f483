// The GL layer's batching, GL-free: primitives turned into independent ones under a matrix,
// text laid out into triangles as the font lays it out, and frames that end with a flush.
#include <gtest/gtest.h>

#include <vector>

#include "render/stroke_font.h"
#include "render/text_triangles.h"
#include "render/uniform_cache.h"
#include "render/vertex_batch.h"
#include "screen_fixture.h"

namespace {

// Vertex i of the input is (i, 10 i); the batch's output read back as input indices.
std::vector<int> batchedIndices(Primitive primitive, int32_t count) {
    std::vector<float> in;
    for (int32_t i = 0; i < count; ++i) {
        in.push_back(static_cast<float>(i));
        in.push_back(static_cast<float>(10 * i));
    }
    VertexBatch batch;
    batch.reset(batchClassOf(primitive));
    batch.append(primitive, in.data(), count, kAffineIdentity, {1, 1, 1, 1});
    std::vector<int> out;
    for (int32_t v = 0; v < batch.vertexCount(); ++v) {
        EXPECT_EQ(batch.data()[2 * v + 1], 10.0f * batch.data()[2 * v]);
        out.push_back(static_cast<int>(batch.data()[2 * v]));
    }
    return out;
}

TEST(VertexBatch, PrimitivesBecomeIndependentTrianglesLinesAndPoints) {
    struct Case {
        Primitive primitive;
        int32_t count;
        std::vector<int> indices;
    };
    const std::vector<Case> cases = {
        {Primitive::Triangles, 7, {0, 1, 2, 3, 4, 5}},
        {Primitive::TriangleStrip, 5, {0, 1, 2, 2, 1, 3, 2, 3, 4}},
        {Primitive::TriangleStrip, 2, {}},
        {Primitive::TriangleFan, 5, {0, 1, 2, 0, 2, 3, 0, 3, 4}},
        {Primitive::Lines, 5, {0, 1, 2, 3}},
        {Primitive::LineStrip, 4, {0, 1, 1, 2, 2, 3}},
        {Primitive::LineLoop, 3, {0, 1, 1, 2, 2, 0}},
        {Primitive::LineLoop, 1, {}},
        {Primitive::Points, 3, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.primitive));
        EXPECT_EQ(batchedIndices(c.primitive, c.count), c.indices);
    }
}

TEST(VertexBatch, VerticesGoThroughTheMatrixOnTheWayIn) {
    // Translate (10, 20), then rotate a quarter turn, then scale x by 2.
    const Affine2d m =
        affineProduct(affineProduct({1, 0, 0, 1, 10, 20}, {0, 1, -1, 0, 0, 0}), {2, 0, 0, 1, 0, 0});
    const float line[4] = {0, 0, 3, 1};
    VertexBatch batch;
    batch.reset(BatchClass::Lines);
    batch.append(Primitive::Lines, line, 2, m, {1, 1, 1, 1});
    ASSERT_EQ(batch.vertexCount(), 2);
    EXPECT_EQ(std::vector<float>(batch.data(), batch.data() + 4),
              (std::vector<float>{10, 20, 9, 26}));
}

TEST(VertexBatch, EachVertexCarriesTheColourOfItsDraw) {
    // A strip, a fan and text triangles in three colours, then a reset.
    const float strip[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    const float fan[10] = {0, 0, 1, 0, 1, 1, 0, 1, -1, 0};
    const std::vector<float> text = {0, 0, 1, 0, 0, 1};
    const Rgba red{1, 0, 0, 0.5f}, green{0, 1, 0, 1}, dB{1, 1, 1, -120};
    VertexBatch batch;
    batch.reset(BatchClass::Triangles);
    batch.append(Primitive::TriangleStrip, strip, 4, kAffineIdentity, red);
    batch.append(Primitive::TriangleFan, fan, 5, kAffineIdentity, green);
    batch.appendTriangles(text, kAffineIdentity, dB);
    std::vector<Rgba> expected(6, red);
    expected.insert(expected.end(), 9, green);
    expected.insert(expected.end(), 3, dB);
    ASSERT_EQ(batch.vertexCount(), static_cast<int32_t>(expected.size()));
    for (int32_t v = 0; v < batch.vertexCount(); ++v) {
        const float* c = batch.colours() + 4 * v;
        EXPECT_EQ((Rgba{c[0], c[1], c[2], c[3]}), expected[v]) << "vertex " << v;
    }
    batch.reset(BatchClass::Lines);
    const float line[4] = {0, 0, 5, 5};
    batch.append(Primitive::Lines, line, 2, kAffineIdentity, green);
    ASSERT_EQ(batch.vertexCount(), 2);
    EXPECT_EQ(batch.colours()[4 + 1], 1.0f);
    EXPECT_EQ(batch.colours()[0], 0.0f);
}

TEST(UniformCache, ValuesAskedForWhileAnotherProgramDrawsWaitUntilTheyAreSent) {
    // Steps: want a value, send what is stale, or forget what the program holds. After each
    // step, the uniforms that are stale.
    enum Step { Want, SendStale, Forget };
    struct Case {
        const char* name;
        std::vector<std::pair<Step, UniformValue>> steps; // Want steps set METRICS
        bool metricsStale;
    };
    const UniformValue a{1, 2, 3, 4}, b{5, 6, 7, 8}, none{};
    const std::vector<Case> cases = {
        {"nothing held is stale", {}, true},
        {"sent is held", {{SendStale, none}}, false},
        {"a new value is stale", {{SendStale, none}, {Want, a}}, true},
        {"asked for and sent", {{Want, a}, {SendStale, none}}, false},
        {"asked back to the held value",
         {{Want, a}, {SendStale, none}, {Want, b}, {Want, a}},
         false},
        {"waits through several asks", {{SendStale, none}, {Want, a}, {Want, b}}, true},
        {"another program bound", {{Want, a}, {SendStale, none}, {Forget, none}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UniformCache cache;
        for (const auto& [step, value] : c.steps) {
            if (step == Want) cache.want(Uniform::Metrics, value);
            if (step == SendStale)
                for (int u = 0; u < kUniformCount; ++u)
                    if (cache.stale(static_cast<Uniform>(u))) cache.sent(static_cast<Uniform>(u));
            if (step == Forget) cache.forgetHeld();
        }
        EXPECT_EQ(cache.stale(Uniform::Metrics), c.metricsStale);
        // Each uniform keeps its own value.
        EXPECT_EQ(cache.wanted(Uniform::Rgb), none);
    }
}

// The glyph's triangles moved by (x, y) in pixels at this scale.
std::vector<float> glyphAt(const StrokeFont& font, char c, float x, float y, float s) {
    std::vector<float> out;
    const GlyphRecord& g = font.glyph(c);
    for (int32_t i = 0; i < g.floatCount; i += 2) {
        out.push_back(x + s * g.vertices[i]);
        out.push_back(y + s * g.vertices[i + 1]);
    }
    return out;
}

std::vector<float> joined(std::initializer_list<std::vector<float>> parts) {
    std::vector<float> out;
    for (const std::vector<float>& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(TextTriangles, GlyphsLandWhereTheAlignmentModesPutThem) {
    StrokeFont font;
    const float a = static_cast<float>(font.glyph('A').horizontalAdvance);
    const float b = static_cast<float>(font.glyph('B').horizontalAdvance);
    const float aDown = static_cast<float>(font.glyph('A').verticalAdvance);
    const float bDown = static_cast<float>(font.glyph('B').verticalAdvance);
    const float pitch = StrokeFont::kLinePitch;
    struct Case {
        const char* name;
        int32_t horizontal, vertical;
        const char* text;
        int32_t scale;
        std::vector<float> expected;
    };
    const std::vector<Case> cases = {
        {"left", 0, -1, "AB", 1,
         joined({glyphAt(font, 'A', 50, 60, 1), glyphAt(font, 'B', 50 + a, 60, 1)})},
        {"right", 2, -1, "AB", 1,
         joined({glyphAt(font, 'A', 51 - a - b, 60, 1), glyphAt(font, 'B', 51 - b, 60, 1)})},
        {"centre, scale 2", 1, -1, "A", 2,
         glyphAt(font, 'A', 50 - 2 * static_cast<int32_t>((a - 1) * 0.5f), 60, 2)},
        {"lines, scale 0 as 1", 0, -1, "\nA\n\nB\n", 0,
         joined({glyphAt(font, 'A', 50, 60, 1), glyphAt(font, 'B', 50, 60 + pitch, 1)})},
        {"downwards", -1, 0, "AB", 1,
         joined({glyphAt(font, 'A', 50, 60, 1), glyphAt(font, 'B', 50, 60 + aDown, 1)})},
        {"upwards", -1, 2, "AB", 1,
         joined({glyphAt(font, 'A', 50, 60 - aDown - bDown, 1),
                 glyphAt(font, 'B', 50, 60 - bDown, 1)})},
        {"vertical centre draws nothing", -1, 1, "AB", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        font.setModes(c.horizontal, c.vertical);
        std::vector<float> out;
        appendTextTriangles(font, c.text, c.scale, 50.0f, 60.0f, out);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(FrameFlush, EveryFrameEndsWithAFlushAfterItsLastDraw) {
    for (uint8_t asleep : {1, 0}) {
        ScreenFixture f;
        f.gui->ownInstance.asleep = asleep;
        RecordingDrawLayer frame = f.drawFrame();
        ASSERT_FALSE(frame.draws.empty());
        EXPECT_EQ(frame.drawsAtLastFlush, frame.draws.size()) << "asleep " << int(asleep);
    }
}

} // namespace
