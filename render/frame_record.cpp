#include "render/frame_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "render/frame_hash.h"
#include "render/stroke_font.h"
#include "render/text_triangles.h"

namespace {

// Pixels around every footprint: rounding, smoothed edges and rims.
constexpr float kMargin = 2.0f;
// A draw whose box spans at most this many pixels each way is one part.
constexpr float kOnePartSpan = 2.0f * DamageTiles::kTileSize;
// Half the width of a line drawn before the frame set a width: generous.
constexpr float kUnknownLineReach = 8.0f;

struct Bounds {
    float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    void add(float x, float y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
};

// A coordinate that is not finite makes a box that touches everything.
Bounds boundsOf(const float* xy, int32_t n) {
    Bounds b;
    float sum = 0.0f;
    for (int32_t i = 0; i < n; ++i) {
        b.add(xy[2 * i], xy[2 * i + 1]);
        sum += xy[2 * i] * 0.0f + xy[2 * i + 1] * 0.0f;
    }
    if (sum != 0.0f) return Bounds{NAN, NAN, NAN, NAN};
    return b;
}

// One vertex, both coordinates in one word.
uint64_t hashPoint(uint64_t h, const float* xy) {
    uint64_t pair = 0;
    std::memcpy(&pair, xy, sizeof pair);
    return hashMix(h, pair);
}

bool isLineKind(Primitive p) {
    return p == Primitive::Lines || p == Primitive::LineStrip || p == Primitive::LineLoop;
}

} // namespace

void FrameRecord::begin(DamageTiles& damageTiles, int32_t pixelsWide, int32_t pixelsHigh) {
    // A frame left without endFrame() still takes its values over, for the next one to use.
    if (tiles && prefixOpen) settlePrefix(summaries.size());
    tiles = &damageTiles;
    windowWidth = pixelsWide;
    windowHeight = pixelsHigh;
    previousValues.swap(values);
    previousPartBoxes.swap(partBoxes);
    previousValuesShift = previousPartsShift = 0;
    previousSummaries.swap(summaries);
    // The tiles of another size are other tiles.
    if (pixelsWide != previousWidth || pixelsHigh != previousHeight) previousSummaries.clear();
    previousWidth = pixelsWide;
    previousHeight = pixelsHigh;
    values.clear();
    partBoxes.clear();
    summaries.clear();
    calls.clear();
    pool.clear();
    lastTable = KeptTable{};
    characters.clear();
    stack.assign(1, kAffineIdentity);
    program = 0;
    rgba = metricValues = {};
    modeValue = stageValue = 0;
    levelValue = heightValue = 0.0f;
    blend = -1;
    width = -1.0f;
    cleared = drawnBeforeClear = foreignProjection = false;
    draws = 0;
    firstChanged = SIZE_MAX;
    prefixOpen = true;
    prefixHash = kHashSeed;
    stateKnown = false;
    tiles->beginFrame(pixelsWide, pixelsHigh);
}

template <typename Cut> void FrameRecord::summarise(Call& call, uint64_t hash, Cut cut) {
    const size_t at = summaries.size();
    call.draw = static_cast<uint32_t>(at);
    if (call.op != Op::Clear && !cleared) drawnBeforeClear = true;
    if (call.op != Op::Clear) ++draws;
    const bool same = at < previousSummaries.size() && previousSummaries[at].hash == hash;
    if (same && prefixOpen) {
        // Its values are taken over with the rest of the run when the run ends.
        summaries.push_back(previousSummaries[at]);
        prefixHash = hashMix(prefixHash, hash);
        return;
    }
    if (prefixOpen) settlePrefix(at);
    DrawSummary s;
    s.hash = hash;
    s.valuesFirst = static_cast<uint32_t>(values.size());
    s.partsFirst = static_cast<uint32_t>(partBoxes.size());
    if (same) {
        const DrawSummary& p = previousSummaries[at];
        const auto valuesFrom = previousValues.begin() + (p.valuesFirst - previousValuesShift);
        values.insert(values.end(), valuesFrom, valuesFrom + p.valuesCount);
        const auto partsFrom = previousPartBoxes.begin() + (p.partsFirst - previousPartsShift);
        partBoxes.insert(partBoxes.end(), partsFrom, partsFrom + p.partsCount);
        tiles->addValues(values.data() + s.valuesFirst, p.valuesCount);
        s.cut = p.cut;
        s.bounds = p.bounds;
    } else {
        if (firstChanged == SIZE_MAX) firstChanged = at;
        tiles->beginDraw();
        s.cut = cut();
        s.bounds = tiles->endDraw(values);
    }
    s.valuesCount = static_cast<uint32_t>(values.size()) - s.valuesFirst;
    s.partsCount = static_cast<uint32_t>(partBoxes.size()) - s.partsFirst;
    summaries.push_back(s);
}

namespace {

// The first `count` items of `before` become `now` (empty) without a copy: the arrays change
// places and only the items after them go back to `before`, which then begins at `count`.
template <typename T> void takeLeading(std::vector<T>& now, std::vector<T>& before, size_t count) {
    now.swap(before);
    before.assign(now.begin() + static_cast<std::ptrdiff_t>(count), now.end());
    now.resize(count);
}

} // namespace

// The leading `count` draws equal those of the frame before, which lie first in its arrays:
// their values and part boxes are taken over in one piece, and the tiles take the values from
// the picture of the tiles kept after the same draws when there is one.
void FrameRecord::settlePrefix(size_t count) {
    prefixOpen = false;
    const DrawSummary last = count > 0 ? previousSummaries[count - 1] : DrawSummary{};
    previousValuesShift = last.valuesFirst + last.valuesCount;
    previousPartsShift = last.partsFirst + last.partsCount;
    takeLeading(values, previousValues, previousValuesShift);
    takeLeading(partBoxes, previousPartBoxes, previousPartsShift);
    const uint64_t key = hashMix(prefixHash, count);
    if (tiles->restoreLeading(key)) return;
    tiles->addValues(values.data(), values.size());
    tiles->keepLeading(key);
}

void FrameRecord::endFrame() {
    if (prefixOpen) settlePrefix(summaries.size());
    tiles->endFrame();
}

FrameRecord::Call& FrameRecord::add(Op op) {
    if (op != Op::Vertices && op != Op::Text && op != Op::Flush) stateKnown = false;
    calls.emplace_back();
    calls.back().op = op;
    return calls.back();
}

void FrameRecord::addValue(Op op, float a, float b, float c, float d) {
    add(op).value = {a, b, c, d};
}

// A clear wipes every tile: its hash goes everywhere.
void FrameRecord::clear() {
    Call& call = add(Op::Clear);
    cleared = true;
    summarise(call, hashMix(kHashSeed, 0xc1ea), [this] {
        addPart(PixelBox{NAN, NAN, NAN, NAN}, hashMix(kHashSeed, 0xc1ea));
        return false;
    });
}

void FrameRecord::pixelProjection(int32_t pixelsWide, int32_t pixelsHigh) {
    Call& call = add(Op::Projection);
    call.count = pixelsWide;
    call.value[0] = static_cast<float>(pixelsHigh);
    if (pixelsWide <= 0 || pixelsHigh <= 0) return;
    if (pixelsWide != windowWidth || pixelsHigh != windowHeight) foreignProjection = true;
    stack.back() = kAffineIdentity;
}

void FrameRecord::useProgram(unsigned value) {
    add(Op::Program).count = static_cast<int32_t>(value);
    program = value;
}

void FrameRecord::colour(float red, float green, float blue, float alpha) {
    addValue(Op::Colour, red, green, blue, alpha);
    rgba = {red, green, blue, alpha};
}

void FrameRecord::mode(int32_t value) {
    add(Op::Mode).count = value;
    modeValue = value;
}

void FrameRecord::metrics(float x, float y, float z, float w) {
    addValue(Op::Metrics, x, y, z, w);
    metricValues = {x, y, z, w};
}

void FrameRecord::stage(int32_t value) {
    add(Op::Stage).count = value;
    stageValue = value;
}

void FrameRecord::level(float value) {
    addValue(Op::Level, value);
    levelValue = value;
}

void FrameRecord::height(float value) {
    addValue(Op::Height, value);
    heightValue = value;
}

void FrameRecord::pushMatrix() {
    add(Op::Push);
    stack.push_back(stack.back());
}

void FrameRecord::popMatrix() {
    add(Op::Pop);
    if (stack.size() > 1) stack.pop_back();
}

void FrameRecord::multiply(const Affine2d& m) {
    stack.back() = affineProduct(stack.back(), m);
}

void FrameRecord::translate(float x, float y) {
    addValue(Op::Translate, x, y);
    multiply({1, 0, 0, 1, x, y});
}

void FrameRecord::scale(float x, float y) {
    addValue(Op::Scale, x, y);
    multiply({x, 0, 0, y, 0, 0});
}

void FrameRecord::rotate(float degrees) {
    addValue(Op::Rotate, degrees);
    const float r = degrees * 3.14159265358979f / 180.0f;
    multiply({std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0});
}

void FrameRecord::blendStandard() {
    add(Op::BlendStandard);
    blend = 0;
}

void FrameRecord::blendAdditive() {
    add(Op::BlendAdditive);
    blend = 1;
}

void FrameRecord::lineWidth(float value) {
    addValue(Op::LineWidth, value);
    width = value;
}

void FrameRecord::flush() {
    add(Op::Flush);
}

// Everything a draw's pixels depend on besides its own coordinates.
uint64_t FrameRecord::stateHash() {
    if (stateKnown) return knownState;
    uint64_t h = hashMix(kHashSeed, program);
    h = hashFloats(h, rgba.data(), 4);
    h = hashFloats(h, metricValues.data(), 4);
    h = hashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(modeValue)) << 32) |
                       static_cast<uint32_t>(stageValue));
    h = hashFloat(hashFloat(h, levelValue), heightValue);
    h = hashMix(h, static_cast<uint64_t>(blend + 1));
    h = hashFloat(h, width);
    knownState = hashFloats(h, stack.back().data(), 6);
    stateKnown = true;
    return knownState;
}

