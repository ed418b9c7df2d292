/*
 * Removal of the per-user keys of deleted printers: a key named by a printer id that no
 * local printer holds goes with its tree, when its default value says it belonged to a
 * local printer. Nothing is removed unless every local printer could be asked for its
 * id: a printer that cannot be opened or read now must not lose its user's settings.
 */
#include "core/user_registry/user_registry.h"

#include "core/user_registry/user_registry_private.h"

#include <winspool.h>

#include <string.h>

/* The ids' key names of all local printers (count of them in *count, a new block free
 * with GlobalFree), or NULL when any printer could not be listed, opened or read. */
static WCHAR *stale_CollectIds(DWORD *count)
{
    *count = 0;
    DWORD needed = 0;
    DWORD returned = 0;
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, NULL, 4, NULL, 0, &needed, &returned) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return NULL;
    BYTE *list = (BYTE *)GlobalAlloc(GPTR, needed ? needed : 1);
    if (!list)
        return NULL;
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, NULL, 4, list, needed, &needed, &returned)) {
        GlobalFree(list);
        return NULL;
    }
    const DWORD textChars = PRINTER_ID_TEXT_CHARS + 1;
    WCHAR *texts = (WCHAR *)GlobalAlloc(GPTR, (returned ? returned : 1) * textChars * sizeof(WCHAR));
    BOOL all = texts != NULL;
    const PRINTER_INFO_4W *printers = (const PRINTER_INFO_4W *)list;
    for (DWORD i = 0; all && i < returned; ++i) {
        HANDLE printer = NULL;
        if (!OpenPrinterW(printers[i].pPrinterName, &printer, NULL)) {
            all = FALSE;
            break;
        }
        BYTE id[PRINTER_ID_SIZE];
        DWORD found = ureg_QueryPrinterId(printer, id);
        ClosePrinter(printer);
        if (found == UREG_READ_OK) {
            ureg_PrinterIdToText(id, texts + *count * textChars, textChars);
            ++*count;
        } else if (found != UREG_NOT_PRESENT) {
            all = FALSE;
        }
    }
    GlobalFree(list);
    if (!all && texts) {
        GlobalFree(texts);
        texts = NULL;
    }
    return texts;
}

BOOL ureg_IsPrinterIdText(const WCHAR *text)
{
    DWORD i = 0;
    for (; text[i]; ++i) {
        if (i >= PRINTER_ID_TEXT_CHARS || !((text[i] >= '0' && text[i] <= '9') || (text[i] >= 'A' && text[i] <= 'F')))
            return FALSE;
    }
    return i == PRINTER_ID_TEXT_CHARS;
}

/* 1 when name's key under key was a local printer's (its default value says so). */
static BOOL stale_WasLocal(HKEY key, const WCHAR *name)
{
    DWORD attributes = 0;
    return ureg_ReadKeyAttributes(key, name, &attributes) && (attributes & PRINTER_ATTRIBUTE_LOCAL);
}

/* The sweep without a printer: the keys of ids no local printer holds. */
static DWORD stale_Sweep(HKEY base)
{
    DWORD idCount = 0;
    WCHAR *ids = stale_CollectIds(&idCount);
    if (!ids)
        return 0;
    const DWORD textChars = PRINTER_ID_TEXT_CHARS + 1;
    /* Names first, removals after: removing keys while enumerating would skip some. */
    DWORD subKeys = 0;
    WCHAR *names = NULL;
    if (RegQueryInfoKeyW(base, NULL, NULL, NULL, &subKeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
        names = (WCHAR *)GlobalAlloc(GPTR, (subKeys ? subKeys : 1) * textChars * sizeof(WCHAR));
    DWORD candidates = 0;
    for (DWORD index = 0; names && index < subKeys; ++index) {
        WCHAR name[UREG_PATH_BUFFER];
        DWORD chars = UREG_PATH_BUFFER;
        if (RegEnumKeyExW(base, index, name, &chars, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (!ureg_IsPrinterIdText(name))
            continue;
        BOOL live = FALSE;
        for (DWORD i = 0; i < idCount && !live; ++i)
            live = lstrcmpW(ids + i * textChars, name) == 0;
        if (!live)
            memcpy(names + candidates++ * textChars, name, textChars * sizeof(WCHAR));
    }
    DWORD removed = 0;
    for (DWORD i = 0; i < candidates; ++i) {
        const WCHAR *name = names + i * textChars;
        if (stale_WasLocal(base, name) && ureg_DeleteKeyTree(base, name))
            ++removed;
    }
    if (names)
        GlobalFree(names);
    GlobalFree(ids);
    return removed;
}

DWORD ureg_DeleteStalePrinterKeys(HANDLE printer, DriverContext *context)
{
    WCHAR *base = ureg_GetBasePath(context);
    if (!base)
        return 0;
    HKEY baseKey = NULL;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, base, 0, KEY_ALL_ACCESS, &baseKey);
    GlobalFree(base);
    if (status != ERROR_SUCCESS)
        return 0;
    DWORD result = 0;
    if (!printer) {
        result = stale_Sweep(baseKey);
    } else {
        BYTE id[PRINTER_ID_SIZE];
        WCHAR name[PRINTER_ID_TEXT_CHARS + 1];
        if (ureg_ReadPrinterId(printer, id) && ureg_PrinterIdToText(id, name, PRINTER_ID_TEXT_CHARS + 1) &&
            stale_WasLocal(baseKey, name) && ureg_DeleteKeyTree(baseKey, name))
            result = 1;
    }
    RegCloseKey(baseKey);
    return result;
}
