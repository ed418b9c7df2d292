/*
 * The walk over the tiles of a poster.
 */
#include "render/driver/page/poster.h"

/* The sign of a matrix entry: +1, -1 or 0. */
static int tiles_Sign(float value)
{
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

LONG geo_SetTileOrder(TileWalk *walk)
{
    if (walk == NULL)
        return -1;
    int a = tiles_Sign(walk->matrix.a);
    int b = tiles_Sign(walk->matrix.b);
    int c = tiles_Sign(walk->matrix.c);
    int d = tiles_Sign(walk->matrix.d);
    // Only a quarter turn (a pure rotation or mirror by right angles) maps tiles to tiles.
    if ((a == 0) != (b != 0) || (c == 0) != (d != 0))
        return -1;
    // The default (and the upright page, a > 0 and d < 0): rows from the last, left to right.
    walk->order = TILE_ROW_MAJOR;
    walk->columnStep = 1;
    walk->rowStep = -1;
    if (b != 0 && b == c) {
        walk->order = TILE_COLUMN_MAJOR;
        walk->rowStep = 1;
    }
    walk->firstColumn = 0;
    walk->lastColumn = walk->columns - 1;
    if (walk->rowStep < 0) {
        walk->firstRow = walk->rows - 1;
        walk->lastRow = 0;
    } else {
        walk->firstRow = 0;
        walk->lastRow = walk->rows - 1;
    }
    return 0;
}
