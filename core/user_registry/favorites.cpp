/*
 * A favorite's values: saved value by value through the per-user value write, loaded with
 * the DEVMODE brought to the current version, and the favorite of another model: the
 * user's own fails, a preset is made again for the current model.
 */
#include "core/user_registry/favorites.h"

#include "core/devmode_upgrade/devmode_upgrade.h"
#include "core/settings/settings.h"
#include "core/user_registry/user_registry.h"
#include "core/user_registry/user_registry_private.h"

#include <stddef.h>
#include <string.h>

static const WCHAR kDevmodeValue[] = TEXT("DEVMODE");
static const WCHAR kNameValue[] = TEXT("Name");
static const WCHAR kCommentValue[] = TEXT("Comment");
static const WCHAR kFlagValue[] = TEXT("Flag");
static const WCHAR kSpInfoValue[] = TEXT("SPInfo");
static const WCHAR kSpInfoSizeValue[] = TEXT("SPInfoSize");

/* Characters of the model string compared (setting 259: 64 bytes). */
static const DWORD kModelChars = 32;

BOOL ureg_FavoriteKeyPath(DWORD n, const WCHAR *tail, WCHAR path[64])
{
    if (n < 1 || n > UREG_FAVORITE_MAX)
        return FALSE;
    wsprintfW(path, TEXT("Favorite\\UserSel%02d"), (int)n);
    if (tail && !ureg_JoinKeyPath(path, 64, path, tail))
        return FALSE;
    return TRUE;
}

/* Writes a string value with its terminator. */
static BOOL fav_WriteText(HANDLE printer, DriverContext *context, const WCHAR *subKey, const WCHAR *value,
                          const WCHAR *text)
{
    DWORD size = ((DWORD)lstrlenW(text) + 1) * (DWORD)sizeof(WCHAR);
    return ureg_WriteValue(printer, context, text, size, REG_SZ, subKey, value);
}

BOOL ureg_SaveFavorite(HANDLE printer, DriverContext *context, DWORD n, const DriverDevmode *devmode, const WCHAR *name,
                       const WCHAR *comment, const DWORD *flag, const void *spData, const DWORD *spSize)
{
    WCHAR subKey[64];
    if (!ureg_FavoriteKeyPath(n, NULL, subKey))
        return FALSE;
    if (spSize && *spSize == 0)
        ureg_DeleteFavoriteSPInfo(printer, context, n);
    if (devmode && !ureg_WriteValue(printer, context, devmode, DM_FULL_SIZE, REG_BINARY, subKey, kDevmodeValue))
        return FALSE;
    if (name && !fav_WriteText(printer, context, subKey, kNameValue, name))
        return FALSE;
    if (comment && !fav_WriteText(printer, context, subKey, kCommentValue, comment))
        return FALSE;
    if (flag && !ureg_WriteValue(printer, context, flag, sizeof(*flag), REG_DWORD, subKey, kFlagValue))
        return FALSE;
    if (spData && spSize && *spSize) {
        if (!ureg_WriteValue(printer, context, spData, *spSize, REG_BINARY, subKey, kSpInfoValue))
            return FALSE;
        if (!ureg_WriteValue(printer, context, spSize, sizeof(*spSize), REG_DWORD, subKey, kSpInfoSizeValue))
            return FALSE;
    }
    return TRUE;
}

BOOL ureg_DeleteFavoriteSPInfo(HANDLE printer, DriverContext *context, DWORD n)
{
    WCHAR subKey[64];
    WCHAR path[UREG_PATH_BUFFER];
    if (!ureg_FavoriteKeyPath(n, NULL, subKey) || ureg_BuildKeyPath(printer, context, subKey, FALSE, path) != 0)
        return FALSE;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    BOOL data = RegDeleteValueW(key, kSpInfoValue) == ERROR_SUCCESS;
    BOOL size = RegDeleteValueW(key, kSpInfoSizeValue) == ERROR_SUCCESS;
    RegCloseKey(key);
    return data || size;
}

/* A string value into text of capacity characters, cut and always terminated. */
static BOOL fav_ReadText(HANDLE printer, DriverContext *context, const WCHAR *subKey, const WCHAR *value, WCHAR *text,
                         DWORD capacity)
{
    DWORD type = 0;
    if (ureg_ReadValue(printer, context, text, &type, subKey, value, capacity * sizeof(WCHAR)) != UREG_READ_OK ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        text[0] = 0;
        return FALSE;
    }
    text[capacity - 1] = 0;
    return TRUE;
}

/* A REG_DWORD value. */
static BOOL fav_ReadDword(HANDLE printer, DriverContext *context, const WCHAR *subKey, const WCHAR *value,
                          DWORD *number)
{
    void *data = NULL;
    DWORD size = 0;
    DWORD type = 0;
    if (ureg_ReadValueAlloc(context, printer, &data, &size, &type, subKey, value) != UREG_READ_OK)
        return FALSE;
    BOOL ok = type == REG_DWORD && size == sizeof(DWORD);
    if (ok)
        memcpy(number, data, sizeof(DWORD));
    GlobalFree(data);
    return ok;
}

/* Bytes of the private header before the model string: settings 257 and 258. */
static const DWORD kModelOffset = 4;

/*
 * The stored DEVMODE of subKey, brought to the current version into devmode (full size).
 * model: out, the model string the stored bytes name (setting 259, read behind their own
 * dmSize), empty when they are too short to hold one.
 */
