/*
 * The direct fax's temporary file records: purged and registered. Records are
 * user-writable: one of another size or with an unterminated path is deleted and no file
 * is touched; a file is deleted only when its name is one the driver makes.
 */
#include "core/directfax/direct_fax.h"

#include "core/user_registry/user_registry.h"
#include "core/util/host_env.h"

#include <string.h>

static const WCHAR kValuePrefix[] = TEXT("DFaxInfo_");
static const DWORD kValuePrefixChars = 9;
static const WCHAR kKeyTailA[] = TEXT("DirectFax\\TempFile");
static const WCHAR kKeyTailB[] = TEXT("TempFile");

/* Characters of a value name read in the walk: the longest name and its terminator. */
enum { kNameBuffer = 261 };

BOOL ureg_IsDirectFaxValueName(const WCHAR *name)
{
    if (!name)
        return FALSE;
    for (DWORD i = 0; i < kValuePrefixChars; ++i)
        if (name[i] != kValuePrefix[i])
            return FALSE;
    return TRUE;
}

/* The key path of base (or the description's per-user base path which) and tail into
 * path. 1, or 0 when it cannot be built. */
static BOOL dfax_KeyPath(DriverContext *context, const WCHAR *base, WORD which, const WCHAR *tail,
                         WCHAR path[UREG_MAX_PATH_CHARS + 1])
{
    if (base)
        return ureg_JoinKeyPath(path, UREG_MAX_PATH_CHARS + 1, base, tail);
    WCHAR *described = NULL;
    if (!context || !context->model || ddd_GetRegistryBasePath(context->model, which, &described) != DDD_OK ||
        !described || !described[0]) {
        if (described)
            GlobalFree(described);
        return FALSE;
    }
    BOOL built = ureg_JoinKeyPath(path, UREG_MAX_PATH_CHARS + 1, described, tail);
    GlobalFree(described);
    return built;
}

/* 1 when c is a hexadecimal digit. */
static BOOL dfax_IsHexDigit(WCHAR c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

/* 1 when the file name of path is one the driver makes: "QMF" + hexadecimal digits +
 * ".tmp", or "qmfdp.tmp", without regard to case. */
static BOOL dfax_IsDriverFile(const WCHAR *path)
{
    const WCHAR *name = path;
    for (const WCHAR *p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    if (lstrcmpiW(name, TEXT("qmfdp.tmp")) == 0)
        return TRUE;
    DWORD length = (DWORD)lstrlenW(name);
    if (length < 8 || (name[0] | 0x20) != 'q' || (name[1] | 0x20) != 'm' || (name[2] | 0x20) != 'f' ||
        lstrcmpiW(name + length - 4, TEXT(".tmp")) != 0)
        return FALSE;
    for (DWORD i = 3; i < length - 4; ++i)
        if (!dfax_IsHexDigit(name[i]))
            return FALSE;
    return TRUE;
}

/* Outcome of one record. */
enum { RECORD_KEEP, RECORD_DELETE, RECORD_DELETE_WITH_FILE };

/* What becomes of the record stored in data (size bytes, type). */
static int dfax_Judge(const BYTE *data, DWORD size, DWORD type, DirectFaxRecord *record)
{
    if (type != REG_BINARY || size != sizeof(*record))
        return RECORD_DELETE;
    memcpy(record, data, sizeof(*record));
    DWORD length = 0;
    while (length < DFAX_PATH_CHARS && record->path[length])
        ++length;
    if (length == DFAX_PATH_CHARS || length == 0)
        return RECORD_DELETE;
    HANDLE file = CreateFileW(record->path,
                              GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL,
                              OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        /* Only a file that is not there is gone; a locked one keeps its record. */
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? RECORD_DELETE : RECORD_KEEP;
    }
    CloseHandle(file);
    if (record->window && IsWindow(record->window) &&
        (HINSTANCE)GetWindowLongPtrW(record->window, GWLP_HINSTANCE) == record->instance)
        return RECORD_KEEP;
    if (!util_IsFileOlderThan(record->path, DFAX_MAX_AGE_SECONDS))
        return RECORD_KEEP;
    return RECORD_DELETE_WITH_FILE;
}

/* Purges the records of one key (path below HKEY_CURRENT_USER). */
static void dfax_PurgeKey(const WCHAR *path)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    BYTE data[sizeof(DirectFaxRecord) + 1];
    DWORD index = 0;
    for (;;) {
        WCHAR name[kNameBuffer];
        DWORD chars = kNameBuffer;
        LONG status = RegEnumValueW(key, index, name, &chars, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || !ureg_IsDirectFaxValueName(name)) {
            ++index; /* a name too long, or another value */
            continue;
        }
        DWORD type = 0;
        DWORD size = sizeof(data);
        status = RegQueryValueExW(key, name, NULL, &type, data, &size);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
            ++index;
            continue;
        }
        if (status == ERROR_MORE_DATA)
            size = sizeof(data); /* longer than a record */
        DirectFaxRecord record;
        int outcome = dfax_Judge(data, size, type, &record);
        if (outcome == RECORD_KEEP) {
            ++index;
            continue;
        }
        if (RegDeleteValueW(key, name) != ERROR_SUCCESS) {
            ++index; /* a value that stays must not restart the walk for ever */
            continue;
        }
        if (outcome == RECORD_DELETE_WITH_FILE && dfax_IsDriverFile(record.path))
            DeleteFileW(record.path);
        index = 0;
    }
    RegCloseKey(key);
}

