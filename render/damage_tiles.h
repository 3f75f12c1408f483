// The window cut into square tiles, each with a hash of the ordered primitives that touch it.
// A frame adds each draw's parts (a segment, a triangle, a text) with their hashes to the
// tiles their boxes touch; a draw leaves one value per tile it touched (the ordered hash of
// its parts there), and a draw equal to one of the frame before can give those values again
// without cutting itself up. At the end a tile whose hash differs from the frame before is
// damaged: something drawn there changed, appeared, left or moved in the order. A long cable
// touches a few tiles per segment, not one box over the stage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A box in window pixels (origin top left, y down), edges included.
struct PixelBox {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
};

// The tiles a box touches, columns x0..x1 and rows y0..y1; empty when x1 < x0.
struct TileBox {
    int16_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

// What one draw left in one tile.
struct TileValue {
    uint32_t tile = 0;
    uint64_t value = 0;
};

// A rectangle of whole pixels in window pixels (origin top left, y down).
struct PixelRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PixelRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// One part of the window's grid of areas (see DamageTiles::kAreasAcross) and the smallest
// tile-aligned rectangle around its damaged tiles.
struct DamageArea {
    int32_t cell = 0;
    PixelRect rect;
    // Every tile of the rectangle is damaged: the rectangle alone bounds the damage there.
    bool whole = false;
};

class DamageTiles {
public:
    static constexpr int32_t kTileSize = 16;
    // A damaged frame is drawn in passes, one per cell of this grid with damage in it, each
    // cut (scissored) to the damage there: the renderer then rasterises nothing elsewhere.
    static constexpr int32_t kAreasAcross = 4, kAreasDown = 3;

    // Starts a frame of a window of this size. A new size, or forget(), leaves no frame
    // before: every tile of the next frame is damaged.
    void beginFrame(int32_t width, int32_t height);
    void forget() { previousValid = false; }
    // A draw: its parts' hashes go to the tiles their boxes touch (a box that is not finite
    // touches every tile); at its end, the one value it leaves in each tile is appended to
    // `out` and mixed into the tile.
    void beginDraw();
    void addPart(const TileBox& box, uint64_t hash);
    // Returns the smallest box around the tiles the draw touched.
    TileBox endDraw(std::vector<TileValue>& out);
    // The values a draw left before, mixed in again.
    void addValues(const TileValue* values, size_t count);
    TileBox tileBox(const PixelBox& box) const;
    // The tiles after the leading draws of a frame, kept under a key that names those draws:
    // a frame that begins with the same draws takes them over in place of mixing them again.
    void keepLeading(uint64_t key);
    bool restoreLeading(uint64_t key);
    // Compares the frame with the one before and keeps it for the next comparison.
    void endFrame();

    bool damaged(uint32_t tile) const { return tile < damage.size() && damage[tile]; }
    // The cells (bit n for cell n) in which one of these tiles is damaged.
    uint16_t damagedCells(const TileValue* tiles, size_t count) const;
    // Whether a damaged tile lies in the box.
    bool damageIn(const TileBox& box) const;
    // The cells (bit n for cell n) in which a box touches a damaged tile.
    uint16_t damagedCellsInBox(const TileBox& box) const;
    int32_t damagedCount() const { return damagedTiles; }
    int32_t tileCount() const { return static_cast<int32_t>(current.size()); }
    // Rectangles that cover the damaged tiles exactly (clipped to the window): runs of a row,
    // joined with the same run of the rows below.
    std::vector<PixelRect> damagedRects() const;
    // The cells with damage in them.
    std::vector<DamageArea> damagedAreas() const;

private:
    int32_t cellColumn(int32_t tileColumn) const { return tileColumn * kAreasAcross / columns; }
    int32_t cellRow(int32_t tileRow) const { return tileRow * kAreasDown / rows; }

    int32_t width = 0, height = 0, columns = 0, rows = 0;
    std::vector<uint64_t> current, previous, leading;
    uint64_t leadingKey = 0;
    bool leadingKept = false;
    std::vector<uint32_t> stamps;
    std::vector<uint64_t> drawValues;
    std::vector<uint32_t> drawTiles;
    std::vector<uint8_t> damage;
    // Damaged tiles above and left of each corner of the grid ((columns + 1) per row).
    std::vector<int32_t> damagedBefore;
    std::vector<uint8_t> cellOfTile;
    // Per tile: the bit of its cell when it is damaged, else 0.
    std::vector<uint16_t> damagedCellBit;
    uint32_t drawStamp = 1;
    int32_t damagedTiles = 0;
    bool previousValid = false;
};