static BOOL fav_LoadDevmode(HANDLE printer, DriverContext *context, const WCHAR *subKey, DriverDevmode *devmode,
                            WCHAR model[33])
{
    memset(model, 0, 33 * sizeof(WCHAR));
    void *data = NULL;
    DWORD size = 0;
    DWORD type = 0;
    if (ureg_ReadValueAlloc(context, printer, &data, &size, &type, subKey, kDevmodeValue) != UREG_READ_OK)
        return FALSE;
    const BYTE *bytes = (const BYTE *)data;
    if (size >= sizeof(DEVMODEW)) {
        WORD publicSize = 0;
        WORD extra = 0;
        memcpy(&publicSize, bytes + offsetof(DEVMODEW, dmSize), sizeof(WORD));
        memcpy(&extra, bytes + offsetof(DEVMODEW, dmDriverExtra), sizeof(WORD));
        DWORD end = (DWORD)publicSize + kModelOffset + kModelChars * sizeof(WCHAR);
        if (end <= size && end <= (DWORD)publicSize + extra)
            memcpy(model, bytes + publicSize + kModelOffset, kModelChars * sizeof(WCHAR));
    }
    LONG result = dm_UpgradeFullDevmode(printer, (const DEVMODEW *)data, size, devmode);
    GlobalFree(data);
    return result != DMU_FAILED;
}

/* The model string of a full DEVMODE (setting 259), at most kModelChars characters. */
static BOOL fav_ModelString(DriverDevmode *devmode, WCHAR text[33])
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    memset(text, 0, 33 * sizeof(WCHAR));
    if (dma_GetFunctionValue(FID_MODEL_NAME, devmode, NULL, &type, &size, &slot) != SST_OK || type != VT_STRING ||
        !slot)
        return FALSE;
    const WCHAR *model = (const WCHAR *)slot;
    for (DWORD i = 0; i < kModelChars && model[i]; ++i)
        text[i] = model[i];
    return TRUE;
}

/* 1 when the stored model string names the current DEVMODE's model (without case, as
 * the upgrade compares them); an empty one names none. */
static BOOL fav_SameModel(const WCHAR stored[33], DriverDevmode *current)
{
    WCHAR model[33];
    return stored[0] && fav_ModelString(current, model) && lstrcmpiW(stored, model) == 0;
}

/* The device name of a DEVMODE (setting 1), for the presets' defaults. */
static void fav_DeviceName(DriverDevmode *devmode, WCHAR name[CCHDEVICENAME + 1])
{
    memset(name, 0, (CCHDEVICENAME + 1) * sizeof(WCHAR));
    memcpy(name, devmode->dm.dmDeviceName, CCHDEVICENAME * sizeof(WCHAR));
}

/* Makes the presets again for the current model, keeping the stored list's entries. */
static BOOL fav_RemakePresets(HANDLE printer, DriverContext *context, DriverDevmode *current, DWORD capacity)
{
    if (capacity == 0)
        return FALSE;
    WORD *list = (WORD *)GlobalAlloc(GPTR, capacity * sizeof(WORD));
    if (!list)
        return FALSE;
    if (ureg_ReadFavoriteIndex(printer, context, list, capacity) != UREG_READ_OK)
        memset(list, 0, capacity * sizeof(WORD));
    WCHAR printerName[CCHDEVICENAME + 1];
    fav_DeviceName(current, printerName);
    BOOL made = ureg_CreatePresetFavorites(printer, context, printerName, list, capacity);
    GlobalFree(list);
    return made;
}

BOOL ureg_LoadFavorite(HANDLE printer, DriverContext *context, DriverDevmode *current, PrinterDataBlock *block, DWORD n,
                       DriverDevmode *devmode, WCHAR *name, WCHAR *comment, DWORD *flag, void **spData, DWORD *spSize,
                       DWORD capacity)
{
    (void)block;
    if (spData)
        *spData = NULL;
    if (spSize)
        *spSize = 0;
    WCHAR subKey[64];
    if (!ureg_FavoriteKeyPath(n, NULL, subKey))
        return FALSE;
    if (devmode) {
        WCHAR model[33];
        if (!fav_LoadDevmode(printer, context, subKey, devmode, model))
            return FALSE;
        if (current && !fav_SameModel(model, current)) {
            DWORD stored = 1;
            if (!fav_ReadDword(printer, context, subKey, kFlagValue, &stored) || stored != 0)
                return FALSE;
            /* A preset of another model: the presets are made again and loaded once more. */
            fav_RemakePresets(printer, context, current, capacity);
            if (!fav_LoadDevmode(printer, context, subKey, devmode, model) || !fav_SameModel(model, current))
                return FALSE;
        }
    }
    if (name && !fav_ReadText(printer, context, subKey, kNameValue, name, UREG_FAVORITE_NAME_CHARS))
        return FALSE;
    if (comment && !fav_ReadText(printer, context, subKey, kCommentValue, comment, UREG_FAVORITE_COMMENT_CHARS))
        return FALSE;
    if (flag && !fav_ReadDword(printer, context, subKey, kFlagValue, flag))
        return FALSE;
    if (spData && spSize) {
        void *data = NULL;
        DWORD size = 0;
        DWORD type = 0;
        if (ureg_ReadValueAlloc(context, printer, &data, &size, &type, subKey, kSpInfoValue) == UREG_READ_OK) {
            if (type == REG_BINARY && size) {
                *spData = data;
                *spSize = size;
            } else {
                GlobalFree(data);
            }
        }
    }
    return TRUE;
}