// Half the width a line's pixels reach from its centre line, smoothed edge included.
float FrameRecord::lineReach() const {
    if (width < 0.0f) return kUnknownLineReach;
    return 0.5f * std::max(width, 1.0f) + 1.0f;
}

// A box of the current matrix's coordinates in window pixels, widened by `reach` and the margin.
PixelBox FrameRecord::windowBox(float x0, float y0, float x1, float y1, float reach) const {
    const Affine2d& m = stack.back();
    Bounds b;
    const float corners[8] = {x0, y0, x1, y0, x0, y1, x1, y1};
    for (int i = 0; i < 4; ++i) {
        float x = 0.0f, y = 0.0f;
        affineApply(m, corners[2 * i], corners[2 * i + 1], x, y);
        b.add(x, y);
    }
    const float r = reach + kMargin;
    if (!std::isfinite(b.x0 + b.y0 + b.x1 + b.y1)) return PixelBox{NAN, NAN, NAN, NAN};
    return PixelBox{b.x0 - r, b.y0 - r, b.x1 + r, b.y1 + r};
}

// The disc and glow modes place the vertices around METRICS, scaled by the radius.
PixelBox FrameRecord::placedBox(const float* xy, int32_t n) const {
    const Bounds b = boundsOf(xy, n);
    float radius = metricValues[2];
    if (modeValue == 1 && stageValue == 1) {
        const float gain = std::min(std::max(metricValues[2], 0.0f), 1.0f);
        radius = metricValues[3] > 1.0f ? metricValues[3] : 22.0f + 48.0f * std::sqrt(gain);
    }
    const float s = radius / 100.0f, cx = metricValues[0], cy = metricValues[1];
    const float reach = isLineKind(calls.back().primitive) ? lineReach() + 1.0f : 0.0f;
    return windowBox(cx + b.x0 * s, cy + b.y0 * s, cx + b.x1 * s, cy + b.y1 * s, reach);
}

