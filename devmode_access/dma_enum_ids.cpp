/*
 * The public identifiers of a target, listed with their type flags: every setting of the
 * location table (target 1) or the fields of a data kind (targets 2-5). Settings without a
 * public identifier are left out. A list too short for all of them still receives as many
 * as fit, and the count always tells the total.
 */
#include "devmode_access/dma_private.h"

#include "core/settings/settings_tables.h"
#include "core/user_registry/paper_margins.h"

/* The walk over a target: the program's list, its capacity and the identifiers so far. */
typedef struct DmaIdWalk {
    DmaIdEntry *list;
    DWORD capacity;
    DWORD total;
    BOOL badType;
} DmaIdWalk;

static void dma_AddId(DmaIdWalk *walk, WORD functionId, WORD type);

/* Adds the setting when it has a public identifier: its flags are 1 for a string, 2 for a
 * log font, neither for a number; the entry's other flag bits stay as the program left
 * them. Another type marks the walk bad. */
static void dma_AddId(DmaIdWalk *walk, WORD functionId, WORD type)
{
    WORD publicId = dma_FunctionIdToPublicId(functionId);
    if (publicId == 0)
        return;
    // Every type with a width is a number, but strings and log fonts.
    DWORD flags = type == VT_STRING ? DMA_ID_STRING : type == VT_LOGFONT ? DMA_ID_LOGFONT : 0;
    if (dma_GetTypeWidth(type) == 0) {
        walk->badType = TRUE;
        return;
    }
    if (walk->list != nullptr && walk->total < walk->capacity) {
        DmaIdEntry *entry = &walk->list[walk->total];
        entry->publicId = publicId;
        entry->flags = (entry->flags & ~(DWORD)(DMA_ID_STRING | DMA_ID_LOGFONT)) | flags;
    }
    walk->total++;
}

DmaResult WINAPI DMA_EnumDMAID_ByTargetInfo(DmaSettingsSet *handle, DWORD target, WORD *count, DmaIdEntry *list)
{
    if (handle == nullptr || count == nullptr)
        return DMA_BAD_ARGUMENT;
    DmaIdWalk walk = {list, list != nullptr ? *count : 0u, 0, FALSE};
    const DmaKind *kind = dma_FindKind(target);
    if (target == DMA_TARGET_ALL_SETTINGS) {
        for (const SettingLocationRange *range = g_SettingLocationRanges; range->locations != nullptr; ++range) {
            for (const SettingLocation *row = range->locations; row->functionId != 0; ++row)
                dma_AddId(&walk, row->functionId, row->storedType);
        }
    } else if (kind != nullptr && kind->nameForm == DMA_NAME_PAPER) {
        // The margin list: the four margin settings.
        for (const MarginSettingRow &row : g_MarginSettingRows)
            dma_AddId(&walk, row.functionId, VT_LONG32);
    } else if (kind != nullptr) {
        for (DWORD i = 0; i < kind->fields; ++i)
            dma_AddId(&walk, kind->map[i].functionId, kind->map[i].type);
    } else {
        return DMA_KIND_RANGE;
    }
    if (walk.badType || walk.total > 0xFFFF)
        return DMA_BAD_ARGUMENT;
    *count = (WORD)walk.total;
    return list != nullptr && walk.total <= walk.capacity ? DMA_SUCCESS : DMA_MORE_DATA;
}
