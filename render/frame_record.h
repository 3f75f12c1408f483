// A frame kept as the calls the screens made on the draw layer, so that it can be compared
// with the frame before and then drawn whole or in part. Each call is kept with its arguments
// (vertices copied, text and font modes kept), in order. While recording, every draw is cut
// into parts (a triangle, a line segment, a text, a shader-placed disc) whose boxes in window
// pixels, with the hash of the part and of the state it is drawn in, go to the damage tiles;
// each draw keeps what it left in each tile it touched. A draw equal to the one at the same
// place in the frame before (same state, same vertices) takes that over instead of being cut
// up again, so a still frame costs little more than hashing its vertices. Replaying sends the
// same calls to another layer, leaving out draws that touch no damaged tile.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/affine_2d.h"
#include "render/damage_tiles.h"
#include "render/draw_layer.h"

class FrameRecord : public DrawLayer {
public:
    // Starts an empty frame whose parts go to `tiles` (a window of width x height pixels).
    void begin(DamageTiles& tiles, int32_t width, int32_t height);
    // Ends the frame: its tiles are compared with the frame before's. A frame is compared with
    // the last one ended.
    void endFrame();

    void clear() override;
    void pixelProjection(int32_t width, int32_t height) override;
    void useProgram(unsigned program) override;
    void colour(float red, float green, float blue, float alpha) override;
    void mode(int32_t value) override;
    void metrics(float x, float y, float z, float w) override;
    void stage(int32_t value) override;
    void level(float value) override;
    void height(float value) override;
    void vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                  int32_t count) override;
    void text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(float x, float y) override;
    void scale(float x, float y) override;
    void rotate(float degrees) override;
    void blendStandard() override;
    void blendAdditive() override;
    void lineWidth(float width) override;
    void flush() override;

    // Sends the frame to `target`. With `damage`, a draw that touches no damaged tile is left
    // out, and a clear goes to `clearDamage` (after a flush of the target) in its place.
    void replay(DrawLayer& target) const;
    // The same, calling `capture` (after a flush of the target) where draw `at` would begin:
    // the picture then holds the first `at` draws.
    void replay(DrawLayer& target, size_t at, const std::function<void()>& capture) const;
    // Only within `area`: a draw cut into parts sends only the parts that touch
    // a damaged tile there, as independent triangles or lines in the order it drew them.
    // markDamage() first tells each draw the cells it is damaged in.
    void markDamage(const DamageTiles& damage) const;
    // Draws before `keptDraws` are left out: the damage shows a kept picture of them, which a
    // clear among them brings back (clearDamage(true)) in place of clearing (false).
    void replay(DrawLayer& target, const DamageTiles& damage, const DamageArea& area,
                size_t keptDraws, const std::function<void(bool kept)>& clearDamage) const;

    // Draws (clears included) in order, the first of them that differs from the frame before
    // (their count when none does), and the hash of the first `count` of them.
    size_t summaryCount() const { return summaries.size(); }
    size_t firstChangedDraw() const;
    uint64_t leadingHash(size_t count) const;
    // Vertices of the first `count` draws.
    size_t verticesBefore(size_t count) const;

    // Whether something in the frame can only be drawn whole: a draw before the first clear
    // (it lands on the frame before), or a projection other than the window's.
    bool needsWholeRepaint() const { return drawnBeforeClear || foreignProjection; }
    size_t drawCount() const { return draws; }
    // Draws the last replay with damage sent to the target.
    size_t drawsReplayed() const { return replayed; }

    enum class Op : uint8_t {
        Clear,
        Projection,
        Program,
        Colour,
        Mode,
        Metrics,
        Stage,
        Level,
        Height,
        Vertices,
        Text,
        Push,
        Pop,
        Translate,
        Scale,
        Rotate,
        BlendStandard,
        BlendAdditive,
        LineWidth,
        Flush
    };
    static constexpr size_t kOps = static_cast<size_t>(Op::Flush) + 1;