void FrameRecord::addPart(const PixelBox& box, uint64_t hash) {
    tiles->addPart(tiles->tileBox(box), hash);
}

namespace {

// How many triangles, segments or points a primitive of n vertices draws.
int32_t partCount(Primitive primitive, int32_t n) {
    switch (primitive) {
    case Primitive::Triangles:
        return n / 3;
    case Primitive::TriangleStrip:
    case Primitive::TriangleFan:
        return std::max(n - 2, 0);
    case Primitive::Lines:
        return n / 2;
    case Primitive::LineStrip:
        return std::max(n - 1, 0);
    case Primitive::LineLoop:
        return n > 1 ? n : 0;
    case Primitive::Points:
        break;
    }
    return std::max(n, 0);
}

// The vertex indices of part j in the order the vertex batch takes them (-1 where unused).
std::array<int32_t, 3> partVertices(Primitive primitive, int32_t n, int32_t j) {
    switch (primitive) {
    case Primitive::Triangles:
        return {3 * j, 3 * j + 1, 3 * j + 2};
    case Primitive::TriangleStrip:
        return {j % 2 ? j + 1 : j, j % 2 ? j : j + 1, j + 2};
    case Primitive::TriangleFan:
        return {0, j + 1, j + 2};
    case Primitive::Lines:
        return {2 * j, 2 * j + 1, -1};
    case Primitive::LineStrip:
    case Primitive::LineLoop:
        return {j, j + 1 < n ? j + 1 : 0, -1};
    case Primitive::Points:
        break;
    }
    return {j, -1, -1};
}

// Calls part(a, b, c, salt) for each part of a primitive, with its vertex indices.
template <typename Part> void forEachPart(Primitive primitive, int32_t n, Part part) {
    const int32_t count = partCount(primitive, n);
    for (int32_t j = 0; j < count; ++j) {
        const std::array<int32_t, 3> v = partVertices(primitive, n, j);
        const bool odd = primitive == Primitive::TriangleStrip && j % 2;
        part(v[0], v[1], v[2], static_cast<uint64_t>(odd));
    }
}

Bounds partBounds(const float* xy, int32_t a, int32_t b, int32_t c) {
    Bounds p;
    for (int32_t v : {a, b, c})
        if (v >= 0) p.add(xy[2 * v], xy[2 * v + 1]);
    return p;
}

} // namespace

