/*
 * Registry records of temporary job files and the clean-up of the files a dead job left.
 * Each file is a key under HKEY_LOCAL_MACHINE\<base>TempFile named after its path with
 * "\" written as "/"; its default value is the creation time.
 */
#include "render/stream/temp_file.h"

#include "render/stream/file_io.h"

// The one base key of the records (no other base is ever set).
static const WCHAR kTempFileKey[] = TEXT("Software\\Tessaly Ornet\\QM NQT Printer Driver\\TempFile");

// Longest key path: the base, a separator and a path.
#define RECORD_KEY_MAX (MAX_PATH + 64)

// Fills key with the record key of path. FALSE when the path is missing or too long.
static BOOL record_key(LPCWSTR path, LPWSTR key)
{
    if (!path || !path[0] || lstrlenW(path) >= MAX_PATH)
        return FALSE;
    lstrcpyW(key, kTempFileKey);
    int at = lstrlenW(key);
    key[at++] = TEXT('\\');
    for (int i = 0; path[i]; ++i)
        key[at++] = path[i] == TEXT('\\') ? TEXT('/') : path[i];
    key[at] = 0;
    return TRUE;
}

LONG spl_RecordTempFile(LPCWSTR path)
{
    WCHAR key[RECORD_KEY_MAX], stamp[32];
    if (!record_key(path, key))
        return -1;
    HKEY hkey = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, &hkey, NULL) !=
        ERROR_SUCCESS)
        return -1;
    SYSTEMTIME now;
    GetLocalTime(&now);
    int length = wsprintfW(stamp,
                           TEXT("[%04d,%02d/%02d,%02d:%02d:%02d]"),
                           now.wYear,
                           now.wMonth,
                           now.wDay,
                           now.wHour,
                           now.wMinute,
                           now.wSecond);
    LONG status = RegSetValueExW(hkey, NULL, 0, REG_SZ, (const BYTE *)stamp, (DWORD)((length + 1) * sizeof(WCHAR)));
    RegCloseKey(hkey);
    return status == ERROR_SUCCESS ? 0 : -1;
}

LONG spl_UnrecordTempFile(LPCWSTR path)
{
    WCHAR key[RECORD_KEY_MAX];
    if (!record_key(path, key))
        return -1;
    return RegDeleteKeyW(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS ? 0 : -1;
}

// What became of the recorded file: TRUE when it is gone (never there or deleted now),
// FALSE when it is still there (held by another job, or not deletable).
static BOOL remove_recorded_file(LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // Only a missing file is gone; a sharing violation means another job holds it.
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    CloseHandle(file);
    return DeleteFileW(path);
}

LONG spl_CleanUpTempFiles(void)
{
    HKEY records = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTempFileKey, 0, KEY_ALL_ACCESS, &records) != ERROR_SUCCESS)
        return -1;
    LONG result = 0;
    DWORD index = 0;
    for (;;) {
        WCHAR name[MAX_PATH + 1], path[MAX_PATH + 1];
        DWORD length = MAX_PATH + 1;
        LONG status = RegEnumKeyExW(records, index, name, &length, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS) {
            result = -1;
            break;
        }
        for (DWORD i = 0; i <= length; ++i)
            path[i] = name[i] == TEXT('/') ? TEXT('\\') : name[i];
        if (!remove_recorded_file(path)) {
            ++index;
            continue;
        }
        // A record another process removed meanwhile is gone as well.
        status = RegDeleteKeyW(records, name);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
            result = -1;
            break;
        }
        index = 0;
    }
    RegCloseKey(records);
    return result;
}
