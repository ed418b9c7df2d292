/*
 * The N-up grid and the origin of its cells.
 */
#include "render/driver/page/nup_grid.h"

#include "render/driver/pdev/job_blocks.h"

#include <string.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(NupGrid, CountsGiveColumnsAndRows)
{
    struct Case {
        WORD pages, columns, rows;
    } cases[] = {{2, 1, 2}, {4, 2, 2}, {8, 2, 4}, {16, 4, 4}, {32, 4, 8}, {6, 1, 1}, {1, 1, 1}, {0, 1, 1}, {64, 1, 1}};
    for (const Case &c : cases) {
        NupGridHead grid = {0, 0, 0, 0, 9, 9, 1};
        jc_SetNupGrid(&grid, c.pages);
        EXPECT_EQ(grid.columns, c.columns) << c.pages;
        EXPECT_EQ(grid.rows, c.rows) << c.pages;
    }
}

// Cells counted along rows or down columns; the origin moves against the cell.
TEST(NupGrid, CellOriginInBothOrders)
{
    struct Case {
        LONG rowMajor;
        DWORD n;
        LONG x, y;
    } cases[] = {
        {1, 0, 1000, 2000},
        {1, 1, 900, 2000},
        {1, 2, 1000, 1950},
        {1, 7, 900, 1850},
        {0, 0, 1000, 2000},
        {0, 1, 1000, 1950},
        {0, 4, 900, 2000},
        {0, 7, 900, 1850},
    };
    for (const Case &c : cases) {
        NupGridHead grid = {1000, 2000, 100, 50, 2, 4, c.rowMajor};
        NupGridHead out = {};
        ASSERT_EQ(jc_GetCellOrigin(&out, &grid, c.n), 0);
        EXPECT_EQ(out.originX, c.x) << c.rowMajor << " " << c.n;
        EXPECT_EQ(out.originY, c.y) << c.rowMajor << " " << c.n;
        EXPECT_EQ(out.cellWidth, 100);
        EXPECT_EQ(out.columns, 2);
    }
    NupGridHead grid = {0, 0, 10, 10, 2, 4, 1}, out = {7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(jc_GetCellOrigin(&out, &grid, 8), -1) << "cell number = columns x rows";
    EXPECT_EQ(out.originX, 7);
    grid.rows = 0;
    EXPECT_EQ(jc_GetCellOrigin(&out, &grid, 0), -1);
    EXPECT_EQ(jc_GetCellOrigin(nullptr, &grid, 0), -1);
}

TEST(JobBlocks, ClearingZeroesTheWholeRecord)
{
    PageSetupSnapshot snapshot;
    PageBlock block;
    memset(&snapshot, 0xA5, sizeof(snapshot));
    memset(&block, 0xA5, sizeof(block));
    jc_ClearPageSetupBlock(&snapshot);
    jc_ClearPageBlock(&block);
    const BYTE *s = (const BYTE *)&snapshot, *b = (const BYTE *)&block;
    EXPECT_EQ(std::count(s, s + PAGE_SETUP_SNAPSHOT_SIZE, 0), PAGE_SETUP_SNAPSHOT_SIZE);
    EXPECT_EQ(std::count(b, b + PAGE_BLOCK_SIZE, 0), PAGE_BLOCK_SIZE);
    jc_ClearPageBlock(nullptr);
}

} // namespace