// Cuts a draw into parts; returns whether it was cut (a small draw or a shader-placed one is
// one part).
void FrameRecord::cutVertices(const Call& call, const float* xy, int32_t n, uint64_t drawHash) {
    const bool lines = isLineKind(call.primitive);
    const float reach = lines ? lineReach() : call.primitive == Primitive::Points ? 1.0f : 0.0f;
    // Each part's box from its vertices in window pixels: a triangle or segment lies within
    // the box of its corners wherever the matrix takes them.
    scratch.resize(static_cast<size_t>(2 * n));
    const Affine2d& m = stack.back();
    for (int32_t i = 0; i < n; ++i)
        affineApply(m, xy[2 * i], xy[2 * i + 1], scratch[2 * i], scratch[2 * i + 1]);
    const float r = reach + kMargin;
    forEachPart(call.primitive, n, [&](int32_t a, int32_t b, int32_t c, uint64_t salt) {
        const Bounds p = partBounds(scratch.data(), a, b, c);
        uint64_t h = hashMix(drawHash, salt);
        for (int32_t v : {a, b, c})
            if (v >= 0) h = hashPoint(h, xy + 2 * v);
        const TileBox t = tiles->tileBox(PixelBox{p.x0 - r, p.y0 - r, p.x1 + r, p.y1 + r});
        partBoxes.push_back(t);
        tiles->addPart(t, h);
    });
}

