/*
 * The N-up grid of a sheet.
 */
#include "render/driver/page/nup_grid.h"

static_assert(sizeof(NupGridHead) == 24, "the grid head is 24 bytes");

// Pages per sheet with their columns and rows; any other count is 1 x 1.
static const struct {
    WORD pages;
    WORD columns;
    WORD rows;
} kGrids[] = {{2, 1, 2}, {4, 2, 2}, {8, 2, 4}, {16, 4, 4}, {32, 4, 8}};

void jc_SetNupGrid(NupGridHead *grid, WORD pagesPerSheet)
{
    if (!grid)
        return;
    grid->columns = 1;
    grid->rows = 1;
    for (const auto &row : kGrids) {
        if (row.pages != pagesPerSheet)
            continue;
        grid->columns = row.columns;
        grid->rows = row.rows;
    }
}

LONG jc_GetCellOrigin(NupGridHead *out, const NupGridHead *grid, DWORD n)
{
    if (!out || !grid || grid->columns == 0 || grid->rows == 0)
        return -1;
    if (n >= (DWORD)grid->columns * grid->rows)
        return -1;
    DWORD column = grid->rowMajor ? n % grid->columns : n / grid->rows;
    DWORD row = grid->rowMajor ? n / grid->columns : n % grid->rows;
    *out = *grid;
    out->originX -= (LONG)column * grid->cellWidth;
    out->originY -= (LONG)row * grid->cellHeight;
    return 0;
}
