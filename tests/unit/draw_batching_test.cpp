// The GL layer's batching, GL-free: primitives turned into independent ones under a matrix,
// text laid out into triangles as the font lays it out, and frames that end with a flush.
#include <gtest/gtest.h>

#include <vector>

#include "render/smooth_lines.h"
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
    enum Step { Want, SendStale, SendSummed, Forget };
    struct Case {
        const char* name;
        std::vector<std::pair<Step, UniformValue>> steps; // Want and SendSummed set METRICS
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
        {"a summed glow's value held in place of the wanted one",
         {{Want, a}, {SendStale, none}, {SendSummed, b}},
         true},
        {"a summed glow's value that is the wanted one", {{Want, a}, {SendSummed, a}}, false},
        {"the wanted value sent after the sums",
         {{Want, a}, {SendSummed, b}, {SendStale, none}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UniformCache cache;
        for (const auto& [step, value] : c.steps) {
            if (step == Want) cache.want(Uniform::Metrics, value);
            if (step == SendStale)
                for (int u = 0; u < kUniformCount; ++u)
                    if (cache.stale(static_cast<Uniform>(u))) cache.sent(static_cast<Uniform>(u));
            if (step == SendSummed) cache.sent(Uniform::Metrics, value);
            if (step == Forget) cache.forgetHeld();
        }
        EXPECT_EQ(cache.stale(Uniform::Metrics), c.metricsStale);
        // Each uniform keeps its own value.
        EXPECT_EQ(cache.wanted(Uniform::Rgb), none);
    }
}

TEST(SmoothLines, EachSegmentBecomesARectangleReachingAPixelPastTheLine) {
    struct Case {
        const char* name;
        std::vector<float> xy;
        float width;
        // Six vertices per segment of (x, y, across, -half width, along, half length).
        std::vector<float> expected;
    };
    // (0, 0) to (10, 0) at width 1: 1.5 to each side, 1 past each end.
    const std::vector<float> horizontal = {
        -1, 1.5f,  1.5f,  -0.5f, -6, 5, -1, -1.5f, -1.5f, -0.5f, -6, 5,
        11, 1.5f,  1.5f,  -0.5f, 6,  5, 11, 1.5f,  1.5f,  -0.5f, 6,  5,
        -1, -1.5f, -1.5f, -0.5f, -6, 5, 11, -1.5f, -1.5f, -0.5f, 6,  5};
    // (5, 5) to (5, 1) at width 3, upwards.
    const std::vector<float> vertical = {
        7.5f, 6, 2.5f, -1.5f, -3, 2, 2.5f, 6, -2.5f, -1.5f, -3, 2, 7.5f, 0, 2.5f,  -1.5f, 3, 2,
        7.5f, 0, 2.5f, -1.5f, 3,  2, 2.5f, 6, -2.5f, -1.5f, -3, 2, 2.5f, 0, -2.5f, -1.5f, 3, 2};
    const std::vector<Case> cases = {
        {"horizontal, width 1", {0, 0, 10, 0}, 1.0f, horizontal},
        {"upwards, width 3", {5, 5, 5, 1}, 3.0f, vertical},
        {"a zero-length segment gives nothing", {3, 3, 3, 3}, 1.0f, {}},
        {"two segments, a lone vertex dropped", {0, 0, 10, 0, 3, 3, 3, 3, 9, 9}, 1.0f, horizontal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> out;
        appendSmoothLineQuads(c.xy.data(), static_cast<int32_t>(c.xy.size() / 2), c.width, out);
        ASSERT_EQ(out.size(), c.expected.size());
        for (size_t i = 0; i < out.size(); ++i) EXPECT_FLOAT_EQ(out[i], c.expected[i]) << i;
    }
}

TEST(SmoothLines, EachTriangleVertexTakesItsSegmentsColour) {
    // Three segments, the middle one of zero length, each with its own colour.
    const std::vector<float> xy = {0, 0, 10, 0, 3, 3, 3, 3, 0, 0, 0, 7};
    const std::vector<Rgba> rgba = {{1, 0, 0, 1},    {1, 0, 0, 1},     {0, 1, 0, 0.5f},
                                    {0, 1, 0, 0.5f}, {0, 0, 1, 0.25f}, {0, 0, 1, 0.25f}};
    std::vector<float> out, colours;
    appendSmoothLineQuads(xy.data(), rgba[0].data(), 6, 1.0f, out, colours);
    ASSERT_EQ(out.size(), 2u * 36);
    ASSERT_EQ(colours.size(), 2u * 24);
    for (size_t v = 0; v < 12; ++v) {
        const Rgba& want = rgba[v < 6 ? 0 : 4];
        EXPECT_EQ(
            (Rgba{colours[4 * v], colours[4 * v + 1], colours[4 * v + 2], colours[4 * v + 3]}),
            want)
            << "vertex " << v;
    }
    std::vector<float> plain, none;
    appendSmoothLineQuads(xy.data(), nullptr, 6, 1.0f, plain, none);
    EXPECT_EQ(plain, out);
    EXPECT_TRUE(none.empty());
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
