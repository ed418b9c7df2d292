/*
 * The per-user stamp store: the "Stamps" key made on first use, its stamps listed,
 * counted, found, deleted, saved and compared. Stored values are user-writable: names
 * and records are read within their fields, a shorter value zero-filled and a longer one
 * cut to the record.
 */
#include "core/stamps/stamp_store.h"

#include "core/user_registry/user_registry.h"
#include "core/user_registry/user_registry_private.h"

#include <string.h>

static const WCHAR kStampsKey[] = TEXT("Stamps");
static const WCHAR kOthersKey[] = TEXT("Stamps\\Others");
static const WCHAR kVersionValue[] = TEXT("Stamp Version");
/* "0.01", written as its 8 bytes without terminator. */
static const WCHAR kVersion[] = TEXT("0.01");
static const DWORD kVersionBytes = 8;

/* Characters of a value name read while searching: the name field and more. */
enum { kSearchNameChars = 67 };

WORD ureg_SeedStampKeys(HKEY *key, HANDLE printer, DriverContext *context)
{
    if (!key)
        return STP_NOT_FOUND;
    *key = NULL;
    WCHAR path[UREG_PATH_BUFFER];
    if (ureg_BuildKeyPath(printer, context, kOthersKey, TRUE, path) != UREG_READ_OK)
        return STP_NOT_FOUND;
    HKEY others = NULL;
    BOOL written =
        ureg_OpenPrinterKey(printer, context, kOthersKey, &others) &&
        RegSetValueExW(others, kVersionValue, 0, REG_SZ, (const BYTE *)kVersion, kVersionBytes) == ERROR_SUCCESS;
    if (others)
        RegCloseKey(others);
    HKEY stamps = NULL;
    written = written && ureg_OpenPrinterKey(printer, context, kStampsKey, &stamps);
    for (int row = 1; written && row <= STAMP_BUILTIN_COUNT; ++row) {
        StampRecord record;
        ureg_MakeBuiltinStamp(&record, &g_StampDescriptors[row]);
        written =
            RegSetValueExW(stamps, record.name, 0, REG_BINARY, (const BYTE *)&record, sizeof(record)) == ERROR_SUCCESS;
    }
    if (!written) {
        if (stamps)
            RegCloseKey(stamps);
        HKEY printerKey = NULL;
        if (ureg_OpenPrinterKey(printer, context, NULL, &printerKey)) {
            ureg_DeleteKeyTree(printerKey, kStampsKey);
            RegCloseKey(printerKey);
        }
        return STP_WRITE_FAILED;
    }
    *key = stamps;
    return STP_OK;
}

/* Makes the user's "Stamps" from the machine-wide copy. 1 made, 0 when there is no copy
 * or it could not be copied (nothing stays behind then). */
static BOOL sst_CopyMachineStamps(HANDLE printer, DriverContext *context, HKEY *key)
{
    WCHAR *base = ureg_GetBasePath(context);
    WCHAR machinePath[UREG_PATH_BUFFER];
    HKEY machine = NULL;
    BOOL found = base && ureg_JoinKeyPath(machinePath, UREG_PATH_BUFFER, base, kStampsKey) &&
                 RegOpenKeyExW(HKEY_LOCAL_MACHINE, machinePath, 0, KEY_READ, &machine) == ERROR_SUCCESS;
    if (base)
        GlobalFree(base);
    if (!found)
        return FALSE;
    BOOL copied = ureg_OpenPrinterKey(printer, context, kStampsKey, key) && ureg_CopyKeyTree(*key, machine);
    RegCloseKey(machine);
    if (!copied && *key) {
        RegCloseKey(*key);
        *key = NULL;
        HKEY printerKey = NULL;
        if (ureg_OpenPrinterKey(printer, context, NULL, &printerKey)) {
            ureg_DeleteKeyTree(printerKey, kStampsKey);
            RegCloseKey(printerKey);
        }
    }
    return copied;
}