// The parts that touch the damage, as independent triangles or segments under the same
// matrix: the batch takes each vertex through it as it would have in the whole draw.
void FrameRecord::replayParts(const Call& call, DrawLayer& target, int32_t cell) const {
    const float* xy = pool.data() + call.first;
    const uint32_t partsFirst = summaries[call.draw].partsFirst;
    const uint16_t bit = static_cast<uint16_t>(1u << cell);
    partScratch.clear();
    const PartRange& range = damagedPartRanges[call.draw];
    for (uint32_t i = range.first; i < range.first + range.count; ++i) {
        const uint32_t j = damagedParts[i];
        if (!(partCells[partsFirst + j] & bit)) continue;
        for (int32_t v : partVertices(call.primitive, call.count, static_cast<int32_t>(j)))
            if (v >= 0) partScratch.insert(partScratch.end(), xy + 2 * v, xy + 2 * v + 2);
    }
    const int32_t n = static_cast<int32_t>(partScratch.size() / 2);
    if (n == 0) return;
    const Primitive independent =
        isLineKind(call.primitive) ? Primitive::Lines : Primitive::Triangles;
    target.vertices(independent, partScratch.data(), n, n);
}

// The draw's vertices into the pool, and their hash. A table drawn again unchanged right after
// its last draw (the unit disc under every glow and disc) is not copied or hashed again: the
// draw shares the copy.
uint64_t FrameRecord::keepVertices(Call& call, const float* xy, int32_t n) {
    const size_t floats = static_cast<size_t>(2 * n);
    if (xy == lastTable.xy && n == lastTable.count &&
        std::memcmp(pool.data() + lastTable.first, xy, floats * sizeof(float)) == 0) {
        call.first = lastTable.first;
        return lastTable.hash;
    }
    call.first = static_cast<uint32_t>(pool.size());
    pool.insert(pool.end(), xy, xy + floats);
    lastTable = KeptTable{xy, n, call.first, hashFloats(kHashSeed, xy, floats)};
    return lastTable.hash;
}

// A draw is kept as GL would draw it: never past its table, nothing for an empty one.
void FrameRecord::vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                           int32_t count) {
    const int32_t n = std::min(count, tableVertices);
    if (!xy || n <= 0) return;
    Call& call = add(Op::Vertices);
    call.primitive = primitive;
    call.count = n;
    const uint64_t vertexHash = keepVertices(call, xy, n);
    const float* kept = pool.data() + call.first;
    const uint64_t drawHash = hashMix(stateHash(), static_cast<uint64_t>(primitive));
    const uint64_t whole = hashMix(drawHash, vertexHash);
    summarise(call, whole, [&] {
        if (modeValue == 1 || modeValue == 2) {
            addPart(placedBox(kept, n), whole);
            return false;
        }
        const float reach = isLineKind(primitive)            ? lineReach()
                            : primitive == Primitive::Points ? 1.0f
                                                             : 0.0f;
        const Bounds b = boundsOf(kept, n);
        const PixelBox box = windowBox(b.x0, b.y0, b.x1, b.y1, reach);
        if (!std::isfinite(box.x0) || primitive == Primitive::Points ||
            (box.x1 - box.x0 <= kOnePartSpan && box.y1 - box.y0 <= kOnePartSpan)) {
            addPart(box, whole);
            return false;
        }
        cutVertices(call, kept, n, drawHash);
        return true;
    });
}

void FrameRecord::text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) {
    if (!text) return;
    Call& call = add(Op::Text);
    call.count = scale;
    call.value = {x, y, 0.0f, 0.0f};
    call.first = static_cast<uint32_t>(characters.size());
    characters.append(text);
    characters.push_back('\0');
    call.font = &font;
    call.horizontalMode = font.horizontalMode;
    call.verticalMode = font.verticalMode;
    uint64_t h = hashMix(stateHash(), reinterpret_cast<uintptr_t>(&font));
    h = hashMix(h, (static_cast<uint64_t>(static_cast<uint32_t>(font.horizontalMode)) << 32) |
                       static_cast<uint32_t>(font.verticalMode));
    h = hashFloats(hashMix(h, static_cast<uint64_t>(static_cast<uint32_t>(scale))), &call.value[0],
                   2);
    h = hashBytes(h, text, std::char_traits<char>::length(text));
    summarise(call, h, [&] {
        PixelBox box{NAN, NAN, NAN, NAN};
        // The glyph modes place text by the shader: it may land anywhere.
        if (modeValue != 1 && modeValue != 2) {
            scratch.clear();
            appendTextTriangles(font, text, scale, x, y, scratch);
            const Bounds b = boundsOf(scratch.data(), static_cast<int32_t>(scratch.size() / 2));
            box =
                scratch.empty() ? PixelBox{0, 0, -1, -1} : windowBox(b.x0, b.y0, b.x1, b.y1, 0.0f);
        }
        addPart(box, h);
        return false;
    });
}

