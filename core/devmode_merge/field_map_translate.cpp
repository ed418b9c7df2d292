/*
 * Translating with the public-field map: Windows values into private ones, the input's
 * collate, source and media values in place, the input's dmFields, and the differing
 * pairs of a table for the device capabilities.
 */
#include "core/devmode_merge/field_map.h"

#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"

enum { COLLATE_BIT = DM_COLLATE, RESOLUTION_BITS = DM_PRINTQUALITY | DM_YRESOLUTION };

/* The tables that decide one group of dmFields bits by their "merge". */
typedef struct MergeBits {
    WORD table;
    DWORD bits;
} MergeBits;

static const MergeBits kMergeBits[] = {
    {FIELD_MAP_RESOLUTION, RESOLUTION_BITS}, {FIELD_MAP_BIN, DM_DEFAULTSOURCE}, {FIELD_MAP_MEDIA, DM_MEDIATYPE}};

/* The public fields translated in place and their tables. */
static const MergeBits kTranslated[] = {
    {FIELD_MAP_COLLATE, FID_COLLATE}, {FIELD_MAP_BIN, FID_DEFAULT_SOURCE}, {FIELD_MAP_MEDIA, FID_MEDIA_TYPE}};

int WINAPI dm_MapWindowsToPrivate(const FieldMapTable *table, DWORD windowsValue, DWORD *privateValue)
{
    if (!table || !privateValue) {
        return FIELD_MAP_NO_MAP;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (WORD i = 0; i < table->entryCount; ++i) {
            const FieldMapEntry *e = &table->entries[i];
            if ((pass == 1 || e->differs) && e->windowsValue == windowsValue) {
                *privateValue = e->privateValue;
                return FIELD_MAP_OK;
            }
        }
    }
    *privateValue = table->defaultValue ? table->defaultValue : windowsValue;
    return FIELD_MAP_OK;
}

int WINAPI dm_MapInputPublicValues(DevmodeFieldMap *map, DriverDevmode *devmode)
{
    if (!map || !devmode) {
        return FIELD_MAP_NO_MAP;
    }
    for (const MergeBits &t : kTranslated) {
        FieldMapTable *table = NULL;
        if (dm_GetFieldMapTable(map, &table, t.table) != FIELD_MAP_OK) {
            return FIELD_MAP_NO_MAP;
        }
        WORD functionId = (WORD)t.bits;
        WORD type = 0;
        DWORD size = 0;
        DWORD_PTR value = 0;
        if (dma_GetFunctionValue(functionId, devmode, NULL, &type, &size, &value) != SST_OK) {
            return FIELD_MAP_ACCESS_FAILED;
        }
        DWORD privateValue = 0;
        dm_MapWindowsToPrivate(table, dma_ValueToDword(type, &value), &privateValue);
        DWORD_PTR slot = 0;
        if (!dma_StoreValueInSlot(type, &slot, &privateValue) ||
            dma_SetFunctionValue(functionId, devmode, NULL, type, size, &slot) != SST_OK) {
            return FIELD_MAP_ACCESS_FAILED;
        }
    }
    return FIELD_MAP_OK;
}

int WINAPI dm_MapInputFields(DevmodeFieldMap *map, DWORD inputFields, DWORD collate, DWORD *fields)
{
    if (!map || !fields) {
        return FIELD_MAP_NO_MAP;
    }
    FieldMapTable *table = NULL;
    int result = dm_GetFieldMapTable(map, &table, FIELD_MAP_FIELDS);
    if (result != FIELD_MAP_OK) {
        return result;
    }
    DWORD out = inputFields;
    for (WORD i = 0; i < table->entryCount; ++i) {
        const FieldMapEntry *e = &table->entries[i];
        if (e->windowsValue == 1) {
            out &= ~e->privateValue;
        } else if (e->windowsValue == 2) {
            out |= e->privateValue;
        }
    }
    WORD merge = 0;
    result = dm_GetFieldMapMerge(map, FIELD_MAP_COLLATE, &merge);
    if (result != FIELD_MAP_OK) {
        return result;
    }
    if (merge == 1 || (merge == 2 && collate == 0)) {
        out |= COLLATE_BIT;
    } else if (merge == 0 || merge == 2) {
        out &= ~(DWORD)COLLATE_BIT;
    }
    for (const MergeBits &m : kMergeBits) {
        result = dm_GetFieldMapMerge(map, m.table, &merge);
        if (result != FIELD_MAP_OK) {
            return result;
        }
        out = merge == 1 ? out | m.bits : out & ~m.bits;
    }
    *fields = out;
    return FIELD_MAP_OK;
}

int WINAPI dm_GetFieldMapPairs(DevmodeFieldMap *map, WORD n, WORD *count, FieldMapPair **pairs)
{
    if (!map || !count || !pairs) {
        return FIELD_MAP_NO_MAP;
    }
    *count = 0;
    *pairs = NULL;
    if (n != FIELD_MAP_COLLATE && n != FIELD_MAP_BIN && n != FIELD_MAP_MEDIA) {
        return FIELD_MAP_BAD_TABLE;
    }
    FieldMapTable *table = NULL;
    if (dm_GetFieldMapTable(map, &table, n) != FIELD_MAP_OK) {
        return FIELD_MAP_NO_MAP;
    }
    WORD differing = 0;
    for (WORD i = 0; i < table->entryCount; ++i) {
        differing = (WORD)(differing + (table->entries[i].differs ? 1 : 0));
    }
    if (differing == 0) {
        return FIELD_MAP_OK;
    }
    FieldMapPair *out = (FieldMapPair *)GlobalAlloc(GPTR, differing * sizeof(FieldMapPair));
    if (!out) {
        return FIELD_MAP_NO_MEMORY;
    }
    WORD k = 0;
    for (WORD i = 0; i < table->entryCount; ++i) {
        if (table->entries[i].differs) {
            out[k].privateValue = table->entries[i].privateValue;
            out[k].windowsValue = table->entries[i].windowsValue;
            ++k;
        }
    }
    *count = differing;
    *pairs = out;
    return FIELD_MAP_OK;
}