WORD ureg_OpenStampKey(HKEY *key, HANDLE printer, DriverContext *context)
{
    if (!key)
        return STP_NOT_FOUND;
    *key = NULL;
    WCHAR path[UREG_PATH_BUFFER];
    if (ureg_BuildKeyPath(printer, context, kStampsKey, TRUE, path) != UREG_READ_OK)
        return STP_NOT_FOUND;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, key);
    if (status == ERROR_SUCCESS)
        return STP_OK;
    *key = NULL;
    if (status != ERROR_FILE_NOT_FOUND)
        return STP_NO_KEY;
    if (sst_CopyMachineStamps(printer, context, key))
        return STP_OK;
    return ureg_SeedStampKeys(key, printer, context) == STP_OK ? (WORD)STP_OK : (WORD)STP_NO_KEY;
}

/* 1 when a record's name field (ending at its terminator or the field's end) equals name. */
static BOOL sst_NameEquals(const StampRecord *record, const WCHAR *name)
{
    DWORD length = 0;
    while (length < STAMP_NAME_CHARS && record->name[length])
        ++length;
    return (DWORD)lstrlenW(name) == length && memcmp(record->name, name, length * sizeof(WCHAR)) == 0;
}

/* Reads value name of key into record: zero-filled when shorter, cut when longer. 1 when
 * it is a REG_BINARY value. */
static BOOL sst_ReadRecord(HKEY key, const WCHAR *name, StampRecord *record)
{
    memset(record, 0, sizeof(*record));
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, NULL, &type, NULL, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    BYTE *data = (BYTE *)GlobalAlloc(GPTR, size ? size : 1);
    if (!data)
        return FALSE;
    DWORD read = size;
    BOOL ok = RegQueryValueExW(key, name, NULL, &type, data, &read) == ERROR_SUCCESS && type == REG_BINARY;
    if (ok)
        memcpy(record, data, read < sizeof(*record) ? read : sizeof(*record));
    GlobalFree(data);
    return ok;
}

/*
 * Finds the first REG_BINARY value whose record's name field equals name, in enumeration
 * order. valueName: out (kSearchNameChars), record: out (may be NULL). 1 found, 99 none,
 * 9 enumeration error.
 */