private:
    struct Call {
        Op op = Op::Flush;
        Primitive primitive = Primitive::Triangles;
        int32_t count = 0; // vertices, text scale, or an integer argument
        std::array<float, 4> value{};
        uint32_t first = 0; // first float of the vertices, or first character of the text
        uint32_t draw = 0;  // the draw's summary
        int32_t horizontalMode = 0, verticalMode = 0;
        const StrokeFont* font = nullptr;
    };

    Call& add(Op op);
    void addValue(Op op, float a, float b = 0.0f, float c = 0.0f, float d = 0.0f);
    void multiply(const Affine2d& m);
    // Hashed once per change of state (any call but a draw or a flush changes it).
    uint64_t stateHash();
    // Footprints of a draw, each with its hash, to the tiles.
    // What a draw left in the tiles and, for a draw cut into parts, each part's tiles.
    struct DrawSummary {
        uint64_t hash = 0;
        uint32_t valuesFirst = 0, valuesCount = 0, partsFirst = 0, partsCount = 0;
        TileBox bounds; // around the tiles it touched
        bool cut = false;
    };
    // Takes over the summary of the same draw in the frame before, or makes one by `cut`.
    template <typename Cut> void summarise(Call& call, uint64_t hash, Cut cut);
    void cutVertices(const Call& call, const float* xy, int32_t n, uint64_t drawHash);
    void addPart(const PixelBox& box, uint64_t hash);
    PixelBox windowBox(float x0, float y0, float x1, float y1, float reach) const;
    void replayParts(const Call& call, DrawLayer& target, int32_t cell) const;
    PixelBox placedBox(const float* xy, int32_t n) const;
    float lineReach() const;
    uint64_t keepVertices(Call& call, const float* xy, int32_t n);
    void settlePrefix(size_t count);
    void replayCall(const Call& call, DrawLayer& target) const;

    DamageTiles* tiles = nullptr;
    int32_t windowWidth = 0, windowHeight = 0;
    std::vector<Call> calls;
    std::vector<float> pool;
    // The last vertex table kept: where it came from, where it lies in the pool, its hash.
    struct KeptTable {
        const float* xy = nullptr;
        int32_t count = 0;
        uint32_t first = 0;
        uint64_t hash = 0;
    } lastTable;
    std::string characters;
    std::vector<TileValue> values, previousValues;
    std::vector<TileBox> partBoxes, previousPartBoxes;
    // Where the frame before's arrays now begin: its leading run went to this frame's.
    uint32_t previousValuesShift = 0, previousPartsShift = 0;
    std::vector<DrawSummary> summaries, previousSummaries;
    mutable std::vector<uint16_t> damagedCells; // per summary
    // Per part of a damaged cut draw: the cells in which it touches damage; and per draw, the
    // parts (numbered within the draw) that touch damage anywhere, in order.
    mutable std::vector<uint16_t> partCells;
    struct PartRange {
        uint32_t first = 0, count = 0;
    };
    mutable std::vector<PartRange> damagedPartRanges;
    mutable std::vector<uint32_t> damagedParts;
    size_t firstChanged = SIZE_MAX;
    // Whether every draw so far equals the frame before's, and the hash of those draws.
    bool prefixOpen = true;
    uint64_t prefixHash = 0;
    bool stateKnown = false;
    uint64_t knownState = 0;
    int32_t previousWidth = -1, previousHeight = -1;
    std::vector<float> scratch;
    mutable std::vector<float> partScratch;
    std::vector<Affine2d> stack{kAffineIdentity};

    // The state draws are made in, as the screens set it.
    unsigned program = 0;
    std::array<float, 4> rgba{}, metricValues{};
    int32_t modeValue = 0, stageValue = 0;
    float levelValue = 0.0f, heightValue = 0.0f;
    int32_t blend = -1;  // -1 as the frame found it, 0 standard, 1 additive
    float width = -1.0f; // below 0: as the frame found it
    bool cleared = false, drawnBeforeClear = false, foreignProjection = false;
    size_t draws = 0;
    mutable size_t replayed = 0;
};
