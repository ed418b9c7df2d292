/*
 * The user's own paper margins: sub key "Paper Margin" of the printer's per-user key,
 * one 20-byte REG_BINARY value per paper named by its number in decimal (u32 paper
 * number, margins in stored orientation), seeded on first use from the machine-wide key
 * of the model. Also the effective margins of a paper and the 16-byte margin values of
 * any open key (the favorites').
 */
#include "core/user_registry/margin_store.h"

#include "core/stored/stored.h"
#include "core/user_registry/user_registry.h"
#include "core/user_registry/user_registry_private.h"

#include <string.h>

/* Bytes of a margin value under a favorite's or any other open key. */
static const DWORD kKeyMarginSize = sizeof(PaperMargins);

/* The value name of a paper: its number in decimal. */
static void umrg_PaperName(DWORD paper, WCHAR name[16])
{
    wsprintfW(name, TEXT("%u"), paper);
}

LONG ureg_OpenUserMarginKey(HANDLE printer, DriverContext *context, const WCHAR *machinePath, HKEY *key, WCHAR *path)
{
    if (!key)
        return UREG_MARGIN_NOT_FOUND;
    *key = NULL;
    WCHAR userPath[UREG_PATH_BUFFER];
    if (ureg_BuildKeyPath(printer, context, UREG_USER_MARGIN_KEY, TRUE, userPath) != UREG_READ_OK)
        return UREG_MARGIN_NOT_FOUND;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, userPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, key, &disposition) !=
        ERROR_SUCCESS)
        return UREG_MARGIN_NOT_FOUND;
    if (disposition == REG_CREATED_NEW_KEY && machinePath) {
        WCHAR machineKeyPath[UREG_PATH_BUFFER];
        HKEY machine = NULL;
        BOOL copied = TRUE;
        if (ureg_JoinKeyPath(machineKeyPath, UREG_PATH_BUFFER, machinePath, UREG_USER_MARGIN_KEY) &&
            RegOpenKeyExW(HKEY_LOCAL_MACHINE, machineKeyPath, 0, KEY_READ, &machine) == ERROR_SUCCESS) {
            copied = ureg_CopyKeyTree(*key, machine);
            RegCloseKey(machine);
        }
        if (!copied) {
            /* A half-made copy goes, so that the next opening seeds the key again. */
            RegCloseKey(*key);
            *key = NULL;
            ureg_DeleteKeyTree(HKEY_CURRENT_USER, userPath);
            return UREG_MARGIN_NOT_FOUND;
        }
    }
    if (path)
        memcpy(path, userPath, sizeof(userPath));
    return UREG_MARGIN_OK;
}

LONG ureg_ReadUserMargins(HANDLE printer, DriverContext *context, const WCHAR *machinePath, DWORD paper,
                          PaperMargins *margins)
{
    if (!margins)
        return UREG_MARGIN_NOT_FOUND;
    HKEY key = NULL;
    LONG result = ureg_OpenUserMarginKey(printer, context, machinePath, &key, NULL);
    if (result != UREG_MARGIN_OK)
        return result;
    WCHAR name[16];
    umrg_PaperName(paper, name);
    BYTE data[UREG_USER_MARGIN_SIZE];
    DWORD size = sizeof(data);
    DWORD type = 0;
    LONG status = RegQueryValueExW(key, name, NULL, &type, data, &size);
    RegCloseKey(key);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_MORE_DATA)
        return UREG_MARGIN_NO_VALUE;
    if (status != ERROR_SUCCESS)
        return UREG_MARGIN_NOT_FOUND;
    if (type != REG_BINARY || size != UREG_USER_MARGIN_SIZE)
        return UREG_MARGIN_NO_VALUE;
    memcpy(margins, data + sizeof(DWORD), sizeof(*margins));
    return UREG_MARGIN_OK;
}

LONG ureg_WriteUserMargins(HANDLE printer, DriverContext *context, DWORD paper, const PaperMargins *shown,
                           const WCHAR *machinePath, DWORD kind)
{
    if (!shown)
        return UREG_MARGIN_BAD_ARGUMENT;
    PaperMargins view = *shown;
    PaperMargins stored;
    LONG result = ureg_OrientMargins(UREG_MARGIN_STORED_FROM_SHOWN, kind, &stored, &view);
    if (result != UREG_MARGIN_OK)
        return result;
    HKEY key = NULL;
    result = ureg_OpenUserMarginKey(printer, context, machinePath, &key, NULL);
    if (result != UREG_MARGIN_OK)
        return result;
    RegCloseKey(key);
    BYTE data[UREG_USER_MARGIN_SIZE];
    memcpy(data, &paper, sizeof(DWORD));
    memcpy(data + sizeof(DWORD), &stored, sizeof(stored));
    WCHAR name[16];
    umrg_PaperName(paper, name);
    if (!ureg_WriteValue(printer, context, data, sizeof(data), REG_BINARY, UREG_USER_MARGIN_KEY, name))
        return UREG_MARGIN_WRITE_FAILED;
    return UREG_MARGIN_OK;
}

