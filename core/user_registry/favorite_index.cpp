/*
 * The favorites' index list ("UserIndex" of sub key "Favorite": u16 favorite numbers in
 * display order), the search by name and flag and the first free number. Readers stop at
 * the list's capacity, its count or a 0 entry.
 */
#include "core/user_registry/favorites.h"

#include "core/user_registry/user_registry.h"

#include <string.h>

static const WCHAR kFavoriteKey[] = TEXT("Favorite");
static const WCHAR kIndexValue[] = TEXT("UserIndex");

/* The used length of a list: up to count entries or its first 0. */
static DWORD favx_UsedLength(const WORD *list, DWORD count)
{
    DWORD used = 0;
    while (used < count && list[used] != 0)
        ++used;
    return used;
}

DWORD ureg_ReadFavoriteIndex(HANDLE printer, DriverContext *context, WORD *list, DWORD capacity)
{
    if (!list || capacity == 0)
        return UREG_NOT_PRESENT;
    DWORD type = 0;
    LONG result = ureg_ReadValue(printer, context, list, &type, kFavoriteKey, kIndexValue, capacity * sizeof(WORD));
    if (result != UREG_READ_OK || type != REG_BINARY) {
        memset(list, 0, capacity * sizeof(WORD));
        return UREG_NOT_PRESENT;
    }
    return UREG_READ_OK;
}

BOOL ureg_SaveFavoriteIndex(HANDLE printer, DriverContext *context, const WORD *list, DWORD count)
{
    if (!list)
        return FALSE;
    return ureg_WriteValue(printer, context, list, count * (DWORD)sizeof(WORD), REG_BINARY, kFavoriteKey, kIndexValue);
}

/* 1 when favorite n holds this name and flag. */
static BOOL favx_Matches(HANDLE printer, DriverContext *context, DWORD n, const WCHAR *name, DWORD flag)
{
    WCHAR subKey[64];
    if (!ureg_FavoriteKeyPath(n, NULL, subKey))
        return FALSE;
    DWORD stored = 0;
    DWORD type = 0;
    if (ureg_ReadValue(printer, context, &stored, &type, subKey, TEXT("Flag"), sizeof(stored)) != UREG_READ_OK ||
        type != REG_DWORD || stored != flag)
        return FALSE;
    void *data = NULL;
    DWORD size = 0;
    if (ureg_ReadValueAlloc(context, printer, &data, &size, &type, subKey, TEXT("Name")) != UREG_READ_OK)
        return FALSE;
    /* The stored name ends at its terminator or at the value's end. */
    const WCHAR *text = (const WCHAR *)data;
    DWORD chars = size / sizeof(WCHAR);
    DWORD length = 0;
    while (length < chars && text[length])
        ++length;
    BOOL same = type == REG_SZ && length == (DWORD)lstrlenW(name) && memcmp(text, name, length * sizeof(WCHAR)) == 0;
    GlobalFree(data);
    return same;
}

LONG ureg_FindFavorite(HANDLE printer, DriverContext *context, DriverDevmode *devmode, const WORD *list, DWORD count,
                       const WCHAR *name, DWORD flag)
{
    (void)devmode;
    if (!list || !name)
        return -1;
    DWORD used = favx_UsedLength(list, count);
    for (DWORD i = 0; i < used; ++i)
        if (favx_Matches(printer, context, list[i], name, flag))
            return list[i];
    return -1;
}

LONG ureg_FindFreeFavoriteNumber(const WORD *list, DWORD count)
{
    if (!list)
        return -1;
    DWORD used = favx_UsedLength(list, count);
    DWORD last = count < (DWORD)UREG_FAVORITE_MAX ? count : (DWORD)UREG_FAVORITE_MAX;
    for (DWORD number = 1; number <= last; ++number) {
        BOOL held = FALSE;
        for (DWORD i = 0; i < used && !held; ++i)
            held = list[i] == number;
        if (!held)
            return (LONG)number;
    }
    return -1;
}
