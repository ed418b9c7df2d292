/*
 * Binding-position tables: the user's choice of an edge or position (settings 325, 326,
 * 344) turned into the device value (settings 267, 320, 341) by page orientation and
 * pages per sheet, and back.
 */
#ifndef QM_CORE_SETTINGS_BINDING_POSITION_H
#define QM_CORE_SETTINGS_BINDING_POSITION_H

#include "core/settings/settings_types.h"

/* A lookup: orientation (setting 7), pages per sheet (295), device value, user choice. */
typedef struct PositionQuery {
    WORD orientation;
    WORD pagesPerSheet;
    WORD deviceValue;
    WORD userChoice;
} PositionQuery;

/* One row of a position table; layout class 99 ends a table. */
typedef struct PositionRow {
    WORD orientation;
    WORD layoutClass; /* 1: 1, 4, 16 pages per sheet; 2: 2, 8, 32 */
    WORD value;
    WORD alternative;
} PositionRow;

enum {
    POSITION_CLASS_END = 99,
    POSITION_NO_CHOICE = 0xFFFF, /* index-table entry matching no choice */
    POSITION_INDEX_ROWS = 16
};

/* Device values of one index row: rotation A (portrait class 1, landscape class 2), B the others. */
typedef struct PositionPair {
    WORD rotationA;
    WORD rotationB;
} PositionPair;

/* Tables of position_tables.cpp. */
extern const WORD g_PositionIndex[POSITION_INDEX_ROWS][2]; /* user choices: 320, 341 columns */
extern const PositionPair g_PositionPairs320[POSITION_INDEX_ROWS];
extern const PositionPair g_PositionPairs341[POSITION_INDEX_ROWS];
extern const PositionPair g_EdgePairs[4]; /* user choices 1-4 */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Device edge code to user choice: 0 -> 0; 1, 3 -> 3; 2, 7 -> 4; 4, 8 -> 2; 5, 6 -> 1.
 * Returns 0, or 1 for another code or a NULL out (out is then not written).
 */
LONG WINAPI opt_MapPositionCode(WORD code, WORD *out);

/*
 * Looks the query up in a table ended by class 99: the first row with the query's
 * orientation and the class of its pages per sheet gives *out (its value, or its
 * alternative when selector is 1). Returns 0 found, 1 not found or NULL argument.
 */
LONG WINAPI opt_LookupPosition(const PositionRow *table, const PositionQuery *query, WORD selector, WORD *out);

/* Device value of setting 267 from the user choice (325) in the query. 0 found, 1 not. */
LONG WINAPI opt_MapOrientedEdge(const PositionQuery *query, WORD *out);

/* Device value of setting 320 or 341 from the user choice (326 or 344). 0 found, 1 not. */
LONG WINAPI opt_MapOrientedPosition(WORD functionId, const PositionQuery *query, WORD *out);

/*
 * User choice (326 or 344) from the device value of 320 or 341 in the query: the first
 * index row whose table gives that device value. 0 found, 1 not.
 */
LONG WINAPI opt_MapPositionToChoice(WORD functionId, const PositionQuery *query, WORD *out);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SETTINGS_BINDING_POSITION_H */
