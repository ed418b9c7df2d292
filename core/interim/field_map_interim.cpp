/* Stands in for the DEVMODE merge's public-field map: no context holds a map, so every map answers as absent. */
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