void FrameRecord::replayCall(const Call& c, DrawLayer& target) const {
    switch (c.op) {
    case Op::Clear:
        target.clear();
        break;
    case Op::Projection:
        target.pixelProjection(c.count, static_cast<int32_t>(c.value[0]));
        break;
    case Op::Program:
        target.useProgram(static_cast<unsigned>(c.count));
        break;
    case Op::Colour:
        target.colour(c.value[0], c.value[1], c.value[2], c.value[3]);
        break;
    case Op::Mode:
        target.mode(c.count);
        break;
    case Op::Metrics:
        target.metrics(c.value[0], c.value[1], c.value[2], c.value[3]);
        break;
    case Op::Stage:
        target.stage(c.count);
        break;
    case Op::Level:
        target.level(c.value[0]);
        break;
    case Op::Height:
        target.height(c.value[0]);
        break;
    case Op::Vertices:
        target.vertices(c.primitive, pool.data() + c.first, c.count, c.count);
        break;
    case Op::Text: {
        // The font's alignment is read when the text is drawn: it comes back as recorded,
        // and as the screens left it afterwards. The font is the screens' own, not a constant.
        StrokeFont& font = const_cast<StrokeFont&>(*c.font);
        const int32_t h = font.horizontalMode, v = font.verticalMode;
        font.setModes(c.horizontalMode, c.verticalMode);
        target.text(font, characters.c_str() + c.first, c.count, c.value[0], c.value[1]);
        font.setModes(h, v);
        break;
    }
    case Op::Push:
        target.pushMatrix();
        break;
    case Op::Pop:
        target.popMatrix();
        break;
    case Op::Translate:
        target.translate(c.value[0], c.value[1]);
        break;
    case Op::Scale:
        target.scale(c.value[0], c.value[1]);
        break;
    case Op::Rotate:
        target.rotate(c.value[0]);
        break;
    case Op::BlendStandard:
        target.blendStandard();
        break;
    case Op::BlendAdditive:
        target.blendAdditive();
        break;
    case Op::LineWidth:
        target.lineWidth(c.value[0]);
        break;
    case Op::Flush:
        target.flush();
        break;
    }
}

void FrameRecord::replay(DrawLayer& target) const {
    for (const Call& c : calls) replayCall(c, target);
    replayed = draws;
}

size_t FrameRecord::firstChangedDraw() const {
    return std::min(firstChanged, summaries.size());
}

uint64_t FrameRecord::leadingHash(size_t count) const {
    uint64_t h = hashMix(kHashSeed, count);
    for (size_t i = 0; i < count && i < summaries.size(); ++i) h = hashMix(h, summaries[i].hash);
    return h;
}

size_t FrameRecord::verticesBefore(size_t count) const {
    size_t vertices = 0;
    for (const Call& c : calls)
        if (c.op == Op::Vertices && c.draw < count) vertices += static_cast<size_t>(c.count);
    return vertices;
}

void FrameRecord::replay(DrawLayer& target, size_t at, const std::function<void()>& capture) const {
    bool captured = false;
    for (const Call& c : calls) {
        const bool drawing = c.op == Op::Vertices || c.op == Op::Text || c.op == Op::Clear;
        if (drawing && !captured && c.draw >= at) {
            target.flush();
            capture();
            captured = true;
        }
        replayCall(c, target);
    }
    if (!captured) {
        target.flush();
        capture();
    }
    replayed = draws;
}

