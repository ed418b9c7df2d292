/*
 * The public-field map: how a site adjusts the understanding of public DEVMODE values
 * (section "DME,1" of the driver configuration file). It can force dmFields bits on or
 * off, translate Windows values of dmDefaultSource, dmMediaType and dmCollate into the
 * driver's private values, choose how the resolution is merged, tie the colour mode to
 * dmColor, and switch the device paper list on ("formdb"). The context owns its map; the
 * map holds pointers but never crosses a module boundary.
 */
#ifndef QM_CORE_DEVMODE_MERGE_FIELD_MAP_H
#define QM_CORE_DEVMODE_MERGE_FIELD_MAP_H

#include "core/context/driver_context.h"

/* Tables of the map, in their order. */
#define FIELD_MAP_FIELDS 0
#define FIELD_MAP_COLLATE 1
#define FIELD_MAP_RESOLUTION 2
#define FIELD_MAP_BIN 3
#define FIELD_MAP_MEDIA 4
#define FIELD_MAP_COLOR 5
#define FIELD_MAP_TABLE_COUNT 6

/* Results of the map accessors. */
#define FIELD_MAP_OK 1
#define FIELD_MAP_NO_MAP (-1)
#define FIELD_MAP_BAD_TABLE (-2)

/* One translation: a private value and the Windows value that stands for it. */
typedef struct FieldMapEntry {
    DWORD privateValue;
    DWORD windowsValue;
    BYTE differs; /* 1 when the two values differ */
} FieldMapEntry;

/* One table of the map. */
typedef struct FieldMapTable {
    WORD functionId; /* the public field the table is about */
    DWORD changed;   /* 1 when the file gave any key of the table */
    WORD merge;
    WORD defaultValue;
    WORD mode;
    WORD windowsValue;
    WORD entryCount;
    FieldMapEntry *entries;
} FieldMapTable;

/* The map (built when the context opens). */
typedef struct DevmodeFieldMap {
    DWORD active; /* non-zero when the configuration file has the section */
    WORD formdb;  /* 1: the device paper list is in use */
    WORD tableCount;
    FieldMapTable *tables; /* FIELD_MAP_TABLE_COUNT tables */
} DevmodeFieldMap;

#ifdef __cplusplus
extern "C" {
#endif

/* dm_IsFieldMapActive: the map's active value, 0 for NULL. */
DWORD WINAPI dm_IsFieldMapActive(struct DevmodeFieldMap *map);

/* dm_IsFormDbMode: 1 when the map's formdb is 1; 0 for NULL. */
BOOL WINAPI dm_IsFormDbMode(struct DevmodeFieldMap *map);

/* dm_GetFieldMapTable: table n (0-5) in table. Returns 1, or -1 for a NULL map, a NULL
 * output or n past the tables. */
int WINAPI dm_GetFieldMapTable(struct DevmodeFieldMap *map, FieldMapTable **table, WORD n);

/* dm_GetFieldMapMerge: table n's "merge" in merge: 1; -1 for a NULL map or output, -2 when
 * n is not 1-4. */
int WINAPI dm_GetFieldMapMerge(struct DevmodeFieldMap *map, WORD n, WORD *merge);

/* dm_GetFieldMapMode: table n's "mode" in mode: 1; -1 for a NULL map or output, -2 when n
 * is not 2 or 5. */
int WINAPI dm_GetFieldMapMode(struct DevmodeFieldMap *map, WORD n, WORD *mode);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_MERGE_FIELD_MAP_H */
