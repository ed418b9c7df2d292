/*
 * The public-field map's answers that the setting handlers read. Until the DEVMODE merge
 * and its field map are built, interim bodies (field_map_interim.cpp) answer as for a
 * context without a map.
 */
#ifndef QM_CORE_DEVMODE_MERGE_FIELD_MAP_H
#define QM_CORE_DEVMODE_MERGE_FIELD_MAP_H

#include "core/context/driver_context.h"

/* Tables of the map. */
#define FIELD_MAP_COLLATE 1
#define FIELD_MAP_BIN 3

#ifdef __cplusplus
extern "C" {
#endif

/* dm_IsFieldMapActive: the map's active value, 0 for NULL. */
DWORD WINAPI dm_IsFieldMapActive(struct DevmodeFieldMap *map);

/* dm_GetFieldMapMerge: table n's "merge" in merge: 1; -1 for a NULL map, -2 when n is not
 * 1-4. */
int WINAPI dm_GetFieldMapMerge(struct DevmodeFieldMap *map, WORD n, WORD *merge);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_MERGE_FIELD_MAP_H */
