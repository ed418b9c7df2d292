/*
 * The public-field map's types and its life: built from the driver configuration file,
 * freed with its context. Nothing here needs a driver context, so the context's open and
 * close can build and free a map without including it.
 */
#ifndef QM_CORE_DEVMODE_MERGE_FIELD_MAP_TYPES_H
#define QM_CORE_DEVMODE_MERGE_FIELD_MAP_TYPES_H

#include <windows.h>

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

/* The file and section of dm_LoadFieldMap ("DME,<number>"). */
typedef struct FieldMapSource {
    LPCWSTR path;
    int section;
} FieldMapSource;

/* A translation handed out by dm_GetFieldMapPairs. */
typedef struct FieldMapPair {
    DWORD privateValue;
    DWORD windowsValue;
} FieldMapPair;

/* Results of the map functions besides FIELD_MAP_OK, FIELD_MAP_NO_MAP and FIELD_MAP_BAD_TABLE. */
#define FIELD_MAP_NO_MEMORY (-3)
#define FIELD_MAP_ACCESS_FAILED (-5)

#ifdef __cplusplus
extern "C" {
#endif

/* dm_CreateDefaultFieldMap: a new map with the six tables of the built-in description,
 * inactive. map: out. Returns 1, -1 for a NULL output, -3 out of memory (no map). */
int WINAPI dm_CreateDefaultFieldMap(DevmodeFieldMap **map);

/*
 * dm_LoadFieldMap: the map of section "DME,<section>" of the file: NULL when the file does
 * not exist or memory runs out at the start; an inactive default map without the section;
 * otherwise active with the file's keys (section and key names compared without case). Out
 * of memory later keeps what was built.
 */
DevmodeFieldMap *WINAPI dm_LoadFieldMap(const FieldMapSource *source);

/* dm_FreeFieldMap: frees the tables' entries, the tables and the map. Returns 1, -1 for NULL. */
int WINAPI dm_FreeFieldMap(DevmodeFieldMap *map);

/* dm_ReleaseFieldMap: dm_FreeFieldMap as 1 or 0. */
BOOL WINAPI dm_ReleaseFieldMap(DevmodeFieldMap *map);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_MERGE_FIELD_MAP_TYPES_H */
