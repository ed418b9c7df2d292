/*
 * A favorite's own paper margins: sub key "PaperMargin" of its key, one 16-byte value of
 * stored margins per paper ("%u" of the paper number) and "Num", their number. Saving
 * keeps the effective margins of each paper-size record that differ from the built-in
 * ones.
 */
#include "core/user_registry/favorites.h"

#include "core/ddd/ddd_access.h"
#include "core/user_registry/margin_store.h"
#include "core/user_registry/user_registry.h"
#include "core/user_registry/user_registry_private.h"

#include <string.h>

static const WCHAR kMarginKey[] = TEXT("PaperMargin");
static const WCHAR kCountValue[] = TEXT("Num");

/* The type of the paper-size records. */
static const WORD kPaperRecordType = 10;

BOOL ureg_WriteFavoritePaperMargin(HANDLE printer, DriverContext *context, DWORD n, DWORD kind, const WCHAR *name,
                                   const PaperMargins *shown)
{
    WCHAR subKey[64];
    if (!name || !shown || !ureg_FavoriteKeyPath(n, kMarginKey, subKey))
        return FALSE;
    PaperMargins view = *shown;
    PaperMargins stored;
    if (ureg_OrientMargins(UREG_MARGIN_STORED_FROM_SHOWN, kind, &stored, &view) != UREG_MARGIN_OK)
        return FALSE;
    return ureg_WriteValue(printer, context, &stored, sizeof(stored), REG_BINARY, subKey, name);
}

BOOL ureg_WriteFavoriteMarginCount(HANDLE printer, DriverContext *context, DWORD n, DWORD count)
{
    WCHAR subKey[64];
    if (!ureg_FavoriteKeyPath(n, kMarginKey, subKey))
        return FALSE;
    return ureg_WriteValue(printer, context, &count, sizeof(count), REG_DWORD, subKey, kCountValue);
}

DWORD ureg_ReadFavoriteMarginCount(HANDLE printer, DriverContext *context, DWORD n)
{
    WCHAR subKey[64];
    if (!ureg_FavoriteKeyPath(n, kMarginKey, subKey))
        return 0;
    DWORD count = 0;
    DWORD type = 0;
    if (ureg_ReadValue(printer, context, &count, &type, subKey, kCountValue, sizeof(count)) != UREG_READ_OK ||
        type != REG_DWORD)
        return 0;
    return count;
}

BOOL ureg_OpenFavoritePaperMarginKey(HANDLE printer, DriverContext *context, HKEY *key, DWORD n)
{
    WCHAR subKey[64];
    if (!key)
        return FALSE;
    *key = NULL;
    if (!ureg_FavoriteKeyPath(n, kMarginKey, subKey))
        return FALSE;
    return ureg_OpenPrinterKey(printer, context, subKey, key);
}

BOOL ureg_DeleteFavoritePaperMargins(HANDLE printer, DriverContext *context, DWORD n)
{
    WCHAR subKey[64];
    WCHAR path[UREG_PATH_BUFFER];
    if (!ureg_FavoriteKeyPath(n, NULL, subKey))
        return FALSE;
    DWORD found = ureg_BuildKeyPath(printer, context, subKey, FALSE, path);
    if (found == UREG_NOT_PRESENT)
        return TRUE;
    if (found != UREG_READ_OK)
        return FALSE;
    HKEY key = NULL;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return TRUE;
    if (status != ERROR_SUCCESS)
        return FALSE;
    HKEY probe = NULL;
    BOOL present = RegOpenKeyExW(key, kMarginKey, 0, KEY_READ, &probe) == ERROR_SUCCESS;
    if (probe)
        RegCloseKey(probe);
    BOOL deleted = !present || ureg_DeleteKeyTree(key, kMarginKey);
    RegCloseKey(key);
    return deleted;
}

BOOL ureg_SaveFavoritePaperMargins(HANDLE printer, DriverContext *context, BOOL perUser, DWORD n, DWORD kind)
{
    PaperMargins defaults;
    if (!context || !context->model || ureg_GetOrientedDefaultMargins(&defaults, kind) != UREG_MARGIN_OK)
        return FALSE;
    DddRecordCountRequest countRequest = {context->model, kPaperRecordType};
    WORD papers = ddd_GetRecordCount(&countRequest);
    WCHAR *machinePath = ureg_GetBasePath(context);
    if (!machinePath)
        return FALSE;
    PaperMarginList *list = ureg_LoadMarginList(printer);
    BOOL all = list && ureg_DeleteFavoritePaperMargins(printer, context, n);
    DWORD written = 0;
    for (WORD r = 1; all && r <= papers; ++r) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, r, NULL};
        if (ddd_FetchRecordByIndex(&fetch) != DDD_OK || !fetch.record) {
            all = FALSE;
            break;
        }
        DWORD paper = ((const DddRecordHead *)fetch.record)->key;
        ddd_FreeRecord(&fetch.record, DDD_FREE_OWN_TYPE);
        PaperMargins shown;
        if (ureg_GetMargins(printer, context, paper, &shown, machinePath, perUser, list, kind) != UREG_MARGIN_OK) {
            all = FALSE;
            break;
        }
        if (memcmp(&shown, &defaults, sizeof(shown)) == 0)
            continue;
        WCHAR name[16];
        wsprintfW(name, TEXT("%u"), paper);
        if (!ureg_WriteFavoritePaperMargin(printer, context, n, kind, name, &shown)) {
            all = FALSE;
            break;
        }
        ++written;
    }
    if (list) {
        BOOL counted = ureg_WriteFavoriteMarginCount(printer, context, n, written);
        all = all && counted;
        ureg_FreeMarginList(list);
    }
    GlobalFree(machinePath);
    return all;
}
