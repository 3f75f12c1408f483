// The damaged tiles grouped by the cells of the window's grid of areas: the boxes each damaged
// draw is replayed in, and the cells each part of a long draw is replayed in.
#include <gtest/gtest.h>

#include <vector>

#include "render/damage_tiles.h"

namespace {

// A 1370 x 790 window (86 x 50 tiles, the last column and row cut short): an empty frame, then
// one draw of these parts. Returns the box around the draw's tiles.
TileBox drawAfterAnEmptyFrame(DamageTiles& tiles, std::vector<TileValue>& values,
                              const std::vector<TileBox>& parts) {
    tiles.beginFrame(1370, 790);
    tiles.endFrame();
    tiles.beginFrame(1370, 790);
    tiles.beginDraw();
    for (const TileBox& part : parts) tiles.addPart(part, 7);
    const TileBox bounds = tiles.endDraw(values);
    tiles.endFrame();
    return bounds;
}

// The second frame changes a run of tiles across the first two cells of the top row and the
// bottom right tile.
class DamageCells : public ::testing::Test {
protected:
    void SetUp() override {
        bounds =
            drawAfterAnEmptyFrame(tiles, values, {TileBox{20, 5, 23, 5}, TileBox{85, 49, 85, 49}});
    }
    DamageTiles tiles;
    std::vector<TileValue> values;
    TileBox bounds;
};

TEST_F(DamageCells, EachCellsAreaIsTheBoxOfItsDamagedTilesCutToTheWindow) {
    const std::vector<DamageArea> areas = tiles.damagedAreas();
    ASSERT_EQ(areas.size(), 3u);
    EXPECT_EQ(areas[0].cell, 0);
    EXPECT_EQ(areas[0].rect, (PixelRect{320, 80, 32, 16}));
    EXPECT_EQ(areas[1].cell, 1);
    EXPECT_EQ(areas[1].rect, (PixelRect{352, 80, 32, 16}));
    EXPECT_EQ(areas[2].cell, 11);
    EXPECT_EQ(areas[2].rect, (PixelRect{1360, 784, 10, 6}));
    // Each rectangle is all damage, the last one as far as the window goes.
    for (const DamageArea& area : areas) EXPECT_TRUE(area.whole) << area.cell;
}

// An area is drawn without the depth mask only when its rectangle holds nothing but damage.
TEST(DamageAreas, AnAreaIsWholeOnlyWhereEveryTileOfItsRectangleIsDamaged) {
    DamageTiles tiles;
    std::vector<TileValue> values;
    // An L in cell 0 (three tiles of row 2 and two below its first one), and a square of four
    // tiles in cell 5.
    drawAfterAnEmptyFrame(tiles, values,
                          {TileBox{2, 2, 4, 2}, TileBox{2, 3, 2, 4}, TileBox{30, 20, 31, 21}});
    const std::vector<DamageArea> areas = tiles.damagedAreas();
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0].cell, 0);
    EXPECT_EQ(areas[0].rect, (PixelRect{32, 32, 48, 48}));
    EXPECT_FALSE(areas[0].whole);
    EXPECT_EQ(areas[1].cell, 5);
    EXPECT_EQ(areas[1].rect, (PixelRect{480, 320, 32, 32}));
    EXPECT_TRUE(areas[1].whole);
}

TEST_F(DamageCells, APartIsInTheCellsWhereItTouchesADamagedTile) {
    struct Case {
        TileBox box;
        uint16_t cells;
    } cases[] = {
        {TileBox{0, 0, 85, 49}, 0b100000000011},
        {TileBox{22, 0, 30, 10}, 0b10},
        {TileBox{0, 0, 21, 16}, 0b1},
        {TileBox{0, 6, 85, 48}, 0},
        {TileBox{84, 48, 200, 300}, 0b100000000000},
        {TileBox{}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tiles.damagedCellsInBox(c.box), c.cells)
            << c.box.x0 << "," << c.box.y0 << " to " << c.box.x1 << "," << c.box.y1;
        EXPECT_EQ(tiles.damageIn(c.box), c.cells != 0)
            << c.box.x0 << "," << c.box.y0 << " to " << c.box.x1 << "," << c.box.y1;
    }
    // One tile each way off the damage, on every side of the run.
    for (const TileBox& beside : {TileBox{19, 4, 19, 6}, TileBox{24, 4, 24, 6},
                                  TileBox{20, 4, 23, 4}, TileBox{20, 6, 23, 6}})
        EXPECT_FALSE(tiles.damageIn(beside)) << beside.x0 << "," << beside.y0;
    EXPECT_TRUE(tiles.damageIn(TileBox{23, 5, 23, 5}));
}

TEST_F(DamageCells, ADrawKnowsTheBoxOfTheTilesItTouched) {
    EXPECT_EQ(bounds.x0, 20);
    EXPECT_EQ(bounds.y0, 5);
    EXPECT_EQ(bounds.x1, 85);
    EXPECT_EQ(bounds.y1, 49);
}

TEST_F(DamageCells, ADrawIsInTheCellsOfItsDamagedTiles) {
    EXPECT_EQ(tiles.damagedCells(values.data(), values.size()), uint16_t{0b100000000011});
    EXPECT_EQ(tiles.damagedCells(values.data(), 0), uint16_t{0});
}

} // namespace
