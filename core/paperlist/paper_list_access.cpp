/*
 * Reading the device paper list of a context: whether there is one, its counts and the
 * fields of one entry.
 */
#include "core/paperlist/paper_list.h"

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
    const PaperListEntry *entry = &list->entries[index];
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
