/*
 * The font substitution table: pairs of zero-terminated wide strings (TrueType face
 * name, device font name) ended by an empty string. Built from the description data,
 * looked up, edited into a new table, and stored as printer data (stored-value kind 0).
 */
#include "core/stored/stored.h"

#include "core/ddd/ddd.h"

#include <string.h>

enum {
    FST_FIRST_CAPACITY = 1279, /* bytes of a new table */
    FST_GROWTH = 1280          /* bytes added when a pair does not fit */
};

static BOOL fst_AppendPair(BYTE **table, DWORD *capacity, DWORD *used, const WCHAR *face, const WCHAR *device);
static BOOL fst_AppendRecord(BYTE **table, DWORD *capacity, DWORD *used, const void *record);
static WCHAR *fst_Concat(const WCHAR *a, DWORD aBytes, const WCHAR *b, DWORD bBytes, const WCHAR *c, DWORD cBytes);
static const WCHAR *fst_FindPair(const WCHAR *table, const WCHAR *face);
static BOOL fst_IsWholeTable(const BYTE *bytes, DWORD total);
static DWORD fst_TextBytes(const WCHAR *text);

/* Appends face and device with their terminators, growing the table until the pair and
 * the closing empty string fit. */
static BOOL fst_AppendPair(BYTE **table, DWORD *capacity, DWORD *used, const WCHAR *face, const WCHAR *device)
{
    DWORD faceBytes = fst_TextBytes(face);
    DWORD deviceBytes = fst_TextBytes(device);
    while (*capacity - *used < faceBytes + deviceBytes + sizeof(WCHAR)) {
        BYTE *grown = (BYTE *)GlobalAlloc(GPTR, *capacity + FST_GROWTH);
        if (!grown)
            return FALSE;
        memcpy(grown, *table, *used);
        GlobalFree(*table);
        *table = grown;
        *capacity += FST_GROWTH;
    }
    memcpy(*table + *used, face, faceBytes);
    *used += faceBytes;
    memcpy(*table + *used, device, deviceBytes);
    *used += deviceBytes;
    return TRUE;
}

/* Appends one pair per face name of a type-11 record (its name is the device font). */
static BOOL fst_AppendRecord(BYTE **table, DWORD *capacity, DWORD *used, const void *record)
{
    const WCHAR *device = ddd_GetRecordString(record);
    if (!device)
        return FALSE;
    for (WORD e = 1;; ++e) {
        const WCHAR *face = NULL;
        DddStatus status = ddd_GetNamedDataText(record, e, &face);
        if (status == DDD_NOT_FOUND)
            return TRUE;
        if (status != DDD_OK || !face || !fst_AppendPair(table, capacity, used, face, device))
            return FALSE;
    }
}

/* A new table of three slices laid end to end and one zero character. */
static WCHAR *fst_Concat(const WCHAR *a, DWORD aBytes, const WCHAR *b, DWORD bBytes, const WCHAR *c, DWORD cBytes)
{
    BYTE *table = (BYTE *)GlobalAlloc(GPTR, aBytes + bBytes + cBytes + sizeof(WCHAR));
    if (!table)
        return NULL;
    if (aBytes)
        memcpy(table, a, aBytes);
    if (bBytes)
        memcpy(table + aBytes, b, bBytes);
    if (cBytes)
        memcpy(table + aBytes + bBytes, c, cBytes);
    return (WCHAR *)table;
}

/* The pair whose face name equals face (case-sensitive), or NULL. */
static const WCHAR *fst_FindPair(const WCHAR *table, const WCHAR *face)
{
    for (const WCHAR *pair = table; *pair;) {
        const WCHAR *device = pair + lstrlenW(pair) + 1;
        if (lstrcmpW(pair, face) == 0)
            return pair;
        pair = device + lstrlenW(device) + 1;
    }
    return NULL;
}

/*
 * 1 when total bytes hold a whole table: an even count, pairs of zero-terminated strings
 * and the closing empty string, all inside the bytes (bytes behind it are not read).
 */
static BOOL fst_IsWholeTable(const BYTE *bytes, DWORD total)
{
    if (total % sizeof(WCHAR) != 0)
        return FALSE;
    DWORD chars = total / sizeof(WCHAR);
    DWORD at = 0;
    for (;;) {
        if (at >= chars)
            return FALSE;
        WCHAR c;
        memcpy(&c, bytes + at * sizeof(WCHAR), sizeof(c));
        if (c == 0)
            return TRUE;
        /* The face name, then the device font name, each up to its terminator. */
        for (int text = 0; text < 2; ++text) {
            do {
                if (at >= chars)
                    return FALSE;
                memcpy(&c, bytes + at * sizeof(WCHAR), sizeof(c));
                ++at;
            } while (c != 0);
        }
    }
}

/* Bytes of a text with its terminator. */
static DWORD fst_TextBytes(const WCHAR *text)
{
    return (DWORD)(lstrlenW(text) + 1) * sizeof(WCHAR);
}

