/*
 * Interim answers of the public-field map, until it is built: no context holds a map yet,
 * so every map is answered as absent. This file holds exactly these calls, so that the
 * map's own file replaces it whole.
 */
#include "core/devmode_merge/field_map.h"

DWORD WINAPI dm_IsFieldMapActive(struct DevmodeFieldMap *map)
{
    (void)map;
    return 0;
}

int WINAPI dm_GetFieldMapMerge(struct DevmodeFieldMap *map, WORD n, WORD *merge)
{
    (void)map;
    (void)n;
    (void)merge;
    return -1;
}
