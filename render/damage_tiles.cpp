#include "render/damage_tiles.h"

#include <algorithm>
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
        damage.assign(tiles, 1);
        previousValid = false;
    }
    current.assign(previous.size(), kHashSeed);
}

void DamageTiles::touchTile(uint32_t tile, uint64_t hash, std::vector<uint32_t>& drawTiles) {
    current[tile] = hashMix(current[tile], hash);
    if (stamps[tile] == drawStamp) return;
    stamps[tile] = drawStamp;
    drawTiles.push_back(tile);
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
    return std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) &&
           std::isfinite(b.y1);
}

} // namespace

void DamageTiles::add(const PixelBox& box, uint64_t hash, std::vector<uint32_t>& drawTiles) {
    if (columns == 0 || rows == 0) return;
    if (!finite(box)) {
        for (uint32_t t = 0; t < current.size(); ++t) touchTile(t, hash, drawTiles);
        return;
    }
    if (box.x1 < 0.0f || box.y1 < 0.0f || box.x0 >= static_cast<float>(width) ||
        box.y0 >= static_cast<float>(height) || box.x1 < box.x0 || box.y1 < box.y0)
        return;
    const int32_t tx0 = tileOf(box.x0, columns), tx1 = tileOf(box.x1, columns);
    const int32_t ty0 = tileOf(box.y0, rows), ty1 = tileOf(box.y1, rows);
    for (int32_t ty = ty0; ty <= ty1; ++ty)
        for (int32_t tx = tx0; tx <= tx1; ++tx)
            touchTile(static_cast<uint32_t>(ty * columns + tx), hash, drawTiles);
}

void DamageTiles::endFrame() {
    damagedTiles = 0;
    for (size_t t = 0; t < current.size(); ++t) {
        damage[t] = !previousValid || current[t] != previous[t];
        damagedTiles += damage[t];
    }
    previous.swap(current);
    previousValid = true;
}

bool DamageTiles::anyDamaged(const uint32_t* tiles, size_t count) const {
    for (size_t i = 0; i < count; ++i)
        if (damage[tiles[i]]) return true;
    return false;
}

double DamageTiles::damagedShare() const {
    if (width <= 0 || height <= 0) return 0.0;
    int64_t area = 0;
    for (const PixelRect& r : damagedRects()) area += int64_t{r.width} * r.height;
    return static_cast<double>(area) / (static_cast<double>(width) * height);
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
