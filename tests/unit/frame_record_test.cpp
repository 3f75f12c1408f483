// The frame record behind damage painting, without GL: the damage it finds after any run of
// frames is the damage between the last two alone, a vertex table refilled between draws is
// kept as each draw saw it, and a partial replay draws each draw it keeps in the state the
// whole replay draws it in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "render/damage_tiles.h"
#include "render/frame_record.h"
#include "render/recording_draw_layer.h"

namespace {

// Small rectangles (each one part), a glow stretch and a long zigzag that is cut into parts.
struct Scene {
    int32_t width = 640, height = 480;
    std::vector<std::array<float, 4>> rects; // x, y, size, shade
    std::vector<float> zigzag;
};

Scene baseScene() {
    Scene s;
    for (int i = 0; i < 24; ++i)
        s.rects.push_back({20.0f + 25.0f * i, 30.0f + 17.0f * (i % 9), 12.0f + i % 5,
                           static_cast<float>(i) / 24.0f});
    for (int i = 0; i < 16; ++i) {
        s.zigzag.push_back(10.0f + 38.0f * i);
        s.zigzag.push_back(i % 2 ? 400.0f : 250.0f);
    }
    return s;
}

// Every few rectangles change the mode, stage, metrics or blend, so that draws left out of a
// replay carry changes of state the kept ones depend on; rectangles 8 to 11 are summed glows.
void draw(DrawLayer& layer, const Scene& s) {
    layer.pixelProjection(s.width, s.height);
    layer.clear();
    for (size_t i = 0; i < s.rects.size(); ++i) {
        const std::array<float, 4>& r = s.rects[i];
        const bool glow = i >= 8 && i < 12;
        if (i % 3 == 0) layer.stage(static_cast<int32_t>(i));
        if (i == 8) layer.blendAdditive();
        if (i == 12) layer.blendStandard();
        layer.mode(glow ? 1 : static_cast<int32_t>(i % 4 == 1 ? 2 : 0));
        if (glow || i % 4 == 1) layer.metrics(r[0], r[1], r[2], 0.0f);
        layer.colour(r[3], 1.0f - r[3], 0.5f, 0.25f + r[3] / 2.0f);
        layer.rect(r[0], r[1], r[0] + r[2], r[1] + r[2]);
    }
    layer.mode(0);
    layer.lineWidth(2.0f);
    const int32_t n = static_cast<int32_t>(s.zigzag.size() / 2);
    layer.vertices(Primitive::LineStrip, s.zigzag.data(), n, n);
    layer.flush();
}

std::vector<bool> damagedTiles(const DamageTiles& tiles) {
    std::vector<bool> damaged;
    for (int32_t t = 0; t < tiles.tileCount(); ++t)
        damaged.push_back(tiles.damaged(static_cast<uint32_t>(t)));
    return damaged;
}

void recordFrame(FrameRecord& record, DamageTiles& tiles, const Scene& s) {
    record.begin(tiles, s.width, s.height);
    draw(record, s);
    record.endFrame();
}

// The damage between two frames, found by a record that saw nothing else.
std::vector<bool> damageBetween(const Scene& before, const Scene& after) {
    FrameRecord record;
    DamageTiles tiles;
    recordFrame(record, tiles, before);
    recordFrame(record, tiles, after);
    return damagedTiles(tiles);
}

TEST(FrameRecordDamage, AfterAnyRunOfFramesIsTheDamageBetweenTheLastTwoAlone) {
    const Scene a = baseScene();
    Scene laterRect = a, firstRect = a, shorter = a, bentZigzag = a, larger = a;
    laterRect.rects[5][0] += 40.0f;
    firstRect.rects[0][1] += 9.0f;
    shorter.rects.resize(20);
    bentZigzag.zigzag[13] += 30.0f;
    larger.width = 700;
    // The same change twice running (the kept tiles of the leading run are used), changes
    // further up and down the frame, a shorter frame, a frame equal to the one before, a resize.
    const std::vector<Scene> run = {a, laterRect,  a, laterRect, laterRect, shorter, a, firstRect,
                                    a, bentZigzag, a, larger,    larger,    a};
    FrameRecord record;
    DamageTiles tiles;
    recordFrame(record, tiles, run[0]);
    for (size_t i = 1; i < run.size(); ++i) {
        recordFrame(record, tiles, run[i]);
        EXPECT_EQ(damagedTiles(tiles), damageBetween(run[i - 1], run[i])) << "frame " << i;
    }
    // The run did change things and did keep others.
    recordFrame(record, tiles, laterRect);
    EXPECT_GT(tiles.damagedCount(), 0);
    EXPECT_LT(tiles.damagedCount(), tiles.tileCount() / 4);
}

TEST(FrameRecordDamage, ATableRefilledBetweenDrawsIsKeptAsEachDrawSawIt) {
    const float first[12] = {10, 10, 40, 10, 40, 40, 40, 40, 10, 40, 10, 10};
    const float second[12] = {200, 10, 230, 10, 230, 40, 230, 40, 200, 40, 200, 10};
    const auto twoSquares = [&](DrawLayer& layer, bool oneTable) {
        float table[12];
        layer.pixelProjection(640, 480);
        layer.clear();
        std::copy(first, first + 12, table);
        layer.vertices(Primitive::Triangles, oneTable ? table : first, 6, 6);
        std::copy(second, second + 12, table);
        layer.vertices(Primitive::Triangles, oneTable ? table : second, 6, 6);
    };
    FrameRecord record;
    DamageTiles tiles;
    record.begin(tiles, 640, 480);
    twoSquares(record, false);
    record.endFrame();
    record.begin(tiles, 640, 480);
    twoSquares(record, true);
    record.endFrame();
    EXPECT_EQ(tiles.damagedCount(), 0);
    RecordingDrawLayer replayed;
    record.replay(replayed);
    ASSERT_EQ(replayed.draws.size(), 3u);
    EXPECT_EQ(replayed.draws[2].xy, std::vector<float>(second, second + 12));
}

bool sameState(const RecordedDraw& a, const RecordedDraw& b) {
    return a.colour == b.colour && a.mode == b.mode && a.metrics == b.metrics &&
           a.stage == b.stage && a.additive == b.additive;
}

TEST(FrameRecordReplay, APartialReplayDrawsEachKeptDrawInTheStateOfTheWholeReplay) {
    const Scene before = baseScene();
    Scene after = before;
    for (size_t i : {3u, 9u, 17u}) after.rects[i][1] += 60.0f;
    FrameRecord record;
    DamageTiles tiles;
    recordFrame(record, tiles, before);
    recordFrame(record, tiles, after);
    RecordingDrawLayer whole;
    record.replay(whole);
    record.markDamage(tiles);
    size_t kept = 0;
    for (const DamageArea& area : tiles.damagedAreas()) {
        RecordingDrawLayer part;
        record.replay(part, tiles, area, 0, [](bool) {});
        for (const RecordedDraw& d : part.draws) {
            if (d.kind != RecordedDraw::Kind::Vertices || d.vertexCount() != 6) continue;
            const auto same = std::find_if(whole.draws.begin(), whole.draws.end(),
                                           [&](const RecordedDraw& w) { return w.xy == d.xy; });
            ASSERT_NE(same, whole.draws.end());
            EXPECT_TRUE(sameState(d, *same)) << "rectangle at " << d.xy[0] << "," << d.xy[1];
            ++kept;
        }
    }
    // Some rectangles were drawn again, most were left out.
    EXPECT_GT(kept, 3u);
    EXPECT_LT(kept, after.rects.size());
}

} // namespace