void ureg_PurgeDirectFaxTempFiles(DriverContext *context, const WCHAR *baseA, const WCHAR *baseB)
{
    WCHAR path[UREG_MAX_PATH_CHARS + 1];
    if (dfax_KeyPath(context, baseA, 0, kKeyTailA, path))
        dfax_PurgeKey(path);
    if (dfax_KeyPath(context, baseB, 1, kKeyTailB, path))
        dfax_PurgeKey(path);
}

/* 1 when key holds a record of that path (without case), window and instance. */
static BOOL dfax_IsRecorded(HKEY key, const DirectFaxRecord *wanted)
{
    for (DWORD index = 0;; ++index) {
        WCHAR name[kNameBuffer];
        DWORD chars = kNameBuffer;
        DirectFaxRecord record;
        DWORD size = sizeof(record);
        DWORD type = 0;
        LONG status = RegEnumValueW(key, index, name, &chars, NULL, &type, (BYTE *)&record, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            return FALSE;
        if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(record) || !ureg_IsDirectFaxValueName(name))
            continue;
        record.path[DFAX_PATH_CHARS - 1] = 0;
        if (record.window == wanted->window && record.instance == wanted->instance &&
            lstrcmpiW(record.path, wanted->path) == 0)
            return TRUE;
    }
}

BOOL ureg_RegisterDirectFaxTempFile(DriverContext *context, HWND window, const WCHAR *path, DWORD reserved)
{
    (void)reserved;
    if (!path || lstrlenW(path) >= DFAX_PATH_CHARS)
        return FALSE;
    ureg_PurgeDirectFaxTempFiles(context, NULL, NULL);
    WCHAR keyPath[UREG_MAX_PATH_CHARS + 1];
    if (!dfax_KeyPath(context, NULL, 1, kKeyTailB, keyPath))
        return FALSE;
    DirectFaxRecord record;
    memset(&record, 0, sizeof(record));
    memcpy(record.path, path, (DWORD)lstrlenW(path) * sizeof(WCHAR));
    /* The sheet's top-level window. */
    HWND top = window;
    for (HWND parent = top ? GetParent(top) : NULL; parent; parent = GetParent(top))
        top = parent;
    record.window = top;
    record.instance = top ? (HINSTANCE)GetWindowLongPtrW(top, GWLP_HINSTANCE) : NULL;
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    BOOL done = dfax_IsRecorded(key, &record);
    for (DWORD n = 1; !done && n != 0; ++n) {
        WCHAR name[kNameBuffer];
        wsprintfW(name, TEXT("%s%lu"), kValuePrefix, (unsigned long)n);
        DWORD size = 0;
        LONG status = RegQueryValueExW(key, name, NULL, NULL, NULL, &size);
        if (status == ERROR_FILE_NOT_FOUND) {
            done = RegSetValueExW(key, name, 0, REG_BINARY, (const BYTE *)&record, sizeof(record)) == ERROR_SUCCESS;
            break;
        }
    }
    RegCloseKey(key);
    return done;
}
