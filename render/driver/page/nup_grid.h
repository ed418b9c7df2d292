/*
 * The N-up grid of a sheet: how many columns and rows of logical pages it holds, and
 * where each cell lies.
 */
#ifndef QM_RENDER_DRIVER_PAGE_NUP_GRID_H
#define QM_RENDER_DRIVER_PAGE_NUP_GRID_H

#include <windows.h>

// Head of an N-up grid (24 bytes): the origin of the first cell and the cell size in
// device units, the counts and the order in which the cells are filled.
struct NupGridHead {
    LONG originX;
    LONG originY;
    LONG cellWidth;
    LONG cellHeight;
    WORD columns;
    WORD rows;
    LONG rowMajor; // non-zero: cells run along a row first; zero: down a column first
};

// jc_SetNupGrid: columns and rows for a count of pages per sheet: 2 -> 1 x 2, 4 -> 2 x 2,
// 8 -> 2 x 4, 16 -> 4 x 4, 32 -> 4 x 8, any other count 1 x 1.
//   grid  in/out  columns and rows are set
void jc_SetNupGrid(NupGridHead *grid, WORD pagesPerSheet);

// jc_GetCellOrigin: the grid head with its origin moved to cell n (counted from 0 in the
// grid's order): minus column x cell width and minus row x cell height.
//   out   out  the moved head (untouched on failure)
// Returns 0; -1 for a missing argument, an empty grid or n >= columns x rows.
LONG jc_GetCellOrigin(NupGridHead *out, const NupGridHead *grid, DWORD n);

#endif /* QM_RENDER_DRIVER_PAGE_NUP_GRID_H */
