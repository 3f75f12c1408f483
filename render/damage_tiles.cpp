#include "render/damage_tiles.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "render/frame_hash.h"

void DamageTiles::beginFrame(int32_t pixelsWide, int32_t pixelsHigh) {
    if (pixelsWide != width || pixelsHigh != height) {
        width = std::max(pixelsWide, 0);
        height = std::max(pixelsHigh, 0);
        columns = (width + kTileSize - 1) / kTileSize;
        rows = (height + kTileSize - 1) / kTileSize;
        const size_t tiles = static_cast<size_t>(columns) * static_cast<size_t>(rows);
        previous.assign(tiles, 0);
        stamps.assign(tiles, 0);
        drawValues.assign(tiles, 0);
        cellOfTile.assign(tiles, 0);
        for (int32_t ty = 0; ty < rows; ++ty)
            for (int32_t tx = 0; tx < columns; ++tx)
                cellOfTile[static_cast<size_t>(ty * columns + tx)] =
                    static_cast<uint8_t>(cellRow(ty) * kAreasAcross + cellColumn(tx));
        damage.assign(tiles, 1);
        damagedCellBit.resize(tiles);
        for (size_t t = 0; t < tiles; ++t)
            damagedCellBit[t] = static_cast<uint16_t>(1u << cellOfTile[t]);
        previousValid = false;
        leadingKept = false;
    }
    current.assign(previous.size(), kHashSeed);
}

void DamageTiles::keepLeading(uint64_t key) {
    leading = current;
    leadingKey = key;
    leadingKept = true;
}

bool DamageTiles::restoreLeading(uint64_t key) {
    if (!leadingKept || key != leadingKey) return false;
    current = leading;
    return true;
}

namespace {

// The tile of a pixel coordinate, within [0, count).
int32_t tileOf(float pixel, int32_t count) {
    const float t = std::floor(pixel / static_cast<float>(DamageTiles::kTileSize));
    if (!(t >= 0.0f)) return 0;
    if (t >= static_cast<float>(count)) return count - 1;
    return static_cast<int32_t>(t);
}

bool finite(const PixelBox& b) {
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) && std::isfinite(b.y1);
}

} // namespace

TileBox DamageTiles::tileBox(const PixelBox& box) const {
    if (columns == 0 || rows == 0) return TileBox{};
    if (!finite(box))
        return TileBox{0, 0, static_cast<int16_t>(columns - 1), static_cast<int16_t>(rows - 1)};
    if (box.x1 < 0.0f || box.y1 < 0.0f || box.x0 >= static_cast<float>(width) ||
        box.y0 >= static_cast<float>(height) || box.x1 < box.x0 || box.y1 < box.y0)
        return TileBox{};
    return TileBox{
        static_cast<int16_t>(tileOf(box.x0, columns)), static_cast<int16_t>(tileOf(box.y0, rows)),
        static_cast<int16_t>(tileOf(box.x1, columns)), static_cast<int16_t>(tileOf(box.y1, rows))};
}

void DamageTiles::beginDraw() {
    ++drawStamp;
    drawTiles.clear();
}

void DamageTiles::addPart(const TileBox& box, uint64_t hash) {
    for (int32_t ty = box.y0; ty <= box.y1; ++ty) {
        for (int32_t tx = box.x0; tx <= box.x1; ++tx) {
            const uint32_t t = static_cast<uint32_t>(ty * columns + tx);
            if (stamps[t] != drawStamp) {
                stamps[t] = drawStamp;
                drawValues[t] = kHashSeed;
                drawTiles.push_back(t);
            }
            drawValues[t] = hashMix(drawValues[t], hash);
        }
    }
}

TileBox DamageTiles::endDraw(std::vector<TileValue>& out) {
    TileBox bounds{static_cast<int16_t>(columns), static_cast<int16_t>(rows), -1, -1};
    for (uint32_t t : drawTiles) {
        out.push_back(TileValue{t, drawValues[t]});
        current[t] = hashMix(current[t], drawValues[t]);
        const auto x = static_cast<int16_t>(t % static_cast<uint32_t>(columns));
        const auto y = static_cast<int16_t>(t / static_cast<uint32_t>(columns));
        bounds = TileBox{std::min(bounds.x0, x), std::min(bounds.y0, y), std::max(bounds.x1, x),
                         std::max(bounds.y1, y)};
    }
    return bounds;
}

void DamageTiles::addValues(const TileValue* values, size_t count) {
    for (size_t i = 0; i < count; ++i)
        current[values[i].tile] = hashMix(current[values[i].tile], values[i].value);
}

void DamageTiles::endFrame() {
    damagedTiles = 0;
    for (size_t t = 0; t < current.size(); ++t) {
        damage[t] = !previousValid || current[t] != previous[t];
        damagedTiles += damage[t];
        damagedCellBit[t] = damage[t] ? static_cast<uint16_t>(1u << cellOfTile[t]) : 0;
    }
    previous.swap(current);
    previousValid = true;
    const size_t across = static_cast<size_t>(columns) + 1;
    damagedBefore.assign(across * (static_cast<size_t>(rows) + 1), 0);
    for (int32_t ty = 0; ty < rows; ++ty)
        for (int32_t tx = 0; tx < columns; ++tx)
            damagedBefore[(ty + 1) * across + tx + 1] =
                damage[static_cast<size_t>(ty * columns + tx)] +
                damagedBefore[ty * across + tx + 1] + damagedBefore[(ty + 1) * across + tx] -
                damagedBefore[ty * across + tx];
}