LONG ureg_GetUserMargins(HANDLE printer, DriverContext *context, DWORD paper, PaperMargins *shown,
                         const WCHAR *machinePath, DWORD kind)
{
    if (!shown)
        return UREG_MARGIN_BAD_ARGUMENT;
    PaperMargins stored;
    LONG result = ureg_ReadUserMargins(printer, context, machinePath, paper, &stored);
    if (result != UREG_MARGIN_OK)
        return result;
    return ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, kind, &stored, shown);
}

LONG ureg_ClearMargins(HANDLE printer, DriverContext *context, BOOL perUser, const WCHAR *machinePath)
{
    (void)machinePath;
    if (!perUser)
        return pd_DeleteStoredValue(printer, SVK_PAPER_MARGIN_ARRAY) ? UREG_MARGIN_OK : UREG_MARGIN_NOT_FOUND;
    HKEY printerKey = NULL;
    if (!ureg_OpenPrinterKey(printer, context, NULL, &printerKey))
        return UREG_MARGIN_NOT_FOUND;
    HKEY probe = NULL;
    BOOL present = RegOpenKeyExW(printerKey, UREG_USER_MARGIN_KEY, 0, KEY_READ, &probe) == ERROR_SUCCESS;
    if (probe)
        RegCloseKey(probe);
    BOOL cleared = !present || ureg_DeleteKeyTree(printerKey, UREG_USER_MARGIN_KEY);
    HKEY created = NULL;
    if (cleared)
        cleared = RegCreateKeyExW(printerKey, UREG_USER_MARGIN_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &created, NULL) ==
                  ERROR_SUCCESS;
    if (created)
        RegCloseKey(created);
    RegCloseKey(printerKey);
    return cleared ? UREG_MARGIN_OK : UREG_MARGIN_NOT_FOUND;
}

LONG ureg_GetMargins(HANDLE printer, DriverContext *context, DWORD paper, PaperMargins *shown, const WCHAR *machinePath,
                     BOOL perUser, const PaperMarginList *list, DWORD kind)
{
    if (!shown)
        return UREG_MARGIN_BAD_ARGUMENT;
    if (perUser) {
        LONG result = ureg_GetUserMargins(printer, context, paper, shown, machinePath, kind);
        if (result != UREG_MARGIN_NO_VALUE)
            return result;
    }
    LONG result = ureg_GetListMargins(printer, paper, shown, list, kind);
    if (result != UREG_MARGIN_NOT_FOUND)
        return result;
    return ureg_GetOrientedDefaultMargins(shown, kind);
}

BOOL ureg_EnumPaperMargin(void *reserved, HKEY key, DWORD index, DWORD kind, WCHAR *name, PaperMargins *shown)
{
    (void)reserved;
    if (!key || !name || !shown)
        return FALSE;
    DWORD found = 0;
    for (DWORD i = 0;; ++i) {
        WCHAR valueName[UREG_MARGIN_NAME_CHARS];
        DWORD chars = UREG_MARGIN_NAME_CHARS;
        PaperMargins stored;
        DWORD size = kKeyMarginSize;
        DWORD type = 0;
        LONG status = RegEnumValueW(key, i, valueName, &chars, NULL, &type, (BYTE *)&stored, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            return FALSE;
        /* A longer name, a bigger value, another type or size: not a margin value. */
        if (status != ERROR_SUCCESS || type != REG_BINARY || size != kKeyMarginSize)
            continue;
        if (found++ != index)
            continue;
        if (ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, kind, &stored, shown) != UREG_MARGIN_OK)
            return FALSE;
        memcpy(name, valueName, (chars + 1) * sizeof(WCHAR));
        return TRUE;
    }
}

BOOL ureg_ReadPaperMargin(void *reserved, HKEY key, const WCHAR *name, DWORD kind, PaperMargins *shown)
{
    (void)reserved;
    if (!key || !name || !shown)
        return FALSE;
    PaperMargins stored;
    DWORD size = kKeyMarginSize;
    DWORD type = 0;
    if (RegQueryValueExW(key, name, NULL, &type, (BYTE *)&stored, &size) != ERROR_SUCCESS)
        return FALSE;
    if (type != REG_BINARY || size != kKeyMarginSize)
        return FALSE;
    return ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, kind, &stored, shown) == UREG_MARGIN_OK;
}
