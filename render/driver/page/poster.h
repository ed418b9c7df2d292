/*
 * Poster output: the walk over the tiles of a poster (which tile comes first and in which
 * direction the walk runs, from the placement of the whole poster area) and the cutting
 * marks drawn on each tile.
 */
#ifndef QM_RENDER_DRIVER_PAGE_POSTER_H
#define QM_RENDER_DRIVER_PAGE_POSTER_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/matrix2x3.h"

/* The order of a tile walk. */
enum TileOrder {
    TILE_ROW_MAJOR = 0,    // along each row, then the next row
    TILE_COLUMN_MAJOR = 1, // down each column, then the next column
};

/* A poster's tile walk: the grid, the placement of the whole poster area, the tile size in
 * 1/72 inch and where the walk starts and ends on each axis. */
struct TileWalk {
    LONG columns;
    LONG rows;
    Matrix2x3 matrix;
    float tileWidth;
    float tileHeight;
    LONG order; // a TileOrder
    LONG firstColumn;
    LONG lastColumn;
    LONG columnStep;
    LONG firstRow;
    LONG lastRow;
    LONG rowStep;
};

/* geo_SetTileOrder: sets the walk's order, steps and first and last column and row from
 * the signs of the walk matrix's a, b, c and d. A matrix that is no quarter turn gives -1
 * and leaves the walk unchanged. */
LONG geo_SetTileOrder(TileWalk *walk);

/* pg_SetMarkLineStyle: the marks' line style: width (hx + hy + 1) / 2, square cap, bevel
 * join, a dash of 40 and 10 units at 600 dpi scaled to the job resolution, black. */
LONG pg_SetMarkLineStyle(PDEV *pdev, LONG hx, LONG hy);

/* pg_DrawMarkLine: one painted segment from (x1, y1) to (x2, y2) in dots. */
LONG pg_DrawMarkLine(PDEV *pdev, LONG x1, LONG y1, LONG x2, LONG y2);

/* pg_DrawPosterMarks: the twelve cutting marks of a poster tile (corners and edge
 * centres), drawn after the tile's transform; ends with the identity transform and the
 * writer's page state reset. */
LONG pg_DrawPosterMarks(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_PAGE_POSTER_H */
