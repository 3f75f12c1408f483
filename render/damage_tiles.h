// The window cut into square tiles, each with a hash of the ordered primitives that touch it.
// A frame adds each primitive's parts (a segment, a triangle, a text) with their hashes to the
// tiles their boxes touch; at the end a tile whose hash differs from the frame before is
// damaged: something drawn there changed, appeared, left or moved in the order. Tiles are
// coarse on purpose: a long cable touches a few tiles per segment, not one box over the stage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A box in window pixels (origin top left, y down), edges included.
struct PixelBox {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
};

// A rectangle of whole pixels in window pixels (origin top left, y down).
struct PixelRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

class DamageTiles {
public:
    static constexpr int32_t kTileSize = 32;

    // Starts a frame of a window of this size. A new size, or forget(), leaves no frame
    // before: every tile of the next frame is damaged.
    void beginFrame(int32_t width, int32_t height);
    void forget() { previousValid = false; }
    // The draws that follow list their tiles anew.
    void nextDraw() { ++drawStamp; }
    // Mixes a part's hash into every tile its box touches and lists, once per draw, the
    // tiles it touched. A box with a coordinate that is not finite touches every tile.
    void add(const PixelBox& box, uint64_t hash, std::vector<uint32_t>& drawTiles);
    // Compares the frame with the one before and keeps it for the next comparison.
    void endFrame();

    bool damaged(uint32_t tile) const { return tile < damage.size() && damage[tile]; }
    bool anyDamaged(const uint32_t* tiles, size_t count) const;
    int32_t damagedCount() const { return damagedTiles; }
    int32_t tileCount() const { return static_cast<int32_t>(current.size()); }
    // The damaged share of the window's area, 0 to 1.
    double damagedShare() const;
    // Rectangles that cover the damaged tiles exactly (clipped to the window): runs of a row,
    // joined with the same run of the rows below.
    std::vector<PixelRect> damagedRects() const;

private:
    void touchTile(uint32_t tile, uint64_t hash, std::vector<uint32_t>& drawTiles);

    int32_t width = 0, height = 0, columns = 0, rows = 0;
    std::vector<uint64_t> current, previous;
    std::vector<uint32_t> stamps;
    std::vector<uint8_t> damage;
    uint32_t drawStamp = 1;
    int32_t damagedTiles = 0;
    bool previousValid = false;
};
