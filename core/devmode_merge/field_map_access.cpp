/*
 * Reading the public-field map: whether it is active, the formdb switch, and one table
 * with its "merge" and "mode" values.
 */
#include "core/devmode_merge/field_map.h"

/* Table n of a map with its tables, or NULL. */
static FieldMapTable *fmap_Table(DevmodeFieldMap *map, WORD n)
{
    if (!map->tables || n >= map->tableCount || n >= FIELD_MAP_TABLE_COUNT) {
        return NULL;
    }
    return &map->tables[n];
}

DWORD WINAPI dm_IsFieldMapActive(DevmodeFieldMap *map)
{
    return map ? map->active : 0;
}

BOOL WINAPI dm_IsFormDbMode(DevmodeFieldMap *map)
{
    return map && map->formdb == 1;
}

int WINAPI dm_GetFieldMapTable(DevmodeFieldMap *map, FieldMapTable **table, WORD n)
{
    if (!map || !table) {
        return FIELD_MAP_NO_MAP;
    }
    FieldMapTable *found = fmap_Table(map, n);
    if (!found) {
        return FIELD_MAP_NO_MAP;
    }
    *table = found;
    return FIELD_MAP_OK;
}

int WINAPI dm_GetFieldMapMerge(DevmodeFieldMap *map, WORD n, WORD *merge)
{
    if (!map || !merge) {
        return FIELD_MAP_NO_MAP;
    }
    FieldMapTable *table = n >= FIELD_MAP_COLLATE && n <= FIELD_MAP_MEDIA ? fmap_Table(map, n) : NULL;
    if (!table) {
        return FIELD_MAP_BAD_TABLE;
    }
    *merge = table->merge;
    return FIELD_MAP_OK;
}

int WINAPI dm_GetFieldMapMode(DevmodeFieldMap *map, WORD n, WORD *mode)
{
    if (!map || !mode) {
        return FIELD_MAP_NO_MAP;
    }
    FieldMapTable *table = n == FIELD_MAP_RESOLUTION || n == FIELD_MAP_COLOR ? fmap_Table(map, n) : NULL;
    if (!table) {
        return FIELD_MAP_BAD_TABLE;
    }
    *mode = table->mode;
    return FIELD_MAP_OK;
}
