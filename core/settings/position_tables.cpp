/*
 * Binding-position data. Rotation A is portrait with layout class 1 and landscape with
 * class 2, rotation B the other two. Each index row's four-row table is built from its
 * pair: in B the positions that are not fixed turn a quarter (1->2->4->3->1,
 * 5->6->7->8->5); the alternative column holds the other rotation's value.
 */
#include "core/settings/binding_position.h"

/* User choices per index row: column 0 for setting 320, column 1 for setting 341. */
const WORD g_PositionIndex[POSITION_INDEX_ROWS][2] = {
    {0, 0},
    {257, 257},
    {514, 514},
    {771, 771},
    {1028, 1028},
    {259, POSITION_NO_CHOICE},
    {260, POSITION_NO_CHOICE},
    {516, POSITION_NO_CHOICE},
    {515, POSITION_NO_CHOICE},
    {1542, 1542},
    {1799, POSITION_NO_CHOICE},
    {2056, POSITION_NO_CHOICE},
    {2313, 257},
    {2570, 514},
    {2827, 771},
    {3084, 1028},
};

/* Setting 320: row r gives device value r in rotation A; rows 0 and 9-15 are fixed. */
const PositionPair g_PositionPairs320[POSITION_INDEX_ROWS] = {
    {0, 0},
    {1, 2},
    {2, 4},
    {3, 1},
    {4, 3},
    {5, 6},
    {6, 7},
    {7, 8},
    {8, 5},
    {9, 9},
    {10, 10},
    {11, 11},
    {12, 12},
    {13, 13},
    {14, 14},
    {15, 15},
};

/* Setting 341: rows 1-4 give 1-4, row 9 gives 5 (fixed), rows 12-15 copy rows 1-4. */
const PositionPair g_PositionPairs341[POSITION_INDEX_ROWS] = {
    {0, 0},
    {1, 2},
    {2, 4},
    {3, 1},
    {4, 3},
    {0, 0},
    {0, 0},
    {0, 0},
    {0, 0},
    {5, 5},
    {0, 0},
    {0, 0},
    {1, 2},
    {2, 4},
    {3, 1},
    {4, 3},
};

/* Setting 267 by user choice 1-4 (choice 0 needs no lookup). */
const PositionPair g_EdgePairs[4] = {
    {6, 5},
    {8, 4},
    {1, 3},
    {2, 7},
};
