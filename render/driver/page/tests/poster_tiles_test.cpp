/*
 * The poster tile walk: its order and direction from the walk matrix's signs, and the
 * refusal of a matrix that is no quarter turn.
 */
#include "render/driver/page/poster.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

/* The tiles (column, row) in the order the walk visits them. */
std::vector<std::pair<LONG, LONG>> Walk(const TileWalk &walk)
{
    std::vector<std::pair<LONG, LONG>> tiles;
    LONG columns = walk.lastColumn - walk.firstColumn + 1;
    LONG rows = walk.rowStep * (walk.lastRow - walk.firstRow) + 1;
    for (LONG outer = 0; outer < (walk.order == TILE_ROW_MAJOR ? rows : columns); outer++)
        for (LONG inner = 0; inner < (walk.order == TILE_ROW_MAJOR ? columns : rows); inner++) {
            LONG column = walk.order == TILE_ROW_MAJOR ? inner : outer;
            LONG row = walk.order == TILE_ROW_MAJOR ? outer : inner;
            tiles.emplace_back(walk.firstColumn + column * walk.columnStep, walk.firstRow + row * walk.rowStep);
        }
    return tiles;
}

TEST(PosterTiles, OrderFromTheWalkMatrix)
{
    struct Case {
        float a, b, c, d;
        LONG columns, rows;
        LONG order;
        std::vector<std::pair<LONG, LONG>> tiles;
    } cases[] = {
        // Upright: row by row from the last row.
        {1, 0, 0, -1, 2, 2, TILE_ROW_MAJOR, {{0, 1}, {1, 1}, {0, 0}, {1, 0}}},
        // b and c of one sign: column by column from the first row.
        {0, 1, 1, 0, 2, 2, TILE_COLUMN_MAJOR, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {0, -1, -1, 0, 2, 1, TILE_COLUMN_MAJOR, {{0, 0}, {1, 0}}},
        // Other quarter turns keep the defaults.
        {0, 1, -1, 0, 2, 1, TILE_ROW_MAJOR, {{0, 0}, {1, 0}}},
        {-1, 0, 0, 1, 1, 2, TILE_ROW_MAJOR, {{0, 1}, {0, 0}}},
    };
    for (const Case &c : cases) {
        TileWalk walk = {};
        walk.columns = c.columns;
        walk.rows = c.rows;
        walk.matrix = {c.a, c.b, c.c, c.d, 10, 20};
        ASSERT_EQ(0, geo_SetTileOrder(&walk)) << c.a << " " << c.b << " " << c.c << " " << c.d;
        EXPECT_EQ(c.order, walk.order);
        EXPECT_EQ(c.tiles, Walk(walk)) << c.a << " " << c.b << " " << c.c << " " << c.d;
    }
}

TEST(PosterTiles, RefusesWhatIsNoQuarterTurn)
{
    const float matrices[][4] = {{1, 1, 0, -1}, {0.7f, 0.7f, -0.7f, 0.7f}, {0, 0, 0, -1}, {1, 0, 0, 0}};
    for (const auto &m : matrices) {
        TileWalk walk = {};
        walk.columns = 2;
        walk.rows = 2;
        walk.matrix = {m[0], m[1], m[2], m[3], 0, 0};
        walk.order = 7;
        EXPECT_EQ(-1, geo_SetTileOrder(&walk)) << m[0] << " " << m[1] << " " << m[2] << " " << m[3];
        EXPECT_EQ(7, walk.order);
    }
    EXPECT_EQ(-1, geo_SetTileOrder(NULL));
}

} // namespace
