/*
 * The printer's margin list: printer data "PaperMarginArray" (chunked), the entries'
 * bytes exactly, loaded, searched, changed and saved.
 */
#include "core/user_registry/margin_store.h"

#include "core/stored/stored.h"

#include <winspool.h>

#include <string.h>

/* A new list over entries (may be NULL) of size bytes; NULL when out of memory. */
static PaperMarginList *mlist_New(PaperMarginEntry *entries, DWORD size)
{
    PaperMarginList *list = (PaperMarginList *)GlobalAlloc(GPTR, sizeof(PaperMarginList));
    if (!list)
        return NULL;
    list->entries = entries;
    list->size = size;
    list->count = size / sizeof(PaperMarginEntry);
    return list;
}

/* 1 when the printer holds the list's size value at all. */
static BOOL mlist_IsStored(HANDLE printer)
{
    const WCHAR *sizeName = NULL;
    pd_GetStoredValueNames(SVK_PAPER_MARGIN_ARRAY, &sizeName, NULL);
    DWORD type = 0;
    DWORD needed = 0;
    DWORD value = 0;
    DWORD rc = GetPrinterDataW(printer, (LPWSTR)sizeName, &type, (BYTE *)&value, sizeof(value), &needed);
    return rc != ERROR_FILE_NOT_FOUND;
}

PaperMarginList *ureg_LoadMarginList(HANDLE printer)
{
    if (!printer)
        return NULL;
    DWORD size = 0;
    if (!pd_ReadStoredValue(printer, SVK_PAPER_MARGIN_ARRAY, NULL, &size)) {
        /* Nothing stored is an empty list; a value that is there but cannot be read is
           not, or a later save would replace it with the few entries set since. */
        if (size == 0 && !mlist_IsStored(printer))
            return mlist_New(NULL, 0);
        return NULL;
    }
    if (size % sizeof(PaperMarginEntry) != 0)
        return NULL;
    PaperMarginEntry *entries = (PaperMarginEntry *)GlobalAlloc(GPTR, size);
    if (!entries)
        return NULL;
    DWORD read = size;
    if (!pd_ReadStoredValue(printer, SVK_PAPER_MARGIN_ARRAY, entries, &read) || read != size) {
        GlobalFree(entries);
        return NULL;
    }
    PaperMarginList *list = mlist_New(entries, size);
    if (!list)
        GlobalFree(entries);
    return list;
}

LONG ureg_SaveMarginList(HANDLE printer, const PaperMarginList *list)
{
    if (!list || !list->entries || list->count == 0)
        return UREG_MARGIN_BAD_ARGUMENT;
    DWORD size = list->count * (DWORD)sizeof(PaperMarginEntry);
    if (!pd_WriteStoredValue(printer, list->entries, size, SVK_PAPER_MARGIN_ARRAY))
        return UREG_MARGIN_WRITE_FAILED;
    return UREG_MARGIN_OK;
}

LONG ureg_FreeMarginList(PaperMarginList *list)
{
    if (!list)
        return UREG_MARGIN_NOT_FOUND;
    if (list->entries)
        GlobalFree(list->entries);
    GlobalFree(list);
    return UREG_MARGIN_OK;
}

/* The paper's entry, or NULL. */
static PaperMarginEntry *mlist_Find(const PaperMarginList *list, DWORD paper)
{
    if (!list || !list->entries || paper > UREG_MARGIN_MAX_PAPER)
        return NULL;
    for (DWORD i = 0; i < list->count; ++i)
        if (list->entries[i].paper == paper)
            return &list->entries[i];
    return NULL;
}

LONG ureg_FindMargins(void *reserved, const PaperMarginList *list, DWORD paper, PaperMargins *margins)
{
    (void)reserved;
    const PaperMarginEntry *entry = mlist_Find(list, paper);
    if (!entry || !margins)
        return UREG_MARGIN_NOT_FOUND;
    *margins = entry->margins;
    return UREG_MARGIN_OK;
}

LONG ureg_SetMarginsInList(void *reserved, PaperMarginList *list, DWORD paper, const PaperMargins *margins)
{
    (void)reserved;
    if (!list || !margins || paper > UREG_MARGIN_MAX_PAPER)
        return UREG_MARGIN_NOT_FOUND;
    PaperMarginEntry *entry = mlist_Find(list, paper);
    if (entry) {
        entry->margins = *margins;
        return UREG_MARGIN_OK;
    }
    DWORD size = (list->count + 1) * (DWORD)sizeof(PaperMarginEntry);
    PaperMarginEntry *entries = (PaperMarginEntry *)GlobalAlloc(GPTR, size);
    if (!entries)
        return UREG_MARGIN_NOT_FOUND;
    if (list->entries) {
        memcpy(entries, list->entries, list->count * sizeof(PaperMarginEntry));
        GlobalFree(list->entries);
    }
    entry = &entries[list->count];
    entry->paper = (WORD)paper;
    entry->reserved = 0;
    entry->margins = *margins;
    list->entries = entries;
    list->count += 1;
    list->size = size;
    return UREG_MARGIN_OK;
}

LONG ureg_PutMarginsInList(HANDLE printer, DWORD paper, const PaperMargins *shown, PaperMarginList *list, DWORD kind)
{
    (void)printer;
    if (!shown)
        return UREG_MARGIN_BAD_ARGUMENT;
    PaperMargins stored;
    PaperMargins view = *shown;
    LONG result = ureg_OrientMargins(UREG_MARGIN_STORED_FROM_SHOWN, kind, &stored, &view);
    if (result != UREG_MARGIN_OK)
        return result;
    return ureg_SetMarginsInList(NULL, list, paper, &stored);
}

LONG ureg_GetListMargins(HANDLE printer, DWORD paper, PaperMargins *shown, const PaperMarginList *list, DWORD kind)
{
    (void)printer;
    PaperMargins stored;
    LONG result = ureg_FindMargins(NULL, list, paper, &stored);
    if (result != UREG_MARGIN_OK)
        return result;
    PaperMargins view;
    result = ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, kind, &stored, &view);
    if (!shown)
        return UREG_MARGIN_BAD_ARGUMENT;
    if (result == UREG_MARGIN_OK)
        *shown = view;
    return result;
}
