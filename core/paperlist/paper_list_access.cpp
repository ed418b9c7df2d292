/*
 * Reading the device paper list of a context: whether there is one and is in use, its
 * counts, the fields of one entry and the first entry with a given key.
 */
#include "core/paperlist/paper_list.h"

#include "core/devmode_merge/field_map.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"

static_assert(sizeof(PaperListEntry) == 160, "PaperListEntry");

/* The context's list, or NULL. */
static const PaperList *pl_Of(const DriverContext *context)
{
    return (const PaperList *)context->paperList;
}

BOOL WINAPI opt_HasPaperList(const DriverContext *context)
{
    return context && context->paperList;
}

int WINAPI opt_CountPapers(const DriverContext *context, WORD *count, int kind)
{
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    const PaperList *list = pl_Of(context);
    if (!list) {
        return PAPER_LIST_NONE;
    }
    if (!count) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    WORD all = (WORD)(list->modelCount + list->extraCount);
    switch (kind) {
    case PAPER_COUNT_MODEL: *count = list->modelCount; break;
    case PAPER_COUNT_EXTRA: *count = list->extraCount; break;
    case PAPER_COUNT_ALL: *count = all; break;
    case PAPER_COUNT_ALL_BUT_CUSTOM: {
        BOOL custom = FALSE;
        for (WORD i = 0; i < list->modelCount; ++i) {
            custom = custom || list->entries[i].formNumber == 0;
        }
        *count = (WORD)(all - (custom ? 1 : 0));
        break;
    }
    default: return PAPER_LIST_BAD_ARGUMENT;
    }
    return PAPER_LIST_OK;
}

/* Writes a field of an entry. Returns 1, or -100 for a bad field. */
static int pl_Field(const PaperListEntry *entry, int field, void *out)
{
    switch (field) {
    case PAPER_FIELD_ID: *(WORD *)out = entry->paperId; break;
    case PAPER_FIELD_FORM: *(WORD *)out = (WORD)entry->formNumber; break;
    case PAPER_FIELD_NAME: *(const WCHAR **)out = entry->name; break;
    case PAPER_FIELD_SIZE:
        ((LONG *)out)[0] = entry->width / 100;
        ((LONG *)out)[1] = entry->height / 100;
        break;
    default: return PAPER_LIST_BAD_ARGUMENT;
    }
    return PAPER_LIST_OK;
}

int WINAPI opt_GetPaperAt(const DriverContext *context, DWORD index, int field, void *out)
{
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    const PaperList *list = pl_Of(context);
    if (!list) {
        return PAPER_LIST_NONE;
    }
    if (!out) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    if (index >= (DWORD)list->modelCount + list->extraCount) {
        return PAPER_LIST_NOT_FOUND;
    }
    return pl_Field(&list->entries[index], field, out);
}

/* 1 when the two texts are equal character by character. */
static BOOL pl_SameName(const WCHAR *a, const WCHAR *b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

/* 1 when the entry's key of that kind equals key. */
static BOOL pl_KeyMatches(const PaperListEntry *entry, int keyKind, const void *key)
{
    switch (keyKind) {
    case PAPER_KEY_ID: return entry->paperId == *(const WORD *)key;
    case PAPER_KEY_FORM: return (WORD)entry->formNumber == *(const WORD *)key;
    default: return pl_SameName(entry->name, (const WCHAR *)key);
    }
}

int WINAPI opt_FindPaper(const DriverContext *context, int keyKind, const void *key, int field, void *out)
{
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    const PaperList *list = pl_Of(context);
    if (!list) {
        return PAPER_LIST_NONE;
    }
    if (!key || !out || keyKind < PAPER_KEY_ID || keyKind > PAPER_KEY_NAME || field < PAPER_FIELD_ID ||
        field > PAPER_FIELD_SIZE) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    DWORD all = (DWORD)list->modelCount + list->extraCount;
    for (DWORD i = 0; i < all; ++i) {
        if (pl_KeyMatches(&list->entries[i], keyKind, key)) {
            return pl_Field(&list->entries[i], field, out);
        }
    }
    return PAPER_LIST_NOT_FOUND;
}

DWORD WINAPI opt_UsesDevicePaperList(const PaperListUseRequest *request)
{
    if (!request || !request->context || !dm_IsFormDbMode(request->context->fieldMap)) {
        return 0;
    }
    LONG value = 0;
    if (!util_ReadSettingLong(FID_FIELD_MAP_SWITCH, NULL, request->block, &value)) {
        return 0;
    }
    return (DWORD)value;
}
