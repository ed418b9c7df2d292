/* The host the driver runs in. */
#include "core/util/host_env.h"

#include "core/util/global_block.h"
#include "core/util/os_version.h"

static const WCHAR kWinlogonKey[] = TEXT("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\");
static const WCHAR kDefaultUserValue[] = TEXT("DefaultUserName");
static const WCHAR kUnknownUser[] = TEXT("UnknownUser");
static const WCHAR kDebugLogDir[] = TEXT("\\DEBUG_LOG");
static const WCHAR kDebugLogSubDir[] = TEXT("\\WIN2000");

typedef HRESULT(WINAPI *IeProtectedModeProc)(BOOL *result);

static BOOL ensure_directory(LPCWSTR path);
static BOOL is_blank_name(const WCHAR *name);
static BOOL read_winlogon_user(WCHAR *buffer, DWORD size);

/* Creates a directory unless it exists; FALSE when neither. */
static BOOL ensure_directory(LPCWSTR path)
{
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return CreateDirectoryW(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

/* 1 for an empty name or one of only U+0020 and U+3000. */
static BOOL is_blank_name(const WCHAR *name)
{
    for (const WCHAR *p = name; *p != 0; p++) {
        if (*p != 0x0020 && *p != 0x3000)
            return FALSE;
    }
    return TRUE;
}

/* The Winlogon default user name into buffer (size characters); FALSE when missing. */
static BOOL read_winlogon_user(WCHAR *buffer, DWORD size)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogonKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD bytes = (size - 1) * sizeof(WCHAR);
    LONG status = RegQueryValueExW(key, kDefaultUserValue, nullptr, &type, (BYTE *)buffer, &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return FALSE;
    buffer[bytes / sizeof(WCHAR)] = 0;
    return TRUE;
}

DWORD WINAPI util_EnumFormsAlloc(HANDLE printer, FORM_INFO_1W **forms, DWORD *needed, DWORD *count)
{
    if (forms == nullptr || needed == nullptr || count == nullptr)
        return UTIL_FORMS_FAILED;
    *forms = nullptr;
    *needed = 0;
    *count = 0;
    DWORD bytes = 0;
    DWORD returned = 0;
    if (EnumFormsW(printer, 1, nullptr, 0, &bytes, &returned) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        bytes == 0)
        return UTIL_FORMS_FAILED;
    BYTE *block = (BYTE *)util_GlobalAllocZero(bytes);
    if (block == nullptr)
        return UTIL_FORMS_NO_MEMORY;
    if (!EnumFormsW(printer, 1, block, bytes, &bytes, &returned)) {
        GlobalFree(block);
        return UTIL_FORMS_FAILED;
    }
    *forms = (FORM_INFO_1W *)block;
    *needed = bytes;
    *count = returned;
    return UTIL_FORMS_OK;
}

BOOL WINAPI util_GetDebugLogDirectory(WCHAR *buffer)
{
    if (buffer == nullptr)
        return FALSE;
    buffer[0] = 0;
    WCHAR windows[UTIL_DEBUG_LOG_CHARS] = {};
    UINT length = GetWindowsDirectoryW(windows, UTIL_DEBUG_LOG_CHARS);
    if (length == 0 || length >= UTIL_DEBUG_LOG_CHARS)
        return FALSE;
    UINT drive = 0;
    while (drive < length && windows[drive] != '\\')
        drive++;
    windows[drive] = 0;
    lstrcpyW(buffer, windows);
    lstrcatW(buffer, kDebugLogDir);
    if (!ensure_directory(buffer))
        return FALSE;
    lstrcatW(buffer, kDebugLogSubDir);
    return ensure_directory(buffer);
}

BOOL WINAPI util_GetExtraFilePath(DWORD, WCHAR *, DWORD)
{
    return FALSE;
}

WCHAR *WINAPI util_GetHostProcessName(void)
{
    const WCHAR *line = GetCommandLineW();
    if (line == nullptr)
        return util_DupWide(TEXT(""));
    while (*line == ' ' || *line == '\t')
        line++;
    const WCHAR *start = line;
    const WCHAR *end;
    if (*line == '"') {
        start = ++line;
        while (*line != 0 && *line != '"')
            line++;
    } else {
        while (*line != 0 && *line != ' ' && *line != '\t')
            line++;
    }
    end = line;
    for (const WCHAR *p = start; p < end; p++) {
        if (*p == '\\' || *p == '/' || *p == ':')
            start = p + 1;
    }
    return util_DupWideN(start, (DWORD)(end - start));
}

DWORD WINAPI util_GetUserName(UserNameRequest *request)
{
    if (request == nullptr || request->buffer == nullptr || request->size == 0)
        return 0;
    WCHAR name[257] = {};
    DWORD size = 257;
    BOOL ok = GetUserNameW(name, &size);
    if (!ok || lstrcmpiW(name, TEXT("System")) == 0)
        ok = read_winlogon_user(name, 257);
    if (!ok || is_blank_name(name))
        lstrcpyW(name, kUnknownUser);
    DWORD length = (DWORD)lstrlenW(name);
    if (length + 1 > request->size) {
        request->size = length + 1;
        request->buffer[0] = 0;
        return 0;
    }
    lstrcpyW(request->buffer, name);
    request->size = length + 1;
    return length;
}

BOOL WINAPI util_IsFileOlderThan(LPCWSTR path, DWORD seconds)
{
    if (path == nullptr)
        return FALSE;
    HANDLE file = CreateFileW(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    FILETIME written = {};
    BOOL ok = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    if (!ok)
        return FALSE;
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    ULONGLONG nowTicks = ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
    ULONGLONG writtenTicks = ((ULONGLONG)written.dwHighDateTime << 32) | written.dwLowDateTime;
    return nowTicks > writtenTicks && nowTicks - writtenTicks > (ULONGLONG)seconds * 10000000ull;
}

BOOL WINAPI util_IsIeProtectedMode(void)
{
    if (!util_IsVistaOrLater())
        return FALSE;
    HMODULE module = LoadLibraryW(TEXT("ieframe.dll"));
    if (module == nullptr)
        return FALSE;
    BOOL result = FALSE;
    IeProtectedModeProc probe = (IeProtectedModeProc)(void *)GetProcAddress(module, "IEIsProtectedModeProcess");
    if (probe != nullptr && SUCCEEDED(probe(&result)) && result)
        result = TRUE;
    else
        result = FALSE;
    FreeLibrary(module);
    return result;
}
