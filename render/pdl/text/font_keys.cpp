/*
 * The job's download keys of fonts.
 */
#include "render/pdl/text/text_job.h"

#include <string.h>

/* Keys the table grows by. */
static const DWORD kKeyStep = 32;

BOOL fnt_GetFontKey(FontKeyTable **table, ULONG uniq, WORD *key)
{
    if (table == NULL || key == NULL) {
        return FALSE;
    }
    if (*table == NULL) {
        *table = (FontKeyTable *)GlobalAlloc(GPTR, sizeof(FontKeyTable));
        if (*table == NULL) {
            return FALSE;
        }
    }
    FontKeyTable *keys = *table;
    for (DWORD i = 0; i < keys->count; ++i) {
        if (keys->uniqs[i] == uniq) {
            *key = (WORD)(i + 1);
            return TRUE;
        }
    }
    if (keys->count >= FONT_KEY_LIMIT) {
        return FALSE;
    }
    if (keys->count == keys->capacity) {
        DWORD capacity = keys->capacity + kKeyStep;
        ULONG *grown = (ULONG *)GlobalAlloc(GMEM_FIXED, capacity * sizeof(ULONG));
        if (grown == NULL) {
            return FALSE;
        }
        if (keys->uniqs != NULL) {
            memcpy(grown, keys->uniqs, keys->count * sizeof(ULONG));
            GlobalFree(keys->uniqs);
        }
        keys->uniqs = grown;
        keys->capacity = capacity;
    }
    keys->uniqs[keys->count++] = uniq;
    *key = (WORD)keys->count;
    return TRUE;
}

void fnt_FreeFontKeys(FontKeyTable **table)
{
    if (table == NULL || *table == NULL) {
        return;
    }
    if ((*table)->uniqs != NULL) {
        GlobalFree((*table)->uniqs);
    }
    GlobalFree(*table);
    *table = NULL;
}