bool DamageTiles::damageIn(const TileBox& box) const {
    const int32_t x0 = std::max<int32_t>(box.x0, 0), y0 = std::max<int32_t>(box.y0, 0);
    const int32_t x1 = std::min<int32_t>(box.x1, columns - 1) + 1;
    const int32_t y1 = std::min<int32_t>(box.y1, rows - 1) + 1;
    if (x1 <= x0 || y1 <= y0 || damagedBefore.empty()) return false;
    const size_t across = static_cast<size_t>(columns) + 1;
    return damagedBefore[y1 * across + x1] - damagedBefore[y0 * across + x1] -
               damagedBefore[y1 * across + x0] + damagedBefore[y0 * across + x0] >
           0;
}

std::vector<PixelRect> DamageTiles::damagedRects() const {
    std::vector<PixelRect> rects;
    // Runs of the row above, still open for joining: index into rects.
    std::vector<size_t> open, nextOpen;
    for (int32_t ty = 0; ty < rows; ++ty) {
        nextOpen.clear();
        for (int32_t tx = 0; tx < columns;) {
            if (!damage[static_cast<size_t>(ty * columns + tx)]) {
                ++tx;
                continue;
            }
            int32_t end = tx;
            while (end < columns && damage[static_cast<size_t>(ty * columns + end)]) ++end;
            PixelRect run{tx * kTileSize, ty * kTileSize,
                          std::min(end * kTileSize, width) - tx * kTileSize,
                          std::min((ty + 1) * kTileSize, height) - ty * kTileSize};
            auto joins = std::find_if(open.begin(), open.end(), [&](size_t i) {
                return rects[i].x == run.x && rects[i].width == run.width;
            });
            if (joins != open.end()) {
                rects[*joins].height += run.height;
                nextOpen.push_back(*joins);
            } else {
                rects.push_back(run);
                nextOpen.push_back(rects.size() - 1);
            }
            tx = end;
        }
        open.swap(nextOpen);
    }
    return rects;
}

uint16_t DamageTiles::damagedCells(const TileValue* tiles, size_t count) const {
    uint16_t cells = 0;
    for (size_t i = 0; i < count; ++i) cells |= damagedCellBit[tiles[i].tile];
    return cells;
}

uint16_t DamageTiles::damagedCellsInBox(const TileBox& box) const {
    const int32_t x0 = std::max<int32_t>(box.x0, 0), y0 = std::max<int32_t>(box.y0, 0);
    const int32_t x1 = std::min<int32_t>(box.x1, columns - 1);
    const int32_t y1 = std::min<int32_t>(box.y1, rows - 1);
    uint16_t cells = 0;
    for (int32_t ty = y0; ty <= y1; ++ty)
        for (int32_t tx = x0; tx <= x1; ++tx)
            cells |= damagedCellBit[static_cast<size_t>(ty * columns + tx)];
    return cells;
}

// One pass over the tiles: each damaged tile widens the box of its cell.
std::vector<DamageArea> DamageTiles::damagedAreas() const {
    std::vector<DamageArea> areas;
    if (columns == 0 || rows == 0) return areas;
    constexpr int32_t kCells = kAreasAcross * kAreasDown;
    std::array<TileBox, kCells> boxes{};
    std::array<int32_t, kCells> damagedIn{};
    for (TileBox& b : boxes)
        b = TileBox{static_cast<int16_t>(columns), static_cast<int16_t>(rows), -1, -1};
    for (int32_t ty = 0; ty < rows; ++ty)
        for (int32_t tx = 0; tx < columns; ++tx) {
            const size_t tile = static_cast<size_t>(ty * columns + tx);
            if (!damage[tile]) continue;
            ++damagedIn[cellOfTile[tile]];
            TileBox& b = boxes[cellOfTile[tile]];
            b.x0 = std::min<int16_t>(b.x0, static_cast<int16_t>(tx));
            b.y0 = std::min<int16_t>(b.y0, static_cast<int16_t>(ty));
            b.x1 = std::max<int16_t>(b.x1, static_cast<int16_t>(tx));
            b.y1 = std::max<int16_t>(b.y1, static_cast<int16_t>(ty));
        }
    for (int32_t cell = 0; cell < kCells; ++cell) {
        const TileBox& b = boxes[static_cast<size_t>(cell)];
        if (b.x1 < 0) continue;
        const PixelRect rect{b.x0 * kTileSize, b.y0 * kTileSize,
                             std::min((b.x1 + 1) * kTileSize, width) - b.x0 * kTileSize,
                             std::min((b.y1 + 1) * kTileSize, height) - b.y0 * kTileSize};
        const int32_t tiles = (b.x1 - b.x0 + 1) * (b.y1 - b.y0 + 1);
        areas.push_back(DamageArea{cell, rect, damagedIn[static_cast<size_t>(cell)] == tiles});
    }
    return areas;
}