// Each part of a cut draw is looked at once here, not once per area it is replayed in.
void FrameRecord::markDamage(const DamageTiles& damage) const {
    damagedCells.resize(summaries.size());
    partCells.resize(partBoxes.size());
    damagedPartRanges.assign(summaries.size(), PartRange{});
    damagedParts.clear();
    for (size_t i = 0; i < summaries.size(); ++i) {
        const DrawSummary& s = summaries[i];
        damagedCells[i] = damage.damageIn(s.bounds)
                              ? damage.damagedCells(values.data() + s.valuesFirst, s.valuesCount)
                              : 0;
        if (!s.cut || damagedCells[i] == 0) continue;
        damagedPartRanges[i].first = static_cast<uint32_t>(damagedParts.size());
        for (uint32_t j = 0; j < s.partsCount; ++j) {
            const uint32_t k = s.partsFirst + j;
            partCells[k] =
                damage.damageIn(partBoxes[k]) ? damage.damagedCellsInBox(partBoxes[k]) : 0;
            if (partCells[k]) damagedParts.push_back(j);
        }
        damagedPartRanges[i].count =
            static_cast<uint32_t>(damagedParts.size()) - damagedPartRanges[i].first;
    }
}

namespace {

// The state calls a partial replay may hold back until a draw it keeps: those that only set a
// value. Outside a sum of glows, where the layer ends a batch does not change the pixels.
bool mayWait(FrameRecord::Op op) {
    using Op = FrameRecord::Op;
    return op == Op::Program || op == Op::Colour || op == Op::Metrics || op == Op::Stage ||
           op == Op::Level || op == Op::Height || op == Op::LineWidth;
}

// The transforms work on the layer's matrix stack alone: held-back state may wait past them.
bool transforms(FrameRecord::Op op) {
    using Op = FrameRecord::Op;
    return op == Op::Push || op == Op::Pop || op == Op::Translate || op == Op::Scale ||
           op == Op::Rotate;
}

} // namespace

// A partial replay sends, before each draw it keeps, only the last call of each kind of state
// since the last draw it kept: each draw is drawn in the latest value of each. The calls held
// back go in the order they came, before any other call but a transform. Where the layer sums
// glows (the glow mode under additive blending), the sums depend on where the batch is drawn,
// which changes of state and left-out text in the placing modes decide: there every call goes
// as it came, and a left-out text still ends the batch.
void FrameRecord::replay(DrawLayer& target, const DamageTiles&, const DamageArea& area,
                         size_t keptDraws,
                         const std::function<void(bool kept)>& clearDamage) const {
    // The last held-back call of each kind, by its op.
    std::array<const Call*, kOps> pending{};
    size_t pendingCount = 0;
    int32_t mode = 0;
    bool additive = false;
    const auto sendPending = [&] {
        if (pendingCount == 0) return;
        std::array<const Call*, kOps> inOrder = pending;
        std::sort(inOrder.begin(), inOrder.end(), std::less<const Call*>{});
        for (const Call* call : inOrder)
            if (call) replayCall(*call, target);
        pending.fill(nullptr);
        pendingCount = 0;
    };
    replayed = 0;
    for (const Call& c : calls) {
        const bool summing = mode == 1 && additive;
        if (c.op == Op::Mode) mode = c.count;
        if (c.op == Op::BlendStandard || c.op == Op::BlendAdditive)
            additive = c.op == Op::BlendAdditive;
        if (mayWait(c.op) && !summing) {
            const Call*& held = pending[static_cast<size_t>(c.op)];
            pendingCount += held == nullptr;
            held = &c;
            continue;
        }
        if (c.op == Op::Clear) {
            target.flush();
            clearDamage(c.draw < keptDraws);
            continue;
        }
        const bool draw = c.op == Op::Vertices || c.op == Op::Text;
        if (draw && (c.draw < keptDraws || !(damagedCells[c.draw] & (1u << area.cell)))) {
            if (summing && c.op == Op::Text && c.draw >= keptDraws) target.flush();
            continue;
        }
        if (!transforms(c.op)) sendPending();
        if (draw) ++replayed;
        if (draw && summaries[c.draw].cut)
            replayParts(c, target, area.cell);
        else
            replayCall(c, target);
    }
}