static WORD sst_Find(HKEY key, const WCHAR *name, WCHAR *valueName, StampRecord *record)
{
    StampRecord scratch;
    StampRecord *target = record ? record : &scratch;
    for (DWORD i = 0;; ++i) {
        DWORD chars = kSearchNameChars;
        DWORD type = 0;
        LONG status = RegEnumValueW(key, i, valueName, &chars, NULL, &type, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            return STP_NOT_FOUND;
        if (status == ERROR_MORE_DATA)
            continue; /* a longer name is no stamp's */
        if (status != ERROR_SUCCESS)
            return STP_ENUM_ERROR;
        if (type == REG_BINARY && sst_ReadRecord(key, valueName, target) && sst_NameEquals(target, name))
            return STP_OK;
    }
}

/* The number of REG_BINARY values of key. 1, or 9 on an enumeration error. */
static WORD sst_Count(HKEY key, WORD *count)
{
    *count = 0;
    for (DWORD i = 0;; ++i) {
        WCHAR name[kSearchNameChars];
        DWORD chars = kSearchNameChars;
        DWORD type = 0;
        LONG status = RegEnumValueW(key, i, name, &chars, NULL, &type, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            return STP_OK;
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            return STP_ENUM_ERROR;
        if (type == REG_BINARY)
            ++*count;
    }
}

WORD WINAPI ureg_CountStamps(HANDLE printer, WORD *count, DriverContext *context)
{
    if (!count)
        return STP_NOT_FOUND;
    *count = 0;
    HKEY key = NULL;
    WORD result = ureg_OpenStampKey(&key, printer, context);
    if (result != STP_OK)
        return result;
    result = sst_Count(key, count);
    RegCloseKey(key);
    return result;
}

WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context)
{
    if (!size)
        return STP_NOT_FOUND;
    HKEY key = NULL;
    if (ureg_OpenStampKey(&key, printer, context) != STP_OK)
        return ureg_ListBuiltinStampNames(buffer, count, size);
    WCHAR names[STAMP_MAX_STORED][STAMP_NAME_CHARS];
    WORD found = 0;
    WORD result = STP_OK;
    for (DWORD i = 0; found < STAMP_MAX_STORED; ++i) {
        DWORD chars = STAMP_NAME_CHARS;
        DWORD type = 0;
        LONG status = RegEnumValueW(key, i, names[found], &chars, NULL, &type, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA)
            continue; /* longer than a name field */
        if (status != ERROR_SUCCESS) {
            result = STP_ENUM_ERROR;
            break;
        }
        if (type == REG_BINARY)
            ++found;
    }
    RegCloseKey(key);
    if (result != STP_OK)
        return result;
    DWORD needed = sizeof(WCHAR);
    for (WORD i = 0; i < found; ++i)
        needed += ((DWORD)lstrlenW(names[i]) + 1) * sizeof(WCHAR);
    if (count)
        *count = found;
    DWORD capacity = *size;
    *size = needed;
    if (!buffer)
        return STP_OK;
    if (capacity < needed)
        return STP_BUFFER_TOO_SMALL;
    WCHAR *out = buffer;
    for (WORD i = 0; i < found; ++i) {
        DWORD chars = (DWORD)lstrlenW(names[i]) + 1;
        memcpy(out, names[i], chars * sizeof(WCHAR));
        out += chars;
    }
    *out = 0;
    return STP_OK;
}

WORD ureg_GetStamp(HANDLE printer, const WCHAR *name, StampRecord *record, BOOL builtin, DriverContext *context)
{
    if (!record)
        return STP_NOT_FOUND;
    if (!name)
        return ureg_MakeBuiltinStamp(record, &g_StampDescriptors[0]);
    if (builtin) {
        if (ureg_GetBuiltinStamp(name, record) != STP_OK)
            ureg_MakeBuiltinStamp(record, &g_StampDescriptors[0]);
        return STP_OK;
    }
    HKEY key = NULL;
    if (ureg_OpenStampKey(&key, printer, context) != STP_OK)
        return ureg_GetBuiltinStamp(name, record);
    WCHAR valueName[kSearchNameChars];
    WORD result = sst_Find(key, name, valueName, record);
    RegCloseKey(key);
    return result;
}

WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    if (!name)
        return STP_NOT_FOUND;
    if (ureg_IsBuiltinStampName(name))
        return STP_BUILTIN;
    HKEY key = NULL;
    WORD result = ureg_OpenStampKey(&key, printer, context);
    if (result != STP_OK)
        return result;
    WCHAR valueName[kSearchNameChars];
    result = sst_Find(key, name, valueName, NULL);
    RegCloseKey(key);
    return result;
}

WORD ureg_DeleteStamp(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    if (!name)
        return STP_NOT_FOUND;
    if (ureg_IsBuiltinStampName(name))
        return STP_BUILTIN;
    HKEY key = NULL;
    WORD result = ureg_OpenStampKey(&key, printer, context);
    if (result != STP_OK)
        return result;
    WCHAR valueName[kSearchNameChars];
    result = sst_Find(key, name, valueName, NULL);
    if (result == STP_OK && RegDeleteValueW(key, valueName) != ERROR_SUCCESS)
        result = STP_DELETE_FAILED;
    RegCloseKey(key);
    return result;
}

WORD WINAPI ureg_CanAddStamp(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    if (!name)
        return STP_OK;
    if (ureg_IsBuiltinStampName(name))
        return STP_NAME_TAKEN;
    HKEY key = NULL;
    WORD result = ureg_OpenStampKey(&key, printer, context);
    if (result != STP_OK)
        return result;
    WCHAR valueName[kSearchNameChars];
    result = sst_Find(key, name, valueName, NULL);
    WORD count = 0;
    if (result == STP_OK)
        result = STP_NAME_TAKEN;
    else if (result == STP_NOT_FOUND)
        result = sst_Count(key, &count) != STP_OK ? (WORD)STP_ENUM_ERROR
                 : count < STAMP_MAX_STORED       ? (WORD)STP_OK
                                                  : (WORD)STP_FULL;
    RegCloseKey(key);
    return result;
}