WCHAR *WINAPI pd_BuildFontSubTable(DriverContext *context)
{
    if (!context)
        return NULL;
    DWORD capacity = FST_FIRST_CAPACITY;
    DWORD used = 0;
    BYTE *table = (BYTE *)GlobalAlloc(GPTR, capacity);
    if (!table)
        return NULL;
    for (WORD r = 1;; ++r) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, context->model, context->base, 11, r, NULL};
        DddStatus status = ddd_FetchRecordByIndex(&fetch);
        if (status == DDD_NOT_FOUND)
            break;
        BOOL appended = status == DDD_OK && fst_AppendRecord(&table, &capacity, &used, fetch.record);
        if (fetch.record)
            ddd_FreeRecord(&fetch.record, 11);
        if (!appended) {
            GlobalFree(table);
            return NULL;
        }
    }
    /* The closing empty string: room for it was kept, and the block is zeroed. */
    table[used] = 0;
    table[used + 1] = 0;
    return (WCHAR *)table;
}

WCHAR *WINAPI pd_EditFontSubTable(const WCHAR *table, const WCHAR *face, const WCHAR *device)
{
    if (!table || !face)
        return NULL;
    DWORD total = pd_GetFontSubTableSize(table);
    const WCHAR *pair = fst_FindPair(table, face);
    if (!pair) {
        /* Absent: the old pairs, the new pair when given, the closing empty string (the
         * zero character fst_Concat adds). */
        if (!device)
            return fst_Concat(table, total - sizeof(WCHAR), NULL, 0, NULL, 0);
        return fst_Concat(table, total - sizeof(WCHAR), face, fst_TextBytes(face), device, fst_TextBytes(device));
    }
    const WCHAR *oldDevice = pair + lstrlenW(pair) + 1;
    const WCHAR *after = oldDevice + lstrlenW(oldDevice) + 1;
    DWORD afterBytes = total - (DWORD)((const BYTE *)after - (const BYTE *)table);
    if (!device) {
        /* Present, no device name: the pair is removed. */
        return fst_Concat(
            table, (DWORD)((const BYTE *)pair - (const BYTE *)table), after, afterBytes - sizeof(WCHAR), NULL, 0);
    }
    return fst_Concat(table,
                      (DWORD)((const BYTE *)oldDevice - (const BYTE *)table),
                      device,
                      fst_TextBytes(device),
                      after,
                      afterBytes - sizeof(WCHAR));
}

BOOL WINAPI pd_EnsureFontSubTable(HANDLE printer, DWORD reserved, DriverContext *context)
{
    WCHAR *stored = pd_ReadFontSubTable(printer, reserved);
    if (stored) {
        GlobalFree(stored);
        return TRUE;
    }
    WCHAR *built = pd_BuildFontSubTable(context);
    if (!built)
        return FALSE;
    BOOL written = pd_WriteFontSubTable(printer, reserved, built);
    GlobalFree(built);
    return written;
}

DWORD WINAPI pd_GetFontSubTableSize(const WCHAR *table)
{
    if (!table)
        return 0;
    const WCHAR *at = table;
    while (*at) {
        at += lstrlenW(at) + 1; /* face name */
        at += lstrlenW(at) + 1; /* device font name */
    }
    return (DWORD)((const BYTE *)(at + 1) - (const BYTE *)table);
}

WCHAR *WINAPI pd_GetFontSubTable(HANDLE printer, DWORD reserved)
{
    WCHAR *stored = pd_ReadFontSubTable(printer, reserved);
    if (stored || !printer)
        return stored;
    DriverContext *context = ddd_OpenContext(printer);
    if (!context)
        return NULL;
    WCHAR *built = pd_BuildFontSubTable(context);
    ddd_CloseContext(context);
    return built;
}

const WCHAR *WINAPI pd_LookupFontSub(const WCHAR *table, const WCHAR *face)
{
    if (!table || !face)
        return NULL;
    const WCHAR *pair = fst_FindPair(table, face);
    return pair ? pair + lstrlenW(pair) + 1 : NULL;
}

WCHAR *WINAPI pd_ReadFontSubTable(HANDLE printer, DWORD reserved)
{
    (void)reserved;
    DWORD total = 0;
    if (!pd_ReadStoredValue(printer, SVK_FONT_SUB_TABLE, NULL, &total))
        return NULL;
    BYTE *table = (BYTE *)GlobalAlloc(GPTR, total);
    if (!table)
        return NULL;
    DWORD read = total;
    /* A damaged table (an odd size, a name or the closing empty string missing) is refused
     * whole: every user of the table walks it up to its closing empty string. */
    if (!pd_ReadStoredValue(printer, SVK_FONT_SUB_TABLE, table, &read) || !fst_IsWholeTable(table, total)) {
        GlobalFree(table);
        return NULL;
    }
    return (WCHAR *)table;
}

BOOL WINAPI pd_WriteFontSubTable(HANDLE printer, DWORD reserved, const WCHAR *table)
{
    (void)reserved;
    if (!table)
        return FALSE;
    return pd_WriteStoredValue(printer, table, pd_GetFontSubTableSize(table), SVK_FONT_SUB_TABLE);
}
