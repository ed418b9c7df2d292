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
#include "core/devmode_merge/field_map_types.h"

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

/* dm_MapWindowsToPrivate: the private value of a Windows value: the first entry with it,
 * differing entries first; else the table's default when non-zero; else the value itself.
 * Returns 1, -1 for a NULL argument. */
int WINAPI dm_MapWindowsToPrivate(const FieldMapTable *table, DWORD windowsValue, DWORD *privateValue);

/* dm_MapInputPublicValues: rewrites the DEVMODE's dmCollate, dmDefaultSource and
 * dmMediaType from Windows to private values (tables 1, 3, 4). Returns 1, -1 for a NULL
 * argument, -5 on a failed read or write. */
int WINAPI dm_MapInputPublicValues(DevmodeFieldMap *map, DriverDevmode *devmode);

/*
 * dm_MapInputFields: the input's dmFields as the map adjusts them: "fields" entries with
 * Windows value 1 clear their bit, 2 set it; "collate" merge 1 sets DM_COLLATE, 2 sets it
 * when the translated collate is 0 (else clears), 0 clears; "resolution", "bin" and "media"
 * merge 1 set their bits, other values clear them. fields: out. Returns 1 or the failing
 * table access's code.
 */
int WINAPI dm_MapInputFields(DevmodeFieldMap *map, DWORD inputFields, DWORD collate, DWORD *fields);

/*
 * dm_GetFieldMapPairs: the differing entries of table n (1, 3 or 4) as pairs in a new
 * global block (free with GlobalFree), or count 0 and NULL. Returns 1, -1 for a NULL
 * argument, -2 for another table, -3 out of memory.
 */
int WINAPI dm_GetFieldMapPairs(DevmodeFieldMap *map, WORD n, WORD *count, FieldMapPair **pairs);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_MERGE_FIELD_MAP_H */