WORD ureg_SaveStamp(HANDLE printer, const StampRecord *record, DriverContext *context)
{
    if (!record)
        return STP_NOT_FOUND;
    /* The name as its field holds it: at most 32 characters and a terminator. */
    WCHAR name[STAMP_NAME_CHARS];
    lstrcpynW(name, record->name, STAMP_NAME_CHARS);
    if (!name[0])
        return STP_NOT_FOUND;
    if (ureg_IsBuiltinStampName(name))
        return STP_BUILTIN;
    HKEY key = NULL;
    WORD result = ureg_OpenStampKey(&key, printer, context);
    if (result != STP_OK)
        return result;
    WCHAR valueName[kSearchNameChars];
    result = sst_Find(key, name, valueName, NULL);
    if (result == STP_NOT_FOUND) {
        WORD count = 0;
        result = sst_Count(key, &count);
        if (result == STP_OK && count >= STAMP_MAX_STORED)
            result = STP_FULL;
        lstrcpynW(valueName, name, kSearchNameChars);
    }
    if (result == STP_OK) {
        StampRecord stored = *record;
        memset(stored.name, 0, sizeof(stored.name));
        memcpy(stored.name, name, (DWORD)lstrlenW(name) * sizeof(WCHAR));
        if (RegSetValueExW(key, valueName, 0, REG_BINARY, (const BYTE *)&stored, sizeof(stored)) != ERROR_SUCCESS)
            result = STP_WRITE_FAILED;
    }
    RegCloseKey(key);
    return result;
}

/* 1 when two texts agree up to their terminators, within chars characters. */
static BOOL sst_SameText(const WCHAR *a, const WCHAR *b, DWORD chars)
{
    for (DWORD i = 0; i < chars; ++i) {
        if (a[i] != b[i])
            return FALSE;
        if (!a[i])
            return TRUE;
    }
    return TRUE;
}

/* 1 when two fonts agree in every field but the quality byte (face names within their
 * field). */
static BOOL sst_SameFont(const LOGFONTW *a, const LOGFONTW *b)
{
    return a->lfHeight == b->lfHeight && a->lfWidth == b->lfWidth && a->lfEscapement == b->lfEscapement &&
           a->lfOrientation == b->lfOrientation && a->lfWeight == b->lfWeight && a->lfItalic == b->lfItalic &&
           a->lfUnderline == b->lfUnderline && a->lfStrikeOut == b->lfStrikeOut && a->lfCharSet == b->lfCharSet &&
           a->lfOutPrecision == b->lfOutPrecision && a->lfClipPrecision == b->lfClipPrecision &&
           a->lfPitchAndFamily == b->lfPitchAndFamily && sst_SameText(a->lfFaceName, b->lfFaceName, LF_FACESIZE);
}

WORD ureg_CompareStamp(HANDLE printer, const StampRecord *record, DriverContext *context)
{
    if (!record)
        return STP_NOT_STORED;
    WCHAR name[STAMP_NAME_CHARS];
    lstrcpynW(name, record->name, STAMP_NAME_CHARS);
    StampRecord stored;
    if (ureg_GetStamp(printer, name, &stored, FALSE, context) != STP_OK)
        return STP_NOT_STORED;
    BOOL same = sst_SameText(stored.text, record->text, STAMP_TEXT_CHARS) && stored.colour == record->colour &&
                stored.style == record->style && stored.optionB == record->optionB && stored.frame == record->frame &&
                stored.placement == record->placement && stored.repeat == record->repeat &&
                sst_SameFont(&stored.font, &record->font);
    return same ? (WORD)STP_OK : (WORD)STP_DIFFERENT;
}
